// WOCarriable: a small prop the player carries and stores in the inventory (music makers and
// food). It falls while nobody holds it and, while stored, is neither drawn nor touchable.
#pragma once

#include "WOSpriteObject.h"

class WOCarriable : public WOSpriteObject {
public:
    // Toggles being held; the int at source receives the new held state. Always taken.
    int trigger(void* source) override;
    // The sprite frame's box of that index in sprite-local pixels; the player carries by box 1.
    BoundingBox getSpriteBBox(int index) override;
    // Falls unless held or stored, then steps the sprite.
    void logic() override;
    // (-1, -1, 0, 0) while stored, so nothing in a map touches it.
    void updateCurrentBBox() override;

protected:
    // Carriable and storable, showing "default" of the sprite file; falls by the distance per
    // tick.
    WOCarriable(int type, const char* spriteFile, int fallDistance);
    // Called after trigger changed the held state.
    virtual void heldStateChanged() {}

private:
    bool isStored() const { return (getPropertyFlags() & WORLD_OBJECT_PROPERTY_HIDDEN) != 0; }

    int _fallDistance;
};
