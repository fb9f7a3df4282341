#include "WOApple.h"

WOApple::WOApple() : WOCarriable(WORLD_OBJECT_APPLE, "apple.txt", kFallDistance) {}
