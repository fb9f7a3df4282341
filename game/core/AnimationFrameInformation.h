// Sprite::Animation::FrameInformation: one frame's sheet rectangle, drawing offset, display time
// and bounding boxes (in sprite-local pixels; the drawing offset does not apply to them).
#pragma once

#include "SpriteAnimation.h"
#include "game/world/BoundingBox.h"

#include <array>
#include <vector>

class Sprite::Animation::FrameInformation {
public:
    // The most bounding boxes a frame holds.
    static constexpr int kMaximumBoxes = 64;

    // Sets the sheet rectangle (right and bottom exclusive) and the drawing offset.
    void setCoords(int left, int top, int right, int bottom, int xOffset, int yOffset);
    // The values given to setCoords, all 0 until then.
    void getCoords(int& left, int& top, int& right, int& bottom, int& xOffset, int& yOffset) const;
    // Sets the display time in logic ticks.
    void setDelay(int delay) { _delay = delay; }
    // The display time in logic ticks.
    int getDelay() const { return _delay; }
    // Replaces the boxes by count zeroed ones; false for a count outside 0..kMaximumBoxes or
    // when they cannot be allocated, which keeps the old ones.
    int setNumberOfBBoxes(int count);
    // Sets one box's bounds; an index without a box is ignored.
    void setBBoxCoords(int box, int left, int top, int right, int bottom);
    // One box, or null for an index without a box.
    const BoundingBox* getBBox(int box) const;

private:
    bool hasBox(int box) const;

    std::array<int, 6> _coordinates{};
    int _delay = 0;
    std::vector<BoundingBox> _bBoxes;
};
