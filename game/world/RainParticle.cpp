#include "RainParticle.h"

#include "Camera.h"
#include "Map.h"
#include "engine/PXInit.h"
#include "engine/PXPrimitives.h"
#include "engine/PXRandom.h"
#include "game/core/Globals.h"

namespace {

constexpr int kLengthMinimum = 3;
constexpr int kLengthMaximum = 4;
// Out of 0..100, draws below this start on the top edge, the others on the left edge.
constexpr int kTopEdgeChance = 90;
constexpr float kRed = 0.34f;
constexpr float kGreen = 0.403f;
constexpr float kBlue = 0.439f;

} // namespace

RainParticle::RainParticle()
    : _dead(PX_FALSE), _length(PXRandomize(kLengthMinimum, kLengthMaximum)) {
    if (PXRandomize(0, 100) < kTopEdgeChance) {
        setPos(PXRandomize(0, SCREEN_W_UNSCALED), -_length);
    } else {
        setPos(0, PXRandomize(0, SCREEN_H_UNSCALED));
    }
}

void RainParticle::draw() {
    if (!_dead) {
        PXLine(_x, _y, _x + _slant, _y + _length, kRed, kGreen, kBlue, 1.0f);
    }
}

void RainParticle::logic() {
    if (_dead) {
        return;
    }
    _x = static_cast<int>(static_cast<float>(_x) + _xSpeed);
    _y = static_cast<int>(static_cast<float>(_y) + _ySpeed);
    if (_x < 0 || _x > SCREEN_W_UNSCALED || _y < 0 || _y > SCREEN_H_UNSCALED || touchesGround()) {
        _dead = PX_TRUE;
    }
}

bool RainParticle::touchesGround() const {
    // The streak's cell is the one under its top end; its pixels are looked up within that cell.
    const int row = (_y + globalCamera->getYPos()) / Map::kTileSize;
    const int column = (_x + globalCamera->getXPos()) / Map::kTileSize;
    for (int k = 0; k < _length; k++) {
        if (globalMap->tileIsPixelPerfectBlockedAt(row, column, (_x + _slant) % Map::kTileSize,
                                                   (_y + k) % Map::kTileSize)) {
            return true;
        }
    }
    return false;
}
