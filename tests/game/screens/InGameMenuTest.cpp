#include "game/screens/InGameMenu.h"
#include "engine/PXKeyboard.h"
#include "engine/PXTexture.h"
#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/core/Settings.h"
#include "game/objects/WOFlowrian.h"
#include "game/objects/WOHexNut.h"
#include "game/objects/WONegg.h"
#include "game/objects/WOVonil.h"
#include "game/objects/WorldObjectVector.h"
#include "game/player/Player.h"
#include "game/screens/GameStatistics.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "tests/game/objects/TestWorldObjects.h"
#include "tests/support/GameplayFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// An inventory object 40 pixels wide that notes where it was drawn and where the camera was.
class RecordingObject : public TestBlock {
public:
    BoundingBox getSpriteBBox(int) override { return BoundingBox(0, 0, 40, 15); }
    void draw() override {
        drawnAt.emplace_back(getXPos(), getYPos());
        cameraAtDraw.emplace_back(globalCamera->getXPos(), globalCamera->getYPos());
    }
    void logic() override { logicTicks++; }

    std::vector<std::pair<int, int>> drawnAt;
    std::vector<std::pair<int, int>> cameraAtDraw;
    int logicTicks = 0;
};

class InGameMenuTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        fillFloor();
        saveMap("menu");
        showInGameMenu = PX_FALSE;
        globalGameStats = new GameStatistics();
        globalInGameMenu = new InGameMenu();
        ASSERT_TRUE(readFromBytes(recordInteger(0), loadCollectibleInfo));
        releaseAllKeys();
        tick();
    }

    void TearDown() override {
        delete globalInGameMenu;
        globalInGameMenu = nullptr;
        delete globalGameStats;
        globalGameStats = nullptr;
        showInGameMenu = PX_FALSE;
        GameplayFixture::TearDown();
    }

    void tick() override { gameTick(); }

    static InGameMenu& menu() { return *globalInGameMenu; }

    static void holdMenu(bool down) { _PXSetKeyCode(Settings::instance()->keyMenu, down); }

    // Opens the panel the way the game does and lets it slide all the way down.
    void openFully() {
        holdMenu(true);
        tick();
        holdMenu(false);
        ASSERT_GT(ticksUntil([] { return menu().getYPos() == 0; }, 100), 0);
    }

    // The window's pixels of a logical-screen rectangle, which is drawn 1:1.
    static std::vector<RGBA> pixelsIn(int left, int top, int right, int bottom) {
        std::vector<RGBA> pixels;
        for (int y = top; y < bottom; y++) {
            for (int x = left; x < right; x++) {
                pixels.push_back(pixelAt(x, y));
            }
        }
        return pixels;
    }

    // The pixels where the hex nut row's icon and count go (its label lies between them).
    static std::vector<RGBA> hexNutIconAndCount() {
        std::vector<RGBA> pixels = pixelsIn(30, 180, 46, 196);
        const std::vector<RGBA> count = pixelsIn(120, 180, 170, 196);
        pixels.insert(pixels.end(), count.begin(), count.end());
        return pixels;
    }

    // Those pixels, once over the panel's background alone and once over the whole panel.
    static std::pair<std::vector<RGBA>, std::vector<RGBA>> hexNutCountAreas() {
        clearTo(255, 255, 255);
        ResourceManager::instance()->texture("inGameMenuBG.png")->draw(0, 0, 320, 240, 0, 0, 1);
        auto background = hexNutIconAndCount();
        clearTo(255, 255, 255);
        menu().draw();
        return {background, hexNutIconAndCount()};
    }
};

TEST_F(InGameMenuTest, TheOpeningPressDoesNotCloseThePanelWhichAcceleratesBothWays) {
    holdMenu(true);
    tick();
    ASSERT_TRUE(showInGameMenu);
    EXPECT_EQ(menu().getYPos(), InGameMenu::kHiddenY) << "the panel notices on its next step";
    std::vector<int> speeds;
    while (menu().getYPos() < 0 && speeds.size() < 40) {
        tick();
        speeds.push_back(menu().slideSpeed());
    }
    EXPECT_EQ(speeds, (std::vector<int>{1, 1, 1, 1,  1,  2,  2,  2,  4,  4,  4,
                                        9, 9, 9, 17, 17, 17, 28, 28, 28, 44, 44}));
    ticks(100);
    EXPECT_EQ(menu().getYPos(), 0);
    EXPECT_TRUE(showInGameMenu) << "still held since it opened";

    holdMenu(false);
    tick();
    holdMenu(true);
    tick();
    EXPECT_EQ(menu().getYPos(), -1);
    EXPECT_GT(ticksUntil([] { return !showInGameMenu; }, 40), 0);
    EXPECT_EQ(menu().getYPos(), InGameMenu::kHiddenY);
    ticks(5);
    EXPECT_FALSE(showInGameMenu) << "the closing press does not open it again";
    holdMenu(false);
    tick();
    holdMenu(true);
    tick();
    EXPECT_TRUE(showInGameMenu);
}

