// The sockets library the engine starts and stops. Linux needs no start-up, so this layer only
// keeps the calls in their place for platforms that do.
#pragma once

// Starts the sockets library at the requested version; 0 on success.
int PXSocketsStartup(int version);
// Stops what PXSocketsStartup started.
void PXSocketsCleanup();
