// Map: one level. Tile layers on a grid of 16 x 16 pixel cells, the tileset and music names,
// scrolling backgrounds, exits to other maps, water areas, camera stoppers, weather settings, the
// map's minimap cell and the player's start position; its binary file; solidity and exit tests;
// drawing.
#pragma once

#include "BoundingBox.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class PXTexture;

class Map {
public:
    class Background;
    class Exit;
    class WaterArea;
    class CameraStopper;

    // One layer's tiles, indexed [row][column].
    using Layer = std::vector<std::vector<int>>;

    static constexpr int kTileSize = 16;
    // Layer flag: the layer's tiles are solid.
    static constexpr int kLayerBlock = 1;
    // Layer flag: the layer is drawn over the player and objects.
    static constexpr int kLayerUpper = 16;
    // Orientations of exits and camera stoppers.
    static constexpr int kHorizontal = 1;
    static constexpr int kVertical = 2;
    // The version every saved map file starts with.
    static constexpr int kVersion = 2;
    // Names set through the setters are cut to fewer characters than this.
    static constexpr int kNameLimit = 1024;

    // One layer, one row, one column, tile 0, no names, empty lists, all numbers 0.
    Map();
    ~Map();
    Map(const Map&) = delete;
    Map& operator=(const Map&) = delete;

    // Replaces the whole map from the file; on failure the map is left as it was.
    int load(const char* path);
    // The same from an open stream; the path only names the map.
    int loadFromStream(FILE* stream, const char* path);
    // Writes the map file atomically and takes the path's file name as the map's name.
    int save(const char* path);
    // Writes the map file format to the stream; false on a write error.
    int saveToStream(FILE* stream) const;
    // The plain map name (the path after its last '/'), or null before any load or save.
    const char* getFilename() const;

    // Sizes; each at least 1.
    int getNumberOfLayers() const;
    int getNumberOfRows() const;
    int getNumberOfColumns() const;
    // The map's size in pixels.
    int widthInPixels() const;
    int heightInPixels() const;

    // The tile, or -1 when any index is outside the map.
    int getTileAt(int layer, int row, int column) const;
    // Stores the tile; indices outside the map are ignored.
    void setTileAt(int layer, int row, int column, int value);
    // The layer's flags, 0 for an index outside the map.
    int getLayerProperties(int layer) const;
    // Sets the layer's flags; an index outside the map is ignored.
    void setLayerProperties(int layer, int flags);

    // True when a BLOCK layer has a tile above 0 in the cell.
    int tileIsBlockedAt(int row, int column) const;
    // True when a BLOCK layer's tile in the cell is opaque at the pixel (0..15 each) inside it;
    // without a usable tileset the cell test answers.
    int tileIsPixelPerfectBlockedAt(int row, int column, int pixelX, int pixelY) const;
    // True when any pixel of the area, in map pixels, is solid by the pixel-perfect test.
    bool areaIsBlocked(const BoundingBox& area) const;
    // The tile row or column of a map pixel. Rounding down keeps pixels above and left of the
    // map outside it instead of folding them into the first row or column.
    static int tileOf(int pixel);

    // Add one layer (flags 0), one row at the bottom or one column at the right, all tile 0;
    // false when memory runs out.
    int appendLayer();
    int appendRow();
    int appendColumn();
    // Drop the last layer, row or column; with only one left nothing changes. Always true.
    int removeLastLayer();
    int removeLastRow();
    int removeLastColumn();
    // Exchanges tiles and flags of two different layers inside the map.
    int swapLayers(int a, int b);
    // A copy of one layer's tiles; empty for an index outside the map.
    Layer copyLayerOut(int layer) const;
    // Writes a copy back into a layer, clipped to the map's size.
    void pasteLayerIn(const Layer& copy, int layer);

    // Copies the name (cut to kNameLimit - 1 characters); false for null.
    int setTilesetName(const char* name);
    // Fetches the tileset texture by name; false (and no tileset) when it cannot.
    int loadTileset();
    // The tileset name, or null.
    const char* getTilesetName() const;
    // The tileset texture (owned by the resource manager), or null.
    PXTexture* getTileset() const { return _tileset; }
    // Copies the name (cut to kNameLimit - 1 characters); null clears it.
    int setMusicName(const char* name);
    // The music name, or null.
    const char* getMusicName() const;

