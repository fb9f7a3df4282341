// WOWallJumpPowerup: lets the player cling to walls and jump off them.
#pragma once

#include "WOPowerup.h"

class WOWallJumpPowerup : public WOPowerup {
public:
    // Type 302, "wallJumpCompiled.txt" showing "shine".
    WOWallJumpPowerup();
};
