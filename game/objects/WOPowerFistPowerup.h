// WOPowerFistPowerup: lets the player lift heavy things.
#pragma once

#include "WOPowerup.h"

class WOPowerFistPowerup : public WOPowerup {
public:
    // Type 303, "powerFistCompiled.txt" showing "shake".
    WOPowerFistPowerup();
};
