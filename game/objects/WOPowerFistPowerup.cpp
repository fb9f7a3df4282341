#include "WOPowerFistPowerup.h"

WOPowerFistPowerup::WOPowerFistPowerup() {
    becomePickup(WORLD_OBJECT_POWER_FIST_POWERUP, "powerFistCompiled.txt", "shake");
}
