#include "WOBlueberry.h"

WOBlueberry::WOBlueberry() : WOCarriable(WORLD_OBJECT_BLUEBERRY, "blueberry.txt", kFallDistance) {}
