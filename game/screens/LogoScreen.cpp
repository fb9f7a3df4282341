#include "LogoScreen.h"

#include "ScreenCommon.h"
#include "engine/Paxtor.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/world/MusicPlayer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int CENTRE_X = SCREEN_W_UNSCALED / 2;
constexpr int CENTRE_Y = SCREEN_H_UNSCALED / 2;
constexpr float LINE_T_STEP = 0.01f;
constexpr float CURTAIN_T_STEP = 0.05f;
constexpr float TEXT_FADE_STEP = 0.05f;
constexpr float FADE_OUT_STEP = 0.01f;
constexpr int HOLD_TICKS = 200;
constexpr int FADE_OUT_TICKS = 120;

void blackRectangle(int x1, int y1, int x2, int y2) {
    PXRectFill(x1, y1, x2, y2, 0.0f, 0.0f, 0.0f, 1.0f);
}

} // namespace

float _progress(float t) {
    return 0.1f * std::tan(1.5f * t);
}

LogoScreen::LogoScreen()
    : _picture(ResourceManager::instance()->texture("logoScreen.png")),
      _text(ResourceManager::instance()->texture("logoText.png")), _curtain(CENTRE_Y) {
    globalMusicPlayer->start("title.ogg");
}

void LogoScreen::logic() {
    if (confirmPressed(kConfirmKeyAction)) {
        _phase = Phase::kFinished;
        return;
    }
    switch (_phase) {
    case Phase::kLine:
        stepLine();
        break;
    case Phase::kCurtains:
        stepCurtains();
        break;
    case Phase::kTextFadeIn:
        stepTextFadeIn();
        break;
    case Phase::kHold:
        if (++_holdTicks >= HOLD_TICKS) {
            _phase = Phase::kFadeOut;
        }
        break;
    case Phase::kFadeOut:
        _alpha -= FADE_OUT_STEP;
        if (++_fadeTicks >= FADE_OUT_TICKS) {
            _phase = Phase::kFinished;
        }
        break;
    case Phase::kFinished:
        break;
    }
}

void LogoScreen::stepLine() {
    _line = static_cast<int>(_progress(_t) * CENTRE_X);
    _t += LINE_T_STEP;
    if (_line > CENTRE_X) {
        _line = CENTRE_X;
        _t = 0.0f;
        _phase = Phase::kCurtains;
    }
}

void LogoScreen::stepCurtains() {
    _curtain = static_cast<int>(CENTRE_Y - _progress(_t) * CENTRE_Y);
    _t += CURTAIN_T_STEP;
    if (_curtain < 0) {
        _curtain = 0;
        _phase = Phase::kTextFadeIn;
    }
}

void LogoScreen::stepTextFadeIn() {
    _textAlpha += TEXT_FADE_STEP;
    if (_textAlpha >= 1.0f) {
        _textAlpha = 1.0f;
        _phase = Phase::kHold;
    }
}

void LogoScreen::draw() const {
    beginScreenFrame(nullptr, 0, 0);
    const float alpha = std::max(_alpha, 0.0f);
    drawScreenImage(_picture, 0, 0, alpha);
    drawScreenImage(_text, 0, 0, _phase == Phase::kFadeOut ? alpha : _textAlpha);
    blackRectangle(0, 0, SCREEN_W_UNSCALED, _curtain);
    blackRectangle(0, SCREEN_H_UNSCALED - _curtain + 1, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED);
    blackRectangle(_line, CENTRE_Y, CENTRE_X, CENTRE_Y + 1);
    blackRectangle(CENTRE_X, CENTRE_Y, SCREEN_W_UNSCALED - _line, CENTRE_Y + 1);
}

void logoScreen() {
    LogoScreen screen;
    runScreen(screen);
}
