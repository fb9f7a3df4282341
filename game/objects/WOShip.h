// WOShip: a ship in the distance, showing the animation its "Orientation" names.
#pragma once

#include "WOOrientedCreature.h"

class WOShip : public WOOrientedCreature {
public:
    // Type 405, drawn over the upper tiles, orientation "one".
    WOShip();

    // Steps the animation.
    void logic() override;
};
