// Parses arbitrary bytes as a sprite definition, then steps and queries the first animation the
// bytes name. Without ./data the sheet lookup fails, so nothing touches OpenGL and nothing draws.
#include "game/core/Sprite.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

constexpr int kTicks = 64;

// The name of the first header line, so that stepping usually finds an animation.
std::string firstHeaderName(std::string_view text) {
    const size_t open = text.find("\n[");
    if (open == std::string_view::npos) {
        return {};
    }
    const std::string_view rest = text.substr(open + 2);
    return std::string(rest.substr(0, rest.find(']')));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Sprite sprite;
    sprite.loadFromText(text);
    if (!sprite.setCurrentAnimation(firstHeaderName(text).c_str(), 0)) {
        return 0;
    }
    for (int tick = 0; tick < kTicks; tick++) {
        sprite.logic();
        sprite.getBBox(tick % 3 - 1);
        int width = 0, height = 0, xOffset = 0, yOffset = 0;
        sprite.frameDimensions(sprite.currentFrame(), &width, &height, &xOffset, &yOffset);
    }
    return 0;
}
