// WOBoosterPowerup: lets the player run faster at will.
#pragma once

#include "WOPowerup.h"

class WOBoosterPowerup : public WOPowerup {
public:
    // Type 306, "booster.txt" showing "shine".
    WOBoosterPowerup();
};
