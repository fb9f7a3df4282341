#include "WONautilus.h"

#include "engine/PXRandom.h"

namespace {

constexpr int kBobTicks = 120;
// A propel pushes only from this frame on.
constexpr int kLastQuietPropelFrame = 2;
constexpr int kPropelDistance = 2;

} // namespace

WONautilus::WONautilus()
    : WOCreature(WORLD_OBJECT_NAUTILUS, kDrawBeforePlayer, "nautilus.txt", "idleLeft"),
      _bobTimer(kBobTicks) {
    _decisionTimer.setMinMaxTimeout(0, 320);
    _idleTimer.setMinMaxTimeout(0, 512);
}

void WONautilus::logic() {
    animate();
    if (_bobTimer.tick()) {
        move(eitherOf(kSideDown, kSideUp), 1);
    }
    switch (_action) {
    case Action::Idle:
        if (_decisionTimer.tick()) {
            decide();
        }
        break;
    case Action::Propel:
        if (sprite().currentFrame() > kLastQuietPropelFrame) {
            move(_facing == kSideLeft ? kSideRight : kSideLeft, kPropelDistance);
            move(_drift, 1);
        }
        if (actionEnded()) {
            finishAction();
        }
        break;
    case Action::Turn:
        if (actionEnded()) {
            _facing = _facing == kSideLeft ? kSideRight : kSideLeft;
            finishAction();
        }
        break;
    }
}

void WONautilus::decide() {
    switch (PXRandomize(0, 3)) {
    case 0:
        sprite().setCurrentAnimation(byFacing(_facing, "idleLeft", "idleRight"));
        break;
    case 1:
        sprite().setCurrentAnimation(byFacing(_facing, "idleLeft2", "idleRight2"));
        break;
    case 2:
        _drift = eitherOf(kSideDown, kSideUp);
        begin(Action::Propel, byFacing(_facing, "propelLeft", "propelRight"));
        break;
    default:
        begin(Action::Turn, "front");
        break;
    }
}

void WONautilus::begin(Action action, const char* animation) {
    _action = action;
    sprite().setCurrentAnimation(animation);
    _idleTimer.reset();
}

bool WONautilus::actionEnded() {
    const bool timedOut = _idleTimer.tick();
    return timedOut || sprite().finishedAnimating();
}

void WONautilus::finishAction() {
    _action = Action::Idle;
    sprite().setCurrentAnimation(byFacing(_facing, "idleLeft2", "idleRight2"));
}
