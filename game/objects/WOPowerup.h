// WOPowerup: the base of the objects that give the player an ability when touched.
#pragma once

#include "WOPickup.h"

class WOPowerup : public WOPickup {
public:
    // Type 4 with the powerup bit.
    WOPowerup();
};
