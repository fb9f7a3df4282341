// WONPC: the base of the inhabitants, whose happiness is the game's goal.
#pragma once

#include "WorldObject.h"

class WONPC : public WorldObject {
public:
    // Type 3 with the inhabitant bit, happy, "Sad state" editable.
    WONPC();

    // True (-1) while the inhabitant is sad.
    int getSadState() const { return _sadState; }
    // Draws the race's thought bubble; the base draws nothing.
    virtual void drawThoughtBubble() {}

protected:
    int _sadState = 0;
};
