// ThoughtBubble: the cartoon cloud drawn above an inhabitant or the player, with a tail of three
// wobbling dots and a small animated picture of what it thinks of inside.
#pragma once

#include "engine/PXTimer.h"

#include <array>
#include <memory>

class PXTexture;
class Sprite;

class ThoughtBubble {
public:
    // The smallest cloud size each way.
    static constexpr int kMinimumSize = 7;

    // An empty 7 x 7 cloud at (0, 0); without "thoughtBubble.png" (logged) it draws nothing.
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

private:
    // The constructor makes four dots; the tail draws the first three.
    static constexpr int kDots = 4;

    struct Dot {
        PXTimer timer;
        int wobbleX = 0;
        int wobbleY = 0;
    };

    // Takes the sizes and offsets of the current animation's frames and sizes the cloud.
    void measureFrames();
    void drawTail();
    void drawCloud(int left, int top);
    void drawPicture(int left, int top);

    int _x = 0;
    int _y = 0;
    int _width = kMinimumSize;
    int _height = kMinimumSize;
    PXTexture* _image = nullptr;
    std::unique_ptr<Sprite> _sprite;
    // False until an animation of the sprite was found, so a missing one shows no picture.
    bool _pictureShown = false;
    int _largestFrameWidth = 0;
    int _largestFrameHeight = 0;
    int _xOffsetSum = 0;
    int _yOffsetSum = 0;
    std::array<Dot, kDots> _dots;
};
