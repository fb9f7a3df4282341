// The load-game screen: the save slots in a browser, sliding in from the right over the title's
// picture. Choosing a slot loads it; a slot that cannot be loaded is reported and the screen
// stays open.
#pragma once

#include "ScreenCommon.h"
#include "game/core/Globals.h"

#include <memory>

class PXTexture;
class SaveGameBrowser;

class LoadGameScreen {
public:
    // The background (the title's picture, may be null) slides left out of view.
    explicit LoadGameScreen(PXTexture* background);
    ~LoadGameScreen();
    LoadGameScreen(const LoadGameScreen&) = delete;
    LoadGameScreen& operator=(const LoadGameScreen&) = delete;

    // Fetches the pictures, font and sounds and lists the slots; false (logged) when any of
    // them cannot be had.
    bool loadResources();

    // One logic step: a chosen slot is loaded, "Exit" leaves; then the slide and the browser.
    void logic();
    // The background picture, the screen's pictures, the title and the browser.
    void draw() const;
    bool finished() const { return _finished; }
    // True once a saved game was loaded.
    bool loaded() const { return _loaded; }
    // True while the last chosen slot's failure is shown.
    bool showingFailure() const { return _failureTicks > 0; }

private:
    void takeChosenSlot();

    PXTexture* _background;
    ScreenSlide _slide{-SCREEN_W_UNSCALED};
    std::unique_ptr<SaveGameBrowser> _browser;
    bool _finished = false;
    bool _loaded = false;
    int _failureTicks = 0;
    MenuResources _resources;
    PXTexture* _foreground = nullptr;
};

// Runs the load-game screen: true once a saved game was loaded, false when left with "Exit".
bool loadGameScreen(PXTexture* background);
