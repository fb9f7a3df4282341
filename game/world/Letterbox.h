// Letterbox: black bars that slide in from the top and bottom of the screen for scripted
// moments, easing in and out over about a second.
#pragma once

#include "engine/PXTimer.h"

class Letterbox {
public:
    // The tallest bar, in screen pixels.
    static constexpr int kMaximumBarHeight = 32;

    // The one letterbox, created on first use, hidden.
    static Letterbox* instance();
    // Destroys the letterbox (shutdown); the next instance() makes a new one.
    static void destroyInstance();

    // Turns a showing letterbox to hiding and a hiding one to showing.
    void toggle();
    // Bars fully in at once.
    void instantOn();
    // Bars gone at once.
    void instantOff();
    int isShowing() const;
    int isHiding() const;
    // Showing with bars of full height.
    int isFullyShown() const;
    // Hiding with no bars left.
    int isFullyHidden() const;
    // The current bar height in screen pixels.
    int barHeight() const;
    // Moves the bars one step every 2 ticks.
    void logic();
    // Draws both bars while they have height.
    void draw();

    static Letterbox* singletonInstance;

private:
    Letterbox() = default;

    int _showing = 0;
    int _hiding = -1;
    int _progress = 0;
    int _barHeight = 0;
    PXTimer _timer{2};
};
