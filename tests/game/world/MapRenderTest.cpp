#include "game/core/Globals.h"
#include "game/core/ResourceManager.h"
#include "game/world/Map.h"
#include "game/world/MapBackground.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <GL/gl.h>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr RGBA kWhite{255, 255, 255, 255};
// Tileset colours: tile 0's square is yellow so that drawing it would show.
constexpr RGBA kTileColours[] = {
    {255, 255, 0, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
constexpr RGBA kRed = kTileColours[1];
constexpr RGBA kGreen = kTileColours[2];
constexpr RGBA kBlue = kTileColours[3];
constexpr int kBackgroundSize = 64;

PngImage imageOf(int width, int height, const std::function<RGBA(int x, int y)>& colourAt) {
    PngImage image{width, height, PngColorType::RGBA, {}, {}};
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            const RGBA colour = colourAt(x, y);
            image.pixels.insert(image.pixels.end(), {static_cast<unsigned char>(colour.r),
                                                     static_cast<unsigned char>(colour.g),
                                                     static_cast<unsigned char>(colour.b),
                                                     static_cast<unsigned char>(colour.a)});
        }
    }
    return image;
}

// Every background pixel tells where in the image it comes from.
RGBA backgroundTexel(int x, int y) {
    return {x * 4, y * 4, 128, 255};
}

int wrapped(int value, int size) {
    return ((value % size) + size) % size;
}

// The map is drawn the way the game draws it: in logical pixels, scaled by the screen factor,
// so each logical pixel covers a square of window pixels.
class MapRenderTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        writePng(directory.pathOf("data/tiles.png"),
                 imageOf(64, 16, [](int x, int) { return kTileColours[x / 16]; }));
        writePng(directory.pathOf("data/sky.png"),
                 imageOf(kBackgroundSize, kBackgroundSize, backgroundTexel));
        buildMap();
    }
    void TearDown() override {
        ResourceManager::instance()->cleanup();
        GLTestFixture::TearDown();
    }

    // 30 x 20 cells; layer 0 lower and solid, layer 1 upper; a background at half speed
    // horizontally and fixed vertically.
    void buildMap() {
        for (int column = 1; column < 30; column++) {
            map.appendColumn();
        }
        for (int row = 1; row < 20; row++) {
            map.appendRow();
        }
        map.appendLayer();
        map.setLayerProperties(0, Map::kLayerBlock);
        map.setLayerProperties(1, Map::kLayerUpper);
        map.setTileAt(0, 0, 0, 1);
        map.setTileAt(0, 0, 1, 2);
        map.setTileAt(0, 0, 2, 4);
        map.setTileAt(0, 0, 3, -5);
        map.setTileAt(0, 1, 0, 3);
        map.setTileAt(0, 0, 21, 1);
        map.setTileAt(1, 1, 0, 2);
        map.setTileAt(1, 1, 1, 3);
        map.setTileAt(1, 2, 2, 3);
        map.setTilesetName("tiles.png");
        ASSERT_TRUE(map.loadTileset());

        auto background = std::make_unique<Map::Background>();
        background->setImageName("sky.png");
        ASSERT_TRUE(background->loadTexture());
        background->setSourceRegion(0, 0, kBackgroundSize, kBackgroundSize);
        background->setScrollDivisors(2, 0);
        map.addBackground(std::move(background));
    }

    void drawScaled(const std::function<void()>& drawing) const {
        glPushMatrix();
        glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 1);
        drawing();
        glPopMatrix();
    }

    static RGBA logicalPixel(int x, int y) {
        return pixelAt(x * SCREEN_SCALE_FACTOR + 1, y * SCREEN_SCALE_FACTOR + 1);
    }

    // The centre of a cell's visible part for the camera.
    static RGBA cellPixel(int row, int column, int cameraX) {
        return logicalPixel(column * 16 + 8 - cameraX, row * 16 + 8);
    }

    // What the background shows at a logical pixel when its grid starts at gridX.
    static RGBA background(int x, int y, int gridX) {
        return backgroundTexel(wrapped(x - gridX, kBackgroundSize), wrapped(y, kBackgroundSize));
    }

    ScratchWorkingDirectory directory{"map-render"};
    Map map;
};

