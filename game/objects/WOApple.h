// WOApple: an apple, the food a Raam may prefer.
#pragma once

#include "WOCarriable.h"

class WOApple : public WOCarriable {
public:
    // Type 109; falls 5 pixels a tick.
    WOApple();

private:
    static constexpr int kFallDistance = 5;
};
