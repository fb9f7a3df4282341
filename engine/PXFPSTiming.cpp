#include "PXFPSTiming.h"

#include "PXLogicTiming.h"

int _PXFPS = 0;
int _PXFPSCount = 0;
int _PXFPSElapsedTime = 0;
int _PXFPSLastTime = 0;

void PXFPSTick() {
    const int now = static_cast<int>(PXClockTicks());
    _PXFPSElapsedTime += now - _PXFPSLastTime;
    _PXFPSLastTime = now;
    if (_PXFPSElapsedTime > 1000) {
        _PXFPS = _PXFPSCount;
        _PXFPSCount = 0;
        _PXFPSElapsedTime = 0;
    }
    _PXFPSCount++;
}

int PXFPS() {
    return _PXFPS;
}
