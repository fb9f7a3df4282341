// WOBridge: a bridge the player walks through between its two layers: the back (far posts and
// rope) is drawn before the player, the front (deck and near rope) after. The front's box, the
// deck, is solid.
#pragma once

#include "WOSolid.h"

class WOBridge : public WOSolid {
public:
    // Type 106 around the player, showing "front" and "back".
    WOBridge();

    // Steps both sprites; a bridge never moves.
    void logic() override;
    // The back, then the front.
    void draw() override;
    // The front layer, drawn after the player.
    void drawFront() override;
    // The back layer, drawn before the player.
    void drawBack() override;

private:
    Sprite _back;
};
