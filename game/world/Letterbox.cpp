#include "Letterbox.h"

#include "engine/PXInit.h"
#include "engine/PXPrimitives.h"
#include "game/core/Globals.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Letterbox* Letterbox::singletonInstance = nullptr;

namespace {

// Eases in and out: 0 at progress 0, half at 16, full at 32.
int barHeightAt(int progress) {
    const float sine = std::sin(static_cast<float>(progress) * std::numbers::pi_v<float> / 64.0f);
    return static_cast<int>(static_cast<float>(Letterbox::kMaximumBarHeight) * sine * sine);
}

} // namespace

Letterbox* Letterbox::instance() {
    if (singletonInstance == nullptr) {
        singletonInstance = new Letterbox();
    }
    return singletonInstance;
}

void Letterbox::destroyInstance() {
    delete singletonInstance;
    singletonInstance = nullptr;
}

void Letterbox::toggle() {
    if (_showing) {
        _showing = PX_FALSE;
        _hiding = PX_TRUE;
    } else if (_hiding) {
        _hiding = PX_FALSE;
        _showing = PX_TRUE;
    }
}

void Letterbox::instantOn() {
    _progress = kMaximumBarHeight;
    _barHeight = kMaximumBarHeight;
    _showing = PX_TRUE;
    _hiding = PX_FALSE;
}

void Letterbox::instantOff() {
    _progress = 0;
    _barHeight = 0;
    _showing = PX_FALSE;
    _hiding = PX_TRUE;
}

int Letterbox::isShowing() const {
    return _showing;
}

int Letterbox::isHiding() const {
    return _hiding;
}

int Letterbox::isFullyShown() const {
    return _showing && _barHeight == kMaximumBarHeight ? PX_TRUE : PX_FALSE;
}

int Letterbox::isFullyHidden() const {
    return _hiding && _barHeight == 0 ? PX_TRUE : PX_FALSE;
}

int Letterbox::barHeight() const {
    return _barHeight;
}

void Letterbox::logic() {
    if (!_timer.tick()) {
        return;
    }
    const int direction = _showing ? 1 : (_hiding ? -1 : 0);
    _progress = std::clamp(_progress + direction, 0, kMaximumBarHeight);
    _barHeight = barHeightAt(_progress);
}

void Letterbox::draw() {
    if (_barHeight <= 0) {
        return;
    }
    PXRectFill(0, 0, SCREEN_W_UNSCALED, _barHeight, 0.0f, 0.0f, 0.0f, 1.0f);
    PXRectFill(0, SCREEN_H_UNSCALED - _barHeight, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, 0.0f, 0.0f,
               0.0f, 1.0f);
}
