// WONegg: the small rolling inhabitant that wants a companion of its colour. It follows the
// player about, chatters and thinks aloud; once it has spent long enough near another Negg of
// its colour it is happy for good, while one that never met its companion turns sad again when
// the player leaves it alone.
#pragma once

#include "WONPC.h"
#include "game/world/ThoughtBubble.h"

#include <optional>
#include <string>
#include <vector>

class WONegg : public WONPC {
public:
    static constexpr const char* kColorNormal = "normal";
    static constexpr const char* kColorBlue = "blue";
    static constexpr const char* kColorGold = "gold";
    static constexpr const char* kColorPink = "pink";
    static constexpr const char* kColorGreen = "green";
    // The player is near while less than this far away, sideways and up or down.
    static constexpr int kNearPlayerHorizontal = 50;
    static constexpr int kNearPlayerVertical = 100;
    // How far around its box a Negg notices a companion.
    static constexpr int kCompanionRange = 100;
    // Ticks near a companion that make a sad Negg happy, and ticks alone that make one without
    // a companion sad.
    static constexpr int kCompanionTicks = 240;
    static constexpr int kLonelinessTicks = 240;
    // The follow distance is drawn from this range at construction.
    static constexpr int kFollowDistanceMinimum = 15;
    static constexpr int kFollowDistanceMaximum = 45;

    // Type 203, version 3: a happy normal Negg that may wander without limit.
    WONegg();

    // Header, owner map, "Color", "Max Travel (0 = disabled)", "Sad state".
    bool save(FILE* stream) const override;
    // Reads what save writes; version 1 ends after the owner map, version 2 before the mood.
    bool load(FILE* stream) override;
    // Falls, meets its companion, follows a near player or chatters.
    void logic() override;
    // The glow while happy, the Negg and the happy stars.
    void draw() override;
    // Box 0 of the sprite frame at the position.
    void updateCurrentBBox() override;
    // Loads the sprite of the colour and shows it idle.
    void forceStateUpdate() override;
    // Its thought at the box's top-right corner, when it shows.
    void drawThoughtBubble() override;

    // The colour text.
    const char* color() const { return _color; }
    // True while it follows the player.
    int isFollowing() const { return _following; }
    // True once a companion made it happy.
    int hasMetCompanion() const { return _metCompanion; }
    // How close it rolls up to the player's box.
    int followDistance() const { return _followDistance; }

private:
    static const std::vector<std::string>& colorChoices();

    void loadColorSprite();
    // True when another Negg of its colour is within reach.
    bool companionIsNear() const;
    bool playerIsNear() const;
    // Counts the ticks near a companion; happy and settled once they are enough.
    void meetCompanion();
    // Without a companion: follows a near player, turns sad while the player stays away.
    void lonelyLogic();
    void follow();
    void stopFollowing();
    // Now and then chatters and thinks of something for a while.
    void idleLogic();
    // True when rolling the distance toward the side keeps within the "Max Travel".
    bool mayRollTo(int side) const;
    void showThoughtBubble(const char* spriteFile, const char* animation);
    void thoughtBubbleLogic();

    Sprite _sprite;
    Sprite _glow;
    std::string _loadedColor;
    char _color[kTextFieldSize] = {};
    int _maxTravel = 0;
    // Where it started, taken on its first tick.
    std::optional<int> _startX;
    int _followDistance = 0;
    int _following = 0;
    int _metCompanion = 0;
    PXTimer _companionTimer{kCompanionTicks};
    PXTimer _lonelinessTimer{kLonelinessTicks};
    PXTimer _idleTimer;
    ThoughtBubble _thoughtBubble;
    int _thoughtBubbleVisible = 0;
    // Hides the bubble of an idle thought; a follower's bubble stays.
    PXTimer _thoughtBubbleTimer;
};
