// Legend: which tile each character of a level grid stands for, read from a tileset's legend
// file. A plain entry names one tile; an automatic entry names the first of 16 tiles, of which
// the compiler picks the one whose edges match the filled neighbours. A grid cell may also give
// its tile by number, "{INDEX}", for tiles no character stands for.
#pragma once

#include "Diagnostics.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class Legend {
public:
    // Neighbour bits of an automatic tile's offset from its first tile.
    static constexpr int kNorth = 1;
    static constexpr int kEast = 2;
    static constexpr int kSouth = 4;
    static constexpr int kWest = 8;
    static constexpr int kAutomaticVariants = 16;
    // 16 x 8 cells of 16 x 16 pixels in a 256 x 128 tileset.
    static constexpr int kTilesetCells = 128;
    // The marks around a numbered cell; no legend character may open one.
    static constexpr char kNumberOpen = '{';
    static constexpr char kNumberClose = '}';

    struct Entry {
        int tile = 0;
        bool automatic = false;
    };

    // The legend in the text; errors go to the diagnostics under the file's name.
    static Legend parse(std::string_view text, const std::string& file, Diagnostics& diagnostics);

    // The entry of a grid character, or null when the legend lacks it.
    const Entry* find(char character) const;

    // The cells of a grid row: a numbered cell is a plain entry of its tile. Nothing when a
    // cell is neither, with the problem and its column.
    std::optional<std::vector<Entry>> cells(std::string_view row, std::string& problem) const;
    // The text of a cell holding the tile with those neighbour bits: the character that
    // compiles to it, or its number.
    std::string cellText(int tile, int neighbourBits) const;

    // The bits of the filled neighbours of a cell in a rows x columns grid: those holding a tile
    // above 0, and those outside the grid.
    template <class TileAt>
    static int neighbourBits(const TileAt& tileAt, int rows, int columns, int row, int column) {
        const auto filled = [&](int r, int c) {
            return r < 0 || c < 0 || r >= rows || c >= columns || tileAt(r, c) > 0;
        };
        return (filled(row - 1, column) ? kNorth : 0) | (filled(row, column + 1) ? kEast : 0) |
               (filled(row + 1, column) ? kSouth : 0) | (filled(row, column - 1) ? kWest : 0);
    }

private:
    std::map<char, Entry> _entries;
};
