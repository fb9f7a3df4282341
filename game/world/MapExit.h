// Map::Exit: a horizontal or vertical segment of a map that leads to a point of another map.
#pragma once

#include "Map.h"

class PXFont;

class Map::Exit {
public:
    // All numbers 0, no orientation and no next map.
    Exit() = default;

    // The anchor point in this map.
    int getX() const { return _x; }
    int getY() const { return _y; }
    void setCoords(int x, int y);
    // The matching anchor point in the next map.
    int getNextMapX() const { return _nextMapX; }
    int getNextMapY() const { return _nextMapY; }
    void setNextMapCoords(int x, int y);
    // The length of a vertical exit; negative values are refused.
    int getHeight() const { return _height; }
    void setHeight(int height);
    // The length of a horizontal exit; negative values are refused.
    int getWidth() const { return _width; }
    void setWidth(int width);
    // Map::kHorizontal or Map::kVertical; other values are refused.
    int getOrientation() const { return _orientation; }
    void setOrientation(int orientation);
    // The plain name of the destination map, or null.
    const char* getNextMap() const;
    // Copies the name; null clears it.
    void setNextMap(const char* name);

    // The segment as an inclusive box: right over the width when horizontal, else down over the
    // height.
    BoundingBox boundingBox() const;
    // The segment shifted by the offset, and with a font its numbers in black beside it.
    void draw(int offsetX, int offsetY, float r, float g, float b, float a, PXFont* font) const;

private:
    int _x = 0;
    int _y = 0;
    int _nextMapX = 0;
    int _nextMapY = 0;
    int _height = 0;
    int _width = 0;
    int _orientation = 0;
    std::optional<std::string> _nextMap;
};
