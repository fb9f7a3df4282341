// WONest: the nest a Vonil wants to be led to; it turns happy together with the Vonil.
#pragma once

#include "WOSpriteObject.h"

class WONest : public WOSpriteObject {
public:
    // Type 110, sad.
    WONest();

    // True (-1) while the nest waits for its Vonil.
    int isSad() const { return _sadState; }
    // Any non-zero value makes it sad, 0 happy; shows the matching animation.
    void setSadState(int sad);

    // Steps the sprite.
    void logic() override;
    // Shows "sad" or "happy".
    void forceStateUpdate() override;

protected:
    // Writes "Sad state".
    bool saveFields(FILE* stream) const override;
    // Reads "Sad state".
    bool loadFields(FILE* stream, int storedVersion) override;

private:
    int _sadState = -1;
};
