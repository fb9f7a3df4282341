// WODoubleJumpPowerup: gives the player a second jump in the air.
#pragma once

#include "WOPowerup.h"

class WODoubleJumpPowerup : public WOPowerup {
public:
    // Type 301, "doubleJumpCompiled.txt" showing "shine".
    WODoubleJumpPowerup();
};
