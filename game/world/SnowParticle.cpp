#include "SnowParticle.h"

#include "engine/PXInit.h"
#include "engine/PXPrimitives.h"
#include "engine/PXRandom.h"
#include "game/core/Globals.h"

namespace {

constexpr int kSizeMaximum = 2;
constexpr int kShadeMinimum = 200;
constexpr int kShadeMaximum = 255;
// Out of 0..100, draws above this start on the left edge, the others on the top edge.
constexpr int kLeftEdgeThreshold = 49;
// Out of 0..100, draws below this move the flake one pixel on an axis.
constexpr int kDriftChance = 50;

bool drifts() {
    return PXRandomize(0, 100) < kDriftChance;
}

} // namespace

SnowParticle::SnowParticle()
    : _size(PXRandomize(0, kSizeMaximum)),
      _shade(static_cast<float>(PXRandomize(kShadeMinimum, kShadeMaximum) / 255.0)) {
    if (PXRandomize(0, 100) > kLeftEdgeThreshold) {
        setPos(0, PXRandomize(0, SCREEN_H_UNSCALED));
    } else {
        setPos(PXRandomize(0, SCREEN_W_UNSCALED), 0);
    }
}

void SnowParticle::draw() {
    PXRectFill(_x, _y, _x + _size, _y + _size, _shade, _shade, _shade, 1.0f);
}

void SnowParticle::logic() {
    if (drifts()) {
        _x++;
    }
    if (drifts()) {
        _y++;
    }
}

int SnowParticle::shouldBeReaped() {
    return _x > SCREEN_W_UNSCALED || _y > SCREEN_H_UNSCALED ? PX_TRUE : PX_FALSE;
}
