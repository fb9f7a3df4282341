// WOSave: a save station; the player's Action at it opens the save browser.
#pragma once

#include "WOSpriteObject.h"

class WOSave : public WOSpriteObject {
public:
    // Type 101 showing "saveStation".
    WOSave();

    // Always takes the interaction: the player then opens the save browser.
    int trigger(void* source) override;
    // Steps the sprite.
    void logic() override;
};
