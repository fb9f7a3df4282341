#include "SaveProgressScreen.h"

#include "engine/Paxtor.h"
#include "game/core/Draw.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/screens/ScreenCommon.h"

#include <algorithm>

namespace {

constexpr int kFontSize = 26;
constexpr int kBoxHalfWidth = 75;
constexpr int kBarWidth = 149;

void drawProgress(const char* label, PXTexture* background, float fraction) {
    drawCapture(background, 0, 0);
    constexpr int cx = SCREEN_W_UNSCALED / 2;
    constexpr int cy = SCREEN_H_UNSCALED / 2;
    PXRectFill(cx - kBoxHalfWidth, cy - 15, cx + kBoxHalfWidth, cy + 20, 0, 0, 0, 1);
    PXRectFill(cx - kBoxHalfWidth + 1, cy - 14,
               static_cast<int>(cx - kBoxHalfWidth + fraction * kBarWidth), cy + 19, 1, 1, 1,
               0.75f);
    PXFont* font = ResourceManager::instance()->font("c64.ttf");
    if (font == nullptr) {
        return;
    }
    font->setSize(kFontSize);
    float width = 0;
    float height = 0;
    font->stringBounds(label, width, height);
    const int x = static_cast<int>(cx - width / 2);
    const int y = static_cast<int>(cy - height / 2);
    font->print(x + 1, y + 1, 0.3f, 0.3f, 0.3f, 1, "%s", label);
    font->print(x, y, 1, 1, 1, 1, "%s", label);
}

} // namespace

float saveProgressFraction(int current, int total) {
    if (total <= 0) {
        return 1.0f;
    }
    return std::clamp(static_cast<float>(current) / static_cast<float>(total), 0.0f, 1.0f);
}

void showSaveProgress(const char* label, PXTexture* background, int current, int total) {
    if (!progressFrameDue() && current < total) {
        return;
    }
    presentFrame([&] { drawProgress(label, background, saveProgressFraction(current, total)); });
}
