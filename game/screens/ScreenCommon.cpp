#include "ScreenCommon.h"

#include "engine/Paxtor.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"

#include <GL/gl.h>
#include <algorithm>

namespace {

constexpr int PAD_CONFIRM_BUTTON = 1;

void play(PXSound* sound) {
    if (sound != nullptr) {
        sound->play(0);
    }
}

} // namespace

std::unique_ptr<PXTexture> captureScreen() {
    return std::unique_ptr<PXTexture>(PXTextureFromScreen(SCREEN_W, SCREEN_H));
}

void drawCapture(PXTexture* capture, int x, int y) {
    if (capture != nullptr) {
        capture->draw(0, 0, SCREEN_W, SCREEN_H, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, x, y, 1.0f,
                      1.0f, 0, 0, 1);
    }
}

void beginScreenFrame(PXTexture* background, int x, int y) {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    drawCapture(background, x, y);
}

void drawScreenImage(PXTexture* image, int x, int y, float alpha) {
    if (image != nullptr) {
        image->draw(0, 0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, x, y, alpha, 1.0f, 0, 0, 1);
    }
}

bool ScreenSlide::step(bool overPicture, const std::function<void()>& screenStep) {
    if (_closing) {
        return close();
    }
    screenStep();
    if (overPicture && !_closing) {
        open();
    }
    return false;
}

void ScreenSlide::open() {
    if (opened()) {
        return;
    }
    _velocity++;
    _distance = std::min(_distance + _velocity, magnitude());
}

bool ScreenSlide::close() {
    _distance -= _velocity;
    // A slide turned round early still gets all the way back.
    _velocity = std::max(_velocity - 1, 1);
    if (_distance > 0) {
        return false;
    }
    _distance = 0;
    return true;
}

void ScreenText::print(int size, int x, int y, TextColour colour, const std::string& text) const {
    printOverShadow(size, x, y, colour, text, text);
}

void ScreenText::printOverShadow(int size, int x, int y, TextColour colour, const std::string& text,
                                 const std::string& shadowText) const {
    if (_font == nullptr) {
        return;
    }
    _font->setSize(size);
    _font->print(x + 1, y + 1, _shadow.r, _shadow.g, _shadow.b, 1.0f, "%s", shadowText.c_str());
    _font->print(x, y, colour.r, colour.g, colour.b, 1.0f, "%s", text.c_str());
}

void ScreenText::printCentred(int size, int centreX, int y, TextColour colour,
                              const std::string& text) const {
    print(size, centreX - width(size, text) / 2, y, colour, text);
}

int ScreenText::width(int size, const std::string& text) const {
    if (_font == nullptr) {
        return 0;
    }
    _font->setSize(size);
    return static_cast<int>(_font->advance(text.c_str()));
}

int ScreenText::height(int size) const {
    if (_font == nullptr) {
        return 0;
    }
    _font->setSize(size);
    return static_cast<int>(_font->fullHeight());
}

bool confirmPressed(int actions) {
    const Settings& settings = *Settings::instance();
    return PXKey(PXKeyCode::kReturn, PX_TRUE) || PXGamePadButton(PAD_CONFIRM_BUTTON, PX_TRUE) ||
           ((actions & kConfirmKeyAction) && PXKey(settings.keyAction, PX_TRUE)) ||
           ((actions & kConfirmButtonAction) && PXGamePadButton(settings.buttonAction, PX_TRUE));
}

bool confirmHeld() {
    const Settings& settings = *Settings::instance();
    return PXKey(PXKeyCode::kReturn) || PXKey(settings.keyAction) ||
           PXGamePadButton(PAD_CONFIRM_BUTTON) || PXGamePadButton(settings.buttonAction);
}

int heldHorizontalDirection() {
    if (PXKey(PXKeyCode::kLeft) || PXGamePadHat(PX_HAT_LEFT) || PXGamePadAxisLeft()) {
        return -1;
    }
    if (PXKey(PXKeyCode::kRight) || PXGamePadHat(PX_HAT_RIGHT) || PXGamePadAxisRight()) {
        return 1;
    }
    return 0;
}

int wrapIndex(int index, int step, int first, int last) {
    const int count = last - first + 1;
    return first + ((index - first + step) % count + count) % count;
}

int MenuNavigation::step() {
    if (PXKey(PXKeyCode::kUp, PX_TRUE)) {
        return -1;
    }
    if (PXKey(PXKeyCode::kDown, PX_TRUE)) {
        return 1;
    }
    const bool padUp = PXGamePadHat(PX_HAT_UP) || PXGamePadAxisUp();
    const bool padDown = PXGamePadHat(PX_HAT_DOWN) || PXGamePadAxisDown();
    if (!padUp && !padDown) {
        _padHeld = false;
        return 0;
    }
    if (_padHeld) {
        return 0;
    }
    _padHeld = true;
    return padUp ? -1 : 1;
}

bool MenuSounds::load() {
    select = ResourceManager::instance()->sound("titleSelect.wav");
    selection = ResourceManager::instance()->sound("titleSelection.wav");
    return select != nullptr && selection != nullptr;
}

void MenuSounds::playSelect() const {
    play(select);
}

void MenuSounds::playSelection() const {
    play(selection);
}

bool MenuResources::load(const char* imageName, const char* missingImageMessage,
                         const char* missingFontMessage) {
    image = ResourceManager::instance()->texture(imageName);
    if (image == nullptr) {
        globalLog->write("%s", missingImageMessage);
        return false;
    }
    font = ResourceManager::instance()->font("c64.ttf");
    if (font == nullptr) {
        globalLog->write("%s", missingFontMessage);
        return false;
    }
    if (!sounds.load()) {
        globalLog->write(sounds.select == nullptr
                             ? "Couldn't load options screen select sound\n"
                             : "Couldn't load options screen selection sound\n");
    }
    return true;
}

bool progressFrameDue() {
    bool due = false;
    PXPreLogicLoop();
    while (PXLogicLoop()) {
        due = true;
        PXLogicUpdate();
    }
    PXPostLogicLoop();
    return due;
}
