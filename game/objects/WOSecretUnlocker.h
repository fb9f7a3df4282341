// WOSecretUnlocker: an invisible trigger area that unlocks a secret once the player has stayed
// in it long enough, announces it with two banner panels sliding over the screen and then
// removes itself, so every secret is announced once.
#pragma once

#include "WOSpriteObject.h"
#include "engine/PXTimer.h"

#include <string>

class PXFont;

class WOSecretUnlocker : public WOSpriteObject {
public:
    // The banner's course: waiting for the player, in, held, out, gone.
    enum class BannerState { Waiting, SlidingIn, Holding, SlidingOut, Gone };

    // One banner panel: a black box around its text that slides between a place off screen
    // and a place fully shown.
    struct Panel {
        std::string text;
        int fontSize = 0;
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        int hiddenX = 0;
        int shownX = 0;
    };

    // Type 54, version 2, drawn over everything, no secret chosen, an empty area around its box.
    WOSecretUnlocker();

    // Counts the player's stay in the area, then unlocks and runs the banner.
    void logic() override;
    // The banner while it is on screen.
    void draw() override;
    // Sizes the panels for their texts, puts them off screen and takes the duration.
    void forceStateUpdate() override;

    // The chosen secret's description.
    const char* secret() const { return _secret; }
    // Where the banner is now.
    BannerState bannerState() const { return _bannerState; }
    // "Secret Unlocked!", entering from the left.
    const Panel& titlePanel() const { return _titlePanel; }
    // The secret's text, entering from the right.
    const Panel& secretPanel() const { return _secretPanel; }

protected:
    // The secret as its identifier, the area, the duration and "Requires all but 100".
    bool saveFields(FILE* stream) const override;
    bool loadFields(FILE* stream, int version) override;

private:
    void watchTriggerArea();
    bool requirementsMet() const;
    void fire();
    // Moves both panels one step toward shown or hidden; true once both are there.
    bool slidePanels(bool in);
    void startSliding(BannerState state);
    void sizePanel(Panel& panel) const;
    void drawPanel(const Panel& panel) const;

    PXFont* _font = nullptr;
    char _secret[kTextFieldSize] = {};
    int _leftTrigger = 0;
    int _rightTrigger = 0;
    int _topTrigger = 0;
    int _bottomTrigger = 0;
    int _triggerDuration = 0;
    int _requiresAllBut100 = 0;
    PXTimer _holdTimer;
    PXTimer _animationTimer;
    PXTimer _durationTimer;
    BannerState _bannerState = BannerState::Waiting;
    int _speed = 0;
    Panel _titlePanel;
    Panel _secretPanel;
};
