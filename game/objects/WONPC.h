// WONPC: the base of the inhabitants, whose happiness is the game's goal. Holds the sad state,
// facing, fall and walk speeds, the happy note, happy stars and sad tear sprites shared by the
// races, and the exit test that lets inhabitants walk into other maps.
#pragma once

#include "WorldObject.h"
#include "game/core/Sprite.h"

#include <memory>

class PXSound;

class WONPC : public WorldObject {
public:
    static constexpr int kFacingLeft = 0;
    static constexpr int kFacingRight = 1;
    // Exit kinds, as the player numbers them.
    static constexpr int kHorizontalExit = 1;
    static constexpr int kVerticalExit = 2;

    // Type 3 with the inhabitant bit, happy, "Sad state" editable.
    WONPC();
    ~WONPC() override;

    // True (-1) while the inhabitant is sad.
    int getSadState() const { return _sadState; }
    // -1 makes it sad; any other value happy, with the happy star sound (louder the nearer the
    // player) and the stars when it was sad.
    void setSadState(int sad);
    // Draws the race's thought bubble; the base draws nothing.
    virtual void drawThoughtBubble() {}
    // Only solid objects block an inhabitant.
    WorldObject* blockedByObject(const BoundingBox* box) override;

protected:
    // Steps the happy stars while they show; once they finish they are gone for good.
    void runHappyStarSprite();
    // True when the tile just below the front bottom corner is open: walkers stop there.
    int isAtLedge();
    // Takes an exit of the kind under the bounding box into its map, unless carried or latched.
    void checkMapExits(int kind);
    // The bounding box grown by the distances on both sides.
    BoundingBox grownBBox(int horizontal, int vertical) const;
    // Draws the happy stars above the head, the frame height given.
    void drawHappyStars(int screenX, int screenY, int frameHeight);

    int _sadState = 0;
    int _facing = -1;
    int _fallStep = 3;
    int _walkSpeed = 1;
    int _showingHappyStars = 0;
    Sprite _happyNote;
    std::unique_ptr<Sprite> _happyStars;
    Sprite _sadTear;

private:
    PXSound* _happyStarSound = nullptr;
    bool _exitLatches[2] = {false, false};
};
