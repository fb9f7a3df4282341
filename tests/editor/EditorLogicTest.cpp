#include "editor/EditorLogic.h"
#include "editor/EditorGUI.h"
#include "editor/EditorInfo.h"
#include "editor/EditorInitialization.h"
#include "editor/EditorPlayTest.h"
#include "engine/PXInit.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIListBox.h"
#include "engine/ui/PXUIMenu.h"
#include "game/core/Globals.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"
#include "game/world/Minimap.h"
#include "tests/engine/ui/UIInput.h"
#include "tests/support/GameplayFixture.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace {

using namespace EditorKey;

class EditorLogicTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        saveMap("editortest");
        ui_input::releaseEverything();
        ASSERT_TRUE(editorInitialization());
        ASSERT_TRUE(editorEnter());
        editor().viewX = 0;
        editor().viewY = 0;
    }

    void TearDown() override {
        ui_input::releaseEverything();
        editorLeave();
        editorDeinitialization();
        GameplayFixture::TearDown();
    }

    static EditorInfo& editor() { return *editorInfo; }

    static void step(int count = 1) {
        for (int i = 0; i < count; i++) {
            editorLogic();
        }
    }

    // The mouse over a logical screen pixel (the window is scaled).
    static void pointAt(int x, int y) {
        ui_input::moveMouse(x * SCREEN_SCALE_FACTOR, y * SCREEN_SCALE_FACTOR);
    }

    // Presses, steps, releases and steps: one click or one key press as the editor sees it.
    static void pressButton(int button) {
        ui_input::setMouseButton(button, true);
        step();
        ui_input::setMouseButton(button, false);
        step();
    }

    static void clickAt(int x, int y) {
        pointAt(x, y);
        pressButton(0);
    }

    static void dragWith(int button, EditorPoint from, EditorPoint to) {
        pointAt(from.x, from.y);
        ui_input::setMouseButton(button, true);
        step();
        pointAt(to.x, to.y);
        step();
        ui_input::setMouseButton(button, false);
        step();
    }

    // A left-button band between two map points.
    static void bandOnMap(EditorPoint from, EditorPoint to) {
        const int x = editor().viewX;
        const int y = editor().viewY;
        dragWith(0, {from.x - x, from.y - y}, {to.x - x, to.y - y});
    }

    static void pressKeys(int key1, int key2 = 0) {
        ui_input::setKey(key1, true);
        ui_input::setKey(key2, true);
        step();
        ui_input::setKey(key1, false);
        ui_input::setKey(key2, false);
        step();
    }

    static int tileAt(int row, int column) { return globalMap->getTileAt(0, row, column); }

    static int tileSum() {
        int sum = 0;
        for (int row = 0; row < globalMap->getNumberOfRows(); row++) {
            for (int column = 0; column < globalMap->getNumberOfColumns(); column++) {
                sum += tileAt(row, column);
            }
        }
        return sum;
    }
};

// The centre of a tile in logical pixels with the view at (0, 0).
EditorPoint tileCentre(int row, int column) {
    return {column * 16 + 8, row * 16 + 8};
}

TEST_F(EditorLogicTest, PaintsTilesAndGroupsOnlyInsideTheMap) {
    editor().menusShown = false;
    editor().currentTile = kSolid;
    const EditorPoint tile = tileCentre(10, 3);
    clickAt(tile.x, tile.y);
    EXPECT_EQ(tileAt(10, 3), kSolid);
    EXPECT_EQ(tileSum(), kSolid);

    // Left of and above the map, then past its last column and row.
    editor().viewX = -10;
    editor().viewY = -10;
    clickAt(5, 12);
    clickAt(12, 5);
    editor().viewX = 20 * 16 - 100;
    editor().viewY = 15 * 16 - 100;
    clickAt(110, 50);
    clickAt(50, 110);
    EXPECT_EQ(tileSum(), kSolid);

    // A right-drag copies a group, which a left click pastes from its top-left tile.
    editor().viewX = 0;
    editor().viewY = 0;
    globalMap->setTileAt(0, 1, 1, kStep8);
    globalMap->setTileAt(0, 2, 2, kStep9);
    dragWith(1, tileCentre(2, 2), tileCentre(1, 1));
    EXPECT_EQ(editor().currentTile, kStep9);
    ASSERT_EQ(editor().copyBuffer.size(), 4u);
    const EditorPoint paste = tileCentre(5, 18);
    clickAt(paste.x, paste.y);
    EXPECT_EQ(tileAt(5, 18), kStep8);
    EXPECT_EQ(tileAt(6, 19), kStep9);
    EXPECT_EQ(tileAt(5, 19), kEmpty);
    // The group reaching past the map's right edge is cut there.
    EXPECT_EQ(globalMap->getNumberOfColumns(), 20);
}

