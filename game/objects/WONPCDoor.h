// WONPCDoor: an inhabitant door. It opens by itself when the player comes near while enough
// inhabitants of its race are happy (or enough hex nuts are collected): the race icon fades out,
// the panel slides up, and the icon fades back in over the open doorway.
#pragma once

#include "WOToggleable.h"
#include "game/core/Sprite.h"

#include <string>
#include <vector>

class PXFont;
class PXSound;
class PXTexture;

// The game's progress as doors and condition checkers read it: happy inhabitants of each race
// and collected hex nuts.
struct HappyCounts {
    int flowrian = 0;
    int negg = 0;
    int oller = 0;
    int raam = 0;
    int dom = 0;
    int vonil = 0;
    int hexNuts = 0;

    // Counted over every world object of the game.
    static HappyCounts current();
    // The count an "NPC Type" names; 0 for a text that names none.
    int forNpcType(const char* npcType) const;
};

class WONPCDoor : public WOToggleable {
public:
    // Type 151, closed, for one happy Flowrian, with the editable "NPC Type" and
    // "Number required".
    WONPCDoor();

    // The choices of "NPC Type".
    static const std::vector<std::string>& npcTypes();

    // The "NPC Type".
    const char* npcType() const { return _npcType; }
    // The "Number required".
    int numberRequired() const { return _numberRequired; }
    // How visible the race icon is, 0.0 to 1.0.
    float iconAlpha() const { return _iconAlpha; }
    // True while the icon fades away before the panel moves.
    bool isFadingOut() const { return _fadingOut; }
    // True while the panel slides up.
    bool isOpening() const { return _opening; }
    // True while the icon comes back over the open doorway.
    bool isFadingIn() const { return _fadingIn; }
    // Always true: the door itself decides in toggle.
    int isToggleable(int state) override;
    // Goes to the state unless it is in it or busy opening; a non-zero state starts the opening.
    int toggle(int state) override;
    // Writes the header, "State", "Object Label", the owner map, "NPC Type" and
    // "Number required".
    bool save(FILE* stream) const override;
    // Reads what save wrote, then shows the state.
    bool load(FILE* stream) override;
    // Opens for a player nearby once the count is reached, then runs the fades and the panel.
    void logic() override;
    // The door, the race icon and, while shut, the number required.
    void draw() override;
    // Box 0 of the sprite frame at the position.
    void updateCurrentBBox() override;
    // Picks the icon by "NPC Type" and shows "closed" or "open" by the state.
    void forceStateUpdate() override;

private:
    // Closed, or on its way to open with the icon gone or going.
    bool isShut() const { return !_state || _fadingOut || _opening; }
    // A shut door blocks the player like a wall; an open one is a doorway.
    void blockWhileShut();
    bool playerIsNear() const;
    void openWhenEarned();
    void stepOpening();

    Sprite _sprite;
    PXSound* _powerDownSound = nullptr;
    PXSound* _powerUpSound = nullptr;
    PXSound* _stoneUpSound = nullptr;
    PXTexture* _icon = nullptr;
    PXFont* _font = nullptr;
    char _npcType[kTextFieldSize] = "Flowrian";
    int _numberRequired = 1;
    float _iconAlpha = 1.0f;
    bool _fadingOut = false;
    bool _opening = false;
    bool _fadingIn = false;
};
