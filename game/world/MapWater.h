// Map::WaterArea: a rectangle of a map filled with water, drawn as a pulsing, drifting overlay
// whose surface bobs, holding short-lived bubbles and splashes.
#pragma once

#include "Map.h"
#include "engine/PXTimer.h"
#include "game/core/Sprite.h"

#include <memory>
#include <optional>
#include <vector>

class Map::WaterArea {
public:
    class Bubble;
    class Splash;

    // Overlay alpha limits and step, and the ticks between steps of pulse, drift and surface.
    static constexpr float kPulseMinimum = 0.4f;
    static constexpr float kPulseMaximum = 0.8f;
    static constexpr float kPulseStep = 0.05f;
    static constexpr int kPulseTicks = 15;
    static constexpr int kScrollTicks = 60;
    static constexpr int kGrowthTicks = 120;
    // The surface rises and falls between these many pixels above the box's top.
    static constexpr int kGrowthMinimum = 0;
    static constexpr int kGrowthMaximum = 5;

    // The box (0, 0, 0, 0), alpha at its minimum, no drift, the surface one pixel low.
    WaterArea();
    ~WaterArea();

    // The area in world pixels; callers set it with setBounds.
    BoundingBox& boundingBox() { return _box; }
    const BoundingBox& boundingBox() const { return _box; }

    // Starts a bubble at the area-local point; nothing when its sprite cannot be loaded.
    void addBubbleAt(int x, int y);
    // Starts a splash at the area-local point; nothing when its sprite cannot be loaded.
    void addSplashAt(int x, int y);
    // One logic tick: pulse, drift, surface, then bubbles and splashes, dropping finished ones.
    void logic();
    // Bubbles, splashes, then the overlay tinting everything inside, relative to the camera.
    void draw(int cameraX, int cameraY);

    // The overlay's alpha.
    float pulseValue() const { return _pulseValue; }
    // How many pixels the surface stands above the box's top.
    int growth() const { return _growth; }
    // The live bubbles and splashes, oldest first.
    const std::vector<std::unique_ptr<Bubble>>& bubbles() const { return _bubbles; }
    const std::vector<std::unique_ptr<Splash>>& splashes() const { return _splashes; }

private:
    class Effect;

    void pulse();
    void grow();
    // The overlay, fetched on first use; null when it cannot be loaded.
    PXTexture* overlay();
    void drawOverlay(int left, int top, int width, int height);

    BoundingBox _box;
    PXTimer _pulseTimer{kPulseTicks};
    float _pulseValue = kPulseMinimum;
    float _pulseStep = kPulseStep;
    std::optional<PXTexture*> _overlay;
    PXTimer _scrollTimer{kScrollTicks};
    int _scrollX = 0;
    int _scrollY = 0;
    PXTimer _growthTimer{kGrowthTicks};
    int _growth = -1;
    int _growthStep = 1;
    std::vector<std::unique_ptr<Bubble>> _bubbles;
    std::vector<std::unique_ptr<Splash>> _splashes;
};

// What bubbles and splashes share: an area-local position and an animated sprite.
class Map::WaterArea::Effect {
public:
    // The position relative to the area's top-left corner.
    int getX() const { return _x; }
    int getY() const { return _y; }
    // True when the sprite and its animation loaded; an effect without them is never added.
    bool loaded() const { return _loaded; }
    // Draws the sprite at the position from the area's top-left corner on screen.
    void draw(int left, int top);

protected:
    Effect(int x, int y, const char* spriteFile, const char* animation, const char* failure);

    int _x;
    int _y;
    Sprite _sprite;

private:
    bool _loaded = false;
};

// A bubble rising to the surface at its own pace; it is gone once above it.
class Map::WaterArea::Bubble : public Map::WaterArea::Effect {
public:
    // A random rise timer (3 to 15 ticks), rise speed (1 or 2 pixels) and size.
    Bubble(int x, int y);

    // Rises when its timer fires; the sprite steps every tick.
    void logic();
    // True once it has risen above the surface.
    bool surfaced() const { return _y < 0; }
    // The ticks between two rises.
    int riseTimeout() const { return _riseTimer.timeout(); }

private:
    PXTimer _riseTimer;
    int _riseSpeed = 1;
};

// A splash playing once where something crossed the surface.
class Map::WaterArea::Splash : public Map::WaterArea::Effect {
public:
    // A splash playing its animation from the start.
    Splash(int x, int y);

    // Steps the animation.
    void logic() { _sprite.logic(); }
    // True once its animation has played.
    bool finished() const { return _sprite.finishedAnimating() != 0; }
};
