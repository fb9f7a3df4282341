// WOOller: the swimming inhabitant, sad on land and happy once it has been in water for a while.
// The player carries it to water; on land it idles, runs and sits, in water it floats and swims.
#pragma once

#include "WONPC.h"
#include "game/world/ThoughtBubble.h"

#include <string>
#include <vector>

class WOOller : public WONPC {
public:
    static constexpr const char* kColorRed = "red";
    static constexpr const char* kColorBlue = "blue";
    static constexpr const char* kColorGreen = "green";
    static constexpr const char* kColorBrown = "brown";
    // Ticks in water that make a sad Oller happy.
    static constexpr int kTicksInWaterToBeHappy = 30;
    // How far a put-down Oller is lifted before it falls again.
    static constexpr int kPutDownLift = 8;

    // Type 204, carriable, red, standing on land.
    WOOller();
    ~WOOller() override;

    // Header, "Sad state", owner map, "Color".
    bool save(FILE* stream) const override;
    bool load(FILE* stream) override;
    void logic() override;
    void draw() override;
    void updateCurrentBBox() override;
    // Shows the animation of the activity, facing and medium; reloads the sprite of a new colour.
    void forceStateUpdate() override;
    // The sprite frame's box of that index; the player carries the Oller by box 1.
    BoundingBox getSpriteBBox(int index) override;
    // Picks the Oller up or puts it down (see WorldObject::trigger); refused while in water.
    int trigger(void* source) override;
    void drawThoughtBubble() override;

    // True when the bounding box touches one of the map's water areas.
    int isInWater() const;
    // The colour's text.
    const char* color() const { return _color; }
    // The current animation's frame.
    int currentFrame() const { return _sprite.currentFrame(); }

private:
    enum class Activity { Idle, Move, Sit };

    static const std::vector<std::string>& colorChoices();

    void loadColorSprite();
    // Splashes, sounds and bubbles when the Oller enters or leaves water.
    void updateWaterState();
    void landLogic();
    void waterLogic();
    // A new random activity and facing, shown at once.
    void decide();
    // Moves only when the box stays in water afterwards.
    void swimBy(int side, int distance);
    void countTowardHappiness();
    void bubbleTimerLogic();
    void putDown();
    void pickUp();
    void show(const std::string& animation);
    std::string animationName() const;

    Sprite _sprite;
    bool _spriteLoaded = false;
    std::string _loadedColor;
    char _color[kTextFieldSize] = {};
    Activity _activity = Activity::Idle;
    PXTimer _decisionTimer;
    int _inWater = 0;
    int _waterArea = -1;
    PXTimer _happyTimer{kTicksInWaterToBeHappy};
    PXTimer _waterBubbleTimer;
    PXTimer _bobTimer;
    ThoughtBubble _thoughtBubble;
    int _thoughtBubbleVisible = 0;
    PXTimer _thoughtBubbleTimer;
    PXSound* _splashIn = nullptr;
    PXSound* _splashOut = nullptr;
};
