// The engine's random numbers, drawn from the standard generator that PXInit seeds.
#pragma once

// A random integer in [min, max]; 0 when min > max.
int PXRandomize(int min, int max);