TEST_F(EditorLogicTest, TilesetPickerPicksOnlyTilesOfAUsableTileset) {
    pressKeys(kLeftWinkey, letter('W'));
    ASSERT_TRUE(editor().tilesetPickerShown);
    // The test tileset holds 2 x 2 tiles; a click past them picks nothing.
    clickAt(20, 20);
    EXPECT_EQ(editor().currentTile, 3);
    clickAt(100, 100);
    EXPECT_EQ(editor().currentTile, 3);
    dragWith(0, {5, 12}, {20, 20});
    EXPECT_EQ(editor().currentTile, 0);
    EXPECT_EQ(editor().copyBuffer.size(), 4u);
    EXPECT_EQ(tileSum(), 0) << "the picker never paints";

    globalMap->setTilesetName("missing.png");
    EXPECT_FALSE(globalMap->loadTileset());
    clickAt(20, 20);
    EXPECT_EQ(editor().currentTile, 0);
}

TEST_F(EditorLogicTest, MapSizeAndLayerItemsResizeTheMapAndCycleLayers) {
    pressKeys(kLeftWinkey, letter('X'));
    pressKeys(kLeftWinkey, letter('C'));
    EXPECT_EQ(globalMap->getNumberOfColumns(), 21);
    EXPECT_EQ(globalMap->getNumberOfRows(), 16);
    pressKeys(kLeftAlt, letter('X'));
    pressKeys(kLeftAlt, letter('C'));
    EXPECT_EQ(globalMap->getNumberOfColumns(), 20);
    EXPECT_EQ(globalMap->getNumberOfRows(), 15);

    pressKeys(kLeftWinkey, letter('Z'));
    pressKeys(kLeftWinkey, letter('Z'));
    ASSERT_EQ(globalMap->getNumberOfLayers(), 3);
    // prev draw: all -> last -> ... -> 0 -> all.
    const int expected[] = {2, 1, 0, -1};
    for (int layer : expected) {
        pressKeys(kLeftWinkey, kComma);
        EXPECT_EQ(editor().drawLayer, layer);
    }
    pressKeys(kLeftWinkey, kPeriod);
    EXPECT_EQ(editor().drawLayer, 0);
    pressKeys(kLeftAlt, kComma);
    EXPECT_EQ(editor().editLayer, 2);
    pressKeys(kLeftAlt, letter('Z'));
    EXPECT_EQ(globalMap->getNumberOfLayers(), 2);
    EXPECT_EQ(editor().editLayer, 1) << "the edit layer follows the last layer";

    // The layer manager lists the layers; its buttons act on the edit layer.
    pressKeys(kLeftWinkey, letter('A'));
    ASSERT_TRUE(editor().layerManagerShown);
    PXUIListBox& list = *editor().layerList;
    ASSERT_EQ(list.numberOfItems(), 2);
    EXPECT_EQ(*list.itemAtIndex(1), "Layer 1 (edit)");
    EXPECT_EQ(*list.itemAtIndex(0), "Layer 0 (drawn)");
    globalMap->setTileAt(1, 0, 0, kSolid);
    const PXUIButton& moveDown = *editor().layerButtons[3];
    ui_input::moveMouse(moveDown.xPos() + 2, moveDown.yPos() + 2);
    pressButton(0);
    EXPECT_EQ(globalMap->getTileAt(0, 0, 0), kSolid);
    EXPECT_EQ(editor().editLayer, 0);
    EXPECT_EQ(*list.itemAtIndex(0), "Layer 0 (edit) (drawn)");
    const PXUIButton& block = *editor().layerButtons[1];
    const int flags = globalMap->getLayerProperties(0);
    ui_input::moveMouse(block.xPos() + 2, block.yPos() + 2);
    pressButton(0);
    EXPECT_EQ(globalMap->getLayerProperties(0), flags ^ Map::kLayerBlock);
}

