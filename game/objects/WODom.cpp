#include "WODom.h"

#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXInit.h"
#include "game/player/Player.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr int kDomVersion = 3;
// The first versions whose records hold the colour, pot and mood, and the pot-reached flag.
constexpr int kFieldsVersion = 2;
constexpr int kInPotVersion = 3;
constexpr int kBlinkMinimum = 120;
constexpr int kBlinkMaximum = 360;
constexpr int kThoughtBubbleMinimum = 120;
constexpr int kThoughtBubbleMaximum = 360;
// A shuffling Dom steps 1 pixel on each tick of this frame.
constexpr int kShuffleStepFrame = 1;

constexpr WONPC::ColorSprite kDomColors[] = {{WODom::kColorRed, "dom_red.txt"},
                                             {WODom::kColorBlue, "dom_blue.txt"},
                                             {WODom::kColorGreen, "dom_green.txt"},
                                             {WODom::kColorOrange, "dom_orange.txt"}};

int boxWidth(const BoundingBox* box) {
    return box->getRightBound() - box->getLeftBound() + 1;
}

} // namespace

WODom::WODom() {
    setObjectType(WORLD_OBJECT_DOM);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_CARRIABLE);
    setWeight(kWeight);
    setVersion(kDomVersion);
    // The empty field takes the default.
    keepKnownChoice(_color, colorChoices(), kColorRed);
    addEditorInfo("Color", WorldObjectEditorInfo::kChoice, colorChoices(), _color);
    addEditorInfo("Pot #", WorldObjectEditorInfo::kInteger, &_potNumber);
    _blinkTimer.setMinMaxTimeout(kBlinkMinimum, kBlinkMaximum);
    _thoughtBubbleTimer.setMinMaxTimeout(kThoughtBubbleMinimum, kThoughtBubbleMaximum);
    _thoughtBubble.setSprite("dom_numbers.txt");
    forceStateUpdate();
}

const std::vector<std::string>& WODom::colorChoices() {
    static const std::vector<std::string> choices = colorNames(kDomColors);
    return choices;
}

bool WODom::save(FILE* stream) const {
    return writeHeader(stream) && writeOwnerMap(stream) && writeRecordText(stream, _color) &&
           writeRecordInteger(stream, _potNumber) && writeRecordInteger(stream, _sadState) &&
           writeRecordInteger(stream, _inPot);
}

bool WODom::load(FILE* stream) {
    const std::optional<int> storedVersion = readHeader(stream);
    if (!storedVersion || !readOwnerMap(stream)) {
        return false;
    }
    if (*storedVersion >= kFieldsVersion &&
        !(readRecordText(stream, _color, kTextFieldSize) && readRecordInteger(stream, _potNumber) &&
          readRecordInteger(stream, _sadState))) {
        return false;
    }
    if (*storedVersion >= kInPotVersion && !readRecordInteger(stream, _inPot)) {
        return false;
    }
    keepKnownChoice(_color, colorChoices(), kColorRed);
    forceStateUpdate();
    return true;
}

void WODom::setInPot(int reached) {
    _inPot = reached ? PX_TRUE : PX_FALSE;
    _shuffling = PX_FALSE;
    _climbing = PX_FALSE;
    forceStateUpdate();
}

void WODom::forceStateUpdate() {
    loadColorSprite();
    _blinking = PX_FALSE;
    _sprite.setCurrentAnimation(stateAnimation().c_str());
    updateCurrentBBox();
}

void WODom::loadColorSprite() {
    if (_loadedColor == _color) {
        return;
    }
    _loadedColor = _color;
    loadSprite(_sprite, spriteFileForColor(kDomColors, _loadedColor), stateAnimation().c_str());
}

std::string WODom::stateAnimation() const {
    if (isBeingHeld()) {
        return "carry";
    }
    if (_inPot) {
        return "inPot";
    }
    return _climbing ? "potClimb" : lookAnimation();
}

std::string WODom::lookAnimation() const {
    const BoundingBox* box = getBBox();
    const bool playerLeft =
        globalPlayer != nullptr && globalPlayer->getXPos() < box->getLeftBound();
    const bool playerAbove =
        globalPlayer != nullptr && globalPlayer->getYPos() < box->getTopBound();
    return std::string("idle") + (playerAbove ? "Up" : "") + (playerLeft ? "Left" : "Right");
}

