#include "WOHighJumpPowerup.h"

WOHighJumpPowerup::WOHighJumpPowerup() {
    becomePickup(WORLD_OBJECT_HIGH_JUMP_POWERUP, "highJumpCompiled.txt", "shine");
}
