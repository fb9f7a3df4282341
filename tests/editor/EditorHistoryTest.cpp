#include "editor/EditorHistory.h"
#include "editor/EditorInfo.h"
#include "editor/EditorPlayTest.h"
#include "engine/PXFileSystem.h"
#include "engine/PXInit.h"
#include "engine/PXKeyCodes.h"
#include "engine/PXKeyboard.h"
#include "game/core/Globals.h"
#include "game/objects/WorldObject.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/SecretList.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "game/world/MapCameraStopper.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"
#include "tests/engine/ui/UIInput.h"
#include "tests/support/GameplayFixture.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::string currentMapBytes() {
    return PXBytesWrittenBy([](FILE* stream) { return globalMap->saveToStream(stream) != 0; })
        .value();
}

std::string currentObjectBytes() {
    return PXBytesWrittenBy([](FILE* stream) { return saveWorldObjects(stream, nullptr); }).value();
}

struct State {
    std::string map;
    std::string objects;
    bool operator==(const State&) const = default;
};

State currentState() {
    return {currentMapBytes(), currentObjectBytes()};
}

// Links one built image into the scratch data tree, where the resource manager finds it.
void linkBuiltImage(const std::string& folder, const std::string& name) {
    std::filesystem::create_directories("data/" + folder);
    std::filesystem::create_symlink(std::string(CORVANE_DATA_DIR) + "/" + folder + "/" + name,
                                    "data/" + folder + "/" + name);
}

WorldObject* newObjectOnMap(const char* className, int x, int y) {
    WorldObject* object = createWorldObjectNamed(className);
    object->setOwnerMap(globalMap->getFilename());
    object->setPosition(x, y);
    globalWorldObjectVector->push_back(object);
    recreateMapSpecificWorldObjectVector(globalMap->getFilename());
    return object;
}

int* integerField(WorldObject& object) {
    for (const auto& field : object.editorInfo()) {
        if (field->valueType() == WorldObjectEditorInfo::kInteger) {
            return static_cast<int*>(field->dataPointer());
        }
    }
    return nullptr;
}

} // namespace

class EditorHistoryTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        createSecretList();
        ui_input::releaseEverything();
        linkBuiltImage("backgrounds", "caveBackdrop.png");
        linkBuiltImage("tilesets", "caveTiles.png");
        fillFloor();
        saveMap("history");
        newObjectOnMap("Crate", 40, 40);
        newObjectOnMap("Dom", 80, 40);
        editorInfo = new EditorInfo();
        editorHistoryClear();
    }

    void TearDown() override {
        ui_input::releaseEverything();
        editorPlayTestEnd();
        editorMode = PX_FALSE;
        delete editorInfo;
        editorInfo = nullptr;
        editorHistoryClear();
        cleanupSecretList();
        GameplayFixture::TearDown();
    }

    // The editor steps of an action: a click held for one step, then let go.
    static void finishAction() {
        ui_input::setMouseButton(0, true);
        editorHistoryLogic();
        ui_input::releaseEverything();
        editorHistoryLogic();
    }

    // One editor step with the keys down, then one with them up.
    static void pressChord(std::initializer_list<int> keys) {
        for (const int key : keys) {
            ui_input::setKey(key, true);
        }
        editorHistoryLogic();
        finishAction();
    }

    // Every kind of change the editor makes, each changing something whatever i is.
    static std::vector<std::function<void(int)>> editKinds() {
        Map& map = *globalMap;
        return {
            [&map](int i) {
                for (int column = 0; column < 4; column++) {
                    map.setTileAt(0, 2, column, 100 + i);
                }
            },
            [&map](int) { map.appendColumn(); },
            [&map](int) { map.appendRow(); },
            [&map](int) { map.appendLayer(); },
            [&map](int i) { map.setLayerProperties(map.getNumberOfLayers() - 1, 100 + i); },
            [&map](int) { map.swapLayers(0, map.getNumberOfLayers() - 1); },
            [&map](int) { map.removeLastLayer(); },
            [&map](int) { map.removeLastColumn(); },
            [&map](int) { map.removeLastRow(); },
            [&map](int i) {
                Map::Exit* exit = map.addExit();
                exit->setCoords(i, 2 * i);
                exit->setOrientation(Map::kHorizontal);
                exit->setWidth(32);
                exit->setNextMap("elsewhere");
                exit->setNextMapCoords(3 * i, 4 * i);
            },
            [&map](int i) { map.addWaterArea()->boundingBox().setBounds(i, i, i + 50, i + 60); },
            [&map](int i) {
                Map::CameraStopper* stopper = map.addCameraStopper();
                stopper->setPosition(i, i + 1);
                stopper->setLength(80);
                stopper->setBlockDirection(3);
            },
            [&map](int i) {
                auto background = std::make_unique<Map::Background>();
                background->setImageName("caveBackdrop.png");
                background->setScrollDivisors(i, 2);
                ASSERT_TRUE(background->loadTexture());
                map.addBackground(std::move(background));
            },
            [&map](int i) { map.setParticleParameters(1, i, i + 10, 3); },
            [&map](int i) { map.setPlayerStartPosition(i, 7); },
            [](int i) { newObjectOnMap("Crate", i, 30); },
            [](int i) { globalMapSpecificWorldObjectVector->back()->setPosition(i, 60); },
            [](int i) { *integerField(*(*globalWorldObjectVector)[1]) = i; },
            [](int) { removeWorldObjectFromWorldObjectVector(globalWorldObjectVector->back()); },
            [&map](int) { map.removeExit(0); },
        };
    }
};

