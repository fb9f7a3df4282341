// WOMapPowerup: gives the player the map of the visited places.
#pragma once

#include "WOPowerup.h"

class WOMapPowerup : public WOPowerup {
public:
    // Type 300, "mapCompiled.txt" showing "shine".
    WOMapPowerup();
};
