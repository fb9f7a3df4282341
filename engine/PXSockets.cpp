#include "PXSockets.h"

int PXSocketsStartup(int) {
    return 0;
}

void PXSocketsCleanup() {}