// A session of mixed edits undoes step by step to the opened bytes and redoes to the edited ones;
// restoring keeps the editor's layer choice and the tileset usable.
TEST_F(EditorHistoryTest, ScriptedSessionUndoesToTheOpenedBytesAndRedoesToTheEdited) {
    PXTexture* openedTileset = globalMap->getTileset();
    std::vector<State> states{currentState()};
    const std::vector<std::function<void(int)>> kinds = editKinds();
    for (int i = 0; i < 120; i++) {
        kinds[i % kinds.size()](i);
        finishAction();
        states.push_back(currentState());
    }
    globalMap->setTilesetName("caveTiles.png");
    globalMap->loadTileset();
    globalMap->appendLayer();
    finishAction();
    editorInfo->editLayer = globalMap->getNumberOfLayers() - 1;
    editorInfo->drawLayer = editorInfo->editLayer;
    ASSERT_EQ(editorUndoSteps(), 121);

    ASSERT_TRUE(editorUndo());
    EXPECT_EQ(globalMap->getTileset(), openedTileset);
    EXPECT_EQ(editorInfo->editLayer, globalMap->getNumberOfLayers() - 1);
    EXPECT_EQ(editorInfo->drawLayer, editorInfo->editLayer);
    for (int step = 120; step >= 0; step--) {
        ASSERT_EQ(currentState(), states[step]) << "after undoing to step " << step;
        EXPECT_EQ(editorUndo(), step > 0);
    }
    EXPECT_STREQ(globalMap->getFilename(), "history");
    EXPECT_EQ(globalMapSpecificWorldObjectVector->size(), 2u);
    EXPECT_EQ(editorRedoSteps(), 121);
    for (int step = 1; step <= 120; step++) {
        ASSERT_TRUE(editorRedo());
        ASSERT_EQ(currentState(), states[step]) << "after redoing to step " << step;
    }
    EXPECT_TRUE(editorRedo());
    EXPECT_FALSE(editorRedo());
    EXPECT_STREQ(globalMap->getTilesetName(), "caveTiles.png");
    EXPECT_NE(globalMap->getTileset(), openedTileset);
}

// A stroke held over many steps is one step; the keys undo and redo once per press; a new edit
// drops the redo; the oldest steps go beyond the limit; clearing keeps only the present.
TEST_F(EditorHistoryTest, StrokesKeysRedoDroppingLimitAndClear) {
    const State opened = currentState();
    ui_input::setMouseButton(0, true);
    for (int column = 0; column < 10; column++) {
        globalMap->setTileAt(0, 3, column, 1);
        editorHistoryLogic();
    }
    finishAction();
    EXPECT_EQ(editorUndoSteps(), 1);
    const State stroked = currentState();
    saveMap("renamed");
    finishAction();
    EXPECT_EQ(editorUndoSteps(), 1);

    ui_input::setKey(PXKeyCode::kLeftControl, true);
    ui_input::setKey(PXKeyCode::kZ, true);
    editorHistoryLogic();
    editorHistoryLogic();
    finishAction();
    EXPECT_EQ(currentState(), opened);
    EXPECT_STREQ(globalMap->getFilename(), "renamed");
    EXPECT_EQ(editorRedoSteps(), 1);
    pressChord({PXKeyCode::kLeftControl, PXKeyCode::kY});
    EXPECT_EQ(currentState(), stroked);
    pressChord({PXKeyCode::kLeftControl, PXKeyCode::kZ});
    pressChord({PXKeyCode::kLeftControl, PXKeyCode::kLeftShift, PXKeyCode::kZ});
    EXPECT_EQ(currentState(), stroked);
    pressChord({PXKeyCode::kLeftControl, PXKeyCode::kZ});

    globalMap->appendRow();
    finishAction();
    EXPECT_EQ(editorRedoSteps(), 0);
    EXPECT_FALSE(editorRedo());
    ASSERT_TRUE(editorUndo());
    EXPECT_EQ(currentState(), opened);

    std::vector<State> states;
    for (int i = 0; i < 300; i++) {
        globalMap->setTileAt(0, 0, 0, 1000 + i);
        finishAction();
        states.push_back(currentState());
    }
    ASSERT_EQ(editorUndoSteps(), kEditorHistoryLimit - 1);
    EXPECT_GE(editorUndoSteps(), 200);
    while (editorUndo()) {
    }
    EXPECT_EQ(currentState(), states[300 - kEditorHistoryLimit]);

    globalMap->appendColumn();
    for (int step = 1; step < kEditorHistoryIdleCheckSteps; step++) {
        editorHistoryLogic();
    }
    EXPECT_EQ(editorRedoSteps(), kEditorHistoryLimit - 1);
    editorHistoryLogic();
    EXPECT_EQ(editorUndoSteps(), 1);
    EXPECT_EQ(editorRedoSteps(), 0);
    globalMap->appendColumn();
    editorHistoryClear();
    EXPECT_EQ(editorUndoSteps() + editorRedoSteps(), 0);
    EXPECT_FALSE(editorUndo());
}

