#include "editor/EditorDraw.h"
#include "editor/EditorInfo.h"
#include "engine/Paxtor.h"
#include "engine/ui/PXUIButton.h"
#include "engine/ui/PXUIListBox.h"
#include "game/core/Globals.h"
#include "game/objects/WOCrate.h"
#include "game/world/Camera.h"
#include "game/world/Map.h"
#include "game/world/MapExit.h"
#include "game/world/MapWater.h"
#include "tests/engine/ui/UIInput.h"
#include "tests/support/GameplayFixture.h"

#include <GL/gl.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <vector>

// Every buffer swap of this test program is counted on its way to the platform library.
int swapCount = 0;

extern "C" void SDL_GL_SwapBuffers() {
    swapCount++;
    static const auto platformSwap =
        reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    platformSwap();
}

namespace {

constexpr RGBA kWhite{255, 255, 255, 255};
constexpr RGBA kBlack{0, 0, 0, 255};
constexpr RGBA kRed{255, 0, 0, 255};
constexpr RGBA kYellow{255, 255, 0, 255};

// The editor over the gameplay fixture's 20 x 15 tile map (all tiles empty), with the player
// marker hidden so that only what a test sets up shows.
class EditorDrawTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        ui_input::releaseEverything();
        editorInfo = new EditorInfo();
        editorInfo->playerShown = false;
    }
    void TearDown() override {
        delete editorInfo;
        editorInfo = nullptr;
        ui_input::releaseEverything();
        GameplayFixture::TearDown();
    }

    // One editor frame scaled to the window, left in the back buffer.
    static void drawFrame() {
        glPushMatrix();
        glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 1);
        editorDraw(0);
        glPopMatrix();
    }

    static RGBA logical(int x, int y) {
        return pixelAt(x * SCREEN_SCALE_FACTOR, y * SCREEN_SCALE_FACTOR);
    }

    struct Probe {
        int x;
        int y;
        RGBA colour;
    };
    // Each logical pixel has its colour.
    static void expectLogical(std::initializer_list<Probe> probes) {
        for (const Probe& probe : probes) {
            EXPECT_EQ(logical(probe.x, probe.y), probe.colour) << probe.x << ", " << probe.y;
        }
    }

    // How many window pixels of the rectangle (right and bottom excluded), sampled every step
    // pixels, have the colour.
    static int countIn(int left, int top, int right, int bottom, RGBA colour, int step = 1) {
        std::vector<unsigned char> pixels(kWidth * kHeight * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int count = 0;
        for (int y = top; y < bottom; y += step) {
            for (int x = left; x < right; x += step) {
                const unsigned char* p = &pixels[((kHeight - 1 - y) * kWidth + x) * 4];
                count += RGBA{p[0], p[1], p[2], p[3]} == colour;
            }
        }
        return count;
    }

    // The same over logical pixels.
    static int countLogical(int left, int top, int right, int bottom, RGBA colour) {
        const int f = SCREEN_SCALE_FACTOR;
        return countIn(left * f, top * f, right * f, bottom * f, colour, f);
    }
};

TEST_F(EditorDrawTest, MapViewShowsOutlineGridSelectionsAndScreenGrid) {
    editorInfo->viewX = -8;
    editorInfo->viewY = -8;
    editorInfo->gridShown = true;
    drawFrame();
    // The outline one pixel outside the map (at 7), grid lines from the map's edge (8) every 16.
    expectLogical({{7, 50, kBlack},
                   {6, 50, kWhite},
                   {8, 50, kBlack},
                   {24, 50, kBlack},
                   {25, 50, kWhite},
                   {20, 50, kWhite},
                   {20, 40, kBlack}});

    // The selected exit gets a red bar two pixels across; the other exits stay unmarked.
    editorInfo->viewX = editorInfo->viewY = 0;
    editorInfo->gridShown = false;
    for (int x : {40, 100}) {
        Map::Exit* exit = globalMap->addExit();
        exit->setOrientation(Map::kVertical);
        exit->setCoords(x, 32);
        exit->setHeight(32);
    }
    editorInfo->selectedExit = 0;
    drawFrame();
    expectLogical({{39, 50, kRed}, {40, 50, kRed}, {40, 31, kRed}});
    EXPECT_NE(logical(38, 50), kRed);
    EXPECT_NE(logical(41, 50), kRed);
    EXPECT_EQ(countLogical(90, 20, 110, 80, kRed), 0);

    // The water mode's selected area is outlined in red.
    Map::WaterArea* area = globalMap->addWaterArea();
    area->boundingBox().setBounds(150, 100, 190, 140);
    editorInfo->selectedExit = -1;
    editorInfo->enterMode(EditorMode::Water);
    editorInfo->selectedWaterArea = 0;
    drawFrame();
    expectLogical({{150, 120, kRed}, {170, 100, kRed}});

    // Screen cells of 320 x 240 from (-view mod 320, -view mod 240): edges at 219/220 and 189/190.
    editorInfo->enterMode(EditorMode::Map);
    editorInfo->playerShown = false;
    editorInfo->screenGridShown = true;
    editorInfo->viewX = 100;
    editorInfo->viewY = 50;
    drawFrame();
    expectLogical({{219, 100, kYellow},
                   {220, 100, kYellow},
                   {100, 189, kYellow},
                   {100, 190, kYellow},
                   {150, 100, kWhite}});
}

