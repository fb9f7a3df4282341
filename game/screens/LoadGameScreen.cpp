#include "LoadGameScreen.h"

#include "engine/Paxtor.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/screens/LoadGame.h"
#include "game/screens/SaveGameBrowser.h"

#include <new>

namespace {

constexpr int LOAD_MODE = 1;
constexpr int TITLE_SIZE = 40;
constexpr int TITLE_Y = 20;
constexpr int BROWSER_X = 25;
constexpr int BROWSER_Y = 60;
constexpr int NOTE_SIZE = 10;
constexpr int NOTE_MARGIN = 5;
// How long a failed load is reported: three seconds.
constexpr int FAILURE_TICKS = 180;

} // namespace

LoadGameScreen::LoadGameScreen(PXTexture* background) : _background(background) {}

LoadGameScreen::~LoadGameScreen() = default;

bool LoadGameScreen::loadResources() {
    if (!_resources.load("loadGameBackground.png", "Couldn't load load game background image\n",
                         "Couldn't allocated menu item font (load game)\n")) {
        return false;
    }
    _foreground = ResourceManager::instance()->texture("loadGameForeground.png");
    if (_foreground == nullptr) {
        globalLog->write("Couldn't load load game foreground image\n");
        return false;
    }
    try {
        _browser = std::make_unique<SaveGameBrowser>(LOAD_MODE);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void LoadGameScreen::logic() {
    if (_slide.step(_background != nullptr, [this] { takeChosenSlot(); })) {
        _finished = true;
    }
    if (_failureTicks > 0) {
        _failureTicks--;
    }
    _browser->logic();
}

void LoadGameScreen::takeChosenSlot() {
    const std::optional<std::string> path = _browser->getSelectedSaveRelativePath();
    if (!path) {
        return;
    }
    _browser->resetSelectedSaveRelativePath();
    if (*path != SaveGameBrowser::EXIT_STRING) {
        // A slot that cannot be loaded leaves the running game as it was.
        _loaded = loadGame(path->c_str());
        _finished = _loaded;
        _failureTicks = _loaded ? 0 : FAILURE_TICKS;
    } else if (_background != nullptr) {
        _slide.startClosing();
    } else {
        _finished = true;
    }
}

void LoadGameScreen::draw() const {
    beginScreenFrame(_background, _slide.offset(), 0);
    const int base = _background != nullptr ? _slide.followerOffset() : 0;
    drawScreenImage(_resources.image, base, 0);
    drawScreenImage(_foreground, base, 0);
    const ScreenText text(_resources.font, kShadowGrey);
    text.printCentred(TITLE_SIZE, base + SCREEN_W_UNSCALED / 2, TITLE_Y, kTextWhite, "Load Game");
    _browser->draw(base + BROWSER_X, BROWSER_Y);
    if (showingFailure()) {
        text.printCentred(NOTE_SIZE, base + SCREEN_W_UNSCALED / 2,
                          SCREEN_H_UNSCALED - NOTE_MARGIN - text.height(NOTE_SIZE), kTextWhite,
                          "This saved game could not be loaded");
    }
}

bool loadGameScreen(PXTexture* background) {
    LoadGameScreen screen(background);
    if (!screen.loadResources()) {
        return false;
    }
    runScreen(screen);
    return screen.loaded();
}
