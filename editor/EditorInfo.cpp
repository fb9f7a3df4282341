#include "EditorInfo.h"

#include "EditorObjectEditWidgetSet.h"
#include "engine/PXKeyboard.h"
#include "engine/PXMouse.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIListBox.h"
#include "game/core/Log.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"

#include <new>

EditorInfo* editorInfo = nullptr;

namespace {

// A class of the object selector and where it stands in the palette, in logical screen pixels.
struct PaletteEntry {
    const char* className;
    int x;
    int y;
};

constexpr PaletteEntry kPalette[] = {
    {"Crate", 0, 0},
    {"Save", 40, 0},
    {"Flowrian", 75, 0},
    {"Negg", 110, 0},
    {"Oller", 125, 0},
    {"Dom", 175, 0},
    {"Raam", 225, 0},
    {"Vonil", 256, 0},
    {"GravityMagnet", 0, 64},
    {"MapPowerup", 32, 64},
    {"DoubleJumpPowerup", 64, 64},
    {"WallJumpPowerup", 96, 64},
    {"PowerFistPowerup", 128, 64},
    {"HighJumpPowerup", 160, 64},
    {"GravityMagnetPowerup", 192, 64},
    {"BoosterPowerup", 215, 64},
    {"MusicBox", 235, 64},
    {"Accordian", 260, 64},
    {"DomPot", 0, 96},
    {"Bridge", 64, 96},
    {"FlipSwitch", 275, 96},
    {"Blueberry", 275, 64},
    {"Apple", 300, 64},
    {"Nest", 300, 80},
    {"Teleport", 210, 128},
    {"ToggleDoor", 0, 128},
    {"NPCDoor", 16, 128},
    {"ConditionChecker", 32, 128},
    {"SoundPlayer", 64, 128},
    {"AreaNameDisplayer", 32, 165},
    {"CreditsRunner", 32, 202},
    {"SecretUnlocker", 64, 202},
    {"Bird", 96, 128},
    {"Bat", 116, 128},
    {"Bug", 130, 128},
    {"Nautilus", 150, 128},
    {"Snail", 140, 128},
    {"Ship", 140, 140},
    {"PickleBlock", 140, 160},
    {"Orb", 164, 160},
    {"HexNut", 192, 128},
};

std::vector<std::unique_ptr<WorldObject>> createObjectTemplates() {
    std::vector<std::unique_ptr<WorldObject>> templates;
    for (const PaletteEntry& entry : kPalette) {
        try {
            std::unique_ptr<WorldObject> object(createWorldObjectNamed(entry.className));
            object->setPosition(entry.x, entry.y);
            object->updateCurrentBBox();
            templates.push_back(std::move(object));
        } catch (const std::bad_alloc&) {
            globalLog->write("Couldn't create the %s template for the object selector.\n",
                             entry.className);
        }
    }
    return templates;
}

} // namespace

EditorInfo::EditorInfo() : _keysDown(PX_KEY_LAST + 1, false) {}

EditorInfo::~EditorInfo() {
    cleanup();
}

void EditorInfo::reset() {
    mode = EditorMode::Map;
    backgroundCoordsMode = false;
    tilesetPickerShown = false;
    layerManagerShown = false;
    objectSelectorShown = false;
    playerShown = true;
    currentTile = 0;
    copyBuffer.clear();
    tileGroupSelecting = false;
    drawLayer = -1;
    editLayer = 0;
    exitPlacementActive = false;
    exitPreviewMap.reset();
    objectEditActive = false;
    objectEditInitialised = false;
    objectEditWidgetSets.clear();
    editBackground = -1;
    forgetSelections();
    placementTemplate = nullptr;
    objectTemplates = createObjectTemplates();
    try {
        minimap = std::make_unique<Minimap>();
        minimap->enable();
        markMinimapCell(globalMap->getMinimapIndexX(), globalMap->getMinimapIndexY());
    } catch (const std::bad_alloc&) {
        globalLog->write("Couldn't create the editor's minimap.\n");
    }
}

void EditorInfo::markMinimapCell(int column, int row) {
    if (minimap != nullptr) {
        minimap->markAllVisited();
        minimap->setTileUnvisited(column, row);
    }
}

void EditorInfo::cleanup() {
    objectEditWidgetSets.clear();
    doneButton.reset();
    layerButtons.clear();
    layerList.reset();
    exitPreviewMap.reset();
    placementTemplate = nullptr;
    objectTemplates.clear();
    minimap.reset();
    forgetSelections();
}

void EditorInfo::createObjectEditInfoVectorIfNeeded() {}

void EditorInfo::enterMode(EditorMode newMode) {
    mode = newMode;
    backgroundCoordsMode = false;
    if (newMode == EditorMode::Map) {
        playerShown = true;
        return;
    }
    tilesetPickerShown = false;
    layerManagerShown = false;
    playerShown = false;
}

void EditorInfo::forgetObject(const WorldObject* object) {
    if (selectedObject == object) {
        selectedObject = nullptr;
        objectEditActive = false;
        objectEditInitialised = false;
        objectEditWidgetSets.clear();
    }
    if (draggedObject == object) {
        draggedObject = nullptr;
    }
}

void EditorInfo::forgetSelections() {
    forgetObject(selectedObject);
    forgetObject(draggedObject);
    rubberBandPending = false;
    selectedExit = -1;
    selectedWaterArea = -1;
    selectedCameraStopper = -1;
}

bool EditorInfo::keyPressedOnce(int keyCode) {
    const bool down = PXKey(keyCode) != 0;
    const bool pressed = down && !_keysDown[keyCode];
    _keysDown[keyCode] = down;
    return pressed;
}

bool EditorInfo::buttonPressedOnce(int button) {
    const bool down = PXMouse(button) != 0;
    const bool pressed = down && !_buttonsDown[button];
    _buttonsDown[button] = down;
    return pressed;
}
