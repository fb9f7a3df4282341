#include "MapBackground.h"

#include "engine/PXInit.h"
#include "engine/PXTexture.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdlib>

// A rectangle of the image and the screen position it is drawn at; wide, so that no value read
// from a file overflows on the way.
struct Map::Background::Cell {
    long long sourceLeft;
    long long sourceTop;
    long long sourceRight;
    long long sourceBottom;
    long long x;
    long long y;
};

namespace {

// The screen offset of the repeat grid for one axis, wrapped into one region; an exact multiple
// below zero wraps to the full size, not 0.
long long wrappedOffset(int camera, int divisor, long long size) {
    const long long offset = divisor != 0 ? -(static_cast<long long>(camera) / divisor) : 0;
    if (offset < 0) {
        return size - std::llabs(offset % size);
    }
    return offset > size ? offset % size : offset;
}

} // namespace

Map::Background::Background() : _sourceRight(SCREEN_W), _sourceBottom(SCREEN_H) {}

void Map::Background::setImageName(const char* name) {
    _imageName = name != nullptr ? name : "";
}

int Map::Background::loadTexture() {
    _texture = ResourceManager::instance()->texture(_imageName.c_str());
    if (_texture == nullptr) {
        globalLog->write("Unable to load Background image!\n");
        return PX_FALSE;
    }
    return PX_TRUE;
}

void Map::Background::setScrollDivisors(int x, int y) {
    _scrollDivisorX = x;
    _scrollDivisorY = y;
}

void Map::Background::setSourceRegion(int left, int top, int right, int bottom) {
    _sourceLeft = left;
    _sourceTop = top;
    _sourceRight = right;
    _sourceBottom = bottom;
}

bool Map::Background::regionIsDrawable() {
    if (_sourceRight > _sourceLeft && _sourceBottom > _sourceTop) {
        return true;
    }
    if (!_emptyRegionReported) {
        globalLog->write("Background %s has the empty region (%d, %d)-(%d, %d) and is not drawn.\n",
                         _imageName.c_str(), _sourceLeft, _sourceTop, _sourceRight, _sourceBottom);
        _emptyRegionReported = true;
    }
    return false;
}

void Map::Background::draw(int cameraX, int cameraY) {
    if (_texture == nullptr || !regionIsDrawable()) {
        return;
    }
    const long long width = static_cast<long long>(_sourceRight) - _sourceLeft;
    const long long height = static_cast<long long>(_sourceBottom) - _sourceTop;
    const long long fullColumns = SCREEN_W_UNSCALED / width;
    const long long fullRows = SCREEN_H_UNSCALED / height;
    const long long ox = wrappedOffset(cameraX, _scrollDivisorX, width);
    const long long oy = wrappedOffset(cameraY, _scrollDivisorY, height);
    // Partial cells start earlier in the image so that exactly their visible part lands left of
    // and above the first full cell.
    const long long partialLeft = width - ox;
    const long long partialTop = height - oy;
    const long long partialX = ox - (_sourceRight - partialLeft);
    const long long partialY = oy - (_sourceBottom - partialTop);
    const auto full = [&](long long i, long long j) {
        return Cell{_sourceLeft,   _sourceTop,     _sourceRight,
                    _sourceBottom, ox + i * width, oy + j * height};
    };

    _texture->bind();
    glBegin(GL_QUADS);
    if (ox > 0 || oy > 0) {
        drawCell({partialLeft, partialTop, _sourceRight, _sourceBottom, partialX, partialY});
    }
    for (long long i = 0; oy > 0 && i <= fullColumns; i++) {
        drawCell({_sourceLeft, partialTop, _sourceRight, _sourceBottom, ox + i * width, partialY});
    }
    for (long long j = 0; ox > 0 && j <= fullRows; j++) {
        drawCell({partialLeft, _sourceTop, _sourceRight, _sourceBottom, partialX, oy + j * height});
    }
    for (long long j = 0; j < fullRows; j++) {
        for (long long i = 0; i < fullColumns; i++) {
            drawCell(full(i, j));
        }
    }
    for (long long j = 0; fullColumns * width + ox < SCREEN_W && j < fullRows; j++) {
        drawCell(full(fullColumns, j));
    }
    for (long long i = 0; fullRows * height + oy < SCREEN_H && i <= fullColumns; i++) {
        drawCell(full(i, fullRows));
    }
    glEnd();
}

void Map::Background::drawCell(const Cell& cell) const {
    // A cell passing the screen's right or bottom edge loses the part beyond it.
    const long long right = std::min(cell.sourceRight, cell.sourceLeft + SCREEN_W - cell.x);
    const long long bottom = std::min(cell.sourceBottom, cell.sourceTop + SCREEN_H - cell.y);
    if (right <= cell.sourceLeft || bottom <= cell.sourceTop) {
        return;
    }
    _texture->draw(clampToInt(cell.sourceLeft), clampToInt(cell.sourceTop), clampToInt(right),
                   clampToInt(bottom), clampToInt(cell.x), clampToInt(cell.y), 0);
}
