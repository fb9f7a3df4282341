#include "LevelParser.h"

#include "Keywords.h"
#include "SourceText.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"

#include <algorithm>
#include <cctype>

namespace {

// Larger maps are far beyond anything the world needs and would only be typing mistakes.
constexpr int kLargestSideInTiles = 4096;

bool isClassName(const std::string& word) {
    return std::isupper(static_cast<unsigned char>(word[0])) &&
           std::all_of(word.begin(), word.end(), [](char character) {
               return std::isalnum(static_cast<unsigned char>(character));
           });
}

// The box of the border cell.
BoundingBox cellBox(int row, int column) {
    const int left = column * Map::kTileSize;
    const int top = row * Map::kTileSize;
    return BoundingBox(left, top, left + Map::kTileSize - 1, top + Map::kTileSize - 1);
}

} // namespace

LevelParser::LevelParser(std::string file, std::string area, std::string name,
                         const Legends& legends, Diagnostics& diagnostics)
    : _file(std::move(file)), _legends(legends), _diagnostics(diagnostics) {
    _level.file = _file;
    _level.area = std::move(area);
    _level.name = std::move(name);
    _level.map = std::make_unique<Map>();
}

std::optional<Level> LevelParser::parse(std::string_view text) {
    _lines = SourceText::lines(text);
    while (_line < static_cast<int>(_lines.size())) {
        const std::string_view line = _lines[_line++];
        if (line.find('\r') != std::string_view::npos) {
            fail("the line holds a carriage return; level sources use line feeds only");
        } else if (!SourceText::isBlankOrComment(line)) {
            const auto words = SourceText::words(line);
            if (words) {
                parseCommand(*words);
            } else {
                fail("a quote is left open");
            }
        }
    }
    checkComplete();
    if (_failed) {
        return std::nullopt;
    }
    return std::move(_level);
}

void LevelParser::parseCommand(const Words& words) {
    using Command = void (LevelParser::*)(const Words&);
    static const std::map<std::string, Command> kCommands = {
        {"tileset", &LevelParser::tileset},
        {"music", &LevelParser::music},
        {"size", &LevelParser::size},
        {"minimap", &LevelParser::minimap},
        {"start", &LevelParser::start},
        {"weather", &LevelParser::weather},
        {"background", &LevelParser::background},
        {"layer", &LevelParser::layer},
        {"exit", &LevelParser::exit},
        {"water", &LevelParser::water},
        {"stopper", &LevelParser::stopper},
        {"object", &LevelParser::object},
    };
    const auto command = kCommands.find(words[0]);
    if (command == kCommands.end()) {
        fail("unknown keyword '" + words[0] + "'");
        return;
    }
    (this->*command->second)(words);
}

void LevelParser::tileset(const Words& words) {
    if (!hasWords(words, 2, "tileset IMAGE") || !firstTime(words[0])) {
        return;
    }
    const auto legend = _legends.find(words[1]);
    if (legend == _legends.end()) {
        fail("the tileset " + words[1] + " has no legend");
        return;
    }
    _legend = &legend->second;
    _level.map->setTilesetName(words[1].c_str());
}

void LevelParser::music(const Words& words) {
    if (hasWords(words, 2, "music SONG") && firstTime(words[0])) {
        _level.map->setMusicName(words[1].c_str());
    }
}

void LevelParser::size(const Words& words) {
    if (!hasWords(words, 3, "size COLUMNS ROWS") || !firstTime(words[0])) {
        return;
    }
    const std::optional<int> columns = number(words[1], "the number of columns");
    const std::optional<int> rows = number(words[2], "the number of rows");
    if (!columns || !rows) {
        return;
    }
    if (*columns < 1 || *rows < 1 || *columns > kLargestSideInTiles ||
        *rows > kLargestSideInTiles) {
        fail("the size must be 1 to " + std::to_string(kLargestSideInTiles) + " tiles each way");
        return;
    }
    for (int column = 1; column < *columns; column++) {
        _level.map->appendColumn();
    }
    for (int row = 1; row < *rows; row++) {
        _level.map->appendRow();
    }
    _sizeKnown = true;
}

void LevelParser::minimap(const Words& words) {
    if (!hasWords(words, 3, "minimap COLUMN ROW") || !firstTime(words[0])) {
        return;
    }
    const std::optional<int> column = number(words[1], "the minimap column");
    const std::optional<int> row = number(words[2], "the minimap row");
    if (!column || !row) {
        return;
    }
    if (*column < 1 || *row < 1) {
        fail("the minimap cell must be at column 1 or more and row 1 or more");
        return;
    }
    _level.map->setMinimapIndex(*column, *row);
    _level.minimapLine = _line;
}