// What the exit, water and camera stopper tests share: one mode's items seen alike.
struct ItemAccess {
    int modeDigit;
    // Exits cycle backwards; water areas and camera stoppers only count down.
    bool previousWraps;
    std::function<int()> count;
    std::function<EditorPoint(int)> position;
    std::function<int&()> selected;
};

TEST_F(EditorLogicTest, ExitsWaterAreasAndCameraStoppersAreAddedSelectedMovedAndRemoved) {
    // The view keeps the items' bands clear of the menu bar.
    editor().viewX = -30;
    editor().viewY = -30;
    // Add two, select the first with a band, nudge it with WASD, place it with P, remove it.
    const auto checkItemEditing = [](const ItemAccess& items) {
        pressKeys(kLeftWinkey, EditorKey::digit(items.modeDigit));
        pointAt(40, 60);
        pressKeys(kLeftWinkey, letter('N'));
        pointAt(200, 150);
        pressKeys(kLeftWinkey, letter('N'));
        ASSERT_EQ(items.count(), 2);
        EXPECT_EQ(items.selected(), 1);
        const EditorPoint first = items.position(0);
        bandOnMap(first, {first.x + 2, first.y + 2});
        EXPECT_EQ(items.selected(), 0);
        pressKeys(letter('D'));
        pressKeys(letter('S'));
        EXPECT_EQ(items.position(0).x, first.x + 1);
        EXPECT_EQ(items.position(0).y, first.y + 1);
        pointAt(77, 88);
        const EditorPoint target = editorMouseOnMap();
        pressKeys(letter('P'));
        EXPECT_EQ(items.position(0).x, target.x);
        EXPECT_EQ(items.position(0).y, target.y);
        // A band meeting nothing keeps the selection.
        bandOnMap({250, 20}, {260, 25});
        EXPECT_EQ(items.selected(), 0);
        pressKeys(kLeftWinkey, letter('R'));
        EXPECT_EQ(items.count(), 1);
        // Before the first there is nothing selected, and the keys then act on nothing.
        pressKeys(kLeftWinkey, kComma);
        pressKeys(kLeftWinkey, kComma);
        pressKeys(letter('D'));
        pressKeys(kLeftWinkey, letter('R'));
        EXPECT_EQ(items.count(), items.previousWraps ? 0 : 1);
    };

    checkItemEditing(
        {3, true, [] { return globalMap->getNumberOfExits(); },
         [](int i) {
             return EditorPoint{globalMap->getExit(i)->getX(), globalMap->getExit(i)->getY()};
         },
         []() -> int& { return editorInfo->selectedExit; }});
    editorLogicAddExit(nullptr);
    Map::Exit& exit = *globalMap->getExit(0);
    EXPECT_EQ(exit.getOrientation(), Map::kVertical);
    EXPECT_EQ(exit.getHeight(), 32);
    pressKeys(kEquals);
    EXPECT_EQ(exit.getHeight(), 33);
    ui_input::setKey(kLeftShift, true);
    ui_input::setKey(kMinus, true);
    step(3);
    ui_input::releaseEverything();
    EXPECT_EQ(exit.getHeight(), 30) << "with Shift, once per step";
    pressKeys(kLeftWinkey, letter('C'));
    EXPECT_EQ(exit.getOrientation(), Map::kHorizontal);
    EXPECT_EQ(exit.getWidth(), 30);

    checkItemEditing({7, false, [] { return globalMap->getNumberOfCameraStoppers(); },
                      [](int i) {
                          return EditorPoint{globalMap->getCameraStopper(i)->getX(),
                                             globalMap->getCameraStopper(i)->getY()};
                      },
                      []() -> int& { return editorInfo->selectedCameraStopper; }});
    editor().selectedCameraStopper = 0;
    Map::CameraStopper& stopper = *globalMap->getCameraStopper(0);
    EXPECT_EQ(stopper.getLength(), 80);
    pressKeys(kMinus);
    EXPECT_EQ(stopper.getLength(), 79);
    pressKeys(kLeftWinkey, letter('C'));
    pressKeys(kLeftWinkey, kUp);
    EXPECT_EQ(stopper.getOrientation(), Map::kHorizontal);
    EXPECT_EQ(stopper.getBlockDirection(), Map::CameraStopper::kBlockUp);

    checkItemEditing({6, false, [] { return globalMap->getNumberOfWaterAreas(); },
                      [](int i) {
                          const BoundingBox& box = globalMap->getWaterArea(i)->boundingBox();
                          return EditorPoint{box.getLeftBound(), box.getTopBound()};
                      },
                      []() -> int& { return editorInfo->selectedWaterArea; }});
}

