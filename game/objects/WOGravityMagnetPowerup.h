// WOGravityMagnetPowerup: lets the player be pulled by gravity magnets.
#pragma once

#include "WOPowerup.h"

class WOGravityMagnetPowerup : public WOPowerup {
public:
    // Type 305, "gravMagnetCompiled.txt" showing "shine".
    WOGravityMagnetPowerup();
};
