#include "WOOller.h"

#include "WorldObjectRecord.h"
#include "engine/PXInit.h"
#include "engine/PXRandom.h"
#include "game/core/SpriteAnimation.h"
#include "game/player/Player.h"
#include "game/world/Map.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kDecisionMinimum = 60;
constexpr int kDecisionMaximum = 240;
constexpr int kWaterBubblePeriod = 320;
constexpr int kBobPeriod = 30;
// A floating Oller rises on this frame of its paddling and sinks on the other.
constexpr int kBobUpFrame = 1;
// A swimming Oller moves on these frames of its stroke.
constexpr int kFirstStrokeFrame = 2;
constexpr int kLastStrokeFrame = 4;
constexpr int kThoughtBubbleMinimum = 120;
constexpr int kThoughtBubbleMaximum = 360;

constexpr WONPC::ColorSprite kOllerColors[] = {{WOOller::kColorRed, "oller.txt"},
                                               {WOOller::kColorBlue, "oller_blue.txt"},
                                               {WOOller::kColorGreen, "oller_green.txt"},
                                               {WOOller::kColorBrown, "oller_brown.txt"}};

// Steps the sprite's looping animation on to the frame, at most one whole cycle, so that a new
// animation goes on from the frame the old one was showing.
void advanceToFrame(Sprite& sprite, const char* animation, int frame) {
    const Sprite::Animation* shown = sprite.getAnimation(animation);
    if (shown == nullptr) {
        return;
    }
    int cycle = 0;
    for (int index = 0; index < shown->getNumberOfFrames(); index++) {
        cycle += std::max(shown->delayForFrame(index), 1);
    }
    for (int step = 0; step < cycle && sprite.currentFrame() != frame; step++) {
        sprite.logic();
    }
}

} // namespace

WOOller::WOOller() {
    setObjectType(WORLD_OBJECT_OLLER);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_CARRIABLE);
    setWeight(0);
    strncpy(_color, kColorRed, kTextFieldSize - 1);
    addEditorInfo("Color", WorldObjectEditorInfo::kChoice, colorChoices(), _color);
    _facing = kFacingRight;
    _decisionTimer.setMinMaxTimeout(kDecisionMinimum, kDecisionMaximum);
    _waterBubbleTimer.setTimeout(kWaterBubblePeriod);
    _bobTimer.setTimeout(kBobPeriod);
    _thoughtBubbleTimer.setMinMaxTimeout(kThoughtBubbleMinimum, kThoughtBubbleMaximum);
    _thoughtBubble.setSprite("wave.txt");
    _thoughtBubble.setSpriteAnimation("wave");
    _splashIn = fetchSound("splashIn.wav");
    _splashOut = fetchSound("splashOut.wav");
    forceStateUpdate();
}

WOOller::~WOOller() = default;

const std::vector<std::string>& WOOller::colorChoices() {
    static const std::vector<std::string> choices = colorNames(kOllerColors);
    return choices;
}

bool WOOller::save(FILE* stream) const {
    return writeHeader(stream) && writeRecordInteger(stream, _sadState) && writeOwnerMap(stream) &&
           writeRecordText(stream, _color);
}

bool WOOller::load(FILE* stream) {
    if (!readHeader(stream) || !readRecordInteger(stream, _sadState) || !readOwnerMap(stream) ||
        !readRecordText(stream, _color, kTextFieldSize)) {
        return false;
    }
    keepKnownChoice(_color, colorChoices(), kColorRed);
    forceStateUpdate();
    return true;
}

void WOOller::loadColorSprite() {
    if (_loadedColor == _color) {
        return;
    }
    _loadedColor = _color;
    _spriteLoaded = loadSprite(_sprite, spriteFileForColor(kOllerColors, _loadedColor),
                               animationName().c_str());
}

std::string WOOller::animationName() const {
    std::string name;
    if (isBeingHeld()) {
        name = "carry";
    } else if (_inWater) {
        name = _activity == Activity::Move ? "swim" : "waterIdle";
    } else if (_activity == Activity::Move) {
        name = "run";
    } else {
        name = _activity == Activity::Sit ? "sit" : "idle";
    }
    return name + (_facing == kFacingLeft ? "Left" : "Right");
}

void WOOller::show(const std::string& animation) {
    if (_spriteLoaded) {
        _sprite.setCurrentAnimation(animation.c_str());
    }
}

void WOOller::forceStateUpdate() {
    loadColorSprite();
    show(animationName());
    updateCurrentBBox();
}

void WOOller::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

BoundingBox WOOller::getSpriteBBox(int index) {
    return spriteFrameBox(_sprite, index);
}

int WOOller::isInWater() const {
    return globalMap != nullptr && globalMap->checkWaterAreasForCollision(*getBBox()) >= 0
               ? PX_TRUE
               : PX_FALSE;
}

void WOOller::logic() {
    if (!isBeingHeld() && globalMap != nullptr) {
        if (_inWater) {
            waterLogic();
        } else {
            landLogic();
        }
        updateWaterState();
    }
    bubbleTimerLogic();
    animate(_sprite);
}

