// WOFlowrian: the inhabitant that wants music. It stands, walks, pauses and sits at random; a
// sad one limps and cries until the player carries its preferred music maker close to it for
// long enough.
#pragma once

#include "WONPC.h"
#include "game/world/ThoughtBubble.h"

#include <string>
#include <vector>

class WOFlowrian : public WONPC {
public:
    // The music makers a Flowrian may prefer.
    static constexpr const char* kMusicBox = "music box";
    static constexpr const char* kAccordian = "accordian";
    // Activities.
    static constexpr int kStand = 0;
    static constexpr int kWalk = 1;
    static constexpr int kPause = 2;
    static constexpr int kSit = 3;
    // How far from the Flowrian's box the music is heard, sideways and up and down.
    static constexpr int kPresenceHorizontal = 100;
    static constexpr int kPresenceVertical = 25;
    // Ticks of uninterrupted music that cheer a sad Flowrian up.
    static constexpr int kCheerUpTicks = 240;

    // Type 202, happy, standing, preferring the music box.
    WOFlowrian();

    // Header, "Sad state", "Preferred Music Maker", owner map.
    bool save(FILE* stream) const override;
    // Reads what save writes; an unknown music maker becomes the music box.
    bool load(FILE* stream) override;
    // Falls, wanders, limps while sad and listens for its music maker.
    void logic() override;
    // The Flowrian, its note or tear while sad, and the happy stars.
    void draw() override;
    // Box 0 of the sprite frame at the position.
    void updateCurrentBBox() override;
    // Shows the animation of the activity, facing and mood.
    void forceStateUpdate() override;
    // The wished-for music maker, right of the Flowrian, when it shows.
    void drawThoughtBubble() override;

    // The "Preferred Music Maker" text.
    const char* preferredMusicMaker() const { return _preferredMusicMaker; }

private:
    static const std::vector<std::string>& musicMakerChoices();

    // A new random activity and facing, with the wish shown now and then while sad.
    void decide();
    // Walks while the activity lasts; stands again when it is over.
    void busyLogic();
    // Counts the ticks the preferred music maker is carried nearby; happy once they are enough.
    void presenceLogic();
    bool preferredMusicIsNear();
    int preferredMusicMakerType() const;
    void show(const std::string& animation);
    std::string animationName() const;

    Sprite _sprite;
    int _activity = kStand;
    int _busy = 0;
    PXTimer _decisionTimer;
    PXTimer _activityTimer;
    ThoughtBubble _thoughtBubble;
    int _thoughtBubbleVisible = 0;
    char _preferredMusicMaker[kTextFieldSize] = {};
    int _inPresence = 0;
    PXTimer _cheerUpTimer{kCheerUpTicks};
};
