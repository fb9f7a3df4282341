#include "MapWater.h"

#include "MapBackground.h"
#include "engine/PXRandom.h"
#include "engine/PXTexture.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"

#include <new>

namespace {

constexpr const char* kOverlayName = "waterOverlay.png";
constexpr const char* kBubbleSprite = "waterBubble.txt";
constexpr const char* kSplashSprite = "waterSplash.txt";
constexpr const char* kSplashAnimation = "splash";
// The bubble sizes, smallest first, and how fast bubbles rise.
constexpr const char* kBubbleLooks[] = {"1", "2", "3", "4", "5"};
constexpr int kBubbleLookCount = sizeof kBubbleLooks / sizeof kBubbleLooks[0];
constexpr int kRiseTicksMinimum = 3;
constexpr int kRiseTicksMaximum = 15;
constexpr int kRiseSpeedMinimum = 1;
constexpr int kRiseSpeedMaximum = 2;

// Appends a new effect at the point; one whose sprite cannot be loaded is left out, so no
// splash that never finishes stays behind.
template <class T>
void addEffect(std::vector<std::unique_ptr<T>>& effects, int x, int y, const char* kind) {
    try {
        auto effect = std::make_unique<T>(x, y);
        if (effect->loaded()) {
            effects.push_back(std::move(effect));
        }
    } catch (const std::bad_alloc&) {
        globalLog->write("Unable to create %s at %d %d\n", kind, x, y);
    }
}

} // namespace

Map::WaterArea::WaterArea() = default;

Map::WaterArea::~WaterArea() = default;

void Map::WaterArea::addBubbleAt(int x, int y) {
    addEffect(_bubbles, x, y, "bubble");
}

void Map::WaterArea::addSplashAt(int x, int y) {
    addEffect(_splashes, x, y, "splash");
}

void Map::WaterArea::logic() {
    if (_pulseTimer.tick()) {
        pulse();
    }
    if (_scrollTimer.tick()) {
        _scrollX++;
        _scrollY++;
    }
    if (_growthTimer.tick()) {
        grow();
    }
    for (const auto& bubble : _bubbles) {
        bubble->logic();
    }
    std::erase_if(_bubbles, [](const auto& bubble) { return bubble->surfaced(); });
    for (const auto& splash : _splashes) {
        splash->logic();
    }
    std::erase_if(_splashes, [](const auto& splash) { return splash->finished(); });
}

void Map::WaterArea::pulse() {
    // Not clamped: float rounding carries the value just past a limit, which turns it.
    _pulseValue += _pulseStep;
    if (_pulseValue > kPulseMaximum || _pulseValue < kPulseMinimum) {
        _pulseStep = -_pulseStep;
    }
}

void Map::WaterArea::grow() {
    _growth += _growthStep;
    if (_growth <= kGrowthMinimum) {
        _growth = kGrowthMinimum;
        _growthStep = -_growthStep;
    } else if (_growth >= kGrowthMaximum) {
        _growth = kGrowthMaximum;
        _growthStep = -_growthStep;
    }
}

void Map::WaterArea::draw(int cameraX, int cameraY) {
    // The top follows the surface, so bubbles and splashes bob with it.
    const long long left = static_cast<long long>(_box.getLeftBound()) - cameraX;
    const long long top = static_cast<long long>(_box.getTopBound()) - cameraY - _growth;
    const long long right = static_cast<long long>(_box.getRightBound()) - cameraX;
    const long long bottom = static_cast<long long>(_box.getBottomBound()) - cameraY;
    for (const auto& bubble : _bubbles) {
        bubble->draw(clampToInt(left), clampToInt(top));
    }
    for (const auto& splash : _splashes) {
        splash->draw(clampToInt(left), clampToInt(top));
    }
    drawOverlay(clampToInt(left), clampToInt(top), clampToInt(right - left),
                clampToInt(bottom - top));
}

PXTexture* Map::WaterArea::overlay() {
    if (!_overlay) {
        _overlay = ResourceManager::instance()->texture(kOverlayName);
        if (*_overlay == nullptr) {
            globalLog->write("Couldn't load %s; the water is drawn without it.\n", kOverlayName);
        }
    }
    return *_overlay;
}

void Map::WaterArea::drawOverlay(int left, int top, int width, int height) {
    PXTexture* texture = overlay();
    if (texture == nullptr) {
        return;
    }
    const int textureWidth = texture->w();
    const int textureHeight = texture->h();
    _scrollX = static_cast<int>(Background::wrappedOffset(_scrollX, textureWidth));
    _scrollY = static_cast<int>(Background::wrappedOffset(_scrollY, textureHeight));
    Background::Tiling{.sourceLeft = 0,
                       .sourceTop = 0,
                       .sourceRight = textureWidth,
                       .sourceBottom = textureHeight,
                       .offsetX = _scrollX,
                       .offsetY = _scrollY,
                       .fullColumns = width / textureWidth,
                       .fullRows = height / textureHeight,
                       .clipWidth = width,
                       .clipHeight = height,
                       .cornerX = left,
                       .cornerY = top,
                       .alpha = _pulseValue}
        .draw(*texture);
}

Map::WaterArea::Effect::Effect(int x, int y, const char* spriteFile, const char* animation,
                               const char* failure)
    : _x(x), _y(y) {
    _loaded = _sprite.load(spriteFile) && _sprite.setCurrentAnimation(animation);
    if (!_loaded) {
        globalLog->write("%s", failure);
    }
}

void Map::WaterArea::Effect::draw(int left, int top) {
    _sprite.draw(clampToInt(static_cast<long long>(left) + _x),
                 clampToInt(static_cast<long long>(top) + _y));
}

Map::WaterArea::Bubble::Bubble(int x, int y)
    : Effect(x, y, kBubbleSprite, kBubbleLooks[PXRandomize(0, kBubbleLookCount - 1)],
             "Unable to load bubble sprite.\n"),
      _riseSpeed(PXRandomize(kRiseSpeedMinimum, kRiseSpeedMaximum)) {
    _riseTimer.setMinMaxTimeout(kRiseTicksMinimum, kRiseTicksMaximum);
}

void Map::WaterArea::Bubble::logic() {
    if (_riseTimer.tick()) {
        _y -= _riseSpeed;
    }
    _sprite.logic();
}

Map::WaterArea::Splash::Splash(int x, int y)
    : Effect(x, y, kSplashSprite, kSplashAnimation, "Unable to load splash sprite.\n") {}
