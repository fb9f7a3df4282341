// The fixed-step logic clock. A screen loop calls PXResetLogicLoop once, then per pass
// PXPreLogicLoop; while PXLogicLoop: one logic step and PXLogicUpdate; then PXPostLogicLoop;
// then it draws one frame and PXSleepUntilNextTick, so it draws at most one frame a tick and
// leaves the processor alone in between.
#pragma once

#include <SDL.h>

// A millisecond clock: monotonic, unsigned 32-bit, wrapping.
using PXClockSource = Uint32 (*)();

extern Uint32 _PXLogicSpeed;
extern Uint32 _PXLogicTimeRequiredPerLogicCycle;
extern Uint32 _PXLogicCurrentTime;
extern Uint32 _PXLogicLastTime;
extern Uint32 _PXLogicTimeElapsed;
extern Uint32 _PXLogicCurrentCycles;

// Replaces the engine's millisecond clock (SDL_GetTicks); null restores it. Tests use this.
void PXSetClockSource(PXClockSource source);
// Milliseconds from the engine's clock.
Uint32 PXClockTicks();

// Sets the tick rate, clamped to 1..1000 ticks per second.
void PXSetLogicInterval(unsigned int ticksPerSecond);
// Forgets accumulated time; call when a loop starts or after anything that stalled it.
void PXResetLogicLoop();
// Start of a pass: accumulates elapsed time and works out the due ticks.
void PXPreLogicLoop();
// True while a tick is due; every such call pumps the platform events, so later calls of a
// pass see only what arrived since the first. A key or button pressed and released within one
// pump stays down until the tick ends, so even a quick tap counts as one press.
int PXLogicLoop();
// Moves every pending platform event into the input tables and the quit flag.
void PXPumpEvents();
// Marks one tick done; the leftover fraction of a tick is dropped once all due ticks ran.
// Releases the taps the tick has seen.
void PXLogicUpdate();
// End of the logic part of a pass.
void PXPostLogicLoop();
// Sleeps until the next tick is due; returns at once when one is due already (a slow frame).
void PXSleepUntilNextTick();
