#include "BoundingBox.h"

#include "engine/PXInit.h"
#include "engine/PXPrimitives.h"

#include <cstdio>

BoundingBox::BoundingBox(int left, int top, int right, int bottom)
    : _left(left), _top(top), _right(right), _bottom(bottom) {}

void BoundingBox::setBounds(int left, int top, int right, int bottom) {
    _left = left;
    _top = top;
    _right = right;
    _bottom = bottom;
}

BoundingBox BoundingBox::movedBy(int dx, int dy) const {
    return BoundingBox(_left + dx, _top + dy, _right + dx, _bottom + dy);
}

BoundingBox BoundingBox::columnLeftOf(int distance) const {
    return BoundingBox(_left - distance, _top, _left - distance, _bottom);
}

BoundingBox BoundingBox::columnRightOf(int distance) const {
    return BoundingBox(_right + distance, _top, _right + distance, _bottom);
}

BoundingBox BoundingBox::rowAbove(int distance) const {
    return BoundingBox(_left, _top - distance, _right, _top - distance);
}

BoundingBox BoundingBox::rowBelow(int distance) const {
    return BoundingBox(_left, _bottom + distance, _right, _bottom + distance);
}

BoundingBox BoundingBox::withoutBottomRows(int rows) const {
    const int bottom = _bottom - rows;
    return BoundingBox(_left, _top, _right, bottom < _top ? _bottom : bottom);
}

int BoundingBox::checkCollision(const BoundingBox* a, const BoundingBox* b) {
    const bool apart = a->_bottom < b->_top || a->_top > b->_bottom || a->_right < b->_left ||
                       a->_left > b->_right;
    return apart ? PX_FALSE : PX_TRUE;
}

void BoundingBox::draw(int offsetX, int offsetY, float r, float g, float b, float a) const {
    PXRect(_left + offsetX, _top + offsetY, _right + offsetX, _bottom + offsetY, r, g, b, a);
}

void BoundingBox::draw(float r, float g, float b, float a) const {
    draw(0, 0, r, g, b, a);
}

void BoundingBox::print() const {
    printf("(%d, %d), (%d, %d)\n", _left, _top, _right, _bottom);
}
