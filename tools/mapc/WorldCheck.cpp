#include "WorldCheck.h"

#include "game/core/Globals.h"
#include "game/world/MapExit.h"

#include <array>
#include <map>
#include <string>
#include <utility>

namespace {

constexpr int kMinimapColumns = 40;
constexpr int kMinimapRows = 30;
// One minimap cell per screen of the map.
constexpr int kScreenWidth = SCREEN_W_UNSCALED;
constexpr int kScreenHeight = SCREEN_H_UNSCALED;

std::string describe(const BoundingBox& box) {
    return "(" + std::to_string(box.getLeftBound()) + ", " + std::to_string(box.getTopBound()) +
           ")-(" + std::to_string(box.getRightBound()) + ", " +
           std::to_string(box.getBottomBound()) + ")";
}

BoundingBox bodyAt(int left, int top) {
    return BoundingBox(left, top, left + PlayerBody::kWidth - 1, top + PlayerBody::kHeight - 1);
}

// The player's body touching the exit from inside the map at each end of its segment: the
// extremes of where the player can take it.
std::array<BoundingBox, 2> bodiesTakingExit(const Map& map, const Map::Exit& exit) {
    const int x = exit.getX();
    const int y = exit.getY();
    if (exit.getOrientation() == Map::kVertical) {
        const int left = x < map.widthInPixels() / 2 ? x : x - PlayerBody::kWidth + 1;
        return {bodyAt(left, y), bodyAt(left, y + exit.getHeight() - PlayerBody::kHeight + 1)};
    }
    const int top = y < map.heightInPixels() / 2 ? y : y - PlayerBody::kHeight + 1;
    return {bodyAt(x, top), bodyAt(x + exit.getWidth() - PlayerBody::kWidth + 1, top)};
}

void checkExits(const Level& level, const std::map<std::string, const Level*>& byName,
                Diagnostics& diagnostics) {
    const Map& map = *level.map;
    for (int index = 0; index < map.getNumberOfExits(); index++) {
        const Map::Exit& exit = *map.getExit(index);
        const int line = level.exitLines[index];
        const auto next = byName.find(exit.getNextMap());
        if (next == byName.end()) {
            diagnostics.error(level.file, line,
                              std::string("the exit leads to ") + exit.getNextMap() +
                                  ", which no level source makes");
            continue;
        }
        const Map& destination = *next->second->map;
        for (const BoundingBox& body : bodiesTakingExit(map, exit)) {
            const BoundingBox landed =
                body.movedBy(exit.getNextMapX() - exit.getX(), exit.getNextMapY() - exit.getY());
            if (!boxIsInside(destination, landed) || boxTouchesSolid(destination, landed)) {
                diagnostics.error(level.file, line,
                                  "the player leaving at " + describe(body) + " lands at " +
                                      describe(landed) + " in " + next->first +
                                      ", outside it or inside solid tiles");
            }
        }
    }
}

void claimMinimapCells(const Level& level, std::map<std::pair<int, int>, std::string>& claimed,
                       Diagnostics& diagnostics) {
    const Map& map = *level.map;
    const int columns = (map.widthInPixels() + kScreenWidth - 1) / kScreenWidth;
    const int rows = (map.heightInPixels() + kScreenHeight - 1) / kScreenHeight;
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            const int x = map.getMinimapIndexX() + column;
            const int y = map.getMinimapIndexY() + row;
            const std::string cell = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
            if (x >= kMinimapColumns || y >= kMinimapRows) {
                diagnostics.error(level.file, level.minimapLine,
                                  "the minimap cell " + cell + " lies outside the 40 x 30 minimap");
            }
            const auto [owner, added] = claimed.emplace(std::pair(x, y), level.name);
            if (!added) {
                diagnostics.error(level.file, level.minimapLine,
                                  "the minimap cell " + cell + " is " + owner->second + "'s too");
            }
        }
    }
}

} // namespace

void checkWorld(const std::vector<Level>& levels, Diagnostics& diagnostics) {
    std::map<std::string, const Level*> byName;
    for (const Level& level : levels) {
        const auto [first, added] = byName.emplace(level.name, &level);
        if (!added) {
            diagnostics.error(level.file, 1,
                              "the map name " + level.name + " is " + first->second->file +
                                  "'s too");
        }
    }
    std::map<std::pair<int, int>, std::string> claimed;
    for (const Level& level : levels) {
        checkExits(level, byName, diagnostics);
        claimMinimapCells(level, claimed, diagnostics);
    }
}
