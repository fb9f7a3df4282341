// Legend: which tile each character of a level grid stands for, read from a tileset's legend
// file. A plain entry names one tile; an automatic entry names the first of 16 tiles, of which
// the compiler picks the one whose edges match the filled neighbours.
#pragma once

#include "Diagnostics.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

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

    struct Entry {
        int tile = 0;
        bool automatic = false;
    };

    // The legend in the text; errors go to the diagnostics under the file's name.
    static Legend parse(std::string_view text, const std::string& file, Diagnostics& diagnostics);

    // The entry of a grid character, or null when the legend lacks it.
    const Entry* find(char character) const;

private:
    std::map<char, Entry> _entries;
};
