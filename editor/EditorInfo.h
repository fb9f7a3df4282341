// EditorInfo: everything the level editor remembers between logic steps. One instance,
// editorInfo, lives from the editor's first use to shutdown; every editor unit reads and changes
// it.
#pragma once

#include <memory>
#include <string>
#include <vector>

class Map;
class Minimap;
class PXUIButton;
class PXUIListBox;
class WorldObject;
class EditorObjectEditWidgetSet;

// The seven modes; map edit paints tiles.
enum class EditorMode { Map, Object, Exit, Background, Minimap, Water, CameraStopper };

// One tile of the copy buffer, at its offset from the tile under the mouse.
struct TileCopy {
    int tile;
    int columnOffset;
    int rowOffset;
};

class EditorInfo {
public:
    EditorInfo();
    ~EditorInfo();
    EditorInfo(const EditorInfo&) = delete;
    EditorInfo& operator=(const EditorInfo&) = delete;

    // Back to map edit mode with an empty copy buffer and no selections; makes the editor's
    // minimap and the object selector's templates anew.
    void reset();
    // Frees the lists and widgets.
    void cleanup();
    // Makes sure the object edit widget set list exists (it always does; kept for the callers).
    void createObjectEditInfoVectorIfNeeded();
    // Enters the mode: clears the others and hides what that mode hides.
    void enterMode(EditorMode newMode);
    // Forgets every pointer to the object (selected, dragged, template); call before it dies.
    void forgetObject(const WorldObject* object);
    // Forgets every pointer into the world object list and every map item selection; call when
    // the list or the map is replaced.
    void forgetSelections();

    // Edge-triggered keys: true once per press of the key (engine key code).
    bool keyPressedOnce(int keyCode);
    // Edge-triggered mouse buttons (0 left, 1 right): true once per press.
    bool buttonPressedOnce(int button);

    EditorMode mode = EditorMode::Map;
    bool backgroundCoordsMode = false;

    bool helpShown = false;
    bool infoShown = false;
    bool gridShown = false;
    bool screenGridShown = false;
    bool playerShown = true;
    bool objectsShown = true;
    bool menusShown = true;

    int viewX = 0;
    int viewY = 0;
    // The view while the tileset picker is shown.
    int savedViewX = 0;
    int savedViewY = 0;

    // -1 draws every layer.
    int drawLayer = -1;
    int editLayer = 0;

    // Tile painting.
    bool tilesetPickerShown = false;
    int currentTile = 0;
    std::vector<TileCopy> copyBuffer;
    bool tileGroupSelecting = false;
    bool tileGroupOverTileset = false;
    int tileGroupStartColumn = 0;
    int tileGroupStartRow = 0;

    // Layer manager: the list and the buttons "Upper", "Block", "Move up", "Move down",
    // "Draw all", "Draw selected", in that order.
    bool layerManagerShown = false;
    std::unique_ptr<PXUIListBox> layerList;
    std::vector<std::unique_ptr<PXUIButton>> layerButtons;

    // Objects.
    bool objectSelectorShown = false;
    std::vector<std::unique_ptr<WorldObject>> objectTemplates;
    WorldObject* placementTemplate = nullptr;
    WorldObject* selectedObject = nullptr;
    WorldObject* draggedObject = nullptr;
    int dragOffsetX = 0;
    int dragOffsetY = 0;

    // A pending rubber band (objects, exits, water areas, stoppers), in map pixels.
    bool rubberBandPending = false;
    int rubberBandX = 0;
    int rubberBandY = 0;

    // Map item selections; -1 none.
    int selectedExit = -1;
    int selectedWaterArea = -1;
    int selectedCameraStopper = -1;
    int editBackground = -1;
    int backgroundViewX = 0;
    int backgroundViewY = 0;

    // Exit "next map" placement.
    bool exitPlacementActive = false;
    std::unique_ptr<Map> exitPreviewMap;
    int exitPreviewViewX = 0;
    int exitPreviewViewY = 0;
    std::string previousPlacementDirectory;

    // Minimap placement: the editor's own minimap shows every cell visited but the map's own.
    void markMinimapCell(int column, int row);
    std::unique_ptr<Minimap> minimap;
    int minimapViewX = 0;
    int minimapViewY = 0;

    // Object field editing.
    bool objectEditActive = false;
    bool objectEditInitialised = false;
    std::vector<std::unique_ptr<EditorObjectEditWidgetSet>> objectEditWidgetSets;
    std::unique_ptr<PXUIButton> doneButton;

    // Files: where "Save" starts browsing, and the map file "Save Map" writes back to.
    std::string previouslySavedPath;
    std::string lastLoadedFilePath;

private:
    std::vector<bool> _keysDown;
    bool _buttonsDown[2] = {false, false};
};

// The editor's state; null until the editor is first entered.
extern EditorInfo* editorInfo;
