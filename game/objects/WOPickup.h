// WOPickup: what powerups and collectibles share: the sprite that floats up and down in place
// and shrinks away when the player touches it, and the obtained state by which the game loop
// removes them. One shared base, so the loop asks both kinds the same question without treating
// one as the other.
#pragma once

#include "WOSpriteObject.h"
#include "engine/PXTimer.h"

class PXSound;

class WOPickup : public WOSpriteObject {
public:
    // On the first call shows "shrink" and plays "itemCollect.wav"; later calls change nothing.
    void setObtained();
    // True once touched and shrunk away (or touched without a sprite to shrink): the game loop
    // then removes the object.
    int needsRemovalFromWorldObjectVector() const;
    // Floats, then steps the sprite.
    void logic() override;

protected:
    // Fetches the collect sound; the concrete class chooses type and sprite.
    WOPickup();
    // Sets the type code and shows the first animation of the sprite file.
    void becomePickup(int type, const char* spriteFile, const char* animation);

private:
    static constexpr int kFloatPeriod = 6;
    static constexpr int kStepLimit = 4;

    // Drifts 1 pixel with pauses that lengthen, reversing every five moves.
    void floatStep();

    PXSound* _collectSound = nullptr;
    PXTimer _floatTimer{kFloatPeriod};
    PXTimer _stepTimer{0};
    int _stepCount = 0;
    int _floatDirection = 1;
    int _obtained = 0;
};
