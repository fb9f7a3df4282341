// WOOrb: a floating orb that bobs up and down and now and then sparkles.
#pragma once

#include "WOOrientedCreature.h"
#include "engine/PXTimer.h"

class WOOrb : public WOOrientedCreature {
public:
    // Type 407, orientation "one", floating up or down at random.
    WOOrb();

    // Floats a pixel when the float timer fires and sparkles when the sparkle timer does.
    void logic() override;
    // The orb and, while they play, the sparkles above it.
    void draw() override;
    // True while the sparkles play.
    bool isSparkling() const { return _sparkling; }

private:
    // One pixel in the float direction; after the drawn number of steps the direction turns.
    void floatStep();
    // Draws how many steps the next float lasts.
    void beginFloat();

    PXTimer _floatTimer;
    PXTimer _sparkleTimer;
    int _floatDirection;
    int _floatStepsLeft = 0;
    Sprite _sparkles;
    bool _hasSparkles = false;
    bool _sparkling = false;
};
