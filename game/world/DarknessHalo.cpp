#include "DarknessHalo.h"

#include "engine/PXInit.h"
#include "engine/PXPrimitives.h"
#include "engine/PXTexture.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"

DarknessHalo* DarknessHalo::singletonInstance = nullptr;

namespace {

constexpr const char* kImageName = "darknessHalo.png";
// Half the halo image's side.
constexpr int kRadius = 64;
// The halo centres on the middle of the player's 16 x 16 cell.
constexpr int kPlayerCentre = 8;

} // namespace

DarknessHalo* DarknessHalo::instance() {
    if (singletonInstance == nullptr) {
        singletonInstance = new DarknessHalo();
    }
    return singletonInstance;
}

void DarknessHalo::destroyInstance() {
    delete singletonInstance;
    singletonInstance = nullptr;
}

DarknessHalo::DarknessHalo() : _image(ResourceManager::instance()->texture(kImageName)) {}

DarknessHalo::~DarknessHalo() {
    ResourceManager::instance()->unloadTexture(kImageName);
}

void DarknessHalo::toggle() {
    _on = ~_on;
    _changing = PX_TRUE;
    _timer.reset();
}

int DarknessHalo::isOn() const {
    return _on;
}

float DarknessHalo::alpha() const {
    return _alpha;
}

void DarknessHalo::logic() {
    if (!_changing || !_timer.tick()) {
        return;
    }
    if (_on) {
        _alpha += _step;
        if (_alpha >= 1.0f) {
            _alpha = 1.0f;
            _changing = PX_FALSE;
        }
    } else {
        _alpha -= _step;
        if (_alpha <= 0.0f) {
            _alpha = 0.0f;
            _changing = PX_FALSE;
        }
    }
}

void DarknessHalo::draw() {
    if (_alpha <= 0.0f) {
        return;
    }
    const int centreX = globalPlayer->getXPos() + kPlayerCentre - globalCamera->getXPos();
    const int centreY = globalPlayer->getYPos() + kPlayerCentre - globalCamera->getYPos();
    const int left = centreX - kRadius;
    const int right = centreX + kRadius;
    const int top = centreY - kRadius;
    const int bottom = centreY + kRadius;
    if (_image != nullptr) {
        _image->draw(left, top, _alpha, 1.0f, 0, 0, PX_TRUE);
    }
    PXRectFill(0, 0, left, SCREEN_H, 0.0f, 0.0f, 0.0f, _alpha);
    PXRectFill(right, 0, SCREEN_W, SCREEN_H, 0.0f, 0.0f, 0.0f, _alpha);
    PXRectFill(left, 0, right, top, 0.0f, 0.0f, 0.0f, _alpha);
    PXRectFill(left, bottom, right, SCREEN_H, 0.0f, 0.0f, 0.0f, _alpha);
}
