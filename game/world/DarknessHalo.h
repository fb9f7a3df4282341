// DarknessHalo: darkens the whole screen but a soft circle around the player, fading in and out.
#pragma once

#include "engine/PXTimer.h"

class PXTexture;

class DarknessHalo {
public:
    // The one halo, created on first use.
    static DarknessHalo* instance();
    // Destroys the halo (shutdown); the next instance() makes a new one.
    static void destroyInstance();

    // Starts fading toward the other state.
    void toggle();
    // True when the halo is on or fading on.
    int isOn() const;
    // The current darkness, 0.0 to 1.0.
    float alpha() const;
    // Steps the fade every 2 ticks.
    void logic();
    // Draws the halo around the player and darkness everywhere else at the current alpha.
    void draw();

    static DarknessHalo* singletonInstance;

private:
    // Off, with "darknessHalo.png" from the resource manager.
    DarknessHalo();
    // Asks the resource manager to unload the image.
    ~DarknessHalo();
    DarknessHalo(const DarknessHalo&) = delete;
    DarknessHalo& operator=(const DarknessHalo&) = delete;

    PXTimer _timer{2};
    int _on = 0;
    int _changing = 0;
    float _step = 0.08f;
    float _alpha = 0.0f;
    PXTexture* _image = nullptr;
};