// Selections that name no item draw nothing and break nothing.
TEST_F(EditorDrawTest, SelectionsOfMissingItemsDrawNothing) {
    editorInfo->selectedExit = 3;
    editorInfo->selectedWaterArea = 2;
    editorInfo->selectedCameraStopper = 7;
    editorInfo->editBackground = 4;
    for (EditorMode mode :
         {EditorMode::Exit, EditorMode::Water, EditorMode::CameraStopper, EditorMode::Background}) {
        editorInfo->enterMode(mode);
        drawFrame();
        EXPECT_EQ(countLogical(0, 0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, kRed), 0);
    }
    editorInfo->exitPlacementActive = true;
    drawFrame();
    EXPECT_EQ(countLogical(0, 0, SCREEN_W_UNSCALED, SCREEN_H_UNSCALED, kRed), 0);
}

TEST_F(EditorDrawTest, TilesetPickerOutlinesTheCurrentTileOrTheGroupSelection) {
    // The test tileset has two tiles a row; tile 1 is solid black, tile 3 empty at the top.
    editorInfo->tilesetPickerShown = true;
    editorInfo->currentTile = 3;
    editorInfo->gridShown = true;
    drawFrame();
    // The tileset image at (0, 0), no map or grid behind it, tile 3's cell edges in yellow.
    expectLogical({{20, 5, kBlack},
                   {16, 20, kYellow},
                   {31, 20, kYellow},
                   {20, 16, kYellow},
                   {20, 31, kYellow},
                   {20, 20, kWhite},
                   {15, 20, kWhite},
                   {100, 100, kWhite}});

    // A group selection from tile (0, 0) to the tile under the mouse replaces the outline.
    editorInfo->tileGroupSelecting = true;
    editorInfo->tileGroupOverTileset = true;
    ui_input::moveMouse(20 * SCREEN_SCALE_FACTOR, 20 * SCREEN_SCALE_FACTOR);
    drawFrame();
    expectLogical({{0, 10, kRed}, {31, 25, kRed}, {10, 31, kRed}, {16, 20, kWhite}});
    EXPECT_EQ(countLogical(0, 0, 64, 64, kYellow), 0);

    // A map without a tileset shows the error instead, and the info panel still draws.
    delete globalMap;
    globalMap = new Map();
    editorInfo->tileGroupSelecting = false;
    editorInfo->infoShown = true;
    drawFrame();
    EXPECT_GT(countLogical(60, 10, 200, 25, kBlack), 0);
    EXPECT_GT(countIn(SCREEN_W - 250, 25, SCREEN_W, 250, kBlack), 0);
}

TEST_F(EditorDrawTest, HelpAndInfoPanelsShowOnlyWhenAndWhereTheyBelong) {
    for (EditorMode mode :
         {EditorMode::Map, EditorMode::Object, EditorMode::Exit, EditorMode::Background,
          EditorMode::Minimap, EditorMode::Water, EditorMode::CameraStopper}) {
        editorInfo->enterMode(mode);
        editorInfo->helpShown = false;
        drawFrame();
        EXPECT_EQ(countLogical(0, 10, 200, 30, kBlack), 0);
        editorInfo->helpShown = true;
        drawFrame();
        EXPECT_GT(countLogical(0, 10, 200, 30, kBlack), 0);
    }
    editorInfo->helpShown = false;
    editorInfo->infoShown = true;
    const auto infoPixels = [] {
        drawFrame();
        return countIn(SCREEN_W - 250, 25, SCREEN_W, 250, kBlack);
    };
    editorInfo->enterMode(EditorMode::Exit);
    EXPECT_EQ(infoPixels(), 0) << "exit mode shows the exits' numbers instead";
    editorInfo->enterMode(EditorMode::Map);
    EXPECT_GT(infoPixels(), 0);
}

