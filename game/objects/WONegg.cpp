#include "WONegg.h"

#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXInit.h"
#include "engine/PXRandom.h"
#include "game/player/Player.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

constexpr int kNeggVersion = 3;
// The first versions whose records hold the colour and travel limit, and the mood.
constexpr int kFieldsVersion = 2;
constexpr int kSadStateVersion = 3;
constexpr int kNeggFallStep = 4;
constexpr int kNeggWalkSpeed = 2;
constexpr int kIdlePeriod = 120;
constexpr int kIdleThoughtMinimum = 0;
constexpr int kIdleThoughtMaximum = 360;
constexpr const char* kIdleAnimations[] = {"idle", "chatterLeft", "chatterRight", "chatter"};

constexpr WONPC::ColorSprite kNeggColors[] = {{WONegg::kColorNormal, "negg.txt"},
                                              {WONegg::kColorBlue, "negg_blue.txt"},
                                              {WONegg::kColorGold, "negg_gold.txt"},
                                              {WONegg::kColorPink, "negg_pink.txt"},
                                              {WONegg::kColorGreen, "negg_green.txt"}};

} // namespace

WONegg::WONegg() {
    setObjectType(WORLD_OBJECT_NEGG);
    setVersion(kNeggVersion);
    _fallStep = kNeggFallStep;
    _walkSpeed = kNeggWalkSpeed;
    // The empty field takes the default.
    keepKnownChoice(_color, colorChoices(), kColorNormal);
    addEditorInfo("Color", WorldObjectEditorInfo::kChoice, colorChoices(), _color);
    addEditorInfo("Max Travel (0 = disabled)", WorldObjectEditorInfo::kInteger, &_maxTravel);
    _followDistance = PXRandomize(kFollowDistanceMinimum, kFollowDistanceMaximum);
    _idleTimer.setTimeout(kIdlePeriod);
    loadSprite(_glow, "neggGlow.txt", "glow");
    forceStateUpdate();
}

const std::vector<std::string>& WONegg::colorChoices() {
    static const std::vector<std::string> choices = colorNames(kNeggColors);
    return choices;
}

bool WONegg::save(FILE* stream) const {
    return writeHeader(stream) && writeOwnerMap(stream) && writeRecordText(stream, _color) &&
           writeRecordInteger(stream, _maxTravel) && writeRecordInteger(stream, _sadState);
}

bool WONegg::load(FILE* stream) {
    const std::optional<int> storedVersion = readHeader(stream);
    if (!storedVersion || !readOwnerMap(stream)) {
        return false;
    }
    if (*storedVersion >= kFieldsVersion && !(readRecordText(stream, _color, kTextFieldSize) &&
                                              readRecordInteger(stream, _maxTravel))) {
        return false;
    }
    if (*storedVersion >= kSadStateVersion && !readRecordInteger(stream, _sadState)) {
        return false;
    }
    keepKnownChoice(_color, colorChoices(), kColorNormal);
    forceStateUpdate();
    return true;
}

void WONegg::forceStateUpdate() {
    loadColorSprite();
    _sprite.setCurrentAnimation("idle");
    updateCurrentBBox();
}

void WONegg::loadColorSprite() {
    if (_loadedColor == _color) {
        return;
    }
    _loadedColor = _color;
    loadSprite(_sprite, spriteFileForColor(kNeggColors, _loadedColor), "idle");
}

void WONegg::logic() {
    if (!_startX) {
        _startX = getXPos();
    }
    move(kSideDown, _fallStep);
    if (_sadState && companionIsNear()) {
        meetCompanion();
    } else {
        _companionTimer.reset();
        if (!_metCompanion) {
            lonelyLogic();
        }
        if (!_following) {
            idleLogic();
        }
    }
    thoughtBubbleLogic();
    if (!_sadState) {
        _glow.logic();
    }
    animate(_sprite);
}

bool WONegg::companionIsNear() const {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        return false;
    }
    const BoundingBox reach = grownBBox(kCompanionRange, kCompanionRange);
    for (const WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if (object == this || object->getObjectType() != WORLD_OBJECT_NEGG) {
            continue;
        }
        const auto* other = dynamic_cast<const WONegg*>(object);
        if (other != nullptr && strncmp(other->color(), _color, kTextFieldSize) == 0 &&
            BoundingBox::checkCollision(&reach, other->getBBox())) {
            return true;
        }
    }
    return false;
}

