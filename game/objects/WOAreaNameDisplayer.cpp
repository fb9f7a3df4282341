#include "WOAreaNameDisplayer.h"

#include "WorldObjectRecord.h"
#include "WorldObjectVector.h"
#include "engine/PXFont.h"
#include "engine/PXInit.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/player/Player.h"
#include "game/world/Letterbox.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDisplayTicks = 300;
constexpr float kFadeStep = 0.03f;
// Closer than this to 0 the name counts as not shown yet, so the bars may ease in with it.
constexpr float kInvisible = 0.005f;
constexpr int kFontSize = 32;
constexpr int kRightMargin = 10;
constexpr int kBottomMargin = 9;

} // namespace

WOAreaNameDisplayer::WOAreaNameDisplayer() : _displayTimer(kDisplayTicks) {
    setObjectType(WORLD_OBJECT_AREA_NAME_DISPLAYER);
    setDrawPosition(kDrawOverOverlays);
    addEditorInfo("Area name", WorldObjectEditorInfo::kText, _areaName);
    loadSprite(sprite(), "areaNameDisplayer.txt", "default");
    _font = ResourceManager::instance()->font("c64.ttf");
}

bool WOAreaNameDisplayer::saveFields(FILE* stream) const {
    return writeRecordText(stream, _areaName);
}

bool WOAreaNameDisplayer::loadFields(FILE* stream, int) {
    return readRecordText(stream, _areaName, kTextFieldSize);
}

void WOAreaNameDisplayer::logic() {
    if (globalPlayer != nullptr && globalPlayer->inIntroSequence()) {
        return;
    }
    if (!_done) {
        showingLogic();
    } else {
        leavingLogic();
    }
}

void WOAreaNameDisplayer::showingLogic() {
    Letterbox& letterbox = *Letterbox::instance();
    if (letterbox.isHiding()) {
        // Shown from the start the bars ease in with the name; come back later they jump in.
        if (std::fabs(_alpha) < kInvisible) {
            letterbox.toggle();
        } else {
            letterbox.instantOn();
        }
    }
    _alpha = std::min(1.0f, _alpha + kFadeStep);
    if (_displayTimer.tick()) {
        _done = PX_TRUE;
        letterbox.toggle();
    }
}

void WOAreaNameDisplayer::leavingLogic() {
    _alpha = std::max(0.0f, _alpha - kFadeStep);
    if (Letterbox::instance()->isFullyHidden()) {
        setObjectToBeRemovedFromWorldObjectVector(this);
    }
}

void WOAreaNameDisplayer::draw() {
    if (_font == nullptr || _alpha <= 0.0f) {
        return;
    }
    _font->setSize(kFontSize);
    float width = 0;
    float height = 0;
    _font->stringBounds(_areaName, width, height);
    const int x = SCREEN_W_UNSCALED - static_cast<int>(width) - kRightMargin;
    const int y = SCREEN_H_UNSCALED - static_cast<int>(height) - kBottomMargin;
    _font->print(x + 1, y + 1, 0, 0, 0, _alpha, "%s", _areaName);
    _font->print(x, y, 1, 1, 1, _alpha, "%s", _areaName);
}
