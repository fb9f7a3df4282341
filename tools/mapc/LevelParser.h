// LevelParser: turns one level source (see assets/maps/README.md) into a Map, reporting every
// mistake with its file and line.
#pragma once

#include "Diagnostics.h"
#include "Legend.h"
#include "Level.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class LevelParser {
public:
    // The legends by tileset image name.
    using Legends = std::map<std::string, Legend>;

    // The file names the source in messages; area and name become the level's.
    LevelParser(std::string file, std::string area, std::string name, const Legends& legends,
                Diagnostics& diagnostics);

    // The level, or nothing when the source has errors (each reported).
    std::optional<Level> parse(std::string_view text);

private:
    using Words = std::vector<std::string>;

    // An exit's or stopper's line: orientation, start and length.
    struct Segment {
        int orientation;
        int x;
        int y;
        int length;
        bool horizontal() const { return orientation == Map::kHorizontal; }
    };

    void parseCommand(const Words& words);
    void tileset(const Words& words);
    void music(const Words& words);
    void size(const Words& words);
    void minimap(const Words& words);
    void start(const Words& words);
    void weather(const Words& words);
    void background(const Words& words);
    void layer(const Words& words);
    void exit(const Words& words);
    void water(const Words& words);
    void stopper(const Words& words);
    void object(const Words& words);

    // The orientation, start and length of an exit or stopper line (words 1 to 4), with both
    // ends inside the map; nothing (reported) when any is wrong.
    std::optional<Segment> segment(const Words& words, const std::string& what);
    // Reads the grid of rows after a layer line into the layer.
    void readGrid(int layer);
    // Fills the layer's tiles from its cells, choosing each automatic tile's variant.
    void placeTiles(int layer, const std::vector<std::vector<Legend::Entry>>& grid);
    // Final checks that need the whole level: required lines, the start and the borders.
    void checkComplete();
    void checkStart();
    void checkBorders();

    // Reports the line's usage unless it has exactly the given number of words.
    bool hasWords(const Words& words, size_t count, const char* usage);
    // Reports and refuses a second line of a keyword that may appear once.
    bool firstTime(const std::string& keyword);
    // Reports and refuses a line that needs the map's size before it is known.
    bool sizeKnown();
    // Numbers from words; on a bad word it reports what was expected and gives nothing.
    std::optional<int> number(const std::string& word, const std::string& what);
    std::optional<int> pixels(const std::string& word, const std::string& what);
    // True when the point lies within the map (edges included); else reported.
    bool pointInside(int x, int y, const std::string& what);
    void fail(const std::string& message);

    std::string _file;
    const Legends& _legends;
    Diagnostics& _diagnostics;
    Level _level;
    const Legend* _legend = nullptr;
    std::vector<std::string_view> _lines;
    // The 1-based number of the line being read.
    int _line = 0;
    std::map<std::string, int> _seen;
    bool _sizeKnown = false;
    int _layers = 0;
    // The line of the first BLOCK layer's top row, where edge problems are reported.
    int _firstBlockGridLine = 0;
    std::optional<std::pair<int, int>> _start;
    int _startLine = 0;
    bool _failed = false;
};
