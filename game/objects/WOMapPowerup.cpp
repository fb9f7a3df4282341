#include "WOMapPowerup.h"

WOMapPowerup::WOMapPowerup() {
    becomePickup(WORLD_OBJECT_MAP_POWERUP, "mapCompiled.txt", "shine");
}
