// WONPC: the base of the inhabitants, whose happiness is the game's goal. Holds the sad state,
// facing, fall and walk speeds, the happy note, happy stars and sad tear sprites shared by the
// races, and the exit test that lets inhabitants walk into other maps.
#pragma once

#include "WorldObject.h"
#include "game/core/Sprite.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

class PXSound;
class ThoughtBubble;

class WONPC : public WorldObject {
public:
    static constexpr int kFacingLeft = 0;
    static constexpr int kFacingRight = 1;
    // Exit kinds, as the player numbers them.
    static constexpr int kHorizontalExit = 1;
    static constexpr int kVerticalExit = 2;

    // A colour a race comes in and the sprite file that shows it.
    struct ColorSprite {
        const char* color;
        const char* spriteFile;
    };

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
    // Plays the sound once, louder the nearer the player is.
    void playAtPlayerDistance(PXSound* sound) const;
    // The position on screen: the map position minus the camera's.
    int screenX() const;
    int screenY() const;
    // Steps the sprite, the note, the tear and the happy stars, then recomputes the box.
    void animate(Sprite& sprite);
    // Draws the sprite at the screen position and the happy stars above its frame.
    void drawWithHappyStars(Sprite& sprite);
    // Draws the bubble with its tail at the bounding box's top-right corner.
    void drawBubbleAtTopRight(ThoughtBubble& bubble) const;
    // Keeps a choice text that is one of the choices; any other text becomes the fallback, so a
    // record from elsewhere never leaves a choice the editor and the race cannot show.
    static void keepKnownChoice(char* text, const std::vector<std::string>& choices,
                                const char* fallback);
    // The colours' names in order: the choices of a "Color" field.
    static std::vector<std::string> colorNames(std::span<const ColorSprite> colors);
    // The sprite file of the colour; the first colour's for a text that names none of them.
    static const char* spriteFileForColor(std::span<const ColorSprite> colors,
                                          const std::string& color);

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
