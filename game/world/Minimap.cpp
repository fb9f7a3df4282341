#include "Minimap.h"

#include "engine/PXInit.h"
#include "engine/PXPrimitives.h"
#include "engine/PXTexture.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObjectRecord.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"

#include <GL/gl.h>
#include <new>
#include <string>

Minimap* globalMinimap = nullptr;

namespace {

constexpr const char* kVisitedImageName = "minimapVisited.png";
constexpr const char* kUnvisitedImageName = "minimapUnvisited.png";
constexpr float kCellAlpha = 0.95f;
constexpr float kMarkerStep = 0.02f;

// The image is the minimap's own, not shared through the resource manager's cache.
std::unique_ptr<PXTexture> loadImage(const char* name) {
    const std::string path = ResourceManager::instance()->findFilePath(name);
    if (!path.empty()) {
        try {
            return std::make_unique<PXTexture>(path.c_str());
        } catch (const std::bad_alloc&) {
        }
    }
    globalLog->write("Couldn't load %s\n", name);
    throw std::bad_alloc();
}

} // namespace

Minimap::Minimap()
    : _visitedImage(loadImage(kVisitedImageName)), _unvisitedImage(loadImage(kUnvisitedImageName)) {
}

Minimap::~Minimap() = default;

bool Minimap::insideGrid(int column, int row) {
    return column >= 0 && column < kColumns && row >= 0 && row < kRows;
}

void Minimap::setTileVisited(int column, int row) {
    setTileVisitation(column, row, PX_TRUE);
}

void Minimap::setTileUnvisited(int column, int row) {
    setTileVisitation(column, row, PX_FALSE);
}

void Minimap::setTileVisitation(int column, int row, int value) {
    if (insideGrid(column, row)) {
        _visited[column][row] = value;
    }
}

bool Minimap::isTileVisited(int column, int row) const {
    return insideGrid(column, row) && _visited[column][row] != 0;
}

void Minimap::markAllVisited() {
    for (auto& column : _visited) {
        column.fill(PX_TRUE);
    }
}

void Minimap::markAllUnvisited() {
    _visited = Cells{};
}

void Minimap::setPos(int x, int y) {
    _x = x;
    _y = y;
}

void Minimap::enable() {
    _enabled = PX_TRUE;
}

void Minimap::disable() {
    _enabled = PX_FALSE;
}

void Minimap::reset() {
    markAllUnvisited();
    setPos(0, 0);
}

void Minimap::logic() {
    if (_markerAlpha <= 0.0f) {
        _markerStep = kMarkerStep;
    } else if (_markerAlpha >= 1.0f) {
        _markerStep = -kMarkerStep;
    }
    _markerAlpha += _markerStep;
}

bool Minimap::currentCell(int& column, int& row) {
    const int indexX = globalMap->getMinimapIndexX();
    const int indexY = globalMap->getMinimapIndexY();
    if (indexX <= 0 && indexY <= 0) {
        return false;
    }
    column = indexX + (globalCamera->getXPos() + SCREEN_W_UNSCALED / 2) / SCREEN_W_UNSCALED;
    row = indexY + (globalCamera->getYPos() + SCREEN_H_UNSCALED / 2) / SCREEN_H_UNSCALED;
    return true;
}

void Minimap::visitCurrentCell() {
    int column = 0;
    int row = 0;
    if (currentCell(column, row)) {
        setTileVisited(column, row);
    }
}

void Minimap::draw() {
    if (!_enabled) {
        return;
    }
    drawCells();
    drawMarker();
}

// One batch per image: the visited cells from one, the others from the other.
void Minimap::drawCells() {
    drawCellsFrom(*_visitedImage, true);
    drawCellsFrom(*_unvisitedImage, false);
}

void Minimap::drawCellsFrom(PXTexture& image, bool visited) {
    image.bind();
    glBegin(GL_QUADS);
    for (int row = 0; row < kRows; row++) {
        for (int column = 0; column < kColumns; column++) {
            if ((_visited[column][row] != 0) != visited) {
                continue;
            }
            const int left = column * kCellSize;
            const int top = row * kCellSize;
            image.draw(left, top, left + kCellSize, top + kCellSize, _x + left, _y + top,
                       kCellAlpha, 1.0f, 0, 0, 0);
        }
    }
    glEnd();
}

void Minimap::drawMarker() {
    int column = 0;
    int row = 0;
    if (!currentCell(column, row)) {
        return;
    }
    const int left = _x + column * kCellSize;
    const int top = _y + row * kCellSize;
    PXRect(left, top, left + kCellSize, top + kCellSize, 1.0f, 0.0f, 0.0f, _markerAlpha);
}

bool Minimap::save(FILE* stream) const {
    for (int row = 0; row < kRows; row++) {
        for (int column = 0; column < kColumns; column++) {
            if (!writeRecordInteger(stream, _visited[column][row])) {
                return false;
            }
        }
    }
    return true;
}

bool Minimap::load(FILE* stream) {
    Cells loaded{};
    for (int row = 0; row < kRows; row++) {
        for (int column = 0; column < kColumns; column++) {
            int value = 0;
            if (!readRecordInteger(stream, value)) {
                return false;
            }
            loaded[column][row] = value != 0 ? PX_TRUE : PX_FALSE;
        }
    }
    _visited = loaded;
    return true;
}