    // How many backgrounds the map has.
    int getNumberOfBackgrounds() const;
    // The background, or null for an index outside the list.
    Background* getBackground(int index) const;
    // Appends a background (first = farthest back); false for null.
    int addBackground(std::unique_ptr<Background> background);
    // Destroys and removes it; an index outside the list does nothing.
    void removeBackground(int index);
    // The background's image name, or null for an index outside the list.
    const char* getBackgroundName(int index) const;
    // Copies the name (cut to kNameLimit - 1 characters) into the background.
    int setBackgroundName(int index, const char* name);

    // How many exits the map has.
    int getNumberOfExits() const;
    // Appends a new zeroed exit without orientation or next map.
    Exit* addExit();
    // Appends the exit; false for null.
    int addExit(std::unique_ptr<Exit> exit);
    // The exit, or null.
    Exit* getExit(int index) const;
    // Destroys and removes it; an index outside the list does nothing.
    void removeExit(int index);
    // Destroys every exit.
    void clearExits();
    // The first exit of the orientation that has a next map and whose segment meets the box:
    // its next map's name, with its anchors in the outputs; nothing (outputs untouched)
    // otherwise.
    std::optional<std::string> checkExitsForCollision(const BoundingBox& box, int orientation,
                                                      int& thisMapX, int& thisMapY, int& nextMapX,
                                                      int& nextMapY) const;

    // How many water areas the map has.
    int getNumberOfWaterAreas() const;
    // Appends a new water area with the box (0, 0, 0, 0).
    WaterArea* addWaterArea();
    // Appends the area; false for null.
    int addWaterArea(std::unique_ptr<WaterArea> area);
    // The area, or null.
    WaterArea* getWaterArea(int index) const;
    // Destroys and removes it; an index outside the list does nothing.
    void removeWaterArea(int index);
    // Destroys every water area.
    void clearWaterAreas();
    // The index of the first area whose box meets the box, or -1.
    int checkWaterAreasForCollision(const BoundingBox& box) const;
    // Starts a bubble or a splash at a world point in the area; an index outside does nothing.
    void addBubbleToWaterArea(int index, int x, int y);
    void addSplashToWaterArea(int index, int x, int y);

    // How many camera stoppers the map has.
    int getNumberOfCameraStoppers() const;
    // Appends a new vertical stopper at (0, 0), length 0, blocking to the left.
    CameraStopper* addCameraStopper();
    // The stopper, or null.
    CameraStopper* getCameraStopper(int index) const;
    // Destroys and removes it; an index outside the list does nothing.
    void removeCameraStopper(int index);
    // Destroys every camera stopper.
    void clearCameraStoppers();
    // True when the first vertical stopper that applies to the target wrote the camera x.
    int verticalCameraStopperPosition(int targetX, int targetY, int currentCameraX,
                                      int& cameraX) const;
    // True when the first horizontal stopper that applies to the target wrote the camera y.
    int horizontalCameraStopperPosition(int targetX, int targetY, int currentCameraY,
                                        int& cameraY) const;

    // Weather settings handed to the particle generator.
    void setParticleParameters(int type, int delayMin, int delayMax, int generationAmount);
    int particleType() const { return _particleType; }
    int particleDelayMin() const { return _particleDelayMin; }
    int particleDelayMax() const { return _particleDelayMax; }
    int particleGenerationAmount() const { return _particleGenerationAmount; }

    // The map's cell on the minimap.
    int getMinimapIndexX() const { return _minimapIndexX; }
    int getMinimapIndexY() const { return _minimapIndexY; }
    void setMinimapIndex(int x, int y);

    // Where a new game places the player, in world pixels.
    void setPlayerStartPosition(int x, int y);
    void playerStartPosition(int& x, int& y) const;

    // Steps every water area once; called once per logic tick.
    void logic();

