// WOGravityMagnet: a solid magnet facing one of four ways; with the player's gravity magnet on,
// it pulls the player along its axis, the harder the closer the player is to its centre line.
#pragma once

#include "WOSolid.h"

class WOGravityMagnet : public WOSolid {
public:
    // Orientations as getOrientation gives them and the record stores them.
    static constexpr int kLeft = 0;
    static constexpr int kRight = 1;
    static constexpr int kUp = 2;
    static constexpr int kDown = 3;
    // The strongest pull, in pixels per tick, and how far the pull reaches, in pixels.
    static constexpr int kStrength = 15;
    static constexpr int kRange = 350;

    // Type 102 facing "Right", with the editable "Orientation".
    WOGravityMagnet();

    // The orientation text as a number; a text naming none gives kRight.
    int getOrientation() const;
    // Sets the orientation text from its number; any value above kUp is "Down".
    void setOrientation(int orientation);
    // The pull on the box in pixels, signed by the orientation (left and up negative); 0 when
    // the box is off the magnet's axis or out of range.
    int forceOnBoundingBox(const BoundingBox& box);

    // Shows the orientation's animation when it changed, then steps the sprite.
    void logic() override;
    // Shows the orientation's animation when it changed.
    void forceStateUpdate() override;

protected:
    // Writes the orientation number.
    bool saveFields(FILE* stream) const override;
    // Reads the orientation number.
    bool loadFields(FILE* stream, int storedVersion) override;

private:
    char _orientation[kTextFieldSize] = "Right";
    int _lastOrientation = -1;
};
