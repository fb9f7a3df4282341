#include "WOOrb.h"

#include "engine/PXInit.h"
#include "engine/PXRandom.h"

namespace {

// How far above the orb the sparkles play.
constexpr int kSparkleRise = 20;

} // namespace

WOOrb::WOOrb()
    : WOOrientedCreature(WORLD_OBJECT_ORB, kDrawBeforePlayer, "orb.txt", "one",
                         {"one", "two", "three", "four", "five", "six"}, 0),
      _floatDirection(eitherOf(-1, 1)) {
    _floatTimer.setMinMaxTimeout(5, 15);
    _sparkleTimer.setMinMaxTimeout(120, 500);
    beginFloat();
    _hasSparkles = loadSprite(_sparkles, "happyStars.txt", "float");
}

void WOOrb::beginFloat() {
    _floatStepsLeft = PXRandomize(5, 8);
}

void WOOrb::floatStep() {
    shiftBy(0, _floatDirection);
    if (--_floatStepsLeft == 0) {
        _floatDirection = -_floatDirection;
        beginFloat();
    }
}

void WOOrb::logic() {
    animate();
    if (_floatTimer.tick()) {
        floatStep();
    }
    if (_sparkleTimer.tick() && _hasSparkles) {
        _sparkles.setCurrentAnimation("float", PX_TRUE);
        _sparkling = true;
    }
    if (_sparkling) {
        _sparkles.logic();
        _sparkling = !_sparkles.finishedAnimating();
    }
}

void WOOrb::draw() {
    WOOrientedCreature::draw();
    if (_sparkling) {
        drawAtOffset(_sparkles, 0, -kSparkleRise);
    }
}