TEST_F(EditorLogicTest, WaterAreaCornersFollowTheButtons) {
    editor().menusShown = false;
    editor().enterMode(EditorMode::Water);
    editorLogicAddWaterArea(nullptr);
    dragWith(0, {10, 12}, {20, 22});
    dragWith(1, {60, 70}, {150, 160});
    const BoundingBox& box = globalMap->getWaterArea(0)->boundingBox();
    EXPECT_EQ(box.getLeftBound(), 20);
    EXPECT_EQ(box.getTopBound(), 22);
    EXPECT_EQ(box.getRightBound(), 150);
    EXPECT_EQ(box.getBottomBound(), 160);
}

TEST_F(EditorLogicTest, ExitNextMapPlacementTakesClicksOnThePreviewUntilSpace) {
    editorLogicAddExit(nullptr);
    editor().exitPreviewMap = std::make_unique<Map>();
    editor().exitPlacementActive = true;
    editor().menusShown = false;
    ui_input::setKey(kRight, true);
    step(3);
    ui_input::setKey(kRight, false);
    EXPECT_EQ(editor().exitPreviewViewX, 6);
    clickAt(50, 60);
    const Map::Exit& exit = *globalMap->getExit(0);
    EXPECT_EQ(exit.getNextMapX(), 56);
    EXPECT_EQ(exit.getNextMapY(), 60);
    const int tilesBefore = tileSum();
    pressKeys(kSpace);
    EXPECT_FALSE(editor().exitPlacementActive);
    EXPECT_EQ(tileSum(), tilesBefore) << "placement clicks never paint";

    // A placement whose exit went away ends at once.
    editor().exitPlacementActive = true;
    globalMap->removeExit(0);
    step();
    EXPECT_FALSE(editor().exitPlacementActive);
}

