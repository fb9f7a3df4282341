#include "WOBoosterPowerup.h"

WOBoosterPowerup::WOBoosterPowerup() {
    becomePickup(WORLD_OBJECT_BOOSTER_POWERUP, "booster.txt", "shine");
}
