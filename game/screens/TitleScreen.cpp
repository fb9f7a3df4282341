#include "TitleScreen.h"

#include "LoadGameScreen.h"
#include "OptionsScreen.h"
#include "SecretsScreen.h"
#include "engine/Paxtor.h"
#include "game/core/ResourceManager.h"
#include "game/world/MusicPlayer.h"

namespace {

constexpr const char* RESUME_GAME = "Resume game";
constexpr const char* NEW_GAME = "New game";
constexpr const char* LOAD_GAME = "Load game";
constexpr const char* SECRETS = "Secrets";
constexpr const char* OPTIONS = "Options";
constexpr const char* QUIT = "Quit";

constexpr int TITLE_SIZE = 40;
constexpr int TITLE_X = 18;
constexpr int TITLE_Y = 40;
constexpr int ENTRY_SIZE = 14;
constexpr int ENTRY_X = 20;
constexpr int FIRST_ENTRY_Y = 110;
constexpr int CLOUD_X_TICKS = 30;
constexpr int CLOUD_Y_TICKS = 90;
constexpr int _titleCloudsWidth = 475;

// The clouds keep drifting where they were between visits of the title screen.
int _titleScreenCloudsX = SCREEN_W_UNSCALED / 2 - 20;
int _titleScreenCloudsY = SCREEN_H_UNSCALED / 4 - 20;

bool _titleScreenInUse = false;

// Runs a screen over a picture of the title.
template <class Result> Result openOverTitle(Result (*screen)(PXTexture*)) {
    const std::unique_ptr<PXTexture> capture = captureScreen();
    return screen(capture.get());
}

} // namespace

TitleScreen::TitleScreen(int gameInProgress, PXTexture* background)
    : _background(background), _cloudXTimer(CLOUD_X_TICKS), _cloudYTimer(CLOUD_Y_TICKS) {
    if (gameInProgress) {
        _entries.emplace_back(RESUME_GAME);
    }
    for (const char* entry : {NEW_GAME, LOAD_GAME, SECRETS, OPTIONS, QUIT}) {
        _entries.emplace_back(entry);
    }
}

bool TitleScreen::loadResources() {
    ResourceManager& resources = *ResourceManager::instance();
    _sky = resources.texture("titleBackground.png");
    _clouds = resources.texture("titleClouds.png");
    _foreground = resources.texture("titleForeground.png");
    _font = resources.font("c64.ttf");
    // Without an audio device there are no sounds, and the menu works silently.
    _sounds.load();
    return _sky != nullptr && _clouds != nullptr && _foreground != nullptr && _font != nullptr;
}

void TitleScreen::startMusic() const {
    globalMusicPlayer->start("title.ogg");
}

void TitleScreen::logic() {
    if (_slide.step(_background != nullptr, [this] { stepMenu(); })) {
        finish(kResume);
    }
    driftClouds();
}

void TitleScreen::stepMenu() {
    if (const int step = _navigation.step()) {
        _highlight = wrapIndex(_highlight, step, 0, static_cast<int>(_entries.size()) - 1);
        _sounds.playSelect();
    }
    if (confirmPressed(kConfirmActions)) {
        _sounds.playSelection();
        choose(_entries[_highlight]);
    }
}

void TitleScreen::choose(const std::string& entry) {
    if (entry == QUIT) {
        finish(kQuit);
    } else if (entry == NEW_GAME) {
        finish(kNewGame);
    } else if (entry == RESUME_GAME) {
        // Without a picture of the game there is nothing to slide back.
        if (_background != nullptr) {
            _slide.startClosing();
        } else {
            finish(kResume);
        }
    } else if (entry == OPTIONS) {
        openOverTitle(optionsScreen);
    } else if (entry == SECRETS) {
        openOverTitle(secretsScreen);
    } else if (entry == LOAD_GAME && openOverTitle(loadGameScreen)) {
        finish(kLoaded);
    }
}

void TitleScreen::finish(int result) {
    globalMusicPlayer->stop();
    _result = result;
}

void TitleScreen::driftClouds() {
    if (_cloudXTimer.tick()) {
        _titleScreenCloudsX--;
    }
    if (_cloudYTimer.tick()) {
        _titleScreenCloudsY--;
    }
    if (_titleScreenCloudsX <= -_titleCloudsWidth) {
        _titleScreenCloudsX = SCREEN_W_UNSCALED;
    }
    if (_titleScreenCloudsY < -SCREEN_H_UNSCALED) {
        _titleScreenCloudsY = SCREEN_H_UNSCALED;
    }
}

void TitleScreen::draw() const {
    beginScreenFrame(_background, 0, _slide.offset());
    const int base = _background != nullptr ? _slide.followerOffset() : 0;
    drawScreenImage(_sky, 0, base);
    _clouds->draw(0, 0, _titleCloudsWidth, SCREEN_H_UNSCALED, _titleScreenCloudsX,
                  _titleScreenCloudsY + base, 1);
    drawScreenImage(_foreground, 0, base);
    const ScreenText text(_font, kShadowGrey);
    text.print(TITLE_SIZE, TITLE_X, base + TITLE_Y, kTextWhite, "Corvane");
    for (size_t row = 0; row < _entries.size(); row++) {
        text.print(ENTRY_SIZE, ENTRY_X, base + FIRST_ENTRY_Y + ENTRY_SIZE * static_cast<int>(row),
                   static_cast<int>(row) == _highlight ? kTextHighlight : kTextWhite,
                   _entries[row]);
    }
}

int titleScreen(int gameInProgress, PXTexture* background) {
    TitleScreen screen(gameInProgress, background);
    if (!screen.loadResources()) {
        return TitleScreen::kQuit;
    }
    screen.startMusic();
    runScreen(screen);
    return screen.result();
}

void setTitleScreenInUse(bool inUse) {
    _titleScreenInUse = inUse;
}

bool titleScreenInUse() {
    return _titleScreenInUse;
}