void LevelParser::start(const Words& words) {
    if (!hasWords(words, 3, "start X Y") || !firstTime(words[0]) || !sizeKnown()) {
        return;
    }
    const std::optional<int> x = pixels(words[1], "the start x");
    const std::optional<int> y = pixels(words[2], "the start y");
    if (x && y && pointInside(*x, *y, "the player start")) {
        _level.map->setPlayerStartPosition(*x, *y);
        _start = {*x, *y};
        _startLine = _line;
    }
}

void LevelParser::weather(const Words& words) {
    if (!hasWords(words, 5, "weather none|snow|rain MINIMUM_DELAY MAXIMUM_DELAY AMOUNT") ||
        !firstTime(words[0])) {
        return;
    }
    const std::optional<int> type = Keywords::valueOf(Keywords::kWeathers, words[1]);
    const std::optional<int> minimum = number(words[2], "the shortest delay");
    const std::optional<int> maximum = number(words[3], "the longest delay");
    const std::optional<int> amount = number(words[4], "the amount");
    if (!type) {
        fail("the weather '" + words[1] + "' is none of none, snow and rain");
    } else if (minimum && maximum && amount) {
        if (*minimum < 0 || *maximum < *minimum || *amount < 0) {
            fail("the delays must run from 0 or more up to a longest delay, the amount 0 or more");
            return;
        }
        _level.map->setParticleParameters(*type, *minimum, *maximum, *amount);
    }
}

void LevelParser::background(const Words& words) {
    if (!hasWords(words, 8, "background IMAGE X_DIVISOR Y_DIVISOR LEFT TOP RIGHT BOTTOM")) {
        return;
    }
    std::vector<int> numbers;
    for (size_t index = 2; index < words.size(); index++) {
        const std::optional<int> value = number(words[index], "a background number");
        if (!value) {
            return;
        }
        numbers.push_back(*value);
    }
    const auto [divisorX, divisorY, left, top, right, bottom] =
        std::tuple(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]);
    if (divisorX < 0 || divisorY < 0 || left < 0 || top < 0 || right <= left || bottom <= top) {
        fail("divisors must be 0 or more and the region's right and bottom beyond its left and "
             "top");
        return;
    }
    auto image = std::make_unique<Map::Background>();
    image->setImageName(words[1].c_str());
    image->setScrollDivisors(divisorX, divisorY);
    image->setSourceRegion(left, top, right, bottom);
    _level.map->addBackground(std::move(image));
}

void LevelParser::layer(const Words& words) {
    if (!hasWords(words, 3, "layer NAME none|BLOCK|UPPER|BLOCK|UPPER") || !sizeKnown()) {
        return;
    }
    const std::optional<int> flags = Keywords::layerFlags(words[2]);
    if (!flags) {
        fail("the layer flags '" + words[2] + "' are none of none, BLOCK, UPPER and BLOCK|UPPER");
        return;
    }
    if (_legend == nullptr) {
        fail("the tileset must be named before the first layer");
        return;
    }
    if (_layers > 0) {
        _level.map->appendLayer();
    }
    const int index = _layers++;
    _level.map->setLayerProperties(index, *flags);
    if ((*flags & Map::kLayerBlock) != 0 && _firstBlockGridLine == 0) {
        _firstBlockGridLine = _line + 1;
    }
    readGrid(index);
}

void LevelParser::readGrid(int layer) {
    const size_t columns = _level.map->getNumberOfColumns();
    const int rows = _level.map->getNumberOfRows();
    std::vector<std::vector<Legend::Entry>> grid;
    for (int row = 0; row < rows; row++) {
        if (_line >= static_cast<int>(_lines.size())) {
            fail("the file ends after " + std::to_string(row) + " of the layer's " +
                 std::to_string(rows) + " rows");
            return;
        }
        std::string problem;
        std::optional<std::vector<Legend::Entry>> cells = _legend->cells(_lines[_line++], problem);
        if (!cells) {
            fail(problem);
        } else if (cells->size() != columns) {
            fail("the row has " + std::to_string(cells->size()) + " cells, the map is " +
                 std::to_string(columns) + " columns wide");
        } else {
            grid.push_back(std::move(*cells));
        }
    }
    if (static_cast<int>(grid.size()) == rows) {
        placeTiles(layer, grid);
    }
}

void LevelParser::placeTiles(int layer, const std::vector<std::vector<Legend::Entry>>& grid) {
    const int rows = static_cast<int>(grid.size());
    const int columns = static_cast<int>(grid.front().size());
    const auto tileAt = [&](int row, int column) { return grid[row][column].tile; };
    for (int row = 0; row < rows; row++) {
        for (int column = 0; column < columns; column++) {
            const Legend::Entry& entry = grid[row][column];
            const int variant =
                entry.automatic ? Legend::neighbourBits(tileAt, rows, columns, row, column) : 0;
            _level.map->setTileAt(layer, row, column, entry.tile + variant);
        }
    }
}

