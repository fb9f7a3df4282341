#include "EditorLogic.h"

#include "EditorFileOperations.h"
#include "EditorGUI.h"
#include "EditorHistory.h"
#include "EditorInfo.h"
#include "EditorObjectEdit.h"
#include "engine/PXFileSystem.h"
#include "engine/PXKeyboard.h"
#include "engine/PXMouse.h"
#include "engine/PXTexture.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIListBox.h"
#include "game/core/Globals.h"
#include "game/core/Initialization.h"
#include "game/core/Log.h"
#include "game/core/ResourceManager.h"
#include "game/core/TilesetNames.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"
#include "game/world/Minimap.h"
#include "game/world/MusicPlayer.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>

namespace {

constexpr int kTile = Map::kTileSize;
constexpr int kScrollStep = 2;
constexpr int kFastScrollStep = 16;
constexpr int kFastBackgroundStep = 14;
constexpr const char* kFontName = "Editor.ttf";
constexpr int kFontMode = 2;
constexpr int kFontSize = 12;
constexpr int kLayerListX = 5;
constexpr int kLayerListY = 25;
constexpr int kLayerListWidth = 200;
constexpr int kLayerListRows = 10;
constexpr int kLayerButtonGap = 5;
constexpr const char* kLayerButtonLabels[] = {"Upper",     "Block",    "Move up",
                                              "Move down", "Draw all", "Draw selected"};
enum LayerButton { kUpper, kBlock, kMoveUp, kMoveDown, kDrawAll, kDrawSelected };

EditorInfo& info() {
    return *editorInfo;
}

// The mouse as one step sees it: presses are edges, read once per step.
struct StepMouse {
    EditorPoint logical;
    EditorPoint map;
    // False while the menus take the mouse: presses and held buttons then leave the map alone.
    bool onMap;
    bool leftDown;
    bool rightDown;
    bool leftPressed;
    bool rightPressed;
};

// Keys acting once per press, read once per step so that every latch follows its key.
struct StepKeys {
    bool w, a, s, d, p, y, f, equals, minus, backquote, space;
};

StepMouse readMouse() {
    EditorInfo& e = info();
    StepMouse mouse{};
    mouse.logical = editorMouseLogical();
    mouse.map = editorMouseOnMap();
    mouse.onMap = !editorMenusTakeMouse();
    mouse.leftPressed = e.buttonPressedOnce(0) && mouse.onMap;
    mouse.rightPressed = e.buttonPressedOnce(1) && mouse.onMap;
    mouse.leftDown = PXMouse(0) != 0;
    mouse.rightDown = PXMouse(1) != 0;
    return mouse;
}

bool controlHeld() {
    return PXKey(EditorKey::kLeftControl) || PXKey(EditorKey::kRightControl);
}

StepKeys readKeys() {
    EditorInfo& e = info();
    using namespace EditorKey;
    // Control+Y is redo, not "player to the mouse".
    const bool y = e.keyPressedOnce(kY) && !controlHeld();
    return {e.keyPressedOnce(kW),         e.keyPressedOnce(kA),      e.keyPressedOnce(kS),
            e.keyPressedOnce(kD),         e.keyPressedOnce(kP),      y,
            e.keyPressedOnce(kF),         e.keyPressedOnce(kEquals), e.keyPressedOnce(kMinus),
            e.keyPressedOnce(kBackquote), e.keyPressedOnce(kSpace)};
}

bool shiftHeld() {
    return PXKey(EditorKey::kLeftShift) || PXKey(EditorKey::kRightShift);
}

// The arrow keys held, as -1, 0 or 1 on each axis (right and down positive), times the step.
EditorPoint arrowMotion(int step) {
    using namespace EditorKey;
    const int x = (PXKey(kRight) ? 1 : 0) - (PXKey(kLeft) ? 1 : 0);
    const int y = (PXKey(kDown) ? 1 : 0) - (PXKey(kUp) ? 1 : 0);
    return {x * step, y * step};
}

EditorPoint fastOrSlowArrows(int fastStep) {
    return arrowMotion(shiftHeld() ? fastStep : kScrollStep);
}

BoundingBox orderedBox(EditorPoint a, EditorPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool contains(const BoundingBox& box, EditorPoint point) {
    const BoundingBox pointBox(point.x, point.y, point.x, point.y);
    return BoundingBox::checkCollision(&box, &pointBox) != 0;
}

int lastLayer() {
    return globalMap->getNumberOfLayers() - 1;
}

// Cycling through 0..count-1 with wrap-around; -1 when there is nothing.
int nextIndex(int index, int count) {
    return count == 0 ? -1 : (index + 1 >= count || index < 0 ? 0 : index + 1);
}

int previousIndex(int index, int count) {
    return count == 0 ? -1 : (index <= 0 || index > count ? count - 1 : index - 1);
}

// "Select next" of water areas and camera stoppers wraps after the last; "previous" only counts
// down.
int nextIndexWrappingAtEnd(int index, int count) {
    return index + 1 >= count ? 0 : index + 1;
}

// After a removal the selection stays on its index while an item is left there.
int selectionAfterRemoval(int index, int count) {
    return std::min(index, count - 1);
}

// ---- Rubber band ----

void startRubberBand(EditorPoint at) {
    EditorInfo& e = info();
    e.rubberBandPending = true;
    e.rubberBandX = at.x;
    e.rubberBandY = at.y;
}

// The band between the press and the release on the step the left button is released.
std::optional<BoundingBox> releasedRubberBand(const StepMouse& mouse) {
    EditorInfo& e = info();
    if (!e.rubberBandPending || mouse.leftDown) {
        return std::nullopt;
    }
    e.rubberBandPending = false;
    return orderedBox({e.rubberBandX, e.rubberBandY}, mouse.map);
}

// ---- Layer manager ----

bool createLayerManager() {
    EditorInfo& e = info();
    const std::string font = ResourceManager::instance()->findFilePath(kFontName);
    auto list = std::make_unique<PXUIListBox>();
    if (font.empty() || !list->setFont(font.c_str(), kFontMode) || !list->setFontSize(kFontSize)) {
        return false;
    }
    styleEditorList(*list);
    list->setBounds(kLayerListWidth, 0);
    list->setNumberOfDisplayItems(kLayerListRows);
    list->setPos(kLayerListX, kLayerListY);
    int y = kLayerListY;
    e.layerButtons.clear();
    for (const char* label : kLayerButtonLabels) {
        auto button = std::make_unique<PXUIButton>();
        button->setFont(font.c_str(), kFontMode);
        button->setFontSize(kFontSize);
        button->setText(label);
        button->setPos(kLayerListX + kLayerListWidth + kLayerButtonGap, y);
        y += button->height() + kLayerButtonGap;
        e.layerButtons.push_back(std::move(button));
    }
    e.layerList = std::move(list);
    return true;
}

std::string layerLabel(int layer) {
    const EditorInfo& e = info();
    std::string label = "Layer " + std::to_string(layer);
    if (layer == e.editLayer) {
        label += " (edit)";
    }
    if (e.drawLayer == -1 || layer == e.drawLayer) {
        label += " (drawn)";
    }
    return label;
}

void toggleEditLayerFlag(int flag) {
    const int layer = info().editLayer;
    globalMap->setLayerProperties(layer, globalMap->getLayerProperties(layer) ^ flag);
}

void moveEditLayer(int direction) {
    EditorInfo& e = info();
    const int other = e.editLayer + direction;
    if (other < 0 || other > lastLayer()) {
        return;
    }
    globalMap->swapLayers(e.editLayer, other);
    e.editLayer = other;
}

void pressLayerButton(int button) {
    EditorInfo& e = info();
    switch (button) {
    case kUpper:
        toggleEditLayerFlag(Map::kLayerUpper);
        break;
    case kBlock:
        toggleEditLayerFlag(Map::kLayerBlock);
        break;
    case kMoveUp:
        moveEditLayer(1);
        break;
    case kMoveDown:
        moveEditLayer(-1);
        break;
    case kDrawAll:
        e.drawLayer = -1;
        break;
    default:
        e.drawLayer = e.editLayer;
        break;
    }
}

void layerManagerLogic() {
    EditorInfo& e = info();
    if (e.layerList == nullptr) {
        editorRebuildLayerManager();
        if (e.layerList == nullptr) {
            return;
        }
    }
    PXUIListBox& list = *e.layerList;
    list.poll();
    const int selected = list.selectedItemIndex();
    bool changed = false;
    if (list.clicked(0) && selected >= 0 && selected <= lastLayer()) {
        e.editLayer = selected;
        changed = true;
    }
    for (size_t button = 0; button < e.layerButtons.size(); button++) {
        if (e.layerButtons[button]->clicked(0)) {
            pressLayerButton(static_cast<int>(button));
            changed = true;
        }
    }
    if (changed) {
        editorRebuildLayerManager();
    }
}

// ---- Tiles ----

void paintLogic(const StepMouse& mouse) {
    const EditorInfo& e = info();
    if (!mouse.onMap || !mouse.leftDown || e.mode != EditorMode::Map || e.tilesetPickerShown ||
        e.objectSelectorShown || e.layerManagerShown) {
        return;
    }
    // Rounding down keeps pixels left of and above the map outside it; the map ignores cells
    // outside itself.
    const int column = Map::tileOf(mouse.map.x);
    const int row = Map::tileOf(mouse.map.y);
    if (e.copyBuffer.empty()) {
        globalMap->setTileAt(e.editLayer, row, column, e.currentTile);
        return;
    }
    for (const TileCopy& copy : e.copyBuffer) {
        globalMap->setTileAt(e.editLayer, row + copy.rowOffset, column + copy.columnOffset,
                             copy.tile);
    }
}

void tileGroupSelectionStart(int column, int row, bool overTileset) {
    EditorInfo& e = info();
    e.tileGroupSelecting = true;
    e.tileGroupOverTileset = overTileset;
    e.tileGroupStartColumn = column;
    e.tileGroupStartRow = row;
}

// Fills the copy buffer with the tiles of the rectangle between the start and the end cell,
// offsets from its top-left cell; tileAt gives -1 for cells outside what is picked from.
void tileGroupSelectionComplete(int column, int row, const std::function<int(int, int)>& tileAt) {
    EditorInfo& e = info();
    e.tileGroupSelecting = false;
    const BoundingBox cells =
        orderedBox({e.tileGroupStartColumn, e.tileGroupStartRow}, {column, row});
    e.copyBuffer.clear();
    for (int r = cells.getTopBound(); r <= cells.getBottomBound(); r++) {
        for (int c = cells.getLeftBound(); c <= cells.getRightBound(); c++) {
            const int tile = tileAt(c, r);
            if (tile >= 0) {
                e.copyBuffer.push_back({tile, c - cells.getLeftBound(), r - cells.getTopBound()});
            }
        }
    }
}

void pickFromMap(const StepMouse& mouse) {
    EditorInfo& e = info();
    const int column = Map::tileOf(mouse.map.x);
    const int row = Map::tileOf(mouse.map.y);
    const auto tileAt = [&e](int c, int r) { return globalMap->getTileAt(e.editLayer, r, c); };
    if (mouse.rightPressed && tileAt(column, row) >= 0) {
        e.currentTile = tileAt(column, row);
        tileGroupSelectionStart(column, row, false);
    } else if (e.tileGroupSelecting && !e.tileGroupOverTileset && !mouse.rightDown) {
        tileGroupSelectionComplete(column, row, tileAt);
    }
}

// The picker shows the tileset at the screen's corner; only its own cells can be picked.
void pickFromTileset(const StepMouse& mouse) {
    EditorInfo& e = info();
    const PXTexture* tileset = globalMap->getTileset();
    const int columns = tileset != nullptr ? tileset->width() / kTile : 0;
    const int rows = tileset != nullptr ? tileset->height() / kTile : 0;
    if (columns == 0 || rows == 0) {
        e.tileGroupSelecting = false;
        return;
    }
    const int column = mouse.logical.x / kTile;
    const int row = mouse.logical.y / kTile;
    const auto tileAt = [columns, rows](int c, int r) {
        return c >= 0 && c < columns && r >= 0 && r < rows ? r * columns + c : -1;
    };
    if (mouse.leftPressed && tileAt(column, row) >= 0) {
        e.currentTile = tileAt(column, row);
        tileGroupSelectionStart(column, row, true);
    } else if (e.tileGroupSelecting && e.tileGroupOverTileset && !mouse.leftDown) {
        tileGroupSelectionComplete(std::min(column, columns - 1), std::min(row, rows - 1), tileAt);
    }
}

void tilePickLogic(const StepMouse& mouse) {
    const EditorInfo& e = info();
    if (e.tilesetPickerShown) {
        pickFromTileset(mouse);
    } else if (e.mode == EditorMode::Map) {
        pickFromMap(mouse);
    }
}

// ---- Objects ----

void editorSelectObject(EditorPoint logical) {
    EditorInfo& e = info();
    for (const auto& candidate : e.objectTemplates) {
        candidate->updateCurrentBBox();
        if (contains(*candidate->getBBox(), logical)) {
            e.placementTemplate = candidate.get();
        }
    }
}

// The topmost object of the map under the point, or null.
WorldObject* objectAt(EditorPoint point) {
    for (auto it = globalMapSpecificWorldObjectVector->rbegin();
         it != globalMapSpecificWorldObjectVector->rend(); ++it) {
        (*it)->updateCurrentBBox();
        if (contains(*(*it)->getBBox(), point)) {
            return *it;
        }
    }
    return nullptr;
}

WorldObject* objectMeeting(const BoundingBox& band) {
    for (auto it = globalMapSpecificWorldObjectVector->rbegin();
         it != globalMapSpecificWorldObjectVector->rend(); ++it) {
        if (BoundingBox::checkCollision((*it)->getBBox(), &band)) {
            return *it;
        }
    }
    return nullptr;
}

void pressOnObjects(EditorPoint at) {
    EditorInfo& e = info();
    WorldObject* object = objectAt(at);
    if (object == nullptr) {
        startRubberBand(at);
        return;
    }
    e.selectedObject = object;
    e.draggedObject = object;
    e.dragOffsetX = at.x - object->getXPos();
    e.dragOffsetY = at.y - object->getYPos();
}

void objectLogic(const StepMouse& mouse) {
    EditorInfo& e = info();
    if (e.mode != EditorMode::Object) {
        return;
    }
    if (e.objectSelectorShown) {
        if (mouse.leftPressed) {
            editorSelectObject(mouse.logical);
        }
    } else {
        if (mouse.leftPressed) {
            editorPlaceObject();
            pressOnObjects(mouse.map);
        }
        if (e.draggedObject != nullptr && mouse.leftDown) {
            e.draggedObject->setPosition(mouse.map.x - e.dragOffsetX, mouse.map.y - e.dragOffsetY);
            e.draggedObject->updateCurrentBBox();
        }
        if (!mouse.leftDown) {
            e.draggedObject = nullptr;
        }
        if (const std::optional<BoundingBox> band = releasedRubberBand(mouse)) {
            if (WorldObject* object = objectMeeting(*band)) {
                e.selectedObject = object;
            }
        }
    }
    if (mouse.rightDown) {
        e.placementTemplate = nullptr;
    }
}

bool onCurrentMap(const WorldObject* object) {
    return std::find(globalMapSpecificWorldObjectVector->begin(),
                     globalMapSpecificWorldObjectVector->end(),
                     object) != globalMapSpecificWorldObjectVector->end();
}

// Objects can vanish behind the editor's back (removed, list or map replaced): a selection that
// is no longer on the map is dropped before anything uses it.
void forgetVanishedObjects() {
    EditorInfo& e = info();
    for (WorldObject* object : {e.selectedObject, e.draggedObject}) {
        if (object != nullptr && !onCurrentMap(object)) {
            e.forgetObject(object);
        }
    }
}

// "ConditionChecker" as "condition checker".
std::string spokenClassName(const char* className) {
    std::string spoken;
    for (const char* c = className; *c != '\0'; c++) {
        if (std::isupper(static_cast<unsigned char>(*c)) && !spoken.empty()) {
            spoken += ' ';
        }
        spoken += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return spoken;
}

// ---- Map items: exits, water areas, camera stoppers ----

// What editing exits, water areas and camera stoppers shares.
struct MapItems {
    int& selected;
    int count;
    std::function<BoundingBox(int)> box;
    std::function<EditorPoint(int)> position;
    std::function<void(int, EditorPoint)> moveTo;
    // Grows the item's length; empty for items without one.
    std::function<void(int, int)> extend;
};

void extendLogic(const MapItems& items, const StepKeys& keys) {
    if (!items.extend) {
        return;
    }
    const bool fast = shiftHeld();
    const bool longer = fast ? PXKey(EditorKey::kEquals) != 0 : keys.equals;
    const bool shorter = fast ? PXKey(EditorKey::kMinus) != 0 : keys.minus;
    const int change = (longer ? 1 : 0) - (shorter ? 1 : 0);
    if (change != 0) {
        items.extend(items.selected, change);
    }
}

void moveLogic(const MapItems& items, const StepKeys& keys, const StepMouse& mouse) {
    const EditorPoint at = items.position(items.selected);
    const int dx = (keys.d ? 1 : 0) - (keys.a ? 1 : 0);
    const int dy = (keys.s ? 1 : 0) - (keys.w ? 1 : 0);
    if (dx != 0 || dy != 0) {
        items.moveTo(items.selected, {at.x + dx, at.y + dy});
    }
    if (keys.p) {
        items.moveTo(items.selected, mouse.map);
    }
}

void selectByRubberBand(const MapItems& items, const StepMouse& mouse) {
    if (mouse.leftPressed) {
        startRubberBand(mouse.map);
    }
    const std::optional<BoundingBox> band = releasedRubberBand(mouse);
    if (!band) {
        return;
    }
    for (int index = 0; index < items.count; index++) {
        const BoundingBox box = items.box(index);
        if (BoundingBox::checkCollision(&box, &*band)) {
            items.selected = index;
            return;
        }
    }
}

void mapItemLogic(const MapItems& items, const StepKeys& keys, const StepMouse& mouse) {
    if (items.selected >= 0 && items.selected < items.count) {
        extendLogic(items, keys);
        moveLogic(items, keys, mouse);
    }
    selectByRubberBand(items, mouse);
}

Map::Exit* selectedExit() {
    return globalMap->getExit(info().selectedExit);
}

Map::WaterArea* selectedWaterArea() {
    return globalMap->getWaterArea(info().selectedWaterArea);
}

Map::CameraStopper* selectedCameraStopper() {
    return globalMap->getCameraStopper(info().selectedCameraStopper);
}

Map::Background* editBackground() {
    return globalMap->getBackground(info().editBackground);
}

MapItems exitItems() {
    return {info().selectedExit,
            globalMap->getNumberOfExits(),
            [](int i) { return globalMap->getExit(i)->boundingBox(); },
            [](int i) {
                const Map::Exit& exit = *globalMap->getExit(i);
                return EditorPoint{exit.getX(), exit.getY()};
            },
            [](int i, EditorPoint to) { globalMap->getExit(i)->setCoords(to.x, to.y); },
            [](int i, int change) {
                Map::Exit& exit = *globalMap->getExit(i);
                if (exit.getOrientation() == Map::kHorizontal) {
                    exit.setWidth(exit.getWidth() + change);
                } else {
                    exit.setHeight(exit.getHeight() + change);
                }
            }};
}

MapItems cameraStopperItems() {
    return {info().selectedCameraStopper,
            globalMap->getNumberOfCameraStoppers(),
            [](int i) { return globalMap->getCameraStopper(i)->boundingBox(); },
            [](int i) {
                const Map::CameraStopper& stopper = *globalMap->getCameraStopper(i);
                return EditorPoint{stopper.getX(), stopper.getY()};
            },
            [](int i, EditorPoint to) { globalMap->getCameraStopper(i)->setPosition(to.x, to.y); },
            [](int i, int change) {
                Map::CameraStopper& stopper = *globalMap->getCameraStopper(i);
                stopper.setLength(stopper.getLength() + change);
            }};
}

MapItems waterAreaItems() {
    return {info().selectedWaterArea,
            globalMap->getNumberOfWaterAreas(),
            [](int i) { return globalMap->getWaterArea(i)->boundingBox(); },
            [](int i) {
                const BoundingBox& box = globalMap->getWaterArea(i)->boundingBox();
                return EditorPoint{box.getLeftBound(), box.getTopBound()};
            },
            [](int i, EditorPoint to) {
                BoundingBox& box = globalMap->getWaterArea(i)->boundingBox();
                box = box.movedBy(to.x - box.getLeftBound(), to.y - box.getTopBound());
            },
            {}};
}

// The left button drags the selected area's top-left corner, the right one its bottom-right.
void waterAreaCornerLogic(const StepMouse& mouse) {
    Map::WaterArea* area = selectedWaterArea();
    if (area == nullptr || !mouse.onMap) {
        return;
    }
    BoundingBox& box = area->boundingBox();
    if (mouse.leftDown) {
        box.setBounds(mouse.map.x, mouse.map.y, box.getRightBound(), box.getBottomBound());
    }
    if (mouse.rightDown) {
        box.setBounds(box.getLeftBound(), box.getTopBound(), mouse.map.x, mouse.map.y);
    }
}

void modeItemLogic(const StepMouse& mouse, const StepKeys& keys) {
    switch (info().mode) {
    case EditorMode::Exit:
        mapItemLogic(exitItems(), keys, mouse);
        break;
    case EditorMode::Water:
        waterAreaCornerLogic(mouse);
        mapItemLogic(waterAreaItems(), keys, mouse);
        break;
    case EditorMode::CameraStopper:
        mapItemLogic(cameraStopperItems(), keys, mouse);
        break;
    default:
        break;
    }
}

// ---- Exit "next map" placement ----

void exitPlacementLogic(const StepMouse& mouse, const StepKeys& keys) {
    EditorInfo& e = info();
    Map::Exit* exit = selectedExit();
    if (exit != nullptr && mouse.leftDown && mouse.onMap) {
        exit->setNextMapCoords(mouse.logical.x + e.exitPreviewViewX,
                               mouse.logical.y + e.exitPreviewViewY);
    }
    const EditorPoint motion = fastOrSlowArrows(kFastScrollStep);
    e.exitPreviewViewX += motion.x;
    e.exitPreviewViewY += motion.y;
    if (keys.space || exit == nullptr) {
        e.exitPlacementActive = false;
        recreateMapSpecificWorldObjectVector(globalMap->getFilename());
    }
}

// The directory part of a path with its "/"; the current directory for a bare name.
std::string directoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::optional<std::string> plainFilename(const std::string& path) {
    const std::unique_ptr<char, decltype(&free)> name(PXGetFilename(path.c_str()), &free);
    if (name == nullptr) {
        return std::nullopt;
    }
    return std::string(name.get());
}

// ---- Backgrounds ----

void backgroundDivisorLogic(Map::Background& background, const StepKeys& keys) {
    const int dx = (keys.d ? 1 : 0) - (keys.a ? 1 : 0);
    const int dy = (keys.w ? 1 : 0) - (keys.s ? 1 : 0);
    if (dx != 0 || dy != 0) {
        background.setScrollDivisors(background.getScrollDivisorX() + dx,
                                     background.getScrollDivisorY() + dy);
    }
}

// The left button sets the source rectangle's top-left corner, the right one its bottom-right,
// each kept inside the image and on its side of the other corner.
void backgroundCoordsLogic(Map::Background& background, const StepMouse& mouse) {
    const PXTexture* image = background.getTexture();
    if (image == nullptr || !mouse.onMap) {
        return;
    }
    const EditorInfo& e = info();
    const int x = mouse.logical.x - e.backgroundViewX;
    const int y = mouse.logical.y - e.backgroundViewY;
    int left = background.getSourceLeft();
    int top = background.getSourceTop();
    int right = background.getSourceRight();
    int bottom = background.getSourceBottom();
    if (mouse.leftDown) {
        left = std::min(std::max(x, 0), std::min(image->width(), right));
        top = std::min(std::max(y, 0), std::min(image->height(), bottom));
    }
    if (mouse.rightDown) {
        right = std::min(std::max({x, 0, left}), image->width());
        bottom = std::min(std::max({y, 0, top}), image->height());
    }
    background.setSourceRegion(left, top, right, bottom);
}

void backgroundLogic(const StepMouse& mouse, const StepKeys& keys) {
    const EditorInfo& e = info();
    Map::Background* background = editBackground();
    if (e.mode != EditorMode::Background || background == nullptr) {
        return;
    }
    backgroundDivisorLogic(*background, keys);
    if (e.backgroundCoordsMode) {
        backgroundCoordsLogic(*background, mouse);
    }
}

// The bare name of a chosen image the resource manager can load; nothing (logged) otherwise.
std::optional<std::string> chooseBackgroundImage(const char* title) {
    const std::optional<std::string> path = chooseEditorFile(title, nullptr);
    if (!path) {
        return std::nullopt;
    }
    const std::optional<std::string> name = plainFilename(*path);
    if (!name || ResourceManager::instance()->texture(name->c_str()) == nullptr) {
        globalLog->write("User selected something that isn't an image\n");
        return std::nullopt;
    }
    return name;
}

void addBackgroundNamed(const std::string& name) {
    auto background = std::make_unique<Map::Background>();
    background->setImageName(name.c_str());
    background->loadTexture();
    globalMap->addBackground(std::move(background));
    info().editBackground = globalMap->getNumberOfBackgrounds() - 1;
}

// ---- Minimap placement and scrolling ----

void minimapLogic(const StepMouse& mouse) {
    EditorInfo& e = info();
    if (e.mode != EditorMode::Minimap) {
        return;
    }
    const EditorPoint motion = fastOrSlowArrows(kFastScrollStep);
    e.minimapViewX += motion.x;
    e.minimapViewY += motion.y;
    if (!mouse.leftDown || !mouse.onMap) {
        return;
    }
    const int cell = Minimap::kCellSize * SCREEN_SCALE_FACTOR;
    const int column = (PXMouseX + e.minimapViewX * SCREEN_SCALE_FACTOR) / cell;
    const int row = (PXMouseY + e.minimapViewY * SCREEN_SCALE_FACTOR) / cell;
    if (column < 0 || column >= Minimap::kColumns || row < 0 || row >= Minimap::kRows) {
        return;
    }
    e.markMinimapCell(column, row);
    globalMap->setMinimapIndex(column, row);
}

void scrollLogic() {
    EditorInfo& e = info();
    if (e.mode == EditorMode::Background && e.backgroundCoordsMode) {
        // The image moves opposite to the arrows: it is the view that follows them.
        const EditorPoint motion = fastOrSlowArrows(kFastBackgroundStep);
        e.backgroundViewX -= motion.x;
        e.backgroundViewY -= motion.y;
    } else if (e.mode != EditorMode::Minimap && !e.tilesetPickerShown) {
        const EditorPoint motion = fastOrSlowArrows(kFastScrollStep);
        e.viewX += motion.x;
        e.viewY += motion.y;
    }
}

void playerAndObjectKeys(const StepMouse& mouse, const StepKeys& keys) {
    EditorInfo& e = info();
    if (keys.y && e.mode != EditorMode::Background) {
        globalPlayer->setPosition(mouse.map.x, mouse.map.y);
    }
    if (keys.f && !e.objectSelectorShown) {
        e.objectsShown = !e.objectsShown;
    }
}

void editorStep() {
    EditorInfo& e = info();
    forgetVanishedObjects();
    const StepMouse mouse = readMouse();
    const StepKeys keys = readKeys();
    if (e.minimap != nullptr) {
        e.minimap->setPos(-e.minimapViewX, -e.minimapViewY);
    }
    if (e.layerManagerShown) {
        layerManagerLogic();
    }
    if (e.objectEditActive) {
        if (!e.objectEditInitialised) {
            objectEditModeInit();
        }
        objectEditModeLogic();
        return;
    }
    if (e.menusShown) {
        editorGUIPollMenus();
    }
    if (keys.backquote) {
        e.menusShown = !e.menusShown;
    }
    if (e.exitPlacementActive) {
        exitPlacementLogic(mouse, keys);
        return;
    }
    paintLogic(mouse);
    tilePickLogic(mouse);
    objectLogic(mouse);
    playerAndObjectKeys(mouse, keys);
    backgroundLogic(mouse, keys);
    scrollLogic();
    minimapLogic(mouse);
    modeItemLogic(mouse, keys);
}

} // namespace

void editorLogic() {
    editorStep();
    editorHistoryLogic();
}

EditorPoint editorMouseLogical() {
    return {PXMouseX / SCREEN_SCALE_FACTOR, PXMouseY / SCREEN_SCALE_FACTOR};
}

EditorPoint editorMouseOnMap() {
    const EditorPoint logical = editorMouseLogical();
    return {logical.x + info().viewX, logical.y + info().viewY};
}

void editorRebuildLayerManager() {
    EditorInfo& e = info();
    if (e.layerList == nullptr && !createLayerManager()) {
        return;
    }
    PXUIListBox& list = *e.layerList;
    const int start = list.startItemIndex();
    list.clearAllItems();
    for (int layer = 0; layer <= lastLayer(); layer++) {
        list.addItem(layerLabel(layer).c_str());
    }
    list.setStartItemIndex(start);
    list.selectItemAtIndex(e.editLayer);
}

void editorPlaceObject() {
    const WorldObject* model = info().placementTemplate;
    if (model == nullptr) {
        return;
    }
    const char* mapName = globalMap->getFilename();
    // An object without owner map would land in the player's inventory.
    if (mapName == nullptr) {
        globalLog->write("Save the map before placing objects on it.\n");
        return;
    }
    const char* className = worldObjectClassName(model->getObjectType());
    if (className == nullptr) {
        return;
    }
    try {
        std::unique_ptr<WorldObject> object(createWorldObjectNamed(className));
        const EditorPoint at = editorMouseOnMap();
        object->setPosition(at.x, at.y);
        object->setOwnerMap(mapName);
        object->updateCurrentBBox();
        globalWorldObjectVector->push_back(object.get());
        object.release();
    } catch (const std::bad_alloc&) {
        globalLog->write("Couldn't create new %s object for placement.\n",
                         spokenClassName(className).c_str());
        return;
    }
    recreateMapSpecificWorldObjectVector(mapName);
}

void editorLogicSetPlayerStart(void*) {
    globalMap->setPlayerStartPosition(globalPlayer->getXPos(), globalPlayer->getYPos());
}

namespace {

void switchTileset(const char* name) {
    if (name == nullptr) {
        return;
    }
    globalMap->setTilesetName(name);
    globalMap->loadTileset();
    info().currentTile = 0;
}

// Layer count changes show at once in the layer manager.
void afterLayerCountChange() {
    EditorInfo& e = info();
    e.editLayer = std::min(e.editLayer, lastLayer());
    e.drawLayer = std::min(e.drawLayer, lastLayer());
    editorRebuildLayerManager();
}

void setDrawLayer(int layer) {
    info().drawLayer = layer;
    editorRebuildLayerManager();
}

void setEditLayer(int layer) {
    info().editLayer = layer;
    editorRebuildLayerManager();
}

// Turns the selected exit, the new length running on from the old one.
void setSelectedExitOrientation(int orientation) {
    Map::Exit* exit = selectedExit();
    if (exit == nullptr) {
        return;
    }
    const int length = orientation == Map::kHorizontal ? exit->getHeight() : exit->getWidth();
    exit->setOrientation(orientation);
    if (orientation == Map::kHorizontal) {
        exit->setWidth(length);
    } else {
        exit->setHeight(length);
    }
}

void setSelectedCameraStopperOrientation(int orientation) {
    if (Map::CameraStopper* stopper = selectedCameraStopper()) {
        stopper->setOrientation(orientation);
    }
}

void setSelectedBlockDirection(int direction) {
    if (Map::CameraStopper* stopper = selectedCameraStopper()) {
        stopper->setBlockDirection(direction);
    }
}

} // namespace

void editorLogicNextTileset(void*) {
    if (TILESET_NAMES != nullptr) {
        switchTileset(TILESET_NAMES->getNextFilename());
    }
}

void editorLogicPreviousTileset(void*) {
    if (TILESET_NAMES != nullptr) {
        switchTileset(TILESET_NAMES->getPreviousFilename());
    }
}

void editorLogicToggleBlock(void*) {
    toggleEditLayerFlag(Map::kLayerBlock);
    editorRebuildLayerManager();
}

void editorLogicToggleUpper(void*) {
    toggleEditLayerFlag(Map::kLayerUpper);
    editorRebuildLayerManager();
}

void editorLogicAddLayer(void*) {
    globalMap->appendLayer();
    afterLayerCountChange();
}

void editorLogicRemoveLayer(void*) {
    globalMap->removeLastLayer();
    afterLayerCountChange();
}

void editorLogicAddColumn(void*) {
    globalMap->appendColumn();
}

void editorLogicRemoveColumn(void*) {
    globalMap->removeLastColumn();
}

void editorLogicAddRow(void*) {
    globalMap->appendRow();
}

void editorLogicRemoveRow(void*) {
    globalMap->removeLastRow();
}

void editorLogicNextDrawLayer(void*) {
    const int layer = info().drawLayer;
    setDrawLayer(layer >= lastLayer() ? -1 : layer + 1);
}

void editorLogicPreviousDrawLayer(void*) {
    const int layer = info().drawLayer;
    setDrawLayer(layer == -1 ? lastLayer() : layer - 1);
}

void editorLogicNextEditLayer(void*) {
    setEditLayer(nextIndex(info().editLayer, lastLayer() + 1));
}

void editorLogicPreviousEditLayer(void*) {
    setEditLayer(previousIndex(info().editLayer, lastLayer() + 1));
}

void editorLogicAddExit(void*) {
    Map::Exit* exit = globalMap->addExit();
    const EditorPoint at = editorMouseOnMap();
    exit->setCoords(at.x, at.y);
    exit->setOrientation(Map::kVertical);
    exit->setHeight(32);
    info().selectedExit = globalMap->getNumberOfExits() - 1;
}

void editorLogicRemoveExit(void*) {
    EditorInfo& e = info();
    globalMap->removeExit(e.selectedExit);
    e.selectedExit = selectionAfterRemoval(e.selectedExit, globalMap->getNumberOfExits());
}

void editorLogicSetExitHorizontal(void*) {
    setSelectedExitOrientation(Map::kHorizontal);
}

void editorLogicSetExitVertical(void*) {
    setSelectedExitOrientation(Map::kVertical);
}

void editorLogicSetExitNextTarget(void*) {
    EditorInfo& e = info();
    if (selectedExit() == nullptr) {
        return;
    }
    const std::string& directory = e.previousPlacementDirectory;
    const std::optional<std::string> path =
        chooseEditorFile("Load Exit Map", directory.empty() ? nullptr : directory.c_str());
    if (!path) {
        return;
    }
    globalMusicPlayer->stop();
    e.previousPlacementDirectory = directoryOf(*path);
    e.exitPreviewMap.reset();
    auto preview = std::make_unique<Map>();
    if (!preview->load(path->c_str())) {
        globalLog->write("Couldn't load the \"next map\" map.\n");
        return;
    }
    const std::optional<std::string> name = plainFilename(*path);
    Map::Exit* exit = selectedExit();
    if (!name || exit == nullptr) {
        globalLog->write("Unable to determine plain filename of \"next map\" map.\n");
        return;
    }
    exit->setNextMap(name->c_str());
    e.exitPreviewMap = std::move(preview);
    e.exitPreviewViewX = 0;
    e.exitPreviewViewY = 0;
    e.exitPlacementActive = true;
}

void editorLogicNextExit(void*) {
    info().selectedExit = nextIndex(info().selectedExit, globalMap->getNumberOfExits());
}

void editorLogicPreviousExit(void*) {
    info().selectedExit = previousIndex(info().selectedExit, globalMap->getNumberOfExits());
}

void editorLogicAddWaterArea(void*) {
    globalMap->addWaterArea()->boundingBox().setBounds(0, 0, 100, 100);
    info().selectedWaterArea = globalMap->getNumberOfWaterAreas() - 1;
}

void editorLogicRemoveWaterArea(void*) {
    EditorInfo& e = info();
    globalMap->removeWaterArea(e.selectedWaterArea);
    e.selectedWaterArea =
        selectionAfterRemoval(e.selectedWaterArea, globalMap->getNumberOfWaterAreas());
}

void editorLogicNextWaterArea(void*) {
    info().selectedWaterArea =
        nextIndexWrappingAtEnd(info().selectedWaterArea, globalMap->getNumberOfWaterAreas());
}

void editorLogicPreviousWaterArea(void*) {
    info().selectedWaterArea--;
}

void editorLogicAddCameraStopper(void*) {
    Map::CameraStopper* stopper = globalMap->addCameraStopper();
    const EditorPoint at = editorMouseOnMap();
    stopper->setPosition(at.x, at.y);
    stopper->setOrientation(Map::kVertical);
    stopper->setBlockDirection(Map::CameraStopper::kBlockLeft);
    stopper->setLength(80);
    info().selectedCameraStopper = globalMap->getNumberOfCameraStoppers() - 1;
}

void editorLogicRemoveCameraStopper(void*) {
    EditorInfo& e = info();
    globalMap->removeCameraStopper(e.selectedCameraStopper);
    e.selectedCameraStopper =
        selectionAfterRemoval(e.selectedCameraStopper, globalMap->getNumberOfCameraStoppers());
}

void editorLogicSetCameraStopperHorizontal(void*) {
    setSelectedCameraStopperOrientation(Map::kHorizontal);
}

void editorLogicSetCameraStopperVertical(void*) {
    setSelectedCameraStopperOrientation(Map::kVertical);
}

void editorLogicSetBlockLeft(void*) {
    setSelectedBlockDirection(Map::CameraStopper::kBlockLeft);
}

void editorLogicSetBlockRight(void*) {
    setSelectedBlockDirection(Map::CameraStopper::kBlockRight);
}

void editorLogicSetBlockUp(void*) {
    setSelectedBlockDirection(Map::CameraStopper::kBlockUp);
}

void editorLogicSetBlockDown(void*) {
    setSelectedBlockDirection(Map::CameraStopper::kBlockDown);
}

void editorLogicNextCameraStopper(void*) {
    info().selectedCameraStopper = nextIndexWrappingAtEnd(info().selectedCameraStopper,
                                                          globalMap->getNumberOfCameraStoppers());
}

void editorLogicPreviousCameraStopper(void*) {
    info().selectedCameraStopper--;
}

void editorLogicReplaceBackground(void*) {
    const std::optional<std::string> name =
        chooseBackgroundImage("Select (Replace) Background Image");
    if (!name) {
        return;
    }
    Map::Background* background = editBackground();
    if (background == nullptr) {
        addBackgroundNamed(*name);
        return;
    }
    background->setImageName(name->c_str());
    background->loadTexture();
}

void editorLogicAddBackground(void*) {
    if (const std::optional<std::string> name =
            chooseBackgroundImage("Select (New) Background Image")) {
        addBackgroundNamed(*name);
    }
}

void editorLogicRemoveBackground(void*) {
    EditorInfo& e = info();
    if (editBackground() == nullptr) {
        return;
    }
    globalMap->removeBackground(e.editBackground);
    e.editBackground = globalMap->getNumberOfBackgrounds() == 0 ? -1 : e.editBackground - 1;
}

void editorLogicNextBackground(void*) {
    info().editBackground = nextIndex(info().editBackground, globalMap->getNumberOfBackgrounds());
}

void editorLogicPreviousBackground(void*) {
    info().editBackground =
        previousIndex(info().editBackground, globalMap->getNumberOfBackgrounds());
}
