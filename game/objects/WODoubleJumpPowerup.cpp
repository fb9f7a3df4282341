#include "WODoubleJumpPowerup.h"

WODoubleJumpPowerup::WODoubleJumpPowerup() {
    becomePickup(WORLD_OBJECT_DOUBLE_JUMP_POWERUP, "doubleJumpCompiled.txt", "shine");
}
