// WOBlueberry: a blueberry, the food a Raam may prefer.
#pragma once

#include "WOCarriable.h"

class WOBlueberry : public WOCarriable {
public:
    // Type 108; falls 5 pixels a tick.
    WOBlueberry();

private:
    static constexpr int kFallDistance = 5;
};
