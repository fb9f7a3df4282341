// WOFlipSwitch: a lever the player pulls with Action; once it has turned it sends its new state
// to the object its "Target Label" names.
#pragma once

#include "WOTargeting.h"
#include "game/core/Sprite.h"

class PXSound;

class WOFlipSwitch : public WOTargeting {
public:
    // Type 107, off, with an editable "State".
    WOFlipSwitch();

    // 0 off, -1 on; unchanged while turning.
    int currentState() const { return _state; }
    // True while the lever is on its way.
    bool isTurning() const { return _turningOn || _turningOff; }
    // Starts turning unless it is turning already or its target refuses the coming state.
    int trigger(void* source) override;
    // Writes the header, "State", "Target Label" and the owner map.
    bool save(FILE* stream) const override;
    // Reads what save wrote, then shows the state.
    bool load(FILE* stream) override;
    // Finishes a turn once the lever has moved: the new state, its sound, and the target told.
    void logic() override;
    // Draws the lever at its screen position.
    void draw() override;
    // Box 0 of the sprite frame at the position.
    void updateCurrentBBox() override;
    // Shows "off" or "on" by the state; a turn under way is abandoned.
    void forceStateUpdate() override;

private:
    // The state the next pull gives.
    int pulledState() const;
    void finishTurn();

    Sprite _sprite;
    PXSound* _onSound = nullptr;
    PXSound* _offSound = nullptr;
    int _state = 0;
    bool _turningOn = false;
    bool _turningOff = false;
};