void WOOller::updateWaterState() {
    updateCurrentBBox();
    const int area = globalMap->checkWaterAreasForCollision(*getBBox());
    if ((area >= 0) == (_inWater != 0)) {
        return;
    }
    if (area >= 0) {
        _inWater = PX_TRUE;
        _waterArea = area;
        globalMap->addSplashToWaterArea(area, getXPos(), getYPos());
        playAtPlayerDistance(_splashIn);
        globalMap->addBubbleToWaterArea(area, getXPos(), getYPos());
        _waterBubbleTimer.reset();
        _happyTimer.reset();
        _bobTimer.reset();
    } else {
        _inWater = PX_FALSE;
        globalMap->addSplashToWaterArea(_waterArea, getXPos(), getYPos());
        playAtPlayerDistance(_splashOut);
    }
    _activity = Activity::Idle;
    show(animationName());
}

void WOOller::decide() {
    const int choices = _inWater ? 1 : 2;
    _activity = static_cast<Activity>(PXRandomize(0, choices));
    _facing = PXRandomize(kFacingLeft, kFacingRight);
    show(animationName());
}

void WOOller::landLogic() {
    const int y = getYPos();
    move(kSideDown, _fallStep);
    if (getYPos() != y) {
        checkMapExits(kHorizontalExit);
        return;
    }
    if (_decisionTimer.tick()) {
        decide();
    }
    if (_activity != Activity::Move) {
        return;
    }
    if (isAtLedge()) {
        _activity = Activity::Idle;
        show(animationName());
        return;
    }
    move(_facing == kFacingLeft ? kSideLeft : kSideRight, _walkSpeed);
}

void WOOller::waterLogic() {
    countTowardHappiness();
    if (_waterBubbleTimer.tick()) {
        globalMap->addBubbleToWaterArea(_waterArea, getXPos(), getYPos());
    }
    if (_decisionTimer.tick()) {
        decide();
    }
    if (_activity == Activity::Move) {
        const int frame = _sprite.currentFrame();
        if (frame >= kFirstStrokeFrame && frame <= kLastStrokeFrame) {
            swimBy(_facing == kFacingLeft ? kSideLeft : kSideRight, _walkSpeed);
            swimBy(PXRandomize(0, 1) ? kSideUp : kSideDown, 1);
        }
    } else if (_bobTimer.tick()) {
        swimBy(_sprite.currentFrame() == kBobUpFrame ? kSideUp : kSideDown, 1);
    }
}

void WOOller::swimBy(int side, int distance) {
    static constexpr int kStepX[] = {-1, 1, 0, 0};
    static constexpr int kStepY[] = {0, 0, -1, 1};
    updateCurrentBBox();
    const BoundingBox probe = getBBox()->movedBy(kStepX[side] * distance, kStepY[side] * distance);
    if (globalMap->checkWaterAreasForCollision(probe) >= 0) {
        move(side, distance);
    }
}

void WOOller::countTowardHappiness() {
    if (_sadState && _happyTimer.tick()) {
        setSadState(PX_FALSE);
        forceStateUpdate();
    }
}

void WOOller::bubbleTimerLogic() {
    if (!_sadState) {
        _thoughtBubbleVisible = PX_FALSE;
        return;
    }
    if (_thoughtBubbleTimer.tick()) {
        _thoughtBubbleVisible = PXRandomize(0, 1) ? PX_TRUE : PX_FALSE;
    }
    if (_thoughtBubbleVisible) {
        _thoughtBubble.logic();
    }
}

int WOOller::trigger(void* source) {
    int* held = static_cast<int*>(source);
    updateCurrentBBox();
    const bool refused = !isBeingHeld() && isInWater();
    if (!refused) {
        if (isBeingHeld()) {
            putDown();
        } else {
            pickUp();
        }
    }
    if (held != nullptr) {
        *held = isBeingHeld();
    }
    return refused ? PX_FALSE : PX_TRUE;
}

void WOOller::pickUp() {
    const int frame = _sprite.currentFrame();
    setBeingHeld(PX_TRUE);
    const std::string carry = animationName();
    show(carry);
    advanceToFrame(_sprite, carry.c_str(), frame);
}

void WOOller::putDown() {
    setBeingHeld(PX_FALSE);
    setPosition(getXPos(), getYPos() - kPutDownLift);
    updateCurrentBBox();
    const BoundingBox* box = getBBox();
    const int centre = box->getLeftBound() + box->getRightBound();
    const BoundingBox* carrier = globalPlayer != nullptr ? globalPlayer->getBBox() : box;
    const int carrierCentre = carrier->getLeftBound() + carrier->getRightBound();
    const int away = centre < carrierCentre ? kSideLeft : kSideRight;
    eject(away);
    // A wall on the far side can only push it back toward the player.
    eject(away == kSideLeft ? kSideRight : kSideLeft);
    _activity = Activity::Idle;
    _decisionTimer.reset();
    show(animationName());
}

void WOOller::draw() {
    drawWithHappyStars(_sprite);
}

void WOOller::drawThoughtBubble() {
    if (_thoughtBubbleVisible) {
        drawBubbleAtTopRight(_thoughtBubble);
    }
}
