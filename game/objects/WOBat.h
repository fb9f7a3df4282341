// WOBat: a bat hanging from the rock that now and then blinks, or drops and flies in a curve to
// another perch.
#pragma once

#include "WOCreature.h"
#include "engine/PXTimer.h"

class WOBat : public WOCreature {
public:
    enum class State { Hanging, Resting, Dropping, Flying };

    // Type 401, drawn over the upper tiles, hanging.
    WOBat();

    // Hangs and decides, drops, or flies one step of the curve to its perch. Tiles do not block
    // it while dropping or flying.
    void logic() override;
    // What the bat is doing; Resting is hanging just after a flight, before it decides again.
    State state() const { return _state; }

private:
    // Hangs, blinks, or looks for a perch and drops toward it.
    void decide();
    // Up to the range away, before or behind (above or below) at random.
    static int randomOffset(int range);
    // Up to 50 probes of tiles around a random one in range; true with the perch found.
    bool findPerch();
    // The point of the curve after the step (of 100) from the start to the perch.
    void flyStep();

    PXTimer _decisionTimer;
    PXTimer _hangTimer;
    State _state = State::Hanging;
    int _startX = 0;
    int _startY = 0;
    int _perchX = 0;
    int _perchY = 0;
    int _flightStep = 0;
};
