// WOPushable: a solid object the player pushes; pushing builds up progress against the object's
// resistance and moves it a whole pixel at a time, shoving a pushable neighbour along.
#pragma once

#include "WOSolid.h"

class WOPushable : public WOSolid {
public:
    // Type 2 with the pushable bit, resistance 4, at (100, 50).
    WOPushable();

    // Pushes toward side 0 (left) or 1 (right) with the pusher's speed; the pixels it moved.
    int push(int side, int amount);
    // Moves the distance toward the side, through a pushable neighbour on that side first; the
    // pixels it moved.
    int move(int side, int distance);

    // The push resistance as stored; pushing treats one of 0 or less as 1.
    int pushResistance() const { return _pushResistance; }
    // Sets the push resistance.
    void setPushResistance(int resistance) { _pushResistance = resistance; }

private:
    // The first other pushable object touching the one-pixel column beyond the side, or null.
    WOPushable* pushableNeighbour(int side);

    int _pushResistance = 4;
    float _pushProgress = 0.0f;
};
