#include "MapCameraStopper.h"

#include "engine/PXPrimitives.h"
#include "game/core/Globals.h"

#include <cstdlib>

namespace {

constexpr int kTickLength = 10;

} // namespace

void Map::CameraStopper::setPosition(int x, int y) {
    _x = x;
    _y = y;
}

void Map::CameraStopper::setLength(int length) {
    if (length >= 0) {
        _length = length;
    }
}

void Map::CameraStopper::setOrientation(int orientation) {
    if (orientation == kHorizontal) {
        _orientation = orientation;
        _blockDirection = kBlockDown;
    } else if (orientation == kVertical) {
        _orientation = orientation;
        _blockDirection = kBlockLeft;
    }
}

void Map::CameraStopper::setBlockDirection(int direction) {
    const bool vertical = _orientation == kVertical;
    if (direction == kBlockRight || direction == kBlockDown ||
        (direction == kBlockLeft && vertical) || (direction == kBlockUp && !vertical)) {
        _blockDirection = direction;
    }
}

std::optional<int> Map::CameraStopper::cameraPosition(int targetX, int targetY,
                                                      int currentCamera) const {
    // "Along" is the camera axis the stopper acts on, "across" the axis it spans.
    const bool vertical = _orientation == kVertical;
    const long long stopper = vertical ? _x : _y;
    const long long spanStart = vertical ? _y : _x;
    const long long target = vertical ? targetX : targetY;
    const long long across = vertical ? targetY : targetX;
    const long long view = vertical ? SCREEN_W_UNSCALED : SCREEN_H_UNSCALED;
    const long long half = view / 2;
    if (across < spanStart || across > spanStart + _length ||
        std::llabs(stopper - currentCamera) > view) {
        return std::nullopt;
    }
    // A vertical stopper tells only "left" from the rest, a horizontal one only "down".
    const bool keepsViewBefore = _blockDirection == (vertical ? kBlockLeft : kBlockDown);
    if (stopper > target && stopper - half < target) {
        return clampToInt(keepsViewBefore ? stopper - view : stopper - 2 * (stopper - target));
    }
    if (stopper <= target && target <= stopper + half) {
        return clampToInt(keepsViewBefore ? stopper - view + 2 * (target - stopper) : stopper);
    }
    return std::nullopt;
}

BoundingBox Map::CameraStopper::boundingBox() const {
    return segmentBox(_x, _y, _length, _orientation == kHorizontal);
}

void Map::CameraStopper::draw(int cameraX, int cameraY) const {
    const BoundingBox box = boundingBox();
    const int left = box.getLeftBound() - cameraX;
    const int top = box.getTopBound() - cameraY;
    const int right = box.getRightBound() - cameraX;
    const int bottom = box.getBottomBound() - cameraY;
    PXLine(left, top, right, bottom, 0, 0, 1, 1);
    if (_orientation == kVertical) {
        const int middle = top + (bottom - top) / 2;
        const int tick = _blockDirection == kBlockLeft ? -kTickLength : kTickLength;
        PXLine(left, middle, left + tick, middle, 0, 1, 1, 1);
    } else {
        const int middle = left + (right - left) / 2;
        const int tick = _blockDirection == kBlockDown ? -kTickLength : kTickLength;
        PXLine(middle, top, middle, top + tick, 0, 1, 1, 1);
    }
}

void Map::CameraStopper::drawOutline(int cameraX, int cameraY) const {
    const BoundingBox box = boundingBox();
    PXRect(box.getLeftBound() - cameraX - 1, box.getTopBound() - cameraY - 1,
           box.getRightBound() - cameraX + 2, box.getBottomBound() - cameraY + 2, 1, 0, 0, 1);
}