TEST_F(MapRenderTest, LowerPassDrawsBackgroundAndLowerTilesAndTheUpperPassGoesOverThem) {
    clearTo(255, 255, 255);
    drawScaled([&] { map.drawLowerTiles(0, 0); });
    EXPECT_EQ(cellPixel(0, 0, 0), kRed);
    EXPECT_EQ(cellPixel(0, 1, 0), kGreen);
    EXPECT_EQ(cellPixel(1, 0, 0), kBlue) << "the upper layer is not in the lower pass";
    EXPECT_EQ(cellPixel(0, 2, 0), background(40, 8, 0)) << "a tile beyond the tileset";
    EXPECT_EQ(cellPixel(0, 3, 0), background(56, 8, 0)) << "a negative tile";
    EXPECT_EQ(cellPixel(5, 5, 0), background(88, 88, 0)) << "tile 0";
    EXPECT_EQ(logicalPixel(0, 16), kBlue) << "cells start at whole tiles";
    EXPECT_EQ(logicalPixel(319, 239), background(319, 239, 0));
    EXPECT_EQ(logicalPixel(65, 70), background(65, 70, 0)) << "the repeat grid";

    drawScaled([&] { map.drawUpperTiles(0, 0); });
    EXPECT_EQ(cellPixel(1, 0, 0), kGreen) << "upper over lower";
    EXPECT_EQ(cellPixel(2, 2, 0), kBlue);
    EXPECT_EQ(cellPixel(0, 0, 0), kRed);

    clearTo(255, 255, 255);
    drawScaled([&] { map.drawUpperTiles(0, 0); });
    EXPECT_EQ(cellPixel(0, 0, 0), kWhite) << "lower layers are not in the upper pass";
    EXPECT_EQ(cellPixel(1, 0, 0), kGreen);
}

TEST_F(MapRenderTest, ScrolledCameraShiftsTilesFullyAndTheBackgroundAtHalfSpeed) {
    constexpr int kCameraX = 20;
    // The background moves by -(20 / 2) = -10, wrapped into the 64-pixel region.
    constexpr int kGridX = kBackgroundSize - 10;
    clearTo(255, 255, 255);
    drawScaled([&] {
        map.drawLowerTiles(kCameraX, 0);
        map.drawUpperTiles(kCameraX, 0);
    });
    EXPECT_EQ(logicalPixel(0, 0), kGreen) << "column 1 starts at -4";
    EXPECT_EQ(logicalPixel(11, 15), kGreen);
    EXPECT_EQ(logicalPixel(12, 0), background(12, 0, kGridX)) << "column 2 holds tile 4";
    EXPECT_EQ(logicalPixel(0, 16), kBlue) << "the upper tile of cell (1, 1)";
    EXPECT_EQ(logicalPixel(317, 5), kRed) << "column 21, the 21st visible";
    EXPECT_EQ(logicalPixel(0, 100), background(0, 100, kGridX));
    EXPECT_EQ(logicalPixel(53, 100), background(53, 100, kGridX));
    EXPECT_EQ(logicalPixel(54, 100), backgroundTexel(0, 100 - 64)) << "a full cell starts";
    EXPECT_EQ(logicalPixel(250, 200), background(250, 200, kGridX));
}

TEST_F(MapRenderTest, WithoutUsableTilesetOnlyTheBackgroundsDraw) {
    writePng(directory.pathOf("data/narrow.png"), imageOf(8, 16, [](int, int) { return kRed; }));
    map.setTilesetName("narrow.png");
    ASSERT_TRUE(map.loadTileset());
    clearTo(255, 255, 255);
    drawScaled([&] {
        map.drawLowerTiles(0, 0);
        map.drawUpperTiles(0, 0);
        map.drawLayer(0, 0, false, 0);
    });
    EXPECT_EQ(cellPixel(0, 0, 0), background(8, 8, 0));
    EXPECT_EQ(cellPixel(1, 0, 0), background(8, 24, 0));
}

TEST_F(MapRenderTest, BackgroundWithAnEmptyRegionIsSkippedAndReportedOnce) {
    map.getBackground(0)->setSourceRegion(10, 0, 10, 64);
    clearTestLog();
    clearTo(255, 255, 255);
    drawScaled([&] {
        map.drawBackgrounds(0, 0);
        map.drawBackgrounds(0, 0);
    });
    EXPECT_EQ(logicalPixel(100, 100), kWhite);
    const std::string log = testLogContent();
    const std::string report = "Background sky.png has the empty region (10, 0)-(10, 64)";
    ASSERT_NE(log.find(report), std::string::npos) << log;
    EXPECT_EQ(log.find(report, log.find(report) + 1), std::string::npos);
}

} // namespace
