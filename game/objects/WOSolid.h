// WOSolid: the base of objects that block the player and other objects.
#pragma once

#include "WorldObject.h"

class WOSolid : public WorldObject {
public:
    // Type 1 with the solid bit.
    WOSolid();
};
