// WOCreature: the ambient life and scenery of the maps (birds, bats, bugs, nautiluses, snails,
// ships and orbs). Each is one sprite whose box 0 is its box, with randomised behaviour; they
// share how they step the sprite, move freely, listen to the player and keep their choices.
#pragma once

#include "WOSpriteObject.h"

#include <string>
#include <vector>

class WOCreature : public WOSpriteObject {
protected:
    // Sets the type code and the draw position and shows the sprite's first animation.
    WOCreature(int type, int drawPosition, const char* spriteFile, const char* firstAnimation);

    // False when the sprite could not be loaded: animations then never finish.
    bool hasSprite() const { return _hasSprite; }
    // Steps the sprite and recomputes the box.
    void animate();
    // Shows the animation unless it already is, then recomputes the box.
    void show(const char* animation);
    // Moves by the offset without asking the tiles.
    void shiftBy(int dx, int dy);
    // The left or the right name for a facing (0 left, 1 right).
    static const char* byFacing(int facing, const char* left, const char* right) {
        return facing == kSideLeft ? left : right;
    }
    // One of the two at random.
    static int eitherOf(int first, int second);
    // How loud a sound made here is at the player: louder the nearer, full without a player.
    int volumeAtPlayer() const;
    // The text's index among the choices; a text that is none of them becomes the fallback
    // choice first, so a record from elsewhere never leaves a choice nobody can show.
    static int knownChoice(char* text, const std::vector<std::string>& choices, int fallback);
    // Copies the choice into the text field.
    static void setChoice(char* text, const std::string& choice);

private:
    bool _hasSprite;
};
