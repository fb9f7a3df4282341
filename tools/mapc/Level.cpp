#include "Level.h"

bool boxIsInside(const Map& map, const BoundingBox& box) {
    return box.getLeftBound() >= 0 && box.getTopBound() >= 0 &&
           box.getRightBound() < map.widthInPixels() && box.getBottomBound() < map.heightInPixels();
}

bool boxTouchesSolid(const Map& map, const BoundingBox& box) {
    for (int row = box.getTopBound() / Map::kTileSize; row <= box.getBottomBound() / Map::kTileSize;
         row++) {
        for (int column = box.getLeftBound() / Map::kTileSize;
             column <= box.getRightBound() / Map::kTileSize; column++) {
            if (map.tileIsBlockedAt(row, column)) {
                return true;
            }
        }
    }
    return false;
}
