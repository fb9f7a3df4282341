#include "AnimationFrameInformation.h"

#include "engine/PXInit.h"

#include <new>

void Sprite::Animation::FrameInformation::setCoords(int left, int top, int right, int bottom,
                                                    int xOffset, int yOffset) {
    _coordinates = {left, top, right, bottom, xOffset, yOffset};
}

void Sprite::Animation::FrameInformation::getCoords(int& left, int& top, int& right, int& bottom,
                                                    int& xOffset, int& yOffset) const {
    left = _coordinates[0];
    top = _coordinates[1];
    right = _coordinates[2];
    bottom = _coordinates[3];
    xOffset = _coordinates[4];
    yOffset = _coordinates[5];
}

int Sprite::Animation::FrameInformation::setNumberOfBBoxes(int count) {
    if (count < 0 || count > kMaximumBoxes) {
        return PX_FALSE;
    }
    try {
        std::vector<BoundingBox> boxes(static_cast<size_t>(count));
        _bBoxes.swap(boxes);
    } catch (const std::bad_alloc&) {
        return PX_FALSE;
    }
    return PX_TRUE;
}

void Sprite::Animation::FrameInformation::setBBoxCoords(int box, int left, int top, int right,
                                                        int bottom) {
    if (hasBox(box)) {
        _bBoxes[static_cast<size_t>(box)].setBounds(left, top, right, bottom);
    }
}

const BoundingBox* Sprite::Animation::FrameInformation::getBBox(int box) const {
    return hasBox(box) ? &_bBoxes[static_cast<size_t>(box)] : nullptr;
}

bool Sprite::Animation::FrameInformation::hasBox(int box) const {
    return box >= 0 && box < static_cast<int>(_bBoxes.size());
}
