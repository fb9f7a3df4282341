// WORaam: the grazing inhabitant, sad until it has eaten its preferred food. It walks to an
// apple or blueberry lying within reach, eats it and is happy from then on.
#pragma once

#include "WONPC.h"
#include "game/world/ThoughtBubble.h"

#include <string>
#include <vector>

class WORaam : public WONPC {
public:
    static constexpr const char* kFoodApple = "apple";
    static constexpr const char* kFoodBlueberry = "blueberry";
    // How far sideways and up or down the Raam notices food.
    static constexpr int kReachX = 100;
    static constexpr int kReachY = 25;

    // Type 206, happy, preferring apples.
    WORaam();
    ~WORaam() override;

    // Header, owner map, "Preferred Food", "Sad state".
    bool save(FILE* stream) const override;
    bool load(FILE* stream) override;
    void logic() override;
    void draw() override;
    void updateCurrentBBox() override;
    // Shows the animation of what the Raam is doing.
    void forceStateUpdate() override;
    void drawThoughtBubble() override;

    // The preferred food's text.
    const char* preferredFood() const { return _preferredFood; }
    // True while it eats.
    int isEating() const { return _eating; }
    // True when the object is the food this Raam has chosen; compares addresses only.
    bool hasChosen(const WorldObject* food) const { return food != nullptr && food == _food; }

private:
    static const std::vector<std::string>& foodChoices();

    int foodType() const;
    // Forgets the chosen food unless it is still in the world, of the preferred kind and not
    // carried.
    void checkChosenFood();
    // Gives back the carriable bit it took from food still in the world.
    void forgetFood();
    void chooseFood();
    // Food of the preferred kind in reach, lying free and chosen by no other Raam.
    bool isFreeFood(WorldObject* object) const;
    void approachFood();
    void eatingLogic();
    void bubbleTimerLogic();
    void show(const char* animation);
    // Shows the picture in the bubble, loading its sprite only when it changes.
    void showInBubble(const std::string& fileName, const char* animation);

    Sprite _sprite;
    bool _spriteLoaded = false;
    char _preferredFood[kTextFieldSize] = {};
    // Never dereferenced before it has been found in the world object list again.
    WorldObject* _food = nullptr;
    int _tookCarriableBit = 0;
    int _eating = 0;
    PXTimer _eatingTimer;
    ThoughtBubble _thoughtBubble;
    std::string _bubblePicture;
    int _thoughtBubbleVisible = 0;
    PXTimer _thoughtBubbleTimer;
};
