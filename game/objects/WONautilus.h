// WONautilus: a nautilus drifting in the water: it idles, propels itself backwards, turns round
// and bobs.
#pragma once

#include "WOCreature.h"
#include "engine/PXTimer.h"

class WONautilus : public WOCreature {
public:
    // Type 403, facing right, idle.
    WONautilus();

    // Bobs every 120 ticks; when idle and the decision timer fires it picks what to do next.
    void logic() override;
    // 0 left, 1 right.
    int facing() const { return _facing; }

private:
    enum class Action { Idle, Propel, Turn };

    // Picks an idle pose, a propel or a turn.
    void decide();
    // Starts a propel or a turn with its animation.
    void begin(Action action, const char* animation);
    // True once the animation has ended or the idle timer has fired.
    bool actionEnded();
    // Back to "idleLeft2"/"idleRight2", deciding again.
    void finishAction();

    PXTimer _decisionTimer;
    PXTimer _idleTimer;
    PXTimer _bobTimer;
    Action _action = Action::Idle;
    int _facing = kSideRight;
    int _drift = kSideUp;
};
