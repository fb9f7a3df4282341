// WODom: the heavy inhabitant that wants to sit in its own pot. A sad Dom watches the player and
// thinks of its pot number; carried into the pot of its number and colour it shuffles to the
// pot's middle, climbs in and is happy there for good.
#pragma once

#include "WODomPot.h"
#include "WONPC.h"
#include "game/world/ThoughtBubble.h"

#include <string>
#include <vector>

class WODom : public WONPC {
public:
    // The colours a Dom (and its pot) comes in.
    static constexpr const char* kColorRed = WODomPot::kColorRed;
    static constexpr const char* kColorBlue = WODomPot::kColorBlue;
    static constexpr const char* kColorGreen = WODomPot::kColorGreen;
    static constexpr const char* kColorOrange = WODomPot::kColorOrange;
    // The pot numbers there are.
    static constexpr int kLowestPotNumber = 1;
    static constexpr int kHighestPotNumber = 10;
    // Too heavy to lift without the power fist.
    static constexpr int kWeight = 50;
    // Pixels a Dom falls per tick.
    static constexpr int kFallDistance = 4;

    // Type 205, version 3, carriable: a happy red Dom of pot 1, out of its pot.
    WODom();

    // Header, owner map, "Color", "Pot #", "Sad state", pot-reached flag.
    bool save(FILE* stream) const override;
    // Reads what save writes; older versions end after the owner map (version 1) or the sad
    // state (version 2) and keep the defaults of the rest.
    bool load(FILE* stream) override;
    // Blinks carried, in its pot or free; free it falls, watches the player and seeks its pot.
    void logic() override;
    // The Dom and the happy stars.
    void draw() override;
    // Box 0 of the sprite frame at the position.
    void updateCurrentBBox() override;
    // Loads the sprite of the colour and shows the animation of the state.
    void forceStateUpdate() override;
    // Its pot number at the box's top-right corner, when it shows.
    void drawThoughtBubble() override;
    // The sprite frame's box of that index; the player carries a Dom by box 1.
    BoundingBox getSpriteBBox(int index) override;
    // Picks the Dom up or puts it down (see WorldObject::trigger); refused while it shuffles,
    // climbs or sits in its pot.
    int trigger(void* source) override;

    // Places the Dom at home in its pot (true) or out of it (false), without the walk there.
    void setInPot(int reached);
    // The "Pot #".
    int potNumber() const { return _potNumber; }
    // The colour text.
    const char* color() const { return _color; }
    // True once it sits in its pot.
    int isInPot() const { return _inPot; }
    // True while it shuffles toward the middle of its pot.
    int isShuffling() const { return _shuffling; }
    // True while it climbs into its pot.
    int isClimbing() const { return _climbing; }

private:
    static const std::vector<std::string>& colorChoices();

    void loadColorSprite();
    // Out of the pot and not carried: falls, blinks, watches the player and looks for its pot.
    void freeLogic();
    void shuffleLogic();
    void climbLogic();
    // Blinks with the animation when the blink timer fires; true while the blink shows.
    bool blinkLogic(const char* blink);
    // Toggles the pot number bubble now and then while sad.
    void thoughtBubbleLogic();
    // The pot of the Dom's number and colour that its box touches, or null.
    const WODomPot* touchedOwnPot() const;
    // The x of the middle of the current frame.
    int centerX() const;
    // The idle animation facing the player.
    std::string lookAnimation() const;
    std::string stateAnimation() const;

    Sprite _sprite;
    std::string _loadedColor;
    char _color[kTextFieldSize] = {};
    int _potNumber = kLowestPotNumber;
    int _inPot = 0;
    int _shuffling = 0;
    int _climbing = 0;
    int _blinking = 0;
    // The x the Dom's middle shuffles to.
    int _potCenterX = 0;
    PXTimer _blinkTimer;
    PXTimer _thoughtBubbleTimer;
    ThoughtBubble _thoughtBubble;
    int _thoughtBubbleVisible = 0;
};
