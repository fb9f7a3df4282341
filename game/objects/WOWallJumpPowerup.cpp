#include "WOWallJumpPowerup.h"

WOWallJumpPowerup::WOWallJumpPowerup() {
    becomePickup(WORLD_OBJECT_WALL_JUMP_POWERUP, "wallJumpCompiled.txt", "shine");
}