TEST_F(EditorLogicTest, ObjectsArePlacedFromATemplateDraggedAndForgottenWhenRemoved) {
    pressKeys(kLeftWinkey, EditorKey::digit(2));
    editor().menusShown = false;
    const size_t objects = globalWorldObjectVector->size();
    clickAt(150, 150);
    EXPECT_EQ(globalWorldObjectVector->size(), objects) << "no template, no object";

    editor().objectSelectorShown = true;
    WorldObject& crateTemplate = *editor().objectTemplates.front();
    ASSERT_EQ(crateTemplate.getObjectType(), WORLD_OBJECT_CRATE);
    const BoundingBox& palette = *crateTemplate.getBBox();
    clickAt((palette.getLeftBound() + palette.getRightBound()) / 2,
            (palette.getTopBound() + palette.getBottomBound()) / 2);
    EXPECT_EQ(editor().placementTemplate, &crateTemplate);
    editor().objectSelectorShown = false;

    editor().viewX = 16;
    clickAt(100, 100);
    ASSERT_EQ(globalWorldObjectVector->size(), objects + 1);
    WorldObject* crate = globalWorldObjectVector->back();
    EXPECT_EQ(crate->getObjectType(), WORLD_OBJECT_CRATE);
    EXPECT_EQ(crate->getXPos(), 116);
    EXPECT_EQ(crate->getYPos(), 100);
    EXPECT_STREQ(crate->getOwnerMap(), "editortest");
    EXPECT_EQ(globalMapSpecificWorldObjectVector->back(), crate);

    // A press on the object grabs it without placing another; it follows the mouse.
    editor().placementTemplate = nullptr;
    const BoundingBox& box = *crate->getBBox();
    const EditorPoint grip{(box.getLeftBound() + box.getRightBound()) / 2 - 16,
                           (box.getTopBound() + box.getBottomBound()) / 2};
    pointAt(grip.x, grip.y);
    ui_input::setMouseButton(0, true);
    step();
    EXPECT_EQ(editor().draggedObject, crate);
    EXPECT_EQ(editor().selectedObject, crate);
    pointAt(grip.x + 30, grip.y - 10);
    step();
    EXPECT_EQ(crate->getXPos(), 146);
    EXPECT_EQ(crate->getYPos(), 90);

    removeWorldObjectFromWorldObjectVector(crate);
    step();
    EXPECT_EQ(editor().draggedObject, nullptr);
    EXPECT_EQ(editor().selectedObject, nullptr);
    pointAt(140, 80);
    step();
    ui_input::setMouseButton(0, false);
    step();
    EXPECT_EQ(globalWorldObjectVector->size(), objects);

    editor().placementTemplate = &crateTemplate;
    ui_input::setMouseButton(1, true);
    step();
    EXPECT_EQ(editor().placementTemplate, nullptr);
}

TEST_F(EditorLogicTest, PlayerObjectsBackgroundsAndMinimapKeys) {
    editor().menusShown = false;
    pointAt(50, 60);
    pressKeys(letter('Y'));
    EXPECT_EQ(thePlayer().getXPos(), 50);
    EXPECT_EQ(thePlayer().getYPos(), 60);
    pressKeys(letter('F'));
    EXPECT_FALSE(editor().objectsShown);

    editor().enterMode(EditorMode::Background);
    pressKeys(letter('W'));
    pointAt(5, 5);
    editor().backgroundCoordsMode = true;
    pressButton(0);
    EXPECT_EQ(globalMap->getNumberOfBackgrounds(), 0) << "nothing to edit, nothing done";

    auto background = std::make_unique<Map::Background>();
    background->setImageName("gameplayTiles.png");
    ASSERT_TRUE(background->loadTexture());
    globalMap->addBackground(std::move(background));
    editor().editBackground = 0;
    Map::Background& edited = *globalMap->getBackground(0);
    editor().backgroundCoordsMode = false;
    pressKeys(letter('W'));
    pressKeys(letter('D'));
    pressKeys(letter('D'));
    EXPECT_EQ(edited.getScrollDivisorY(), 1);
    EXPECT_EQ(edited.getScrollDivisorX(), 2);
    editor().backgroundCoordsMode = true;
    dragWith(1, {100, 100}, {100, 100});
    dragWith(0, {5, 6}, {5, 6});
    EXPECT_EQ(edited.getSourceLeft(), 5);
    EXPECT_EQ(edited.getSourceTop(), 6);
    EXPECT_EQ(edited.getSourceRight(), 32) << "kept inside the image";
    EXPECT_EQ(edited.getSourceBottom(), 32);
    pressKeys(letter('Y'));
    EXPECT_EQ(thePlayer().getXPos(), 50) << "Y does nothing in background mode";

    editor().enterMode(EditorMode::Minimap);
    ui_input::moveMouse(SCREEN_SCALE_FACTOR * (8 * 3 + 1), SCREEN_SCALE_FACTOR * (8 * 2 + 1));
    pressButton(0);
    EXPECT_EQ(globalMap->getMinimapIndexX(), 3);
    EXPECT_EQ(globalMap->getMinimapIndexY(), 2);
    EXPECT_FALSE(editor().minimap->isTileVisited(3, 2));
    EXPECT_TRUE(editor().minimap->isTileVisited(0, 0));
    const int viewX = editor().viewX;
    ui_input::setKey(kRight, true);
    step();
    ui_input::releaseEverything();
    EXPECT_EQ(editor().minimapViewX, 2);
    EXPECT_EQ(editor().viewX, viewX) << "the map view stays in minimap placement";
}

