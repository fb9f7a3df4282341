#include "WORaam.h"

#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXInit.h"
#include "engine/PXRandom.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int kEatingMinimum = 120;
constexpr int kEatingMaximum = 240;
constexpr int kThoughtBubbleMinimum = 60;
constexpr int kThoughtBubbleMaximum = 512;

bool inWorld(const WorldObject* object) {
    return globalWorldObjectVector != nullptr &&
           std::find(globalWorldObjectVector->begin(), globalWorldObjectVector->end(), object) !=
               globalWorldObjectVector->end();
}

int centreTimesTwo(const BoundingBox* box) {
    return box->getLeftBound() + box->getRightBound();
}

} // namespace

WORaam::WORaam() {
    setObjectType(WORLD_OBJECT_RAAM);
    strncpy(_preferredFood, kFoodApple, kTextFieldSize - 1);
    addEditorInfo("Preferred Food", WorldObjectEditorInfo::kChoice, foodChoices(), _preferredFood);
    _facing = kFacingRight;
    _eatingTimer.setMinMaxTimeout(kEatingMinimum, kEatingMaximum);
    _thoughtBubbleTimer.setMinMaxTimeout(kThoughtBubbleMinimum, kThoughtBubbleMaximum);
    _spriteLoaded = loadSprite(_sprite, "raam.txt", "idle");
    updateCurrentBBox();
}

WORaam::~WORaam() = default;

const std::vector<std::string>& WORaam::foodChoices() {
    static const std::vector<std::string> choices = {kFoodApple, kFoodBlueberry};
    return choices;
}

int WORaam::foodType() const {
    return strcmp(_preferredFood, kFoodBlueberry) == 0 ? WORLD_OBJECT_BLUEBERRY
                                                       : WORLD_OBJECT_APPLE;
}

bool WORaam::save(FILE* stream) const {
    return writeHeader(stream) && writeOwnerMap(stream) &&
           writeRecordText(stream, _preferredFood) && writeRecordInteger(stream, _sadState);
}

bool WORaam::load(FILE* stream) {
    if (!readHeader(stream) || !readOwnerMap(stream) ||
        !readRecordText(stream, _preferredFood, kTextFieldSize) ||
        !readRecordInteger(stream, _sadState)) {
        return false;
    }
    keepKnownChoice(_preferredFood, foodChoices(), kFoodApple);
    forgetFood();
    forceStateUpdate();
    return true;
}

void WORaam::show(const char* animation) {
    if (_spriteLoaded) {
        _sprite.setCurrentAnimation(animation, PX_FALSE);
    }
}

void WORaam::forceStateUpdate() {
    const char* side = _facing == kFacingLeft ? "Left" : "Right";
    if (_eating) {
        show((std::string("eating") + side).c_str());
    } else if (_food != nullptr) {
        show((std::string("walk") + side).c_str());
    } else {
        show("idle");
    }
    updateCurrentBBox();
}

void WORaam::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

void WORaam::logic() {
    move(kSideDown, _fallStep);
    if (_sadState) {
        checkChosenFood();
        if (_food == nullptr) {
            chooseFood();
        }
        if (_eating) {
            eatingLogic();
        } else if (_food != nullptr) {
            approachFood();
        }
    } else {
        forgetFood();
    }
    bubbleTimerLogic();
    animate(_sprite);
}

void WORaam::checkChosenFood() {
    // Only an object found in the world may be asked anything.
    if (_food != nullptr &&
        (!inWorld(_food) || _food->getObjectType() != foodType() || _food->isBeingHeld())) {
        forgetFood();
    }
}

void WORaam::forgetFood() {
    if (_food != nullptr && _tookCarriableBit && inWorld(_food)) {
        _food->setPropertyFlags(_food->getPropertyFlags() | WORLD_OBJECT_PROPERTY_CARRIABLE);
    }
    _food = nullptr;
    _tookCarriableBit = PX_FALSE;
    if (_eating) {
        _eating = PX_FALSE;
        show("idle");
    }
}

bool WORaam::isFreeFood(WorldObject* object) const {
    if (object->getObjectType() != foodType() || object->isBeingHeld() ||
        (object->getPropertyFlags() & WORLD_OBJECT_PROPERTY_HIDDEN) != 0) {
        return false;
    }
    const BoundingBox reach = grownBBox(kReachX, kReachY);
    if (!BoundingBox::checkCollision(object->getBBox(), &reach)) {
        return false;
    }
    return std::none_of(globalWorldObjectVector->begin(), globalWorldObjectVector->end(),
                        [this, object](const WorldObject* other) {
                            const auto* raam = dynamic_cast<const WORaam*>(other);
                            return raam != nullptr && raam != this && raam->hasChosen(object);
                        });
}

void WORaam::chooseFood() {
    if (globalMapSpecificWorldObjectVector == nullptr || globalWorldObjectVector == nullptr) {
        return;
    }
    for (WorldObject* object : *globalMapSpecificWorldObjectVector) {
        if (isFreeFood(object)) {
            _food = object;
            const int flags = object->getPropertyFlags();
            _tookCarriableBit = (flags & WORLD_OBJECT_PROPERTY_CARRIABLE) ? PX_TRUE : PX_FALSE;
            object->setPropertyFlags(flags & ~WORLD_OBJECT_PROPERTY_CARRIABLE);
            return;
        }
    }
}

void WORaam::approachFood() {
    const BoundingBox* own = getBBox();
    const BoundingBox* food = _food->getBBox();
    if (food->getLeftBound() <= own->getRightBound() &&
        food->getRightBound() >= own->getLeftBound()) {
        _eating = PX_TRUE;
        _eatingTimer.reset();
        forceStateUpdate();
        return;
    }
    _facing = centreTimesTwo(food) < centreTimesTwo(own) ? kFacingLeft : kFacingRight;
    forceStateUpdate();
    move(_facing == kFacingLeft ? kSideLeft : kSideRight, _walkSpeed);
}

void WORaam::eatingLogic() {
    if (!_eatingTimer.tick()) {
        return;
    }
    setObjectToBeRemovedFromWorldObjectVector(_food);
    _food = nullptr;
    _tookCarriableBit = PX_FALSE;
    _eating = PX_FALSE;
    setSadState(PX_FALSE);
    forceStateUpdate();
}

void WORaam::bubbleTimerLogic() {
    if (_thoughtBubbleTimer.tick()) {
        _thoughtBubbleVisible = PXRandomize(0, 1) ? PX_TRUE : PX_FALSE;
        if (_thoughtBubbleVisible && _sadState) {
            showInBubble(std::string(_preferredFood) + ".txt", "default");
        } else if (_thoughtBubbleVisible) {
            showInBubble("heart.txt", "normal");
        }
    }
    if (_thoughtBubbleVisible) {
        _thoughtBubble.logic();
    }
}

void WORaam::showInBubble(const std::string& fileName, const char* animation) {
    if (fileName != _bubblePicture) {
        _bubblePicture = fileName;
        _thoughtBubble.setSprite(fileName.c_str());
    }
    _thoughtBubble.setSpriteAnimation(animation);
}

void WORaam::draw() {
    drawWithHappyStars(_sprite);
}

void WORaam::drawThoughtBubble() {
    if (_thoughtBubbleVisible) {
        drawBubbleAtTopRight(_thoughtBubble);
    }
}