std::optional<LevelParser::Segment> LevelParser::segment(const Words& words,
                                                         const std::string& what) {
    const std::optional<int> orientation = Keywords::valueOf(Keywords::kOrientations, words[1]);
    const std::optional<int> x = pixels(words[2], "the " + what + "'s x");
    const std::optional<int> y = pixels(words[3], "the " + what + "'s y");
    const std::optional<int> length = pixels(words[4], "the " + what + "'s length");
    if (!orientation) {
        fail("the " + what + " orientation '" + words[1] + "' is neither horizontal nor vertical");
        return std::nullopt;
    }
    if (!x || !y || !length) {
        return std::nullopt;
    }
    if (*length < 1) {
        fail("the " + what + " must be at least 1 pixel long");
        return std::nullopt;
    }
    const Segment found{*orientation, *x, *y, *length};
    const bool horizontal = found.horizontal();
    if (!pointInside(*x, *y, "the " + what + "'s start") ||
        !pointInside(*x + (horizontal ? *length : 0), *y + (horizontal ? 0 : *length),
                     "the " + what + "'s end")) {
        return std::nullopt;
    }
    return found;
}

void LevelParser::exit(const Words& words) {
    if (!hasWords(words, 8, "exit horizontal|vertical X Y LENGTH NEXT_MAP NEXT_X NEXT_Y") ||
        !sizeKnown()) {
        return;
    }
    const std::optional<Segment> placed = segment(words, "exit");
    const std::optional<int> nextX = pixels(words[6], "the next map's x");
    const std::optional<int> nextY = pixels(words[7], "the next map's y");
    if (!placed || !nextX || !nextY) {
        return;
    }
    Map::Exit& added = *_level.map->addExit();
    added.setCoords(placed->x, placed->y);
    added.setNextMapCoords(*nextX, *nextY);
    added.setOrientation(placed->orientation);
    if (placed->horizontal()) {
        added.setWidth(placed->length);
    } else {
        added.setHeight(placed->length);
    }
    added.setNextMap(words[5].c_str());
    _level.exitLines.push_back(_line);
}

void LevelParser::water(const Words& words) {
    if (!hasWords(words, 5, "water LEFT TOP RIGHT BOTTOM") || !sizeKnown()) {
        return;
    }
    const std::optional<int> left = pixels(words[1], "the water's left");
    const std::optional<int> top = pixels(words[2], "the water's top");
    const std::optional<int> right = pixels(words[3], "the water's right");
    const std::optional<int> bottom = pixels(words[4], "the water's bottom");
    if (!left || !top || !right || !bottom) {
        return;
    }
    if (*right <= *left || *bottom <= *top) {
        fail("the water's right and bottom must lie beyond its left and top");
        return;
    }
    if (pointInside(*left, *top, "the water's top left") &&
        pointInside(*right, *bottom, "the water's bottom right")) {
        _level.map->addWaterArea()->boundingBox().setBounds(*left, *top, *right, *bottom);
    }
}

void LevelParser::stopper(const Words& words) {
    if (!hasWords(words, 6, "stopper vertical X Y LENGTH left|right, or horizontal ... up|down") ||
        !sizeKnown()) {
        return;
    }
    const std::optional<Segment> placed = segment(words, "stopper");
    if (!placed) {
        return;
    }
    const bool horizontal = placed->horizontal();
    const std::optional<int> block = horizontal
                                         ? Keywords::valueOf(Keywords::kHorizontalBlocks, words[5])
                                         : Keywords::valueOf(Keywords::kVerticalBlocks, words[5]);
    if (!block) {
        fail(std::string("a ") + words[1] + " stopper keeps the view " +
             (horizontal ? "up or down" : "left or right") + ", not '" + words[5] + "'");
        return;
    }
    Map::CameraStopper& added = *_level.map->addCameraStopper();
    added.setPosition(placed->x, placed->y);
    added.setLength(placed->length);
    added.setOrientation(placed->orientation);
    added.setBlockDirection(*block);
}

