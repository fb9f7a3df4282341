// ThoughtBubble: the cartoon cloud drawn above an inhabitant or the player, with a tail of three
// wobbling dots and a small animated picture of what it thinks of inside.
#pragma once

#include "engine/PXTimer.h"

#include <memory>

class PXTexture;
class Sprite;

class ThoughtBubble {
public:
    // The smallest cloud size each way.
    static constexpr int kMinimumSize = 7;

    // An empty 7 x 7 cloud at (0, 0); throws std::bad_alloc (logged) when "thoughtBubble.png"
    // cannot be had.
    ThoughtBubble();
    ~ThoughtBubble();
    ThoughtBubble(const ThoughtBubble&) = delete;
    ThoughtBubble& operator=(const ThoughtBubble&) = delete;

    // The screen position of the tail's smallest dot.
    void setPos(int x, int y);
    // The cloud's size, each raised to at least 7.
    void setWidth(int width);
    void setHeight(int height);
    int width() const;
    int height() const;
    // Replaces the picture with the sprite definition file (logged when it cannot be loaded).
    void setSprite(const char* fileName);
    // Restarts the picture's animation and sizes the cloud around its frames; a missing sprite
    // or animation leaves a sprite-less 7 x 7 cloud.
    void setSpriteAnimation(const char* name);
    // Steps the picture and the dots' wobble.
    void logic();
    // Draws the tail, the cloud and the picture.
    void draw();
};
