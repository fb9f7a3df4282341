// SnowParticle: a small grey flake drifting right and down at random.
#pragma once

#include "Particle.h"

class SnowParticle : public Particle {
public:
    // A flake of random size and shade starting on the left or the top edge.
    SnowParticle();

    // A filled square in the flake's grey.
    void draw() override;
    // Drifts one pixel right and one down, each on a coin toss.
    void logic() override;
    // True once it has passed the screen's right or bottom edge.
    int shouldBeReaped() override;

private:
    int _size;
    float _shade;
};