void WODom::logic() {
    _potNumber = std::clamp(_potNumber, kLowestPotNumber, kHighestPotNumber);
    if (isBeingHeld()) {
        if (!blinkLogic("carryBlink")) {
            _sprite.setCurrentAnimation("carry", PX_FALSE);
        }
    } else if (_inPot) {
        if (!blinkLogic("inPotBlink")) {
            _sprite.setCurrentAnimation("inPot", PX_FALSE);
        }
    } else if (_climbing) {
        climbLogic();
    } else if (_shuffling) {
        shuffleLogic();
    } else {
        freeLogic();
    }
    thoughtBubbleLogic();
    animate(_sprite);
}

void WODom::freeLogic() {
    if (!blocked(kSideDown, 1)) {
        move(kSideDown, kFallDistance);
        checkMapExits(kHorizontalExit);
    } else if (_sadState) {
        if (const WODomPot* pot = touchedOwnPot()) {
            _shuffling = PX_TRUE;
            _blinking = PX_FALSE;
            _potCenterX = pot->getXPos() + boxWidth(pot->getBBox()) / 2;
            shuffleLogic();
            return;
        }
    }
    if (!blinkLogic("blink")) {
        _sprite.setCurrentAnimation(lookAnimation().c_str(), PX_FALSE);
    }
}

const WODomPot* WODom::touchedOwnPot() const {
    if (globalMapSpecificWorldObjectVector == nullptr) {
        return nullptr;
    }
    for (const WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if (object->getObjectType() != WORLD_OBJECT_DOM_POT) {
            continue;
        }
        const auto* pot = dynamic_cast<const WODomPot*>(object);
        if (pot != nullptr && pot->potNumber() == _potNumber &&
            strncmp(pot->color(), _color, kTextFieldSize) == 0 &&
            BoundingBox::checkCollision(pot->getBBox(), getBBox())) {
            return pot;
        }
    }
    return nullptr;
}

void WODom::shuffleLogic() {
    const int center = centerX();
    if (center == _potCenterX) {
        _shuffling = PX_FALSE;
        _climbing = PX_TRUE;
        _sprite.setCurrentAnimation("potClimb");
        return;
    }
    const int step = center < _potCenterX ? 1 : -1;
    _sprite.setCurrentAnimation(step > 0 ? "shuffleRight" : "shuffleLeft", PX_FALSE);
    if (_sprite.currentFrame() == kShuffleStepFrame) {
        setPosition(getXPos() + step, getYPos());
    }
}

int WODom::centerX() const {
    int width = 0;
    _sprite.frameDimensions(_sprite.currentFrame(), &width, nullptr, nullptr, nullptr);
    return getXPos() + width / 2;
}

void WODom::climbLogic() {
    if (!_sprite.finishedAnimating()) {
        return;
    }
    _climbing = PX_FALSE;
    _inPot = PX_TRUE;
    _sprite.setCurrentAnimation("inPot");
    setSadState(PX_FALSE);
}

bool WODom::blinkLogic(const char* blink) {
    if (_blinking && !_sprite.finishedAnimating()) {
        return true;
    }
    _blinking = PX_FALSE;
    if (_blinkTimer.tick()) {
        _blinking = PX_TRUE;
        _sprite.setCurrentAnimation(blink);
    }
    return _blinking;
}

void WODom::thoughtBubbleLogic() {
    if (!_sadState) {
        _thoughtBubbleVisible = PX_FALSE;
        return;
    }
    if (_thoughtBubbleTimer.tick()) {
        _thoughtBubbleVisible = _thoughtBubbleVisible ? PX_FALSE : PX_TRUE;
        if (_thoughtBubbleVisible) {
            _thoughtBubble.setSpriteAnimation(std::to_string(_potNumber).c_str());
        }
    }
    if (_thoughtBubbleVisible) {
        _thoughtBubble.logic();
    }
}

int WODom::trigger(void* source) {
    const bool allowed = !_shuffling && !_climbing && !_inPot;
    if (allowed) {
        setBeingHeld(isBeingHeld() ? PX_FALSE : PX_TRUE);
        _blinking = PX_FALSE;
        _sprite.setCurrentAnimation(stateAnimation().c_str());
    }
    if (source != nullptr) {
        *static_cast<int*>(source) = isBeingHeld();
    }
    return allowed ? PX_TRUE : PX_FALSE;
}

BoundingBox WODom::getSpriteBBox(int index) {
    return spriteFrameBox(_sprite, index);
}

void WODom::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

void WODom::draw() {
    drawWithHappyStars(_sprite);
}

void WODom::drawThoughtBubble() {
    if (_thoughtBubbleVisible) {
        drawBubbleAtTopRight(_thoughtBubble);
    }
}