TEST_F(EditorDrawTest, ObjectSelectorShowsTemplatesAtTheirPlaceWhateverTheView) {
    auto crate = std::make_unique<WOCrate>();
    crate->setPosition(40, 60);
    WorldObject* current = crate.get();
    editorInfo->objectTemplates.push_back(std::move(crate));
    editorInfo->placementTemplate = current;
    editorInfo->objectSelectorShown = true;
    editorInfo->gridShown = true;
    editorInfo->viewX = 100;
    globalCamera->setPosition(7, 9);
    drawFrame();

    current->updateCurrentBBox();
    const BoundingBox& box = *current->getBBox();
    const int middleY = (box.getTopBound() + box.getBottomBound()) / 2;
    EXPECT_EQ(logical(box.getLeftBound(), middleY), kRed);
    EXPECT_LT(countLogical(box.getLeftBound() + 1, box.getTopBound() + 1, box.getRightBound() - 1,
                           box.getBottomBound() - 1, kWhite),
              (box.getRightBound() - box.getLeftBound() - 2) *
                  (box.getBottomBound() - box.getTopBound() - 2))
        << "the crate is drawn";
    EXPECT_EQ(current->getXPos(), 40);
    EXPECT_EQ(logical(16 * 15, 200), kWhite) << "no map behind the selector";
    EXPECT_EQ(globalCamera->getXPos(), 7);
    EXPECT_EQ(globalCamera->getYPos(), 9);
}

TEST_F(EditorDrawTest, ExitNextMapPlacementShowsOnlyThePreviewAndTheDestination) {
    Map::Exit* exit = globalMap->addExit();
    exit->setOrientation(Map::kVertical);
    exit->setHeight(32);
    exit->setNextMapCoords(20, 30);
    editorInfo->selectedExit = 0;
    editorInfo->gridShown = true;
    editorInfo->exitPlacementActive = true;
    editorInfo->exitPreviewMap = std::make_unique<Map>();
    editorInfo->exitPreviewViewX = -200;
    editorInfo->exitPreviewViewY = -100;
    drawFrame();
    // The one-tile preview map's outline, the destination's red bar two pixels across.
    expectLogical({{199, 108, kBlack},
                   {216, 108, kBlack},
                   {219, 140, kRed},
                   {220, 140, kRed},
                   {220, 129, kRed}});
    EXPECT_NE(logical(221, 140), kRed);
    EXPECT_EQ(logical(16, 200), kWhite) << "no map behind the preview";
    EXPECT_GT(countLogical(0, 10, 150, 50, kBlack), 0) << "the placement help";
}

TEST_F(EditorDrawTest, LayerManagerPanelSitsBehindItsWidgetsInWindowPixels) {
    editorInfo->layerList = std::make_unique<PXUIListBox>();
    editorInfo->layerList->setPos(5, 25);
    editorInfo->layerList->setBounds(200, 120);
    for (int i = 0; i < 6; i++) {
        auto button = std::make_unique<PXUIButton>();
        button->setPos(210, 25 + i * 25);
        button->setBounds(60, 20);
        editorInfo->layerButtons.push_back(std::move(button));
    }
    editorInfo->gridShown = true;
    drawFrame();
    EXPECT_EQ(pixelAt(352, 100), kBlack) << "a grid line where the panel will be";
    editorInfo->layerManagerShown = true;
    drawFrame();
    // Panel: x 0 to 200 + 60 + 110, y 20 to the last button's bottom (170) + 5; border outside.
    EXPECT_EQ(pixelAt(352, 100), kWhite);
    EXPECT_EQ(pixelAt(370, 100), kBlack);
    EXPECT_EQ(pixelAt(371, 100), kWhite);
    EXPECT_EQ(pixelAt(100, 19), kBlack);
    EXPECT_EQ(pixelAt(100, 175), kBlack);
    EXPECT_EQ(pixelAt(64, 176), kBlack) << "the grid again below the panel";
}

// The caller presents: editorDraw(0) leaves the frame in the back buffer for the caller to draw
// over, a non-zero argument swaps it; presentEditorFrame scales the editor and draws the overlay
// unscaled before it swaps.
TEST_F(EditorDrawTest, OnlyPresentingFramesSwapThem) {
    editorInfo->gridShown = true;
    const int before = swapCount;
    drawFrame();
    EXPECT_EQ(swapCount, before);
    EXPECT_EQ(pixelAt(33, 10), kBlack);
    editorDraw(-1);
    EXPECT_EQ(swapCount, before + 1);

    bool overlayRan = false;
    presentEditorFrame([&] {
        overlayRan = true;
        EXPECT_EQ(swapCount, before + 1);
        EXPECT_EQ(pixelAt(32, 10), kBlack) << "grid line at logical 16 covers window 32 and 33";
        EXPECT_EQ(pixelAt(33, 10), kBlack);
        EXPECT_EQ(pixelAt(34, 10), kWhite);
    });
    EXPECT_TRUE(overlayRan);
    EXPECT_EQ(swapCount, before + 2);
}

} // namespace
