#include "WOSpriteObject.h"

#include "game/world/Camera.h"

#include <optional>

bool WOSpriteObject::save(FILE* stream) const {
    return writeHeader(stream) && writeOwnerMap(stream) && saveFields(stream);
}

bool WOSpriteObject::load(FILE* stream) {
    const std::optional<int> storedVersion = readHeader(stream);
    if (!storedVersion || !readOwnerMap(stream) || !loadFields(stream, *storedVersion)) {
        return false;
    }
    forceStateUpdate();
    return true;
}

void WOSpriteObject::draw() {
    drawAtOffset(_sprite, 0, 0);
}

void WOSpriteObject::updateCurrentBBox() {
    updateBBoxFromSprite(_sprite);
}

void WOSpriteObject::drawAtOffset(Sprite& sprite, int dx, int dy) const {
    const int cameraX = globalCamera != nullptr ? globalCamera->getXPos() : 0;
    const int cameraY = globalCamera != nullptr ? globalCamera->getYPos() : 0;
    sprite.draw(getXPos() + dx - cameraX, getYPos() + dy - cameraY);
}