void LevelParser::object(const Words& words) {
    if (words.size() < 4 || !isClassName(words[1])) {
        fail("expected 'object CLASS X Y [NAME=VALUE...]' with a capitalised class name");
        return;
    }
    if (!sizeKnown()) {
        return;
    }
    const std::optional<int> x = pixels(words[2], "the object's x");
    const std::optional<int> y = pixels(words[3], "the object's y");
    if (!x || !y || !pointInside(*x, *y, "the object")) {
        return;
    }
    ObjectPlacement placement{_line, words[1], *x, *y, {}};
    for (size_t index = 4; index < words.size(); index++) {
        const size_t equals = words[index].find('=');
        if (equals == std::string::npos || equals == 0) {
            fail("the object setting '" + words[index] + "' is not NAME=VALUE");
            return;
        }
        const std::string name = words[index].substr(0, equals);
        const bool repeated =
            std::any_of(placement.settings.begin(), placement.settings.end(),
                        [&name](const auto& setting) { return setting.first == name; });
        if (repeated) {
            fail("the object setting '" + name + "' is given twice");
            return;
        }
        placement.settings.emplace_back(name, words[index].substr(equals + 1));
    }
    _level.objects.push_back(std::move(placement));
}

void LevelParser::checkComplete() {
    _line = 1;
    for (const char* required : {"tileset", "music", "size", "minimap"}) {
        if (_seen.count(required) == 0) {
            fail(std::string("the level has no '") + required + "' line");
        }
    }
    if (_firstBlockGridLine == 0) {
        fail("the level has no BLOCK layer");
    }
    if (!_failed) {
        checkStart();
        checkBorders();
    }
}

void LevelParser::checkStart() {
    if (!_start) {
        return;
    }
    _line = _startLine;
    const auto [x, y] = *_start;
    const BoundingBox body(x + PlayerBody::kLeft, y + PlayerBody::kTop,
                           x + PlayerBody::kLeft + PlayerBody::kWidth - 1,
                           y + PlayerBody::kTop + PlayerBody::kHeight - 1);
    const Map& map = *_level.map;
    if (!boxIsInside(map, body) || boxTouchesSolid(map, body)) {
        fail("the player would start outside the map or inside solid tiles");
    } else if (!map.tileIsBlockedAt((y + PlayerBody::kFrameHeight) / Map::kTileSize,
                                    (x + PlayerBody::kFrameWidth / 2) / Map::kTileSize)) {
        fail("the player would not start on the ground");
    }
}

void LevelParser::checkBorders() {
    const Map& map = *_level.map;
    const int rows = map.getNumberOfRows();
    const int columns = map.getNumberOfColumns();
    const auto crossedByExit = [&](int row, int column) {
        const BoundingBox cell = cellBox(row, column);
        for (int index = 0; index < map.getNumberOfExits(); index++) {
            const BoundingBox segment = map.getExit(index)->boundingBox();
            if (BoundingBox::checkCollision(&segment, &cell)) {
                return true;
            }
        }
        return false;
    };
    for (int row = 0; row < rows; row++) {
        const bool edgeRow = row == 0 || row == rows - 1;
        for (int column = 0; column < columns; column++) {
            const bool edge = edgeRow || column == 0 || column == columns - 1;
            if (edge && !map.tileIsBlockedAt(row, column) && !crossedByExit(row, column)) {
                _line = _firstBlockGridLine + row;
                fail("column " + std::to_string(column + 1) +
                     ": the map's edge is open here, but no exit passes through it");
            }
        }
    }
}

bool LevelParser::hasWords(const Words& words, size_t count, const char* usage) {
    if (words.size() != count) {
        fail(std::string("expected '") + usage + "'");
        return false;
    }
    return true;
}

bool LevelParser::firstTime(const std::string& keyword) {
    const auto [seen, added] = _seen.emplace(keyword, _line);
    if (!added) {
        fail("a second '" + keyword + "' line; the first is line " + std::to_string(seen->second));
    }
    return added;
}

bool LevelParser::sizeKnown() {
    if (!_sizeKnown) {
        fail("the 'size' line must come before this one");
    }
    return _sizeKnown;
}

std::optional<int> LevelParser::number(const std::string& word, const std::string& what) {
    const std::optional<int> value = SourceText::integer(word);
    if (!value) {
        fail(what + " '" + word + "' is not a whole number");
    }
    return value;
}

std::optional<int> LevelParser::pixels(const std::string& word, const std::string& what) {
    const std::optional<int> value = SourceText::pixels(word);
    if (!value) {
        fail(what + " '" + word + "' is not pixels such as 40, 3t or 3t+4");
    }
    return value;
}

bool LevelParser::pointInside(int x, int y, const std::string& what) {
    const Map& map = *_level.map;
    if (x < 0 || y < 0 || x > map.widthInPixels() || y > map.heightInPixels()) {
        fail(what + " (" + std::to_string(x) + ", " + std::to_string(y) +
             ") lies outside the map's " + std::to_string(map.widthInPixels()) + " x " +
             std::to_string(map.heightInPixels()) + " pixels");
        return false;
    }
    return true;
}

void LevelParser::fail(const std::string& message) {
    _diagnostics.error(_file, _line, message);
    _failed = true;
}
