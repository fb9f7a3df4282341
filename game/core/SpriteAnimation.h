// Sprite::Animation: a named list of frames that either loops or stops on its last frame.
#pragma once

#include "Sprite.h"

#include <string>
#include <vector>

class Sprite::Animation {
public:
    class FrameInformation;

    // The most frames an animation holds; larger counts are treated as unreadable.
    static constexpr int kMaximumFrames = 4096;

    // No name, no frames, not looping.
    Animation();
    // Destroys the frames and their boxes.
    ~Animation();

    Animation(const Animation&) = delete;
    Animation& operator=(const Animation&) = delete;

    // Copies at most bufferSize - 1 characters of the name; false when that cannot be stored.
    int setName(const char* name, int bufferSize);
    // The name given to setName.
    const char* getName() const { return _name.c_str(); }

    // Replaces the frames by count zeroed ones; a count outside 1..kMaximumFrames leaves none.
    void setNumberOfFrames(int count);
    // How many frames the animation has.
    int getNumberOfFrames() const;

    // Whether the animation starts again after its last frame.
    void setLoop(int loop) { _loop = loop; }
    // The loop flag given to setLoop.
    int getLoop() const { return _loop; }

    // Sets a frame's sheet rectangle (right and bottom exclusive) and drawing offset.
    void setFrameCoords(int frame, int left, int top, int right, int bottom, int xOffset,
                        int yOffset);
    // A frame's rectangle and offset; outputs stay untouched for an index outside the animation.
    void getFrameCoords(int frame, int& left, int& top, int& right, int& bottom, int& xOffset,
                        int& yOffset) const;
    // Sets a frame's display time in logic ticks.
    void setFrameDelay(int frame, int delay);
    // A frame's display time in logic ticks; -1 for an index outside the animation.
    int delayForFrame(int frame) const;

    // Gives a frame count zeroed boxes; false for a frame outside the animation or a bad count.
    int setNumberOfBBoxes(int frame, int count);
    // Sets the bounds of one box of a frame.
    void setBBoxCoords(int frame, int box, int left, int top, int right, int bottom);
    // One box of a frame; null when the frame or box does not exist.
    const BoundingBox* getBBox(int frame, int box) const;

private:
    FrameInformation* frameAt(int frame);
    const FrameInformation* frameAt(int frame) const;

    std::string _name;
    std::vector<FrameInformation> _frames;
    int _loop = 0;
};
