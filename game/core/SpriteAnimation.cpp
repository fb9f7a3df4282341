#include "SpriteAnimation.h"

#include "AnimationFrameInformation.h"
#include "engine/PXInit.h"

#include <cstring>
#include <new>
#include <utility>

Sprite::Animation::Animation() = default;

Sprite::Animation::~Animation() = default;

int Sprite::Animation::setName(const char* name, int bufferSize) {
    if (bufferSize < 1) {
        return PX_FALSE;
    }
    try {
        _name.assign(name, strnlen(name, static_cast<size_t>(bufferSize) - 1));
    } catch (const std::bad_alloc&) {
        return PX_FALSE;
    }
    return PX_TRUE;
}

void Sprite::Animation::setNumberOfFrames(int count) {
    const bool readable = count >= 1 && count <= kMaximumFrames;
    std::vector<FrameInformation> frames(readable ? static_cast<size_t>(count) : 0);
    _frames.swap(frames);
}

int Sprite::Animation::getNumberOfFrames() const {
    return static_cast<int>(_frames.size());
}

void Sprite::Animation::setFrameCoords(int frame, int left, int top, int right, int bottom,
                                       int xOffset, int yOffset) {
    if (FrameInformation* information = frameAt(frame)) {
        information->setCoords(left, top, right, bottom, xOffset, yOffset);
    }
}

void Sprite::Animation::getFrameCoords(int frame, int& left, int& top, int& right, int& bottom,
                                       int& xOffset, int& yOffset) const {
    if (const FrameInformation* information = frameAt(frame)) {
        information->getCoords(left, top, right, bottom, xOffset, yOffset);
    }
}

void Sprite::Animation::setFrameDelay(int frame, int delay) {
    if (FrameInformation* information = frameAt(frame)) {
        information->setDelay(delay);
    }
}

int Sprite::Animation::delayForFrame(int frame) const {
    const FrameInformation* information = frameAt(frame);
    return information != nullptr ? information->getDelay() : -1;
}

int Sprite::Animation::setNumberOfBBoxes(int frame, int count) {
    FrameInformation* information = frameAt(frame);
    return information != nullptr ? information->setNumberOfBBoxes(count) : PX_FALSE;
}

void Sprite::Animation::setBBoxCoords(int frame, int box, int left, int top, int right,
                                      int bottom) {
    if (FrameInformation* information = frameAt(frame)) {
        information->setBBoxCoords(box, left, top, right, bottom);
    }
}

const BoundingBox* Sprite::Animation::getBBox(int frame, int box) const {
    const FrameInformation* information = frameAt(frame);
    return information != nullptr ? information->getBBox(box) : nullptr;
}

Sprite::Animation::FrameInformation* Sprite::Animation::frameAt(int frame) {
    return const_cast<FrameInformation*>(std::as_const(*this).frameAt(frame));
}

const Sprite::Animation::FrameInformation* Sprite::Animation::frameAt(int frame) const {
    if (frame < 0 || frame >= getNumberOfFrames()) {
        return nullptr;
    }
    return &_frames[static_cast<size_t>(frame)];
}
