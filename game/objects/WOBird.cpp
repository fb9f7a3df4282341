#include "WOBird.h"

#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXLogicTiming.h"
#include "engine/PXRandom.h"
#include "engine/PXSound.h"
#include "game/player/Player.h"

#include <algorithm>

namespace {

constexpr int kHopTicks = 7;
constexpr int kFallStep = 2;
constexpr int kFlightSideStep = 2;
// How far around the player a shy bird takes fright.
constexpr int kFrightWidth = 50;
constexpr int kFrightHeight = 25;

} // namespace

WOBird::WOBird()
    : WOCreature(WORLD_OBJECT_BIRD, kDrawBeforePlayer, "bird.txt", "standRight"),
      _hopTimer(kHopTicks) {
    addEditorInfo("Flies from player:", WorldObjectEditorInfo::kFlag, &_fliesFromPlayer);
    _decisionTimer.setMinMaxTimeout(0, 320);
    _actionTimer.setMinMaxTimeout(0, 512);
}

bool WOBird::saveFields(FILE* stream) const {
    return writeRecordInteger(stream, _fliesFromPlayer);
}

bool WOBird::loadFields(FILE* stream, int) {
    return readRecordInteger(stream, _fliesFromPlayer);
}

void WOBird::forceStateUpdate() {
    sprite().setCurrentAnimation(_flyingAway ? byFacing(_facing, "flyLeft", "flyRight")
                                             : byFacing(_facing, "standLeft", "standRight"));
    updateCurrentBBox();
}

void WOBird::logic() {
    animate();
    if (_flyingAway) {
        flyAway();
        return;
    }
    if (playerIsNear()) {
        takeFright();
        return;
    }
    fallOrLand();
    if (!_airborne) {
        act();
    }
}

void WOBird::flyAway() {
    const int side = _facing == kSideLeft ? -kFlightSideStep : kFlightSideStep;
    shiftBy(side, -PXRandomize(1, 4));
    if (getYPos() < 0) {
        setObjectToBeRemovedFromWorldObjectVector(this);
    }
}

bool WOBird::playerIsNear() const {
    if (!_fliesFromPlayer || globalPlayer == nullptr || globalPlayer->inIntroSequence()) {
        return false;
    }
    const BoundingBox* player = globalPlayer->getBBox();
    const BoundingBox fright(
        player->getLeftBound() - kFrightWidth, player->getTopBound() - kFrightHeight,
        player->getRightBound() + kFrightWidth, player->getBottomBound() + kFrightHeight);
    return BoundingBox::checkCollision(&fright, getBBox());
}

void WOBird::takeFright() {
    _flyingAway = true;
    _facing = eitherOf(kSideLeft, kSideRight);
    forceStateUpdate();
}

void WOBird::fallOrLand() {
    if (!blocked(kSideDown, kFallStep)) {
        _airborne = true;
        show(byFacing(_facing, "flyLeft", "flyRight"));
        move(kSideDown, kFallStep);
    } else if (_airborne) {
        _airborne = false;
        endAction();
    }
}

void WOBird::act() {
    if (_hopping && _hopTimer.tick()) {
        finishHop();
    }
    switch (_action) {
    case Action::None:
        if (_decisionTimer.tick()) {
            beginAction();
        }
        break;
    case Action::Sing:
        if (!singing()) {
            endAction();
        }
        break;
    default:
        if (_actionTimer.tick()) {
            endAction();
        }
        break;
    }
}

void WOBird::beginAction() {
    static constexpr Action kActions[] = {Action::Stand, Action::Sit, Action::Peck, Action::Hop,
                                          Action::Sing};
    _action = kActions[PXRandomize(0, 4)];
    _facing = eitherOf(kSideLeft, kSideRight);
    _actionTimer.reset();
    switch (_action) {
    case Action::Sit:
        // Facing right it keeps the pose it has.
        if (_facing == kSideLeft) {
            sprite().setCurrentAnimation("sitLeft");
        }
        break;
    case Action::Peck:
        sprite().setCurrentAnimation(byFacing(_facing, "peckRight", "peckLeft"));
        break;
    case Action::Sing:
        sprite().setCurrentAnimation(byFacing(_facing, "singRight", "singLeft"));
        sing();
        break;
    default:
        sprite().setCurrentAnimation(byFacing(_facing, "standLeft", "standRight"));
        break;
    }
    if (_action == Action::Hop) {
        move(_facing, 1);
        move(kSideUp, 1);
        _hopping = true;
        _hopTimer.reset();
    }
    updateCurrentBBox();
}

void WOBird::finishHop() {
    _hopping = false;
    move(_facing, 1);
    move(kSideDown, 1);
}

void WOBird::endAction() {
    _action = Action::None;
    sprite().setCurrentAnimation(byFacing(_facing, "standLeft", "standRight"));
    updateCurrentBBox();
}

void WOBird::sing() {
    static const char* const kSongs[] = {"bird1.wav", "bird2.wav", "bird3.wav"};
    _song = fetchSound(kSongs[PXRandomize(0, 2)]);
    _songTicksLeft = 0;
    if (_song != nullptr) {
        _song->setVolume(volumeAtPlayer());
        _song->play(0);
        const int tick = std::max(1, static_cast<int>(_PXLogicTimeRequiredPerLogicCycle));
        _songTicksLeft = (_song->lengthInMilliseconds() + tick - 1) / tick;
    }
}

bool WOBird::singing() {
    if (_song == nullptr || _songTicksLeft <= 0) {
        return false;
    }
    _songTicksLeft--;
    const int volume = volumeAtPlayer();
    _song->setVolume(volume);
    if (volume <= 0) {
        _song->stop();
        return false;
    }
    return true;
}
