// WOHighJumpPowerup: makes the player jump higher.
#pragma once

#include "WOPowerup.h"

class WOHighJumpPowerup : public WOPowerup {
public:
    // Type 304, "highJumpCompiled.txt" showing "shine".
    WOHighJumpPowerup();
};
