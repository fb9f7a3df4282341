#include "WOBat.h"

#include "engine/PXInit.h"
#include "engine/PXRandom.h"
#include "game/core/Globals.h"
#include "game/world/Map.h"

namespace {

// How many tiles away a perch may be.
constexpr int kPerchRange = SCREEN_H_UNSCALED / 32;
constexpr int kPerchProbes = 50;
// The probed pixel inside a tile and the most a perch lies inside the tile's corner.
constexpr int kTileCentre = 8;
constexpr int kPerchJitter = 8;
// The curve is flown in this many steps (t grows by 0.01).
constexpr int kFlightSteps = 100;

// The quadratic Bezier curve at t, toward zero.
int bezier(int start, int control, int end, double t) {
    const double u = 1.0 - t;
    return static_cast<int>(u * u * start + 2.0 * t * u * control + t * t * end);
}

} // namespace

WOBat::WOBat() : WOCreature(WORLD_OBJECT_BAT, kDrawOverUpperTiles, "bat.txt", "hang") {
    _decisionTimer.setMinMaxTimeout(0, 320);
    _hangTimer.setMinMaxTimeout(0, 320);
}

void WOBat::logic() {
    animate();
    switch (_state) {
    case State::Hanging:
        if (_decisionTimer.tick()) {
            decide();
        }
        break;
    case State::Resting:
        if (_hangTimer.tick()) {
            _state = State::Hanging;
        }
        break;
    case State::Dropping:
        if (sprite().finishedAnimating() || !hasSprite()) {
            _state = State::Flying;
            _startX = getXPos();
            _startY = getYPos();
            _flightStep = 0;
            sprite().setCurrentAnimation("fly");
        } else {
            shiftBy(0, 1);
        }
        break;
    case State::Flying:
        flyStep();
        break;
    }
}

void WOBat::decide() {
    switch (PXRandomize(0, 2)) {
    case 0:
        show("hang");
        break;
    case 2:
        sprite().setCurrentAnimation("blink", PX_TRUE);
        break;
    default:
        if (findPerch()) {
            _state = State::Dropping;
            sprite().setCurrentAnimation("drop");
        }
        break;
    }
}

int WOBat::randomOffset(int range) {
    const int sign = eitherOf(-1, 1);
    return sign * PXRandomize(0, range);
}

bool WOBat::findPerch() {
    if (globalMap == nullptr) {
        return false;
    }
    // Between probes the candidate steps left, down, right, up, and again.
    static constexpr int kSteps[][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
    int row = Map::tileOf(getYPos()) + randomOffset(kPerchRange);
    int column = Map::tileOf(getXPos()) + randomOffset(kPerchRange);
    for (int probe = 0; probe < kPerchProbes; probe++) {
        if (globalMap->tileIsPixelPerfectBlockedAt(row, column, kTileCentre, kTileCentre)) {
            _perchX = column * Map::kTileSize + PXRandomize(0, kPerchJitter);
            _perchY = row * Map::kTileSize + PXRandomize(0, kPerchJitter);
            return true;
        }
        const auto& step = kSteps[probe % 4];
        column += step[0];
        row += step[1];
    }
    return false;
}

void WOBat::flyStep() {
    _flightStep++;
    const double t = static_cast<double>(_flightStep) / kFlightSteps;
    setPosition(bezier(_startX, _startX, _perchX, t), bezier(_startY, _perchY, _perchY, t));
    updateCurrentBBox();
    if (_flightStep >= kFlightSteps) {
        _state = State::Resting;
        sprite().setCurrentAnimation("hang");
        _hangTimer.reset();
    }
}
