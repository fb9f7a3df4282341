#include "MapExit.h"

#include "engine/PXFont.h"
#include "engine/PXPrimitives.h"

void Map::Exit::setCoords(int x, int y) {
    _x = x;
    _y = y;
}

void Map::Exit::setNextMapCoords(int x, int y) {
    _nextMapX = x;
    _nextMapY = y;
}

void Map::Exit::setHeight(int height) {
    if (height >= 0) {
        _height = height;
    }
}

void Map::Exit::setWidth(int width) {
    if (width >= 0) {
        _width = width;
    }
}

void Map::Exit::setOrientation(int orientation) {
    if (orientation == kHorizontal || orientation == kVertical) {
        _orientation = orientation;
    }
}

const char* Map::Exit::getNextMap() const {
    return _nextMap ? _nextMap->c_str() : nullptr;
}

void Map::Exit::setNextMap(const char* name) {
    if (name == nullptr) {
        _nextMap.reset();
    } else if (name != getNextMap()) {
        _nextMap = name;
    }
}

BoundingBox Map::Exit::boundingBox() const {
    const bool horizontal = _orientation == kHorizontal;
    return segmentBox(_x, _y, horizontal ? _width : _height, horizontal);
}

void Map::Exit::draw(int offsetX, int offsetY, float r, float g, float b, float a,
                     PXFont* font) const {
    const BoundingBox box = boundingBox();
    PXLine(box.getLeftBound() + offsetX, box.getTopBound() + offsetY, box.getRightBound() + offsetX,
           box.getBottomBound() + offsetY, r, g, b, a);
    if (font == nullptr) {
        return;
    }
    const int textX = _x + offsetX + 3;
    const int textY = _y + offsetY;
    font->print(textX, textY + 3, 0, 0, 0, 1, "ABS:(%d,%d)", _x, _y);
    if (_orientation == kHorizontal) {
        font->print(textX, textY + 13, 0, 0, 0, 1, "W: %d", _width);
    } else {
        font->print(textX, textY + 13, 0, 0, 0, 1, "H: %d", _height);
    }
    font->print(textX, textY + 23, 0, 0, 0, 1, "Next: %s", _nextMap ? _nextMap->c_str() : "NULL");
    font->print(textX, textY + 33, 0, 0, 0, 1, "NM :(%d,%d)", _nextMapX, _nextMapY);
}
