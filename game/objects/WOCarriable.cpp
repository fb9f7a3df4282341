#include "WOCarriable.h"

#include "engine/PXInit.h"

WOCarriable::WOCarriable(int type, const char* spriteFile, int fallDistance)
    : _fallDistance(fallDistance) {
    setObjectType(type);
    addPropertyFlags(WORLD_OBJECT_PROPERTY_CARRIABLE | WORLD_OBJECT_PROPERTY_STORABLE);
    loadSprite(sprite(), spriteFile, "default");
}

int WOCarriable::trigger(void* source) {
    setBeingHeld(isBeingHeld() ? PX_FALSE : PX_TRUE);
    heldStateChanged();
    if (source != nullptr) {
        *static_cast<int*>(source) = isBeingHeld();
    }
    return PX_TRUE;
}

BoundingBox WOCarriable::getSpriteBBox(int index) {
    return spriteFrameBox(sprite(), index);
}

void WOCarriable::logic() {
    if (!isBeingHeld() && !isStored()) {
        move(kSideDown, _fallDistance);
    }
    sprite().logic();
    updateCurrentBBox();
}

void WOCarriable::updateCurrentBBox() {
    if (isStored()) {
        getBBox()->setBounds(-1, -1, 0, 0);
        return;
    }
    WOSpriteObject::updateCurrentBBox();
}
