#include "WOGravityMagnetPowerup.h"

WOGravityMagnetPowerup::WOGravityMagnetPowerup() {
    becomePickup(WORLD_OBJECT_GRAVITY_MAGNET_POWERUP, "gravMagnetCompiled.txt", "shine");
}