bool WONegg::playerIsNear() const {
    return globalPlayer != nullptr &&
           std::abs(globalPlayer->getXPos() - getXPos()) < kNearPlayerHorizontal &&
           std::abs(globalPlayer->getYPos() - getYPos()) < kNearPlayerVertical;
}

void WONegg::meetCompanion() {
    stopFollowing();
    _sprite.setCurrentAnimation("idle", PX_FALSE);
    if (_companionTimer.tick()) {
        setSadState(PX_FALSE);
        _metCompanion = PX_TRUE;
    }
}

void WONegg::lonelyLogic() {
    if (playerIsNear()) {
        _lonelinessTimer.reset();
        follow();
        return;
    }
    stopFollowing();
    if (_lonelinessTimer.tick()) {
        setSadState(PX_TRUE);
    }
}

void WONegg::follow() {
    if (!_following) {
        _following = PX_TRUE;
        showThoughtBubble("neggFollow.txt", "default");
    }
    const BoundingBox* own = getBBox();
    const BoundingBox* target = globalPlayer->getBBox();
    int side = kSideRight;
    int gap = 0;
    if (target->getLeftBound() > own->getRightBound()) {
        gap = target->getLeftBound() - own->getRightBound();
    } else if (target->getRightBound() < own->getLeftBound()) {
        side = kSideLeft;
        gap = own->getLeftBound() - target->getRightBound();
    }
    if (gap > _followDistance && mayRollTo(side)) {
        _facing = side == kSideLeft ? kFacingLeft : kFacingRight;
        _sprite.setCurrentAnimation(side == kSideLeft ? "rollLeft" : "rollRight", PX_FALSE);
        move(side, _walkSpeed);
    } else {
        _sprite.setCurrentAnimation("idle", PX_FALSE);
    }
}

bool WONegg::mayRollTo(int side) const {
    if (_maxTravel <= 0 || !_startX) {
        return true;
    }
    const int next = getXPos() + (side == kSideLeft ? -_walkSpeed : _walkSpeed);
    return std::abs(next - *_startX) <= _maxTravel;
}

void WONegg::stopFollowing() {
    if (!_following) {
        return;
    }
    _following = PX_FALSE;
    _thoughtBubbleVisible = PX_FALSE;
    _sprite.setCurrentAnimation("idle");
}

void WONegg::idleLogic() {
    if (!_idleTimer.tick()) {
        return;
    }
    _sprite.setCurrentAnimation(
        kIdleAnimations[PXRandomize(0, static_cast<int>(std::size(kIdleAnimations)) - 1)]);
    switch (PXRandomize(0, 3)) {
    case 0:
        showThoughtBubble(spriteFileForColor(kNeggColors, _loadedColor), "idle");
        break;
    case 1:
        showThoughtBubble("exclamationPoint.txt", "normal");
        break;
    case 2:
        showThoughtBubble("questionMark.txt", "normal");
        break;
    default:
        showThoughtBubble("heart.txt", _sadState ? "broken" : "normal");
        break;
    }
    _thoughtBubbleTimer.setTimeout(PXRandomize(kIdleThoughtMinimum, kIdleThoughtMaximum));
    _thoughtBubbleTimer.reset();
}

void WONegg::showThoughtBubble(const char* spriteFile, const char* animation) {
    _thoughtBubble.setSprite(spriteFile);
    _thoughtBubble.setSpriteAnimation(animation);
    _thoughtBubbleVisible = PX_TRUE;
}

void WONegg::thoughtBubbleLogic() {
    if (!_thoughtBubbleVisible) {
        return;
    }
    if (!_following && _thoughtBubbleTimer.tick()) {
        _thoughtBubbleVisible = PX_FALSE;
        return;
    }
    _thoughtBubble.logic();
}

void WONegg::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

void WONegg::draw() {
    if (!_sadState) {
        _glow.draw(screenX(), screenY());
    }
    drawWithHappyStars(_sprite);
}

void WONegg::drawThoughtBubble() {
    if (_thoughtBubbleVisible) {
        drawBubbleAtTopRight(_thoughtBubble);
    }
}
