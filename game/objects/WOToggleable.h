// WOToggleable: an object that targeting objects find by its "Object Label" and switch to a new
// state.
#pragma once

#include "WorldObject.h"

class WOToggleable : public WorldObject {
public:
    // Type 5 with the toggleable bit, an empty label and state 0, both editable.
    WOToggleable();

    // The "Object Label".
    const char* label() const { return _label; }
    // The "State".
    int state() const { return _state; }
    // The first toggleable object of the current map with the label (compared over the label
    // buffer's size); null for an empty label or when there is none.
    static WOToggleable* labelledInCurrentMap(const char* label);
    // True when the object may go to the state now.
    virtual int isToggleable(int state) = 0;
    // Goes to the state; true when it did.
    virtual int toggle(int state) = 0;

protected:
    char _label[kTextFieldSize] = {};
    int _state = 0;
};
