// WOTargeting: an object that acts on the object of the current map whose label equals its
// "Target Label".
#pragma once

#include "WorldObject.h"

class WOToggleable;

class WOTargeting : public WorldObject {
public:
    // Type 6 with the targeting bit and an empty, editable target label.
    WOTargeting();

    // The "Target Label".
    const char* targetLabel() const { return _targetLabel; }
    // The first toggleable object of the current map labelled with the target label; null for an
    // empty target label or when there is none.
    WOToggleable* findTarget() const;

protected:
    char _targetLabel[kTextFieldSize] = {};
};
