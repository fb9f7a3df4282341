#include "Credits.h"

#include "engine/PXFont.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/world/Camera.h"

namespace {

constexpr int kFontSize = 9;
constexpr int kGapHeight = 20;
// The camera moves this many pixels for the credits to rise one.
constexpr int kScrollDivisor = 5;
// Lines fade over this many pixels at the top and bottom of the screen.
constexpr int kFadeHeight = 40;

const std::vector<const char*> kCreditLines = {
    "= CREDITS =",
    "",
    "Design, Programming, Art, Sound",
    "              The Corvane team",
    "",
    "Music, Sound",
    "              The Corvane team",
    "",
    "",
    "",
    "",
    "= Special Thanks To =",
    "",
    "",
    "You, for playing,",
    "for every wish you granted",
    "and every friend you made.",
    "",
    "Our playtesters, for every fall.",
    "",
    "The Debian and free software",
    "communities, whose tools",
    "built this whole game.",
    "",
    "Friends and family, for their",
    "patience and encouragement.",
    "",
    "And the six races, of course.",
    "",
    "",
    "= Libraries =",
    "",
    "SDL with SDL_mixer",
    "FreeType",
    "FTGL",
    "OpenGL",
    "",
    "",
    "Presented by",
    "The Corvane team",
    "corvane.example.org",
};

float fadeAlpha(int y) {
    if (y < kFadeHeight + 1) {
        return static_cast<float>(y) / kFadeHeight;
    }
    if (y > SCREEN_H_UNSCALED - kFadeHeight - 1) {
        return 1.0f - static_cast<float>(y - (SCREEN_H_UNSCALED - kFadeHeight)) / kFadeHeight;
    }
    return 1.0f;
}

} // namespace

Credits::Credits() : _lines(kCreditLines) {
    _endLine = static_cast<int>(_lines.size());
    _font = ResourceManager::instance()->font("c64.ttf");
}

std::vector<Credits::PlacedLine> Credits::placedLines(int cameraX) const {
    std::vector<PlacedLine> placed;
    if (_font != nullptr) {
        _font->setSize(kFontSize);
    }
    int y = _startY - cameraX / kScrollDivisor;
    for (int index = _firstLine; index < _endLine; index++) {
        const char* text = _lines[static_cast<size_t>(index)];
        float width = 0;
        float height = kGapHeight;
        if (text[0] != '\0') {
            height = 0;
            if (_font != nullptr) {
                _font->stringBounds(text, width, height);
            }
            placed.push_back({text, static_cast<int>(SCREEN_W_UNSCALED / 2 - width / 2), y,
                              fadeAlpha(y), -height < y && y < SCREEN_H_UNSCALED});
        }
        y = static_cast<int>(static_cast<float>(y + _lineSpacing) + height);
    }
    return placed;
}

void Credits::draw() {
    if (_font == nullptr) {
        return;
    }
    const int cameraX = globalCamera != nullptr ? globalCamera->getXPos() : 0;
    for (const PlacedLine& line : placedLines(cameraX)) {
        if (line.visible) {
            _font->print(line.x + 1, line.y + 1, 0, 0, 0, line.alpha, "%s", line.text);
            _font->print(line.x, line.y, 1, 1, 1, line.alpha, "%s", line.text);
        }
    }
}