// A play-test starts where the mouse points (at the player start off the map) on the unsaved map;
// what the play moved, collected and left for is gone afterwards; the view and history stay.
TEST_F(EditorHistoryTest, PlayTestLeavesNothingBehind) {
    WorldObject* crate = newObjectOnMap("Crate", 200, 40);
    newObjectOnMap("HexNut", 100, 160);
    editorMode = PX_TRUE;
    editorInfo->viewX = 16;
    editorInfo->viewY = 8;
    globalCamera->setTarget(nullptr);
    globalCamera->setPosition(16, 8);
    globalMap->setTileAt(0, 3, 3, kSolid);
    finishAction();
    const State before = currentState();
    const int undoSteps = editorUndoSteps();
    const int playerX = globalPlayer->getXPos();
    const int playerY = globalPlayer->getYPos();

    const int standY = standingY(kFloorRow);
    ui_input::moveMouse((100 - 16) * SCREEN_SCALE_FACTOR, (standY - 8) * SCREEN_SCALE_FACTOR);
    ASSERT_TRUE(editorPlayTestStart());
    EXPECT_FALSE(editorPlayTestStart());
    EXPECT_FALSE(editorMode);
    EXPECT_EQ(globalPlayer->getXPos(), 100);
    EXPECT_EQ(globalPlayer->getYPos(), standY);
    EXPECT_EQ(globalCamera->getTarget(), globalPlayer);
    unlockSecret(kSecretMarumari);
    EXPECT_TRUE(secretUnlocked(kSecretMarumari));
    const int crateY = crate->getYPos();
    for (int tick = 0; tick < 300 && collectedHexNutCount() == 0; tick++) {
        gameTick();
    }
    EXPECT_EQ(collectedHexNutCount(), 1);
    EXPECT_GT(crate->getYPos(), crateY);
    Map elsewhere;
    ASSERT_TRUE(elsewhere.save("./data/maps/elsewhere"));
    ASSERT_TRUE(globalMap->load("./data/maps/elsewhere"));

    ASSERT_TRUE(editorPlayTestEnd());
    EXPECT_FALSE(editorPlayTestEnd());
    EXPECT_TRUE(editorMode);
    EXPECT_FALSE(editorPlayTestActive());
    EXPECT_EQ(currentState(), before);
    EXPECT_STREQ(globalMap->getFilename(), "history");
    EXPECT_EQ(collectedHexNutCount(), 0);
    EXPECT_EQ(globalMapSpecificWorldObjectVector->size(), 4u);
    EXPECT_EQ(editorInfo->viewX, 16);
    EXPECT_EQ(editorInfo->viewY, 8);
    EXPECT_EQ(globalCamera->getXPos(), 16);
    EXPECT_EQ(globalCamera->getTarget(), nullptr);
    EXPECT_EQ(editorUndoSteps(), undoSteps);
    EXPECT_EQ(editorRedoSteps(), 0);
    EXPECT_EQ(globalPlayer->getXPos(), playerX);
    EXPECT_EQ(globalPlayer->getYPos(), playerY);
    EXPECT_FALSE(secretUnlocked(kSecretMarumari));
    EXPECT_FALSE(std::filesystem::exists("data/s.list")) << "a secret found in a play-test is kept";
    unlockSecret(kSecretMarumari);
    EXPECT_TRUE(std::filesystem::exists("data/s.list")) << "the list reaches its file again";

    globalMap->setPlayerStartPosition(48, 32);
    editorInfo->viewX = -400;
    ASSERT_TRUE(editorPlayTestStart());
    EXPECT_EQ(globalPlayer->getXPos(), 48);
    EXPECT_EQ(globalPlayer->getYPos(), 32);
    ASSERT_TRUE(editorPlayTestEnd());
    EXPECT_EQ(editorInfo->viewX, -400);
}
