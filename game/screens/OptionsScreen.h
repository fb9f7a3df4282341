// The options screen: screen mode, sound and music volume, audio quality and the keyboard and
// game-pad bindings of every control. Volumes act at once; screen mode and audio quality only
// after a restart, which the screen notes. "Back" saves the settings.
#pragma once

#include "ScreenCommon.h"
#include "game/core/Globals.h"

#include <string>

class PXTexture;

class OptionsScreen {
public:
    enum class List { kMain, kKeys, kPad };
    // Rows of the main list.
    static constexpr int kScreenModeRow = 0;
    static constexpr int kSoundVolumeRow = 1;
    static constexpr int kMusicVolumeRow = 2;
    static constexpr int kAudioQualityRow = 3;
    static constexpr int kKeyboardRow = 4;
    static constexpr int kGamePadRow = 5;
    static constexpr int kMainBackRow = 6;
    // Rows of the binding lists ("Move Left" .. "Menu", then "Back"); the game-pad list starts
    // at "Jump".
    static constexpr int kJumpRow = 2;
    static constexpr int kBindingBackRow = 10;

    // The background (the title's picture, may be null) slides up out of view.
    explicit OptionsScreen(PXTexture* background);

    // Fetches the picture, font and sounds; false (logged) when the picture or font is missing.
    bool loadResources();

    // One logic step: the slide, the highlighted row, the volumes and a binding's capture.
    void logic();
    // The background picture, the rows and the restart note.
    void draw() const;
    bool finished() const { return _finished; }

    List list() const { return _list; }
    int highlight() const { return _highlight; }
    // True while waiting for a key or button for the highlighted row.
    bool capturing() const { return _capturing; }
    // A row's label and the value shown beside it in the current list.
    std::string rowLabel(int row) const;
    std::string rowValue(int row) const;
    // How many of the bar's eight marks a volume of 0..128 shows.
    static int volumeBarMarks(int volume);

private:
    int firstRow() const;
    int lastRow() const;
    void stepMenu();
    void stepVolume();
    void confirmMain();
    void confirmBinding();
    void stepCapture();
    void stepKeyCapture();
    void stepButtonCapture();
    void endCapture();
    void leave();
    void drawRow(const ScreenText& text, int row, int y) const;

    PXTexture* _background;
    ScreenSlide _slide{-SCREEN_H_UNSCALED};
    List _list = List::kMain;
    int _highlight = kScreenModeRow;
    bool _capturing = false;
    // The capture waits until the control that started it is let go.
    bool _confirmReleased = false;
    bool _finished = false;
    MenuNavigation _navigation;
    MenuResources _resources;
};

// Runs the options screen until "Back" (which saves the settings) or the window is closed.
void optionsScreen(PXTexture* background);
