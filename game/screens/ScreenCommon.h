// What the modal screens share: the capture they open over, the slide between two screens, the
// text style, the menu controls and sounds, and the loops that present their frames.
#pragma once

#include "engine/PXInit.h"
#include "engine/PXLogicTiming.h"
#include "game/core/Draw.h"

#include <functional>
#include <memory>
#include <string>

class PXFont;
class PXSound;
class PXTexture;

// The last presented frame, which the back buffer still holds after the swap, for the screen
// opened over it; null when it cannot be had.
std::unique_ptr<PXTexture> captureScreen();
// Draws a capture scaled into the whole logical screen at the position.
void drawCapture(PXTexture* capture, int x, int y);
// Starts a screen's frame: black, then the picture it opened over (may be null) at the position.
void beginScreenFrame(PXTexture* background, int x, int y);
// Draws the screen-sized top-left region of an image at the position.
void drawScreenImage(PXTexture* image, int x, int y, float alpha = 1.0f);

// The old picture leaving by a whole screen while the new screen follows it in: the offset
// moves 1, 3, 6, 10, ... until it reaches the end, then eases back to the start on closing.
class ScreenSlide {
public:
    // The old picture moves towards the end: -240 up, 240 down, -320 left or 320 right.
    explicit ScreenSlide(int end) : _end(end) {}

    // One logic step of a screen that slides in over a picture (or not): the screen's own step
    // runs unless the slide is going back. True once the way back has ended.
    bool step(bool overPicture, const std::function<void()>& screenStep);
    // One opening step, one pixel faster than the last.
    void open();
    // Turns the motion round.
    void startClosing() { _closing = true; }
    bool opened() const { return _distance == magnitude(); }
    // Where the old picture is.
    int offset() const { return _end < 0 ? -_distance : _distance; }
    // Where the new screen is: one screen further on.
    int followerOffset() const { return offset() - _end; }

private:
    int magnitude() const { return _end < 0 ? -_end : _end; }
    // One closing step, one pixel slower than the last; true once back at (or past) the start.
    bool close();

    int _end;
    int _distance = 0;
    int _velocity = 0;
    bool _closing = false;
};

struct TextColour {
    float r;
    float g;
    float b;
};

inline constexpr TextColour kTextWhite{1.0f, 1.0f, 1.0f};
inline constexpr TextColour kTextHighlight{0.396f, 0.659f, 0.631f};
inline constexpr TextColour kShadowGrey{0.3f, 0.3f, 0.3f};
inline constexpr TextColour kShadowDark{0.1f, 0.1f, 0.1f};

// A screen's text: printed twice, a shadow one pixel right and down, then in its colour.
class ScreenText {
public:
    ScreenText(PXFont* font, TextColour shadow) : _font(font), _shadow(shadow) {}

    // The text with the top left of its line box at (x, y).
    void print(int size, int x, int y, TextColour colour, const std::string& text) const;
    // The text over the shadow of another text (a bar over its empty slots).
    void printOverShadow(int size, int x, int y, TextColour colour, const std::string& text,
                         const std::string& shadowText) const;
    // The text centred on x.
    void printCentred(int size, int centreX, int y, TextColour colour,
                      const std::string& text) const;
    // The width of the text at the size.
    int width(int size, const std::string& text) const;
    // The height of a line box at the size.
    int height(int size) const;

private:
    PXFont* _font;
    TextColour _shadow;
};

// Return and game-pad button 1 always confirm; screens add the Action key, the Action button or
// both.
constexpr int kConfirmKeyAction = 1;
constexpr int kConfirmButtonAction = 2;
constexpr int kConfirmActions = kConfirmKeyAction | kConfirmButtonAction;

// True when a confirm control was newly pressed.
bool confirmPressed(int actions);
// True while any confirm control is held, so a capture does not take the press that started it.
bool confirmHeld();
// -1 while Left is held (key, hat or stick), 1 while Right is, else 0.
int heldHorizontalDirection();
// The index moved by the step within first..last, wrapping round at both ends.
int wrapIndex(int index, int step, int first, int last);

// Up and Down of a menu: the keys act once per press, the pad's hat and stick once until let go.
class MenuNavigation {
public:
    // -1 for up, 1 for down, 0 for neither.
    int step();

private:
    bool _padHeld = false;
};

// The two menu sounds: the highlight moving and an entry chosen. Either may be missing.
struct MenuSounds {
    // Both from the resource manager; false when either is missing.
    bool load();
    void playSelect() const;
    void playSelection() const;

    PXSound* select = nullptr;
    PXSound* selection = nullptr;
};

// A menu screen's picture, font and sounds.
struct MenuResources {
    // Fetches them; false, with its message, when the picture or the font is missing. Missing
    // sounds (no audio device) are logged and the screen runs silently.
    bool load(const char* imageName, const char* missingImageMessage,
              const char* missingFontMessage = "Couldn't load options screen font\n");

    PXTexture* image = nullptr;
    PXFont* font = nullptr;
    MenuSounds sounds;
};

// Runs the screen in real time until it has finished or the window is closed: every due tick
// one logic step, then one frame, then a sleep until the next tick is due.
template <class Screen> void runScreen(Screen& screen) {
    PXResetLogicLoop();
    while (!screen.finished() && !PXApplicationQuitRequested()) {
        PXPreLogicLoop();
        while (!screen.finished() && PXLogicLoop()) {
            screen.logic();
            PXLogicUpdate();
        }
        PXPostLogicLoop();
        presentFrame([&screen] { screen.draw(); });
        PXSleepUntilNextTick();
    }
}

// Inside a long operation: pumps the ticks that are due and tells whether any was, so its
// progress shows at most one frame a tick without slowing the operation down.
bool progressFrameDue();
