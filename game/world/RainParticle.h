// RainParticle: a short slanted streak falling right and down until it leaves the screen or
// meets solid ground.
#pragma once

#include "Particle.h"

class RainParticle : public Particle {
public:
    // A streak 3 or 4 pixels long, mostly starting above the top edge, else on the left edge.
    RainParticle();

    // A line in rain grey, unless dead.
    void draw() override;
    // Falls one step, unless dead; leaving the screen or touching a solid pixel kills it.
    void logic() override;
    // True once dead.
    int shouldBeReaped() override { return _dead; }

    // The streak's length in pixels.
    int length() const { return _length; }

private:
    // True when a pixel under the streak is solid in the current map.
    bool touchesGround() const;

    int _dead;
    int _length;
    float _xSpeed = 1.0f;
    float _ySpeed = 4.0f;
    int _slant = 1;
};
