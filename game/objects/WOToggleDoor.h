// WOToggleDoor: a stone door that switches and condition checkers raise and lower. What of it
// still blocks is box 0 of its sprite frame, so the stone frees the doorway as it rises.
#pragma once

#include "WOToggleable.h"
#include "game/core/Sprite.h"

class PXSound;

class WOToggleDoor : public WOToggleable {
public:
    // Type 150, solid, closed.
    WOToggleDoor();

    // True while the stone rises.
    bool isOpening() const { return _opening; }
    // True while the stone comes down.
    bool isClosing() const { return _closing; }
    // False for the state it is in and while it moves.
    int isToggleable(int state) override;
    // Rises for a non-zero state, comes down for 0, when allowed; true when it started.
    int toggle(int state) override;
    // Writes the header, "State", "Object Label" and the owner map.
    bool save(FILE* stream) const override;
    // Reads what save wrote, then shows the state.
    bool load(FILE* stream) override;
    // Steps the stone and settles it once its move has finished.
    void logic() override;
    // Draws the door at its screen position.
    void draw() override;
    // Box 0 of the sprite frame at the position: the part of the stone in the doorway.
    void updateCurrentBBox() override;
    // Shows "default" (closed) or "open" by the state; a move under way is abandoned.
    void forceStateUpdate() override;

private:
    Sprite _sprite;
    PXSound* _upSound = nullptr;
    PXSound* _downSound = nullptr;
    bool _opening = false;
    bool _closing = false;
};
