#include "MapBackground.h"

#include "engine/PXInit.h"
#include "engine/PXTexture.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdlib>

// A rectangle of the image and where it is drawn, relative to the tiling's corner.
struct Map::Background::Tiling::Cell {
    long long sourceLeft;
    long long sourceTop;
    long long sourceRight;
    long long sourceBottom;
    long long x;
    long long y;
};

namespace {

// The grid offset of one axis: minus the camera position over the divisor (0 keeps it still).
long long scrollOffset(int camera, int divisor) {
    return divisor != 0 ? -(static_cast<long long>(camera) / divisor) : 0;
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
    Tiling{.sourceLeft = _sourceLeft,
           .sourceTop = _sourceTop,
           .sourceRight = _sourceRight,
           .sourceBottom = _sourceBottom,
           .offsetX = wrappedOffset(scrollOffset(cameraX, _scrollDivisorX), width),
           .offsetY = wrappedOffset(scrollOffset(cameraY, _scrollDivisorY), height),
           .fullColumns = SCREEN_W_UNSCALED / width,
           .fullRows = SCREEN_H_UNSCALED / height,
           .clipWidth = SCREEN_W,
           .clipHeight = SCREEN_H,
           .cornerX = 0,
           .cornerY = 0,
           .alpha = 1.0f}
        .draw(*_texture);
}

long long Map::Background::wrappedOffset(long long offset, long long size) {
    if (offset < 0) {
        return size - std::llabs(offset % size);
    }
    return offset > size ? offset % size : offset;
}

void Map::Background::Tiling::draw(PXTexture& texture) const {
    const long long width = sourceRight - sourceLeft;
    const long long height = sourceBottom - sourceTop;
    // Partial cells start earlier in the image so that exactly their visible part lands left of
    // and above the first full cell.
    const long long partialLeft = width - offsetX;
    const long long partialTop = height - offsetY;
    const long long partialX = offsetX - (sourceRight - partialLeft);
    const long long partialY = offsetY - (sourceBottom - partialTop);
    const auto full = [&](long long i, long long j) {
        return Cell{sourceLeft,   sourceTop,           sourceRight,
                    sourceBottom, offsetX + i * width, offsetY + j * height};
    };
    texture.bind();
    glBegin(GL_QUADS);
    if (offsetX > 0 || offsetY > 0) {
        drawCell(texture, {partialLeft, partialTop, sourceRight, sourceBottom, partialX, partialY});
    }
    for (long long i = 0; offsetY > 0 && i <= fullColumns; i++) {
        drawCell(texture, {sourceLeft, partialTop, sourceRight, sourceBottom, offsetX + i * width,
                           partialY});
    }
    for (long long j = 0; offsetX > 0 && j <= fullRows; j++) {
        drawCell(texture, {partialLeft, sourceTop, sourceRight, sourceBottom, partialX,
                           offsetY + j * height});
    }
    for (long long j = 0; j < fullRows; j++) {
        for (long long i = 0; i < fullColumns; i++) {
            drawCell(texture, full(i, j));
        }
    }
    for (long long j = 0; fullColumns * width + offsetX < clipWidth && j < fullRows; j++) {
        drawCell(texture, full(fullColumns, j));
    }
    for (long long i = 0; fullRows * height + offsetY < clipHeight && i <= fullColumns; i++) {
        drawCell(texture, full(i, fullRows));
    }
    glEnd();
}

void Map::Background::Tiling::drawCell(PXTexture& texture, const Cell& cell) const {
    // A cell passing the clip size's right or bottom edge loses the part beyond it.
    const long long right = std::min(cell.sourceRight, cell.sourceLeft + clipWidth - cell.x);
    const long long bottom = std::min(cell.sourceBottom, cell.sourceTop + clipHeight - cell.y);
    if (right <= cell.sourceLeft || bottom <= cell.sourceTop) {
        return;
    }
    texture.draw(clampToInt(cell.sourceLeft), clampToInt(cell.sourceTop), clampToInt(right),
                 clampToInt(bottom), clampToInt(cornerX + cell.x), clampToInt(cornerY + cell.y),
                 alpha, 1.0f, 0, 0, 0);
}