TEST_F(EditorLogicTest, MenusAreClickedAndShortcutsActOncePerPressOnlyWhileShown) {
    // Opening "Normal mode" and clicking "toggle block" flips the flag and paints nothing.
    editor().currentTile = kSolid;
    const PXUIMenu& normal = *editorModeMenu();
    EXPECT_EQ(normal.xPos(), editorMainMenu()->width());
    ui_input::moveMouse(normal.xPos() + 3, normal.yPos() + 3);
    pressButton(0);
    ASSERT_TRUE(normal.isOpen());
    const int flags = globalMap->getLayerProperties(0);
    ui_input::moveMouse(normal.xPos() + 3, normal.height() * 12 + 3);
    pressButton(0);
    EXPECT_FALSE(normal.isOpen());
    EXPECT_EQ(globalMap->getLayerProperties(0), flags ^ Map::kLayerBlock);
    EXPECT_EQ(tileSum(), 0);

    // Save Map writes back to the loaded file once per press of Left Winkey + S.
    const std::string path = "./data/maps/editorsaved";
    editor().lastLoadedFilePath = path;
    ui_input::setKey(kLeftWinkey, true);
    ui_input::setKey(letter('S'), true);
    step();
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);
    step(3);
    EXPECT_FALSE(std::filesystem::exists(path));
    ui_input::setKey(letter('S'), false);
    step();
    ui_input::setKey(letter('S'), true);
    step();
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);
    ui_input::releaseEverything();
    step();

    pressKeys(kBackquote);
    EXPECT_FALSE(editor().menusShown);
    pressKeys(kLeftWinkey, letter('S'));
    pressKeys(kLeftWinkey, letter('X'));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(globalMap->getNumberOfColumns(), 20);
    pressKeys(kBackquote);
    EXPECT_TRUE(editor().menusShown);
}

void pressOnce(int key) {
    ui_input::setKey(key, true);
    editorSwitchKeys();
    ui_input::setKey(key, false);
}

TEST_F(EditorLogicTest, F12SwitchesBetweenGameAndEditorAndF5PlayTests) {
    ASSERT_TRUE(editorMode);
    EXPECT_EQ(globalCamera->getTarget(), nullptr);
    ui_input::setKey(kF12, true);
    EXPECT_TRUE(editorSwitchKeys());
    EXPECT_FALSE(editorSwitchKeys()) << "once per press";
    EXPECT_FALSE(editorMode);
    EXPECT_EQ(globalCamera->getTarget(), globalPlayer);
    ui_input::setKey(kF12, false);
    ui_input::setKey(kF12, true);
    EXPECT_TRUE(editorSwitchKeys());
    EXPECT_TRUE(editorMode);
    EXPECT_EQ(globalCamera->getTarget(), nullptr);
    ui_input::setKey(kF12, false);

    pressOnce(kF5);
    ASSERT_TRUE(editorPlayTestActive());
    EXPECT_FALSE(editorMode);
    pressOnce(kF12);
    EXPECT_FALSE(editorPlayTestActive());
    EXPECT_TRUE(editorMode);
    pressOnce(kF12);
    pressOnce(kF5);
    EXPECT_FALSE(editorPlayTestActive()) << "F5 plays only from the editor";
    EXPECT_FALSE(editorMode);
}

} // namespace
