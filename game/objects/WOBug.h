// WOBug: a firefly darting about in short random flights, kept inside the map.
#pragma once

#include "WOCreature.h"
#include "engine/PXTimer.h"

class WOBug : public WOCreature {
public:
    // Type 402, drawn over the upper tiles, resting.
    WOBug();

    // Picks a new flight when resting and the direction timer fires; flies until the flight
    // timer does. Tiles never block it; the map's edges turn it back.
    void logic() override;

private:
    // Draws the directions and whether to fly at all.
    void decide();
    // One step along the chosen directions, turned back at the map's edges.
    void fly();

    PXTimer _directionTimer;
    PXTimer _flightTimer;
    bool _flying = false;
    int _horizontal = 0;
    int _vertical = 0;
};
