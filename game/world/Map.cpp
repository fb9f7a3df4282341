#include "Map.h"

#include "Letterbox.h"
#include "MapBackground.h"
#include "MapCameraStopper.h"
#include "MapExit.h"
#include "MapWater.h"
#include "MusicPlayer.h"
#include "ParticleGenerator.h"
#include "engine/PXAtomicFile.h"
#include "engine/PXFileSystem.h"
#include "engine/PXInit.h"
#include "engine/PXTexture.h"
#include "game/core/Globals.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/objects/WorldObjectVector.h"

#include <GL/gl.h>
#include <algorithm>
#include <array>
#include <climits>
#include <cstdarg>
#include <cstring>
#include <new>

namespace {

constexpr long long kIntegerBytes = 4;
// Longest string a map file may hold, terminator included.
constexpr int kStringBytesLimit = 4096;
// The fewest bytes each record of a section can take, to refuse counts the file cannot hold.
constexpr long long kBackgroundBytes = 7 * kIntegerBytes + 1;
constexpr long long kExitBytes = 8 * kIntegerBytes;
constexpr long long kWaterAreaBytes = 4 * kIntegerBytes;
constexpr long long kCameraStopperBytes = 5 * kIntegerBytes;
// Rows and columns beyond this would overflow the map's size in pixels.
constexpr int kCellsLimit = INT_MAX / Map::kTileSize;

// The map's song differs from the playing one when it does not begin with the playing one's
// name, or when the map has none.
bool songDiffers(const char* mapSong, const char* playing) {
    if (playing == nullptr) {
        return false;
    }
    return mapSong == nullptr || std::strncmp(mapSong, playing, std::strlen(playing)) != 0;
}

// The length field of an absent string: 0 for the map's names, -1 for an exit's next map.
constexpr int kNoNameLength = 0;
constexpr int kNoNextMapLength = -1;

const char* cString(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

std::string limitedName(const char* name) {
    return std::string(name, strnlen(name, Map::kNameLimit - 1));
}

std::string plainName(const char* path) {
    const char* slash = strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

void putIntegers(FILE* stream, std::initializer_list<int> values) {
    for (const int value : values) {
        PXPutL(value, stream);
    }
}

void putString(FILE* stream, const char* text, int noStringLength) {
    if (text == nullptr) {
        PXPutL(noStringLength, stream);
        return;
    }
    const size_t bytes = strlen(text) + 1;
    PXPutL(static_cast<long>(bytes), stream);
    fwrite(text, 1, bytes, stream);
}

// Where the tile's square starts in the tileset; false when it lies outside the image.
bool tileSource(const PXTexture& tileset, int tile, int& sourceX, int& sourceY) {
    const int tilesPerRow = tileset.w() / Map::kTileSize;
    const long long x = static_cast<long long>(tile % tilesPerRow) * Map::kTileSize;
    const long long y = static_cast<long long>(tile / tilesPerRow) * Map::kTileSize;
    if (x >= tileset.w() || y >= tileset.h()) {
        return false;
    }
    sourceX = static_cast<int>(x);
    sourceY = static_cast<int>(y);
    return true;
}

} // namespace

// Reads a map file within the bytes it holds, so that no length or count can make it read or
// allocate beyond them; every refusal logs one line naming what was wrong.
class Map::FileReader {
public:
    FileReader(FILE* stream, long long bytes, const char* path)
        : _stream(stream), _bytesLeft(bytes), _path(path) {}

    bool integer(int& value, const char* what) {
        if (_bytesLeft < kIntegerBytes) {
            return fail("the file ends inside the %s.\n", what);
        }
        value = static_cast<int>(PXGetL(_stream));
        _bytesLeft -= kIntegerBytes;
        return true;
    }

    template <size_t N> bool integers(std::array<int, N>& values, const char* what) {
        for (int& value : values) {
            if (!integer(value, what)) {
                return false;
            }
        }
        return true;
    }

    // A string; a length field equal to noStringLength, when one is given, stands for none.
    bool string(std::optional<std::string>& text, std::optional<int> noStringLength,
                const char* what) {
        int length = 0;
        if (!integer(length, what)) {
            return false;
        }
        if (length == noStringLength) {
            text.reset();
            return true;
        }
        if (length < 1 || length > kStringBytesLimit) {
            return fail("the %s length %d is outside 1..%d.\n", what, length, kStringBytesLimit);
        }
        if (length > _bytesLeft) {
            return fail("the %s length %d passes the end of the file.\n", what, length);
        }
        std::vector<char> bytes(length);
        if (fread(bytes.data(), 1, bytes.size(), _stream) != bytes.size()) {
            return fail("the %s cannot be read.\n", what);
        }
        _bytesLeft -= length;
        bytes.back() = '\0';
        text = bytes.data();
        return true;
    }

    // A section's record count; 0 or less is an empty section.
    bool count(int& count, long long recordBytes, const char* what) {
        if (!integer(count, what)) {
            return false;
        }
        count = std::max(count, 0);
        if (count * recordBytes > _bytesLeft) {
            return fail("the %s %d does not fit in the %lld bytes left.\n", what, count,
                        _bytesLeft);
        }
        return true;
    }

    bool dimension(int& value, int limit, const char* what) {
        if (!integer(value, what)) {
            return false;
        }
        if (value < 1 || value > limit) {
            return fail("the %s %d is outside 1..%d.\n", what, value, limit);
        }
        return true;
    }

    // Each layer holds its flags and rows x columns tiles.
    bool tileDataFits(int layers, int rows, int columns) {
        const long long layerBytes = (1 + static_cast<long long>(rows) * columns) * kIntegerBytes;
        if (layerBytes > _bytesLeft / layers) {
            return fail("%d layers of %d x %d tiles do not fit in the %lld bytes left.\n", layers,
                        rows, columns, _bytesLeft);
        }
        return true;
    }

    // A stored -1 and the end of the file read alike, so the stream itself is asked.
    bool sectionEnd(const char* section) {
        if (ferror(_stream)) {
            return fail("reading the %s failed.\n", section);
        }
        if (feof(_stream)) {
            return fail("the file ends inside the %s.\n", section);
        }
        return true;
    }

    [[gnu::format(printf, 2, 3)]] bool fail(const char* format, ...) {
        char reason[256];
        va_list arguments;
        va_start(arguments, format);
        vsnprintf(reason, sizeof reason, format, arguments);
        va_end(arguments);
        globalLog->write("Error loading map %s: %s", _path, reason);
        return false;
    }

private:
    FILE* _stream;
    long long _bytesLeft;
    const char* _path;
};

template <class T> T* Map::OwnedList<T>::add() {
    try {
        _items.push_back(std::make_unique<T>());
    } catch (const std::bad_alloc&) {
        globalLog->write("%s", _allocationFailure);
        throw;
    }
    return _items.back().get();
}

template <class T> int Map::OwnedList<T>::add(std::unique_ptr<T> item) {
    if (item == nullptr) {
        return PX_FALSE;
    }
    _items.push_back(std::move(item));
    return PX_TRUE;
}

template <class T> T* Map::OwnedList<T>::at(int index) const {
    return contains(index) ? _items[index].get() : nullptr;
}

template <class T> void Map::OwnedList<T>::remove(int index) {
    if (contains(index)) {
        _items.erase(_items.begin() + index);
    }
}

Map::Map()
    : _layers(1, Layer(1, std::vector<int>(1, 0))), _layerFlags(1, 0),
      _backgrounds("Unable to instantiate background.\n"),
      _exits("Unable to instantiate map exit.\n"),
      _waterAreas("Unable to instantiate water area.\n"),
      _cameraStoppers("Unable to instantiate camera stopper.\n") {}

Map::~Map() = default;

Map* globalMap = nullptr;

Map& Map::operator=(Map&& parsed) = default;

int Map::load(const char* path) {
    const PXFileHandle stream = PXOpenFile(path, "rb");
    if (stream == nullptr) {
        globalLog->write("Couldn't open the map file %s.\n", path);
        return PX_FALSE;
    }
    return loadFromStream(stream.get(), path);
}

int Map::loadFromStream(FILE* stream, const char* path) {
    try {
        const std::optional<long> bytes = PXBytesLeft(stream);
        if (!bytes) {
            globalLog->write("Error loading map %s: its size cannot be found.\n", path);
            return PX_FALSE;
        }
        FileReader reader(stream, *bytes, path);
        Map parsed;
        // A version-1 file holds no player start and keeps the current one.
        parsed.setPlayerStartPosition(_playerStartX, _playerStartY);
        if (!parsed.readContent(reader)) {
            return PX_FALSE;
        }
        parsed._filename = plainName(path);
        *this = std::move(parsed);
    } catch (const std::bad_alloc&) {
        globalLog->write("Couldn't allocate memory for the map %s; the previous map is kept.\n",
                         path);
        return PX_FALSE;
    }
    if (_tilesetName) {
        loadTileset();
    }
    rebuildWorldObjectVector();
    handOverMusic();
    restartWeatherAndHideLetterbox();
    return PX_TRUE;
}

void Map::rebuildWorldObjectVector() const {
    if (this == globalMap) {
        recreateMapSpecificWorldObjectVector(getFilename());
    }
}

void Map::handOverMusic() const {
    if (this != globalMap || globalMusicPlayer == nullptr || !globalMusicPlayer->isPlaying()) {
        return;
    }
    if (songDiffers(getMusicName(), globalMusicPlayer->currentFilename())) {
        globalMusicPlayer->fadeOutOverDuration(MusicPlayer::kSongFadeSeconds, getMusicName());
    } else if (globalMusicPlayer->isFadingOut()) {
        globalMusicPlayer->fadeInOverDuration(MusicPlayer::kSongFadeSeconds, PX_FALSE);
    }
}

void Map::restartWeatherAndHideLetterbox() const {
    if (this != globalMap) {
        return;
    }
    if (globalParticleGenerator != nullptr) {
        globalParticleGenerator->setParameters(_particleType, _particleDelayMin, _particleDelayMax,
                                               _particleGenerationAmount);
    }
    Letterbox::instance()->instantOff();
}

bool Map::readContent(FileReader& reader) {
    int version = 0;
    return reader.integer(version, "version") && readNames(reader) && readBackgrounds(reader) &&
           readLayers(reader) && readExits(reader) && readWaterAreas(reader) &&
           readCameraStoppers(reader) && readSettings(reader, version);
}

bool Map::readNames(FileReader& reader) {
    return reader.string(_tilesetName, kNoNameLength, "tileset name") &&
           reader.string(_musicName, kNoNameLength, "music name") && reader.sectionEnd("names");
}

bool Map::readBackgrounds(FileReader& reader) {
    int count = 0;
    if (!reader.count(count, kBackgroundBytes, "background count")) {
        return false;
    }
    for (int index = 0; index < count; index++) {
        std::array<int, 6> numbers{};
        std::optional<std::string> name;
        if (!reader.integers(numbers, "background") ||
            !reader.string(name, std::nullopt, "background image name")) {
            return false;
        }
        auto background = std::make_unique<Background>();
        background->setScrollDivisors(numbers[0], numbers[1]);
        background->setSourceRegion(numbers[2], numbers[3], numbers[4], numbers[5]);
        background->setImageName(name->c_str());
        if (!background->loadTexture()) {
            return reader.fail("the background image %s cannot be loaded.\n", name->c_str());
        }
        _backgrounds.add(std::move(background));
    }
    return reader.sectionEnd("backgrounds");
}

bool Map::readLayers(FileReader& reader) {
    int layers = 0;
    int rows = 0;
    int columns = 0;
    if (!reader.dimension(layers, INT_MAX, "number of layers") ||
        !reader.dimension(rows, kCellsLimit, "number of rows") ||
        !reader.dimension(columns, kCellsLimit, "number of columns") ||
        !reader.tileDataFits(layers, rows, columns)) {
        return false;
    }
    std::vector<Layer> tiles(layers, Layer(rows, std::vector<int>(columns)));
    std::vector<int> flags(layers);
    for (int layer = 0; layer < layers; layer++) {
        if (!reader.integer(flags[layer], "layer flags")) {
            return false;
        }
        for (std::vector<int>& row : tiles[layer]) {
            for (int& tile : row) {
                if (!reader.integer(tile, "tiles")) {
                    return false;
                }
            }
        }
    }
    _layers = std::move(tiles);
    _layerFlags = std::move(flags);
    return reader.sectionEnd("tile layers");
}

bool Map::readExits(FileReader& reader) {
    int count = 0;
    if (!reader.count(count, kExitBytes, "exit count")) {
        return false;
    }
    for (int index = 0; index < count; index++) {
        std::array<int, 7> numbers{};
        std::optional<std::string> nextMap;
        if (!reader.integers(numbers, "exit") ||
            !reader.string(nextMap, kNoNextMapLength, "exit's next map name")) {
            return false;
        }
        // Through the setters, so that stored values they refuse are refused here too.
        Exit* exit = _exits.add();
        exit->setCoords(numbers[0], numbers[1]);
        exit->setNextMapCoords(numbers[2], numbers[3]);
        exit->setHeight(numbers[4]);
        exit->setWidth(numbers[5]);
        exit->setOrientation(numbers[6]);
        exit->setNextMap(cString(nextMap));
    }
    return reader.sectionEnd("exits");
}

bool Map::readWaterAreas(FileReader& reader) {
    int count = 0;
    if (!reader.count(count, kWaterAreaBytes, "water area count")) {
        return false;
    }
    for (int index = 0; index < count; index++) {
        std::array<int, 4> leftRightTopBottom{};
        if (!reader.integers(leftRightTopBottom, "water area")) {
            return false;
        }
        const auto [left, right, top, bottom] = leftRightTopBottom;
        _waterAreas.add()->boundingBox().setBounds(left, top, right, bottom);
    }
    return reader.sectionEnd("water areas");
}

bool Map::readCameraStoppers(FileReader& reader) {
    int count = 0;
    if (!reader.count(count, kCameraStopperBytes, "camera stopper count")) {
        return false;
    }
    for (int index = 0; index < count; index++) {
        std::array<int, 5> numbers{};
        if (!reader.integers(numbers, "camera stopper")) {
            return false;
        }
        // In this order, so that the block direction is checked against the orientation.
        CameraStopper* stopper = _cameraStoppers.add();
        stopper->setPosition(numbers[0], numbers[1]);
        stopper->setLength(numbers[2]);
        stopper->setOrientation(numbers[3]);
        stopper->setBlockDirection(numbers[4]);
    }
    return reader.sectionEnd("camera stoppers");
}

bool Map::readSettings(FileReader& reader, int version) {
    std::array<int, 4> particles{};
    std::array<int, 2> minimap{};
    std::array<int, 2> playerStart = {_playerStartX, _playerStartY};
    if (!reader.integers(particles, "particle settings") ||
        !reader.integers(minimap, "minimap index") ||
        (version > 1 && !reader.integers(playerStart, "player start")) ||
        !reader.sectionEnd("settings")) {
        return false;
    }
    setParticleParameters(particles[0], particles[1], particles[2], particles[3]);
    setMinimapIndex(minimap[0], minimap[1]);
    setPlayerStartPosition(playerStart[0], playerStart[1]);
    return true;
}

int Map::save(const char* path) {
    PXAtomicFile file(path);
    if (file.stream() == nullptr) {
        globalLog->write("Couldn't create the map file %s.\n", path);
        return PX_FALSE;
    }
    if (!saveToStream(file.stream()) || !file.commit()) {
        globalLog->write("Couldn't write the map file %s; the previous file is kept.\n", path);
        return PX_FALSE;
    }
    _filename = plainName(path);
    return PX_TRUE;
}

int Map::saveToStream(FILE* stream) const {
    PXPutL(kVersion, stream);
    putString(stream, getTilesetName(), kNoNameLength);
    putString(stream, getMusicName(), kNoNameLength);
    writeBackgrounds(stream);
    writeLayers(stream);
    writeExits(stream);
    writeWaterAreas(stream);
    writeCameraStoppers(stream);
    writeSettings(stream);
    return ferror(stream) ? PX_FALSE : PX_TRUE;
}

void Map::writeBackgrounds(FILE* stream) const {
    PXPutL(_backgrounds.size(), stream);
    for (const auto& background : _backgrounds) {
        putIntegers(stream, {background->getScrollDivisorX(), background->getScrollDivisorY(),
                             background->getSourceLeft(), background->getSourceTop(),
                             background->getSourceRight(), background->getSourceBottom()});
        putString(stream, background->getImageName(), kNoNameLength);
    }
}

void Map::writeLayers(FILE* stream) const {
    putIntegers(stream, {getNumberOfLayers(), getNumberOfRows(), getNumberOfColumns()});
    for (int layer = 0; layer < getNumberOfLayers(); layer++) {
        PXPutL(_layerFlags[layer], stream);
        for (const std::vector<int>& row : _layers[layer]) {
            for (const int tile : row) {
                PXPutL(tile, stream);
            }
        }
    }
}

void Map::writeExits(FILE* stream) const {
    PXPutL(_exits.size(), stream);
    for (const auto& exit : _exits) {
        putIntegers(stream, {exit->getX(), exit->getY(), exit->getNextMapX(), exit->getNextMapY(),
                             exit->getHeight(), exit->getWidth(), exit->getOrientation()});
        putString(stream, exit->getNextMap(), kNoNextMapLength);
    }
}

void Map::writeWaterAreas(FILE* stream) const {
    PXPutL(_waterAreas.size(), stream);
    for (const auto& area : _waterAreas) {
        const BoundingBox& box = area->boundingBox();
        putIntegers(stream, {box.getLeftBound(), box.getRightBound(), box.getTopBound(),
                             box.getBottomBound()});
    }
}

void Map::writeCameraStoppers(FILE* stream) const {
    PXPutL(_cameraStoppers.size(), stream);
    for (const auto& stopper : _cameraStoppers) {
        putIntegers(stream, {stopper->getX(), stopper->getY(), stopper->getLength(),
                             stopper->getOrientation(), stopper->getBlockDirection()});
    }
}

void Map::writeSettings(FILE* stream) const {
    putIntegers(stream,
                {_particleType, _particleDelayMin, _particleDelayMax, _particleGenerationAmount,
                 _minimapIndexX, _minimapIndexY, _playerStartX, _playerStartY});
}

const char* Map::getFilename() const {
    return cString(_filename);
}

int Map::getNumberOfLayers() const {
    return static_cast<int>(_layers.size());
}

int Map::getNumberOfRows() const {
    return static_cast<int>(_layers.front().size());
}

int Map::getNumberOfColumns() const {
    return static_cast<int>(_layers.front().front().size());
}

int Map::widthInPixels() const {
    return getNumberOfColumns() * kTileSize;
}

int Map::heightInPixels() const {
    return getNumberOfRows() * kTileSize;
}

bool Map::contains(int layer, int row, int column) const {
    return layer >= 0 && layer < getNumberOfLayers() && row >= 0 && row < getNumberOfRows() &&
           column >= 0 && column < getNumberOfColumns();
}

int Map::getTileAt(int layer, int row, int column) const {
    return contains(layer, row, column) ? _layers[layer][row][column] : -1;
}

void Map::setTileAt(int layer, int row, int column, int value) {
    if (contains(layer, row, column)) {
        _layers[layer][row][column] = value;
    }
}

int Map::getLayerProperties(int layer) const {
    return contains(layer, 0, 0) ? _layerFlags[layer] : 0;
}

void Map::setLayerProperties(int layer, int flags) {
    if (contains(layer, 0, 0)) {
        _layerFlags[layer] = flags;
    }
}

bool Map::blocks(int layer, int row, int column) const {
    return (_layerFlags[layer] & kLayerBlock) != 0 && _layers[layer][row][column] > 0;
}

int Map::tileIsBlockedAt(int row, int column) const {
    for (int layer = 0; contains(layer, row, column); layer++) {
        if (blocks(layer, row, column)) {
            return PX_TRUE;
        }
    }
    return PX_FALSE;
}

int Map::tileIsPixelPerfectBlockedAt(int row, int column, int pixelX, int pixelY) const {
    PXTexture* tileset = usableTileset();
    if (tileset == nullptr) {
        return tileIsBlockedAt(row, column);
    }
    for (int layer = 0; contains(layer, row, column); layer++) {
        int sourceX = 0;
        int sourceY = 0;
        if (!blocks(layer, row, column) ||
            !tileSource(*tileset, _layers[layer][row][column], sourceX, sourceY)) {
            continue;
        }
        float r = 0;
        float g = 0;
        float b = 0;
        float a = 0;
        tileset->getPixel(clampToInt(static_cast<long long>(sourceX) + pixelX),
                          clampToInt(static_cast<long long>(sourceY) + pixelY), r, g, b, a,
                          PX_TRUE);
        if (a > 0) {
            return PX_TRUE;
        }
    }
    return PX_FALSE;
}

bool Map::areaIsBlocked(const BoundingBox& area) const {
    for (int pixelY = area.getTopBound(); pixelY <= area.getBottomBound(); pixelY++) {
        const int row = tileOf(pixelY);
        for (int pixelX = area.getLeftBound(); pixelX <= area.getRightBound(); pixelX++) {
            const int column = tileOf(pixelX);
            if (tileIsPixelPerfectBlockedAt(row, column, pixelX - column * kTileSize,
                                            pixelY - row * kTileSize)) {
                return true;
            }
        }
    }
    return false;
}

int Map::tileOf(int pixel) {
    const int quotient = pixel / kTileSize;
    return pixel % kTileSize < 0 ? quotient - 1 : quotient;
}

int Map::appendLayer() {
    try {
        Layer layer(getNumberOfRows(), std::vector<int>(getNumberOfColumns(), 0));
        _layerFlags.reserve(_layerFlags.size() + 1);
        _layers.push_back(std::move(layer));
        _layerFlags.push_back(0);
    } catch (const std::bad_alloc&) {
        return PX_FALSE;
    }
    return PX_TRUE;
}

int Map::appendRow() {
    try {
        std::vector<std::vector<int>> newRows(_layers.size(),
                                              std::vector<int>(getNumberOfColumns(), 0));
        for (Layer& layer : _layers) {
            layer.reserve(layer.size() + 1);
        }
        for (size_t layer = 0; layer < _layers.size(); layer++) {
            _layers[layer].push_back(std::move(newRows[layer]));
        }
    } catch (const std::bad_alloc&) {
        return PX_FALSE;
    }
    return PX_TRUE;
}

int Map::appendColumn() {
    // Room first, so that running out of memory leaves every row as it was.
    try {
        for (Layer& layer : _layers) {
            for (std::vector<int>& row : layer) {
                row.reserve(row.size() + 1);
            }
        }
    } catch (const std::bad_alloc&) {
        return PX_FALSE;
    }
    for (Layer& layer : _layers) {
        for (std::vector<int>& row : layer) {
            row.push_back(0);
        }
    }
    return PX_TRUE;
}

int Map::removeLastLayer() {
    if (getNumberOfLayers() > 1) {
        _layers.pop_back();
        _layerFlags.pop_back();
    }
    return PX_TRUE;
}

int Map::removeLastRow() {
    if (getNumberOfRows() > 1) {
        for (Layer& layer : _layers) {
            layer.pop_back();
        }
    }
    return PX_TRUE;
}

int Map::removeLastColumn() {
    if (getNumberOfColumns() > 1) {
        for (Layer& layer : _layers) {
            for (std::vector<int>& row : layer) {
                row.pop_back();
            }
        }
    }
    return PX_TRUE;
}

int Map::swapLayers(int a, int b) {
    if (a == b || !contains(a, 0, 0) || !contains(b, 0, 0)) {
        return PX_FALSE;
    }
    std::swap(_layers[a], _layers[b]);
    std::swap(_layerFlags[a], _layerFlags[b]);
    return PX_TRUE;
}

Map::Layer Map::copyLayerOut(int layer) const {
    return contains(layer, 0, 0) ? _layers[layer] : Layer();
}

void Map::pasteLayerIn(const Layer& copy, int layer) {
    if (!contains(layer, 0, 0)) {
        return;
    }
    const size_t rows = std::min(copy.size(), _layers[layer].size());
    for (size_t row = 0; row < rows; row++) {
        std::vector<int>& target = _layers[layer][row];
        const size_t columns = std::min(copy[row].size(), target.size());
        std::copy_n(copy[row].begin(), columns, target.begin());
    }
}

int Map::setTilesetName(const char* name) {
    if (name == nullptr) {
        globalLog->write("Map::setTilesetName: ERROR: Caller passed NULL to setTilesetName\n");
        return PX_FALSE;
    }
    if (name == getTilesetName()) {
        globalLog->write("Map::setTilesetName: WARNING: Caller is attempting to pass in that "
                         "which will be modified\n");
        return PX_TRUE;
    }
    _tilesetName = limitedName(name);
    return PX_TRUE;
}

int Map::loadTileset() {
    _tileset = _tilesetName ? ResourceManager::instance()->texture(_tilesetName->c_str()) : nullptr;
    if (_tileset == nullptr) {
        globalLog->write("Couldn't get a reference to the tileset.\n");
        return PX_FALSE;
    }
    if (usableTileset() == nullptr) {
        globalLog->write("The tileset %s is narrower than one tile; no tile is drawn.\n",
                         _tilesetName->c_str());
    }
    return PX_TRUE;
}

const char* Map::getTilesetName() const {
    return cString(_tilesetName);
}

int Map::setMusicName(const char* name) {
    _musicName = name != nullptr ? std::optional(limitedName(name)) : std::nullopt;
    return PX_TRUE;
}

const char* Map::getMusicName() const {
    return cString(_musicName);
}

int Map::getNumberOfBackgrounds() const {
    return _backgrounds.size();
}

Map::Background* Map::getBackground(int index) const {
    return _backgrounds.at(index);
}

int Map::addBackground(std::unique_ptr<Background> background) {
    return _backgrounds.add(std::move(background));
}

void Map::removeBackground(int index) {
    _backgrounds.remove(index);
}

const char* Map::getBackgroundName(int index) const {
    const Background* background = getBackground(index);
    return background != nullptr ? background->getImageName() : nullptr;
}

int Map::setBackgroundName(int index, const char* name) {
    Background* background = getBackground(index);
    if (background == nullptr) {
        return PX_FALSE;
    }
    if (name == nullptr) {
        globalLog->write(
            "Map::setBackgroundName: ERROR: Caller passed NULL to setBackgroundName\n");
        return PX_FALSE;
    }
    if (strncmp(name, background->getImageName(), kNameLimit) == 0) {
        globalLog->write("Map::setBackgroundName: WARNING: Caller is attempting to pass in that "
                         "which will be modified\n");
        return PX_TRUE;
    }
    background->setImageName(limitedName(name).c_str());
    return PX_TRUE;
}

int Map::getNumberOfExits() const {
    return _exits.size();
}

Map::Exit* Map::addExit() {
    return _exits.add();
}

int Map::addExit(std::unique_ptr<Exit> exit) {
    return _exits.add(std::move(exit));
}

Map::Exit* Map::getExit(int index) const {
    return _exits.at(index);
}

void Map::removeExit(int index) {
    _exits.remove(index);
}

void Map::clearExits() {
    _exits.clear();
}

std::optional<std::string> Map::checkExitsForCollision(const BoundingBox& box, int orientation,
                                                       int& thisMapX, int& thisMapY, int& nextMapX,
                                                       int& nextMapY) const {
    for (const auto& exit : _exits) {
        const BoundingBox segment = exit->boundingBox();
        if (exit->getOrientation() == orientation && exit->getNextMap() != nullptr &&
            BoundingBox::checkCollision(&segment, &box)) {
            thisMapX = exit->getX();
            thisMapY = exit->getY();
            nextMapX = exit->getNextMapX();
            nextMapY = exit->getNextMapY();
            return exit->getNextMap();
        }
    }
    return std::nullopt;
}

int Map::getNumberOfWaterAreas() const {
    return _waterAreas.size();
}

Map::WaterArea* Map::addWaterArea() {
    return _waterAreas.add();
}

int Map::addWaterArea(std::unique_ptr<WaterArea> area) {
    return _waterAreas.add(std::move(area));
}

Map::WaterArea* Map::getWaterArea(int index) const {
    return _waterAreas.at(index);
}

void Map::removeWaterArea(int index) {
    _waterAreas.remove(index);
}

void Map::clearWaterAreas() {
    _waterAreas.clear();
}

int Map::checkWaterAreasForCollision(const BoundingBox& box) const {
    for (int index = 0; index < _waterAreas.size(); index++) {
        if (BoundingBox::checkCollision(&_waterAreas.at(index)->boundingBox(), &box)) {
            return index;
        }
    }
    return -1;
}

void Map::addBubbleToWaterArea(int index, int x, int y) {
    addToWaterArea(index, x, y, &WaterArea::addBubbleAt);
}

void Map::addSplashToWaterArea(int index, int x, int y) {
    addToWaterArea(index, x, y, &WaterArea::addSplashAt);
}

void Map::addToWaterArea(int index, int x, int y, void (WaterArea::*start)(int, int)) {
    WaterArea* area = getWaterArea(index);
    if (area == nullptr) {
        return;
    }
    const BoundingBox& box = area->boundingBox();
    (area->*start)(clampToInt(static_cast<long long>(x) - box.getLeftBound()),
                   clampToInt(static_cast<long long>(y) - box.getTopBound()));
}

int Map::getNumberOfCameraStoppers() const {
    return _cameraStoppers.size();
}

Map::CameraStopper* Map::addCameraStopper() {
    return _cameraStoppers.add();
}

Map::CameraStopper* Map::getCameraStopper(int index) const {
    return _cameraStoppers.at(index);
}

void Map::removeCameraStopper(int index) {
    _cameraStoppers.remove(index);
}

void Map::clearCameraStoppers() {
    _cameraStoppers.clear();
}

int Map::verticalCameraStopperPosition(int targetX, int targetY, int currentCameraX,
                                       int& cameraX) const {
    return cameraStopperPosition(kVertical, targetX, targetY, currentCameraX, cameraX);
}

int Map::horizontalCameraStopperPosition(int targetX, int targetY, int currentCameraY,
                                         int& cameraY) const {
    return cameraStopperPosition(kHorizontal, targetX, targetY, currentCameraY, cameraY);
}

int Map::cameraStopperPosition(int orientation, int targetX, int targetY, int currentCamera,
                               int& camera) const {
    for (const auto& stopper : _cameraStoppers) {
        if (stopper->getOrientation() != orientation) {
            continue;
        }
        if (const std::optional<int> position =
                stopper->cameraPosition(targetX, targetY, currentCamera)) {
            camera = *position;
            return PX_TRUE;
        }
    }
    return PX_FALSE;
}

void Map::setParticleParameters(int type, int delayMin, int delayMax, int generationAmount) {
    _particleType = type;
    _particleDelayMin = delayMin;
    _particleDelayMax = delayMax;
    _particleGenerationAmount = generationAmount;
}

void Map::setMinimapIndex(int x, int y) {
    _minimapIndexX = x;
    _minimapIndexY = y;
}

void Map::setPlayerStartPosition(int x, int y) {
    _playerStartX = x;
    _playerStartY = y;
}

void Map::playerStartPosition(int& x, int& y) const {
    x = _playerStartX;
    y = _playerStartY;
}

void Map::logic() {
    for (const auto& area : _waterAreas) {
        area->logic();
    }
}

void Map::drawLowerTiles(int cameraX, int cameraY) {
    drawBackgrounds(cameraX, cameraY);
    draw(cameraX, cameraY, false);
}

void Map::drawUpperTiles(int cameraX, int cameraY) {
    draw(cameraX, cameraY, true);
}

void Map::draw(int cameraX, int cameraY, bool upper) {
    drawLayers(cameraX, cameraY, upper, 0, getNumberOfLayers() - 1);
}

void Map::drawLayer(int cameraX, int cameraY, bool upper, int layer) {
    if (contains(layer, 0, 0)) {
        drawLayers(cameraX, cameraY, upper, layer, layer);
    }
}

void Map::drawLayers(int cameraX, int cameraY, bool upper, int firstLayer, int lastLayer) {
    PXTexture* tileset = usableTileset();
    if (tileset == nullptr) {
        return;
    }
    tileset->bind();
    glBegin(GL_QUADS);
    for (int layer = firstLayer; layer <= lastLayer; layer++) {
        emitLayer(*tileset, cameraX, cameraY, upper, layer);
    }
    glEnd();
}

void Map::emitLayer(PXTexture& tileset, int cameraX, int cameraY, bool upper, int layer) const {
    if (((_layerFlags[layer] & kLayerUpper) != 0) != upper) {
        return;
    }
    const int firstColumn = cameraX / kTileSize;
    const int firstRow = cameraY / kTileSize;
    const int left = firstColumn * kTileSize - cameraX;
    const int top = firstRow * kTileSize - cameraY;
    for (int row = 0; row <= SCREEN_H_UNSCALED / kTileSize; row++) {
        for (int column = 0; column <= SCREEN_W_UNSCALED / kTileSize; column++) {
            const int tile = getTileAt(layer, firstRow + row, firstColumn + column);
            int sourceX = 0;
            int sourceY = 0;
            if (tile > 0 && tileSource(tileset, tile, sourceX, sourceY)) {
                tileset.draw(sourceX, sourceY, sourceX + kTileSize, sourceY + kTileSize,
                             left + column * kTileSize, top + row * kTileSize, 0);
            }
        }
    }
}

void Map::drawBackgrounds(int cameraX, int cameraY) {
    for (const auto& background : _backgrounds) {
        background->draw(cameraX, cameraY);
    }
}

void Map::drawWaterAreas(int cameraX, int cameraY) {
    for (const auto& area : _waterAreas) {
        area->draw(cameraX, cameraY);
    }
}

void Map::drawExits(int offsetX, int offsetY, float r, float g, float b, float a, bool withText) {
    PXFont* font = withText ? ResourceManager::instance()->font("Editor.ttf") : nullptr;
    for (const auto& exit : _exits) {
        exit->draw(offsetX, offsetY, r, g, b, a, font);
    }
}

void Map::drawCameraStoppers(int cameraX, int cameraY) {
    for (const auto& stopper : _cameraStoppers) {
        stopper->draw(cameraX, cameraY);
    }
}

BoundingBox Map::segmentBox(int x, int y, int length, bool horizontal) {
    const int end = clampToInt(static_cast<long long>(horizontal ? x : y) + length);
    return horizontal ? BoundingBox(x, y, end, y) : BoundingBox(x, y, x, end);
}

int Map::clampToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

PXTexture* Map::usableTileset() const {
    return _tileset != nullptr && _tileset->w() >= kTileSize ? _tileset : nullptr;
}
