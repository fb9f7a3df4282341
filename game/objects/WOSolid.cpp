#include "WOSolid.h"

#include "engine/PXInit.h"
#include "game/world/Camera.h"

#include <optional>

namespace {

constexpr int kBlockSize = 32;

int cameraX() {
    return globalCamera != nullptr ? globalCamera->getXPos() : 0;
}

int cameraY() {
    return globalCamera != nullptr ? globalCamera->getYPos() : 0;
}

} // namespace

WOSolid::WOSolid() {
    setObjectType(WORLD_OBJECT_SOLID);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_SOLID);
}

bool WOSolid::save(FILE* stream) const {
    return writeHeader(stream) && saveFields(stream) && writeOwnerMap(stream);
}

bool WOSolid::load(FILE* stream) {
    const std::optional<int> storedVersion = readHeader(stream);
    if (!storedVersion || !loadFields(stream, *storedVersion) || !readOwnerMap(stream)) {
        return false;
    }
    forceStateUpdate();
    return true;
}

void WOSolid::logic() {
    _falling = blocked(kSideDown, 1) ? PX_FALSE : PX_TRUE;
    if (_falling) {
        move(kSideDown, _fallStep);
    }
    _sprite.logic();
    updateCurrentBBox();
}

void WOSolid::draw() {
    if (_hasSprite) {
        drawSprite(_sprite);
    } else {
        getBBox()->draw(-cameraX(), -cameraY(), 1.0f, 0.0f, 0.0f, 1.0f);
    }
}

void WOSolid::updateCurrentBBox() {
    if (_hasSprite) {
        updateBBoxFromSprite(_sprite);
    } else {
        getBBox()->setBounds(getXPos(), getYPos(), getXPos() + kBlockSize - 1,
                             getYPos() + kBlockSize - 1);
    }
}

void WOSolid::showSprite(const char* fileName, const char* animation) {
    _hasSprite = loadSprite(_sprite, fileName, animation);
}

void WOSolid::drawSprite(Sprite& sprite) const {
    sprite.draw(getXPos() - cameraX(), getYPos() - cameraY());
}
