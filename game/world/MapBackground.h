// Map::Background: a region of an image repeated across the screen behind the tiles, scrolling
// by the camera position divided by its divisors.
#pragma once

#include "Map.h"

class Map::Background {
public:
    // No image, divisors 0, region (0, 0)-(SCREEN_W, SCREEN_H).
    Background();

    // The image's name, a lookup key of the resource manager.
    const char* getImageName() const { return _imageName.c_str(); }
    void setImageName(const char* name);
    // Fetches the image named by the image name; false when it cannot be loaded.
    int loadTexture();
    // The image (owned by the resource manager), or null.
    PXTexture* getTexture() const { return _texture; }

    // The background moves by camera position / divisor; 0 keeps it still on that axis.
    int getScrollDivisorX() const { return _scrollDivisorX; }
    int getScrollDivisorY() const { return _scrollDivisorY; }
    void setScrollDivisors(int x, int y);

    // The rectangle of the image that is repeated.
    int getSourceLeft() const { return _sourceLeft; }
    int getSourceTop() const { return _sourceTop; }
    int getSourceRight() const { return _sourceRight; }
    int getSourceBottom() const { return _sourceBottom; }
    void setSourceRegion(int left, int top, int right, int bottom);

    // Covers the logical screen with the region for the camera position; a background without
    // image or with an empty region draws nothing.
    void draw(int cameraX, int cameraY);

    // A region of an image repeated on a grid over a rectangle; offsets, clip sizes and cells
    // are relative to the rectangle's top-left corner. Wide, so that no value read from a file
    // overflows on the way.
    struct Tiling {
        long long sourceLeft;
        long long sourceTop;
        long long sourceRight;
        long long sourceBottom;
        // Where the grid's first full cell starts, already wrapped into one region.
        long long offsetX;
        long long offsetY;
        // How many full cells the rectangle holds across and down.
        long long fullColumns;
        long long fullRows;
        // Pieces reaching past these are cut off.
        long long clipWidth;
        long long clipHeight;
        int cornerX;
        int cornerY;
        float alpha;

        // The partial cells left of and above the grid, the full cells, then one more column and
        // row where the clip size leaves room; the region must not be empty.
        void draw(PXTexture& texture) const;

    private:
        struct Cell;

        void drawCell(PXTexture& texture, const Cell& cell) const;
    };
    // The offset wrapped into one region of the (positive) size; an exact multiple below zero
    // wraps to the full size, not 0.
    static long long wrappedOffset(long long offset, long long size);

private:
    bool regionIsDrawable();

    std::string _imageName;
    PXTexture* _texture = nullptr;
    int _scrollDivisorX = 0;
    int _scrollDivisorY = 0;
    int _sourceLeft = 0;
    int _sourceTop = 0;
    int _sourceRight;
    int _sourceBottom;
    bool _emptyRegionReported = false;
};