    // Backgrounds, then the layers without the UPPER flag.
    void drawLowerTiles(int cameraX, int cameraY);
    // The layers with the UPPER flag.
    void drawUpperTiles(int cameraX, int cameraY);
    // Every layer of one pass in one batch; nothing without a usable tileset.
    void draw(int cameraX, int cameraY, bool upper);
    // One layer of one pass; nothing without a usable tileset.
    void drawLayer(int cameraX, int cameraY, bool upper, int layer);
    // Every background in list order.
    void drawBackgrounds(int cameraX, int cameraY);
    // Every water area.
    void drawWaterAreas(int cameraX, int cameraY);
    // Editor view: each exit's segment shifted by the offset, with its numbers when asked.
    void drawExits(int offsetX, int offsetY, float r, float g, float b, float a, bool withText);
    // Editor view: every camera stopper relative to the camera.
    void drawCameraStoppers(int cameraX, int cameraY);

    // The inclusive box of a segment running right (horizontal) or down from (x, y).
    static BoundingBox segmentBox(int x, int y, int length, bool horizontal);

private:
    class FileReader;

    // The exits, water areas, camera stoppers and backgrounds are lists of owned items that
    // behave alike.
    template <class T> class OwnedList {
    public:
        explicit OwnedList(const char* allocationFailure) : _allocationFailure(allocationFailure) {}
        // Appends a new item; logs and passes on an allocation failure.
        T* add();
        int add(std::unique_ptr<T> item);
        T* at(int index) const;
        void remove(int index);
        void clear() { _items.clear(); }
        int size() const { return static_cast<int>(_items.size()); }
        auto begin() const { return _items.begin(); }
        auto end() const { return _items.end(); }

    private:
        bool contains(int index) const { return index >= 0 && index < size(); }

        const char* _allocationFailure;
        std::vector<std::unique_ptr<T>> _items;
    };

    // Takes over a parsed map in one step, so a failed load never touches this one.
    Map& operator=(Map&& parsed);

    bool readContent(FileReader& reader);
    bool readNames(FileReader& reader);
    bool readBackgrounds(FileReader& reader);
    bool readLayers(FileReader& reader);
    bool readExits(FileReader& reader);
    bool readWaterAreas(FileReader& reader);
    bool readCameraStoppers(FileReader& reader);
    bool readSettings(FileReader& reader, int version);
    void writeBackgrounds(FILE* stream) const;
    void writeLayers(FILE* stream) const;
    void writeExits(FILE* stream) const;
    void writeWaterAreas(FILE* stream) const;
    void writeCameraStoppers(FILE* stream) const;
    void writeSettings(FILE* stream) const;

    // Rebuilds the world object vector of the current map; loading any other map leaves it
    // alone.
    void rebuildWorldObjectVector() const;
    // Fades the playing music over to the current map's song; other maps leave it alone.
    void handOverMusic() const;
    // Restarts the weather with the current map's settings and hides the letterbox; other maps
    // leave both alone.
    void restartWeatherAndHideLetterbox() const;

    // A wide intermediate result cut into int range, so values read from files cannot overflow.
    static int clampToInt(long long value);
    bool contains(int layer, int row, int column) const;
    // True when the layer is solid and holds a tile in the cell (which must be inside the map).
    bool blocks(int layer, int row, int column) const;
    // The tileset when it holds at least one column of tiles.
    PXTexture* usableTileset() const;
    void drawLayers(int cameraX, int cameraY, bool upper, int firstLayer, int lastLayer);
    void emitLayer(PXTexture& tileset, int cameraX, int cameraY, bool upper, int layer) const;
    int cameraStopperPosition(int orientation, int targetX, int targetY, int currentCamera,
                              int& camera) const;
    void addToWaterArea(int index, int x, int y, void (WaterArea::*start)(int, int));

    std::vector<Layer> _layers;
    std::vector<int> _layerFlags;
    std::optional<std::string> _filename;
    std::optional<std::string> _tilesetName;
    PXTexture* _tileset = nullptr;
    std::optional<std::string> _musicName;
    OwnedList<Background> _backgrounds;
    OwnedList<Exit> _exits;
    OwnedList<WaterArea> _waterAreas;
    OwnedList<CameraStopper> _cameraStoppers;
    int _particleType = 0;
    int _particleDelayMin = 0;
    int _particleDelayMax = 0;
    int _particleGenerationAmount = 0;
    int _minimapIndexX = 0;
    int _minimapIndexY = 0;
    int _playerStartX = 0;
    int _playerStartY = 0;
};

// The current map. Created by init().
extern Map* globalMap;
