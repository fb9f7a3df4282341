// Particle: one speck of weather in screen pixels of the logical screen; it does not move with
// the camera.
#pragma once

class Particle {
public:
    virtual ~Particle() = default;

    // Draws the particle at its screen position.
    virtual void draw() = 0;
    // One logic tick.
    virtual void logic() = 0;
    // True when the generator must destroy it.
    virtual int shouldBeReaped() = 0;

    // The screen position.
    void setPos(int x, int y);
    int getXPos() const { return _x; }
    int getYPos() const { return _y; }

protected:
    Particle() = default;

    int _x = 0;
    int _y = 0;
};
