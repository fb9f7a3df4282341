#include "WOVonil.h"

#include "WONest.h"
#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXInit.h"
#include "engine/PXRandom.h"
#include "game/player/Player.h"

namespace {

constexpr int kVersion = 2;
constexpr int kWalkSpeed = 3;
constexpr int kLongestSilence = 45;
// Where the note and the tear show beside the Vonil, by facing.
constexpr int kNoteOffsetLeft = -6;
constexpr int kNoteOffsetRight = 20;
constexpr int kTearDrop = 16;

int centreTimesTwo(const BoundingBox* box) {
    return box->getLeftBound() + box->getRightBound();
}

} // namespace

WOVonil::WOVonil() {
    setObjectType(WORLD_OBJECT_VONIL);
    setVersion(kVersion);
    _walkSpeed = kWalkSpeed;
    _facing = kFacingRight;
    _spriteLoaded = loadSprite(_sprite, "vonil.txt", "idleRight");
    updateCurrentBBox();
}

WOVonil::~WOVonil() {
    if (globalPlayer != nullptr && globalPlayer->followedBy() == this) {
        globalPlayer->setFollowedBy(nullptr);
    }
}

bool WOVonil::save(FILE* stream) const {
    return writeHeader(stream) && writeOwnerMap(stream) && writeRecordInteger(stream, _sadState) &&
           writeRecordInteger(stream, _atNest);
}

bool WOVonil::load(FILE* stream) {
    const std::optional<int> storedVersion = readHeader(stream);
    if (!storedVersion || !readOwnerMap(stream) || !readRecordInteger(stream, _sadState)) {
        return false;
    }
    if (*storedVersion >= kVersion && !readRecordInteger(stream, _atNest)) {
        return false;
    }
    forceStateUpdate();
    return true;
}

void WOVonil::forceStateUpdate() {
    if (_spriteLoaded) {
        _sprite.setCurrentAnimation(_facing == kFacingLeft ? "idleLeft" : "idleRight", PX_FALSE);
    }
    updateCurrentBBox();
}

void WOVonil::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

int WOVonil::blocked(int side, int distance) {
    return _following ? PX_FALSE : WONPC::blocked(side, distance);
}

int WOVonil::rampBlocked(int side, int distance) {
    return _following ? PX_FALSE : WONPC::rampBlocked(side, distance);
}

void WOVonil::eject(int side) {
    if (!_following) {
        WONPC::eject(side);
    }
}

void WOVonil::logic() {
    const int x = getXPos();
    if (_sadState) {
        updateFollowing();
    } else if (_following) {
        stopFollowing();
    }
    if (_following) {
        follow();
        if (WONest* nest = nestInReach()) {
            arriveAtNest(nest);
        }
    }
    countStillTicks(getXPos() - x);
    animate(_sprite);
}

void WOVonil::updateFollowing() {
    if (globalPlayer == nullptr) {
        return;
    }
    // Another object may have become the follower meanwhile.
    if (_following && globalPlayer->followedBy() != this) {
        _following = PX_FALSE;
    }
    const int range = _following ? kFollowRange : kNoticeRange;
    const BoundingBox reach = grownBBox(range, range);
    if (!BoundingBox::checkCollision(&reach, globalPlayer->getBBox())) {
        stopFollowing();
    } else if (!_following && globalPlayer->followedBy() == nullptr) {
        globalPlayer->setFollowedBy(this);
        _following = PX_TRUE;
    }
}

void WOVonil::stopFollowing() {
    if (globalPlayer != nullptr && globalPlayer->followedBy() == this) {
        globalPlayer->setFollowedBy(nullptr);
    }
    _following = PX_FALSE;
}

void WOVonil::follow() {
    updateCurrentBBox();
    const BoundingBox* leader = globalPlayer->getBBox();
    const BoundingBox* own = getBBox();
    _facing = centreTimesTwo(leader) < centreTimesTwo(own) ? kFacingLeft : kFacingRight;
    forceStateUpdate();
    if (own->getRightBound() < leader->getLeftBound() - kFollowDistance) {
        move(kSideRight, PXRandomize(1, _walkSpeed));
    } else if (own->getLeftBound() > leader->getRightBound() + kFollowDistance) {
        move(kSideLeft, PXRandomize(1, _walkSpeed));
    }
    const int gap = PXRandomize(kHoverMinimum, kHoverMaximum);
    const int rise = own->getBottomBound() - (leader->getTopBound() - gap);
    if (rise > 0) {
        move(kSideUp, rise);
    } else if (rise < 0) {
        move(kSideDown, -rise);
    }
}

WONest* WOVonil::nestInReach() const {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        return nullptr;
    }
    const BoundingBox reach = grownBBox(kNestRange, kNestRange);
    for (WorldObject* object : *globalMapSpecificWorldObjectVector) {
        auto* nest = dynamic_cast<WONest*>(object);
        if (nest != nullptr && nest->isSad() &&
            BoundingBox::checkCollision(nest->getBBox(), &reach)) {
            return nest;
        }
    }
    return nullptr;
}

void WOVonil::arriveAtNest(WONest* nest) {
    stopFollowing();
    nest->setSadState(PX_FALSE);
    setSadState(PX_FALSE);
    _atNest = PX_TRUE;
}

void WOVonil::countStillTicks(int movedX) {
    if (movedX != 0) {
        _stillTicks = 0;
        _stillTicksBeforeNote = PXRandomize(0, kLongestSilence);
    } else {
        _stillTicks++;
    }
}

void WOVonil::draw() {
    drawWithHappyStars(_sprite);
    const int besideX = screenX() + (_facing == kFacingLeft ? kNoteOffsetLeft : kNoteOffsetRight);
    if (_following && _stillTicks > _stillTicksBeforeNote) {
        _happyNote.draw(besideX, screenY());
    } else if (_sadState && !_following) {
        _sadTear.draw(besideX, screenY() + kTearDrop);
    }
}
