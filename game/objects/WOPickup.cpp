#include "WOPickup.h"

#include "engine/PXInit.h"
#include "engine/PXSound.h"

WOPickup::WOPickup() : _collectSound(fetchSound("itemCollect.wav")) {}

void WOPickup::becomePickup(int type, const char* spriteFile, const char* animation) {
    setObjectType(type);
    loadSprite(sprite(), spriteFile, animation);
}

void WOPickup::setObtained() {
    if (_obtained) {
        return;
    }
    _obtained = PX_TRUE;
    sprite().setCurrentAnimation("shrink");
    if (_collectSound != nullptr) {
        _collectSound->play(0);
    }
}

int WOPickup::needsRemovalFromWorldObjectVector() const {
    const bool shrunk = sprite().finishedAnimating() || sprite().numberOfFrames() == 0;
    return _obtained && shrunk ? PX_TRUE : PX_FALSE;
}

void WOPickup::logic() {
    floatStep();
    sprite().logic();
    updateCurrentBBox();
}

void WOPickup::floatStep() {
    if (!_floatTimer.tick() || !_stepTimer.tick()) {
        return;
    }
    if (_stepCount < kStepLimit) {
        _stepCount++;
    } else {
        _stepCount = 0;
        _floatDirection = -_floatDirection;
    }
    _stepTimer.setTimeout(_stepCount);
    setPosition(getXPos(), getYPos() + _floatDirection);
}
