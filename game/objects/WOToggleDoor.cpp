#include "WOToggleDoor.h"

#include "WorldObjectRecord.h"
#include "engine/PXInit.h"

WOToggleDoor::WOToggleDoor()
    : _upSound(fetchSound("stoneUp.wav")), _downSound(fetchSound("stoneDown.wav")) {
    setObjectType(WORLD_OBJECT_TOGGLE_DOOR);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_SOLID);
    loadSprite(_sprite, "toggleDoor.txt", "default");
}

int WOToggleDoor::isToggleable(int state) {
    // Compared as truth values: any non-zero state is open.
    const bool sameState = (state != 0) == (_state != 0);
    return sameState || _opening || _closing ? PX_FALSE : PX_TRUE;
}

int WOToggleDoor::toggle(int state) {
    if (!isToggleable(state)) {
        return PX_FALSE;
    }
    _state = state ? PX_TRUE : PX_FALSE;
    if (_state) {
        _opening = true;
        _sprite.setCurrentAnimation("opening");
        playSound(_upSound);
    } else {
        _closing = true;
        _sprite.setCurrentAnimation("closing");
        playSound(_downSound);
    }
    return PX_TRUE;
}

bool WOToggleDoor::save(FILE* stream) const {
    return writeHeader(stream) && writeRecordInteger(stream, _state) &&
           writeRecordText(stream, _label) && writeOwnerMap(stream);
}

bool WOToggleDoor::load(FILE* stream) {
    if (!readHeader(stream) || !readRecordInteger(stream, _state) ||
        !readRecordText(stream, _label, kTextFieldSize) || !readOwnerMap(stream)) {
        return false;
    }
    forceStateUpdate();
    return true;
}

void WOToggleDoor::logic() {
    _sprite.logic();
    if ((_opening || _closing) && _sprite.finishedAnimating()) {
        _sprite.setCurrentAnimation(_opening ? "open" : "default");
        _opening = _closing = false;
    }
    updateCurrentBBox();
}

void WOToggleDoor::draw() {
    const int cameraX = globalCamera != nullptr ? globalCamera->getXPos() : 0;
    const int cameraY = globalCamera != nullptr ? globalCamera->getYPos() : 0;
    _sprite.draw(getXPos() - cameraX, getYPos() - cameraY);
}

void WOToggleDoor::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

void WOToggleDoor::forceStateUpdate() {
    _opening = _closing = false;
    _sprite.setCurrentAnimation(_state ? "open" : "default");
    updateCurrentBBox();
}
