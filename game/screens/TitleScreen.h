// The title screen: the game's name over a sky of drifting clouds and the menu that starts,
// resumes, loads or quits a game and opens the secrets and the options. Opened during play it
// slides in over a picture of the game.
#pragma once

#include "ScreenCommon.h"
#include "engine/PXTimer.h"
#include "game/core/Globals.h"

#include <string>
#include <vector>

class PXTexture;

class TitleScreen {
public:
    // What the title screen chose.
    static constexpr int kQuit = 1;
    static constexpr int kResume = 2;
    static constexpr int kNewGame = 3;
    static constexpr int kLoaded = 4;

    // With a game in progress the menu offers "Resume game" first; the background (a picture
    // of the game, may be null) slides up out of view.
    TitleScreen(int gameInProgress, PXTexture* background);

    // Fetches the pictures, font and sounds; false when a picture or the font is missing.
    bool loadResources();
    // Starts the title music.
    void startMusic() const;

    // One logic step: the menu, the slide and the clouds.
    void logic();
    // The background picture, the title scene and the menu.
    void draw() const;
    bool finished() const { return _result != 0; }
    // What was chosen; quit until something is.
    int result() const { return _result != 0 ? _result : kQuit; }

    const std::vector<std::string>& entries() const { return _entries; }
    const std::string& highlightedEntry() const { return _entries[_highlight]; }
    // Where the background picture is.
    int slideOffset() const { return _slide.offset(); }

private:
    void stepMenu();
    void choose(const std::string& entry);
    void finish(int result);
    void driftClouds();

    PXTexture* _background;
    ScreenSlide _slide{-SCREEN_H_UNSCALED};
    std::vector<std::string> _entries;
    int _highlight = 0;
    int _result = 0;
    MenuNavigation _navigation;
    MenuSounds _sounds;
    PXTexture* _sky = nullptr;
    PXTexture* _clouds = nullptr;
    PXTexture* _foreground = nullptr;
    PXFont* _font = nullptr;
    PXTimer _cloudXTimer;
    PXTimer _cloudYTimer;
};

// Runs the title screen: 1 quit, 2 resume the game in progress, 3 start a new game, 4 a saved
// game was loaded. A missing resource quits.
int titleScreen(int gameInProgress, PXTexture* background);
// Whether play runs under the title screen: then Escape during play opens it and a new game
// shows the loading screen. Runs without it (recordings, replays, tools) leave it off: Escape
// ends them and a new game loads without drawing anything.
void setTitleScreenInUse(bool inUse);
bool titleScreenInUse();