TEST_F(InGameMenuTest, ThePlayTimeRunsOnWhileTheWorldIsFrozenUnderThePanel) {
    auto& object = placeObject(new RecordingObject(), 100, 100);
    spawnPlayer(40, 0);
    openFully();
    const int playerY = thePlayer().getYPos();
    const int objectTicks = object.logicTicks;
    const int seconds = globalGameStats->seconds();
    ticks(120);
    EXPECT_EQ(globalGameStats->seconds(), seconds + 2);
    EXPECT_EQ(thePlayer().getYPos(), playerY) << "the player is frozen";
    EXPECT_EQ(object.logicTicks, objectTicks);
}

TEST_F(InGameMenuTest, TheCountsCoverTheWholeWorldAndHideHexNutsUntilOneIsCollected) {
    placeObject(new WOFlowrian(), 20, 20);
    placeObject(new WONegg(), 60, 20).setSadState(PX_TRUE);
    placeObject(new WONegg(), 100, 20).setSadState(PX_TRUE);
    placeObject(new WOVonil(), 140, 20).setSadState(PX_TRUE);
    placeObject(new WOHexNut(), 180, 20);
    recreateMapSpecificWorldObjectVector(globalMap->getFilename());
    const auto counted = [](int index) {
        return std::make_pair(menu().count(index).done, menu().count(index).total);
    };
    EXPECT_EQ(counted(InGameMenu::kFlowrian), std::make_pair(1, 1));
    EXPECT_EQ(counted(InGameMenu::kNegg), std::make_pair(0, 2));
    EXPECT_EQ(counted(InGameMenu::kVonil), std::make_pair(0, 1));
    for (const int race : {InGameMenu::kOller, InGameMenu::kRaam, InGameMenu::kDom}) {
        EXPECT_EQ(counted(race), std::make_pair(0, 0)) << race;
    }
    EXPECT_EQ(counted(InGameMenu::kHexNuts), std::make_pair(0, 1));
    EXPECT_STREQ(menu().collectiblesHeader(), "????");
    EXPECT_STREQ(menu().hexNutLabel(), "??");

    openFully();
    auto [background, drawn] = hexNutCountAreas();
    EXPECT_EQ(drawn, background) << "no hex nut icon or count yet";

    collectedAHexNut();
    menu().calculateInformation();
    EXPECT_EQ(counted(InGameMenu::kHexNuts), std::make_pair(1, 2));
    EXPECT_STREQ(menu().collectiblesHeader(), "Collectibles");
    EXPECT_STREQ(menu().hexNutLabel(), "Hex Nut:");
    std::tie(background, drawn) = hexNutCountAreas();
    EXPECT_NE(drawn, background);
}

TEST_F(InGameMenuTest, InventoryObjectsDrawInARowAtScreenPixelsThatEndsPast286) {
    std::vector<RecordingObject*> objects;
    for (int index = 0; index < 5; index++) {
        objects.push_back(&placeObject(new RecordingObject(), 10 * index, 30));
        thePlayer().addObjectToInventory(objects.back());
    }
    openFully();
    globalCamera->setPosition(50, 60);
    menu().draw();
    using Positions = std::vector<std::pair<int, int>>;
    Positions drawn;
    for (RecordingObject* object : objects) {
        for (const auto& position : object->drawnAt) {
            drawn.push_back(position);
        }
        for (const auto& camera : object->cameraAtDraw) {
            EXPECT_EQ(camera, std::make_pair(0, 0));
        }
    }
    EXPECT_EQ(drawn, (Positions{{164, 183}, {206, 183}, {248, 183}}));
    EXPECT_EQ(globalCamera->getXPos(), 50);
    EXPECT_EQ(globalCamera->getYPos(), 60);
    EXPECT_EQ(objects[2]->getXPos(), 20) << "each object goes back where it was";
}

} // namespace
