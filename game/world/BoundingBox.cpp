#include "BoundingBox.h"

#include "engine/PXInit.h"

BoundingBox::BoundingBox(int left, int top, int right, int bottom)
    : _left(left), _top(top), _right(right), _bottom(bottom) {}

void BoundingBox::setBounds(int left, int top, int right, int bottom) {
    _left = left;
    _top = top;
    _right = right;
    _bottom = bottom;
}

int BoundingBox::checkCollision(const BoundingBox* a, const BoundingBox* b) {
    const bool apart = a->_bottom < b->_top || a->_top > b->_bottom || a->_right < b->_left ||
                       a->_left > b->_right;
    return apart ? PX_FALSE : PX_TRUE;
}
