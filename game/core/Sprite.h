// Sprite: one sprite sheet plus named animations read from a sprite definition text file. Each
// frame names a sheet rectangle, a drawing offset, a display time in logic ticks and bounding
// boxes. Definition texts are read from disk once per run and kept in a process-wide cache.
#pragma once

#include "engine/PXTimer.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

class BoundingBox;
class PXTexture;

class Sprite {
public:
    class Animation;

    // Drawing flag: mirror left-to-right within the frame's rectangle.
    static constexpr int kFlipHorizontal = 1;
    // Drawing flag: mirror top-to-bottom within the frame's rectangle.
    static constexpr int kFlipVertical = 16;

    // An empty sprite: no animations, no image, nothing chosen.
    Sprite();
    // Destroys the animations; the sheet stays with the resource manager, the text in the cache.
    ~Sprite();

    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Fills the sprite from the named definition file (found under "./data", cached by name) and
    // loads its sheet; true on success. A failed sprite must not be used.
    int load(const char* fileName);
    // The same for definition text held in memory; the text ends at its first zero byte.
    int loadFromText(std::string_view text);

    // Makes the named animation current and restarts it at frame 0; false when there is none.
    int setCurrentAnimation(const char* name);
    // With force false, keeps a current animation whose name begins the requested one.
    int setCurrentAnimation(const char* name, int force);

    // Advances the current animation by one logic tick.
    void logic();

    // Draws the current frame at (x, y), unmirrored and opaque.
    void draw(int x, int y);
    // Draws the current frame mirrored by the kFlip flags, opaque.
    void draw(int x, int y, int flags);
    // Draws the current frame mirrored by the kFlip flags with the given alpha (0.0 to 1.0).
    void draw(int x, int y, int flags, float alpha);
    // Draws mirrored left-to-right.
    void drawHFlip(int x, int y);
    // Draws mirrored top-to-bottom.
    void drawVFlip(int x, int y);
    // Draws with both flags: the texture layer's combined flip, which transposes the sheet.
    void drawVHFlip(int x, int y);

    // The current frame's box in sprite-local pixels; null when there is none.
    const BoundingBox* getBBox(int index) const;
    // True once a non-looping animation has passed its last frame.
    int finishedAnimating() const { return _finished; }
    // The current frame index, -1 before any animation was chosen.
    int currentFrame() const { return _currentFrame; }
    // The current animation's frame count; 0 without a current animation.
    int numberOfFrames() const;
    // Size and drawing offsets of a frame of the current animation (0, 0, -1, -1 for an index
    // outside it); null outputs are skipped, and without a current animation none is written.
    void frameDimensions(int frame, int* width, int* height, int* xOffset, int* yOffset) const;

    // Destroys every animation; nothing is current afterwards.
    void clearAnimations();
    // The named animation, or null (for tools and checks that inspect a definition).
    const Animation* getAnimation(const char* name) const;

private:
    using AnimationMap = std::map<std::string, std::unique_ptr<Animation>>;

    // The definition text of a file name, read into the cache on first use; null on failure.
    const std::string* definitionText(const char* fileName);
    // Reads the found file into the cache; null (after logging) when it cannot.
    const std::string* readIntoCache(const char* fileName);
    // Installs new animations; nothing is current afterwards, so no pointer outlives its target.
    void replaceAnimations(AnimationMap animations);

    std::string _definitionPath;
    std::string _imageName;
    PXTexture* _image = nullptr;
    AnimationMap _animations;
    PXTimer _frameTimer{0};
    const Animation* _currentAnimation = nullptr;
    int _currentFrame = -1;
    int _finished = 0;
};
