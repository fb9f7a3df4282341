#include "EditorInfo.h"

#include "EditorObjectEditWidgetSet.h"
#include "engine/PXKeyboard.h"
#include "engine/PXMouse.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIListBox.h"
#include "game/objects/WorldObject.h"
#include "game/world/Map.h"
#include "game/world/Minimap.h"

EditorInfo* editorInfo = nullptr;

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
