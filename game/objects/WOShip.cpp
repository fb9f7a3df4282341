#include "WOShip.h"

WOShip::WOShip()
    : WOOrientedCreature(WORLD_OBJECT_SHIP, kDrawOverUpperTiles, "ship.txt", "one",
                         {"one", "two", "three", "four", "five"}, 0) {}

void WOShip::logic() {
    animate();
}
