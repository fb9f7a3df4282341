#include "WOFlipSwitch.h"

#include "WOToggleable.h"
#include "WorldObjectRecord.h"
#include "engine/PXInit.h"

WOFlipSwitch::WOFlipSwitch()
    : _onSound(fetchSound("switchOn.wav")), _offSound(fetchSound("switchOff.wav")) {
    setObjectType(WORLD_OBJECT_FLIP_SWITCH);
    addEditorInfo("State", WorldObjectEditorInfo::kFlag, &_state);
    loadSprite(_sprite, "flipSwitch.txt", "off");
}

int WOFlipSwitch::pulledState() const {
    return _state ? PX_FALSE : PX_TRUE;
}

int WOFlipSwitch::trigger(void*) {
    if (isTurning()) {
        return PX_FALSE;
    }
    // Looked up afresh: the target may have gone since the last pull.
    WOToggleable* target = findTarget();
    if (target != nullptr && !target->isToggleable(pulledState())) {
        return PX_FALSE;
    }
    if (_state) {
        _turningOff = true;
        _sprite.setCurrentAnimation("turning_off");
    } else {
        _turningOn = true;
        _sprite.setCurrentAnimation("turning_on");
    }
    return PX_TRUE;
}

bool WOFlipSwitch::save(FILE* stream) const {
    return writeHeader(stream) && writeRecordInteger(stream, _state) &&
           writeRecordText(stream, _targetLabel) && writeOwnerMap(stream);
}

bool WOFlipSwitch::load(FILE* stream) {
    if (!readHeader(stream) || !readRecordInteger(stream, _state) ||
        !readRecordText(stream, _targetLabel, kTextFieldSize) || !readOwnerMap(stream)) {
        return false;
    }
    forceStateUpdate();
    return true;
}

void WOFlipSwitch::logic() {
    _sprite.logic();
    if (isTurning() && _sprite.finishedAnimating()) {
        finishTurn();
    }
    updateCurrentBBox();
}

void WOFlipSwitch::finishTurn() {
    _state = pulledState();
    playSound(_state ? _onSound : _offSound);
    _sprite.setCurrentAnimation(_state ? "on" : "off");
    _turningOn = _turningOff = false;
    if (WOToggleable* target = findTarget()) {
        target->toggle(_state);
    }
}

void WOFlipSwitch::draw() {
    const int cameraX = globalCamera != nullptr ? globalCamera->getXPos() : 0;
    const int cameraY = globalCamera != nullptr ? globalCamera->getYPos() : 0;
    _sprite.draw(getXPos() - cameraX, getYPos() - cameraY);
}

void WOFlipSwitch::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

void WOFlipSwitch::forceStateUpdate() {
    _turningOn = _turningOff = false;
    _sprite.setCurrentAnimation(_state ? "on" : "off");
    updateCurrentBBox();
}
