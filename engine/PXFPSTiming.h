// The frames-per-second counter.
#pragma once

extern int _PXFPS;
extern int _PXFPSCount;
extern int _PXFPSElapsedTime;
extern int _PXFPSLastTime;

// Counts one drawn frame; a period closes after more than 1000 ms.
void PXFPSTick();
// Frames counted in the last completed period.
int PXFPS();
