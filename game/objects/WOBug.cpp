#include "WOBug.h"

#include "engine/PXRandom.h"
#include "game/world/Map.h"

namespace {

constexpr int kSpeed = 4;

// Puts a coordinate that left [0, limit) back on the edge and turns its direction inward.
void keepInside(int& coordinate, int& direction, int limit) {
    if (coordinate < 0) {
        coordinate = 0;
        direction = 1;
    } else if (coordinate >= limit) {
        coordinate = limit - 1;
        direction = -1;
    }
}

} // namespace

WOBug::WOBug() : WOCreature(WORLD_OBJECT_BUG, kDrawOverUpperTiles, "bug.txt", "fly") {
    _directionTimer.setMinMaxTimeout(0, 60);
    _flightTimer.setMinMaxTimeout(0, 15);
}

void WOBug::logic() {
    animate();
    if (_flying) {
        fly();
        _flying = !_flightTimer.tick();
    } else if (_directionTimer.tick()) {
        decide();
    }
}

void WOBug::decide() {
    _horizontal = PXRandomize(-1, 1);
    _vertical = PXRandomize(-1, 1);
    _flying = PXRandomize(0, 1) != 0;
    _flightTimer.reset();
}

void WOBug::fly() {
    int x = getXPos() + _horizontal * kSpeed;
    int y = getYPos() + _vertical * kSpeed;
    if (globalMap != nullptr) {
        keepInside(x, _horizontal, globalMap->widthInPixels());
        keepInside(y, _vertical, globalMap->heightInPixels());
    }
    setPosition(x, y);
    updateCurrentBBox();
}
