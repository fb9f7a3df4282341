#include "game/core/Globals.h"
#include "game/core/Sprite.h"
#include "game/player/Player.h"
#include "game/world/Map.h"
#include "game/world/MapWater.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/TestLog.h"

#include <GL/gl.h>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

constexpr const char* kOverlayPath = "./data/images/waterOverlay.png";
constexpr int kOverlaySize = 8;

// Every overlay texel tells where in the image it comes from.
RGBA overlayTexel(int x, int y) {
    return {x * 32 + 16, y * 32 + 16, 200, 255};
}

// Replaces the built overlay with one whose texels can be told apart.
void writeTestOverlay() {
    std::filesystem::remove(kOverlayPath);
    PngImage image{kOverlaySize, kOverlaySize, PngColorType::RGBA, {}, {}};
    for (int y = 0; y < kOverlaySize; y++) {
        for (int x = 0; x < kOverlaySize; x++) {
            const RGBA texel = overlayTexel(x, y);
            image.pixels.insert(image.pixels.end(), {static_cast<unsigned char>(texel.r),
                                                     static_cast<unsigned char>(texel.g),
                                                     static_cast<unsigned char>(texel.b), 255});
        }
    }
    writePng(kOverlayPath, image);
}

int wrapped(int value, int size) {
    return ((value % size) + size) % size;
}

class WaterTest : public GameplayFixture {
protected:
    static void runTicks(Map::WaterArea& area, int count) {
        for (int i = 0; i < count; i++) {
            area.logic();
        }
    }

    static void drawScaled(Map::WaterArea& area) {
        glPushMatrix();
        glScalef(SCREEN_SCALE_FACTOR, SCREEN_SCALE_FACTOR, 1);
        area.draw(0, 0);
        glPopMatrix();
    }

    static RGBA logicalPixel(int x, int y) {
        return pixelAt(x * SCREEN_SCALE_FACTOR + 1, y * SCREEN_SCALE_FACTOR + 1);
    }

    // Checks every pixel of the rectangle shows the overlay shifted by the drift over black.
    static void expectOverlay(int left, int top, int width, int height, int drift, float alpha) {
        for (int dy = 0; dy < height; dy++) {
            for (int dx = 0; dx < width; dx++) {
                const RGBA texel = overlayTexel(wrapped(dx - drift, kOverlaySize),
                                                wrapped(dy - drift, kOverlaySize));
                const RGBA pixel = logicalPixel(left + dx, top + dy);
                ASSERT_NEAR(pixel.r, texel.r * alpha, 2) << dx << ", " << dy;
                ASSERT_NEAR(pixel.g, texel.g * alpha, 2) << dx << ", " << dy;
            }
        }
    }

    Map::WaterArea area;
};

TEST_F(WaterTest, PulseAndSurfaceRunThroughTheirCycles) {
    runTicks(area, Map::WaterArea::kPulseTicks - 1);
    EXPECT_FLOAT_EQ(area.pulseValue(), 0.4f);
    std::vector<float> pulses;
    area.logic();
    pulses.push_back(area.pulseValue());
    for (int firing = 2; firing <= 17; firing++) {
        runTicks(area, Map::WaterArea::kPulseTicks);
        pulses.push_back(area.pulseValue());
    }
    // Up to 0.8 in eight firings, down to 0.4 in eight more, then up again.
    const std::vector<float> expected = {0.45f, 0.5f, 0.55f, 0.6f, 0.65f, 0.7f,
                                         0.75f, 0.8f, 0.75f, 0.7f, 0.65f, 0.6f,
                                         0.55f, 0.5f, 0.45f, 0.4f, 0.45f};
    for (size_t i = 0; i < expected.size(); i++) {
        EXPECT_NEAR(pulses[i], expected[i], 1e-5) << "firing " << i + 1;
    }

    Map::WaterArea surface;
    runTicks(surface, Map::WaterArea::kGrowthTicks - 1);
    EXPECT_EQ(surface.growth(), -1);
    std::vector<int> growths;
    for (int firing = 0; firing < 14; firing++) {
        runTicks(surface, firing == 0 ? 1 : Map::WaterArea::kGrowthTicks);
        growths.push_back(surface.growth());
    }
    EXPECT_EQ(growths, (std::vector<int>{0, 0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 0, 1, 2}));
}

TEST_F(WaterTest, BubblesAreRemovedOnTheTickTheyPassTheSurfaceAndNoOtherIs) {
    srand(11);
    // More bubbles than rise timeouts, so some share the tick they surface on.
    constexpr int kSurfaceBubbles = 20;
    for (int i = 0; i < kSurfaceBubbles; i++) {
        area.addBubbleAt(5, 0);
    }
    area.addBubbleAt(5, 100);
    ASSERT_EQ(area.bubbles().size(), kSurfaceBubbles + 1u);
    // Each bubble with the tick it surfaces on; the deep one does not within the test.
    std::vector<std::pair<const Map::WaterArea::Bubble*, int>> surfacing;
    for (const auto& bubble : area.bubbles()) {
        surfacing.emplace_back(bubble.get(), bubble->riseTimeout());
    }
    surfacing.back().second = INT_MAX;

    for (int tick = 1; tick <= 15; tick++) {
        area.logic();
        std::vector<const Map::WaterArea::Bubble*> expected;
        for (const auto& [bubble, surfaceTick] : surfacing) {
            if (surfaceTick > tick) {
                expected.push_back(bubble);
            }
        }
        std::vector<const Map::WaterArea::Bubble*> left;
        for (const auto& bubble : area.bubbles()) {
            left.push_back(bubble.get());
        }
        ASSERT_EQ(left, expected) << "tick " << tick;
    }
    ASSERT_EQ(area.bubbles().size(), 1u);
    EXPECT_LT(area.bubbles().front()->getY(), 100) << "the deep bubble rose";
}

TEST_F(WaterTest, SplashIsRemovedOnTheTickItsAnimationFinishes) {
    area.addSplashAt(3, 4);
    Sprite reference;
    ASSERT_TRUE(reference.load("waterSplash.txt"));
    ASSERT_TRUE(reference.setCurrentAnimation("splash"));
    int ticks = 0;
    while (!reference.finishedAnimating() && ticks < 200) {
        ASSERT_EQ(area.splashes().size(), 1u) << "tick " << ticks;
        area.logic();
        reference.logic();
        ticks++;
    }
    ASSERT_TRUE(reference.finishedAnimating());
    EXPECT_TRUE(area.splashes().empty()) << "tick " << ticks;
}

TEST_F(WaterTest, NarrowAreaDrawsClippedOverlayPiecesThatDriftAndPulse) {
    // Without its overlay an area draws nothing and says so once.
    std::filesystem::remove(kOverlayPath);
    Map::WaterArea bare;
    bare.boundingBox().setBounds(16, 16, 21, 40);
    clearTestLog();
    clearTo(0, 0, 0);
    drawScaled(bare);
    drawScaled(bare);
    EXPECT_EQ(logicalPixel(18, 20), (RGBA{0, 0, 0, 255}));
    const std::string log = testLogContent();
    const std::string report = "Couldn't load waterOverlay.png";
    ASSERT_NE(log.find(report), std::string::npos) << log;
    EXPECT_EQ(log.find(report, log.find(report) + 1), std::string::npos);

    // Five pixels wide, narrower than the 8-pixel overlay; the surface starts one pixel low.
    writeTestOverlay();
    area.boundingBox().setBounds(16, 16, 21, 40);
    clearTo(0, 0, 0);
    drawScaled(area);
    expectOverlay(16, 17, 5, 23, 0, 0.4f);
    const std::pair<int, int> outside[] = {{15, 20}, {21, 20}, {18, 16}, {18, 40}};
    for (const auto& [x, y] : outside) {
        EXPECT_EQ(logicalPixel(x, y), (RGBA{0, 0, 0, 255})) << x << ", " << y;
    }

    // After a second the pattern has drifted one pixel right and down and is brighter.
    runTicks(area, Map::WaterArea::kScrollTicks);
    clearTo(0, 0, 0);
    drawScaled(area);
    expectOverlay(16, 17, 5, 23, 1, area.pulseValue());
    EXPECT_FLOAT_EQ(area.pulseValue(), 0.6f);
}

TEST_F(WaterTest, PlayerSplashesWhereItEntersAndLeavesTheWater) {
    fillFloor();
    constexpr int kSurface = 8 * kTile;
    globalMap->addWaterArea()->boundingBox().setBounds(0, kSurface, 319, kFloorRow * kTile - 1);
    Map::WaterArea& pool = *globalMap->getWaterArea(0);
    spawnPlayer(100, 40);
    ASSERT_GT(ticksUntil([] { return thePlayer().state().inWater; }, 100), 0);
    ASSERT_EQ(pool.splashes().size(), 1u);
    EXPECT_EQ(pool.splashes()[0]->getX(), 100);
    EXPECT_EQ(pool.splashes()[0]->getY(), thePlayer().getYPos() - kSurface);

    // The water drains from under the player.
    pool.boundingBox().setBounds(0, kFloorRow * kTile, 319, kFloorRow * kTile + 10);
    tick();
    ASSERT_FALSE(thePlayer().state().inWater);
    ASSERT_EQ(pool.splashes().size(), 2u);
    EXPECT_EQ(pool.splashes()[1]->getX(), 100);
    EXPECT_EQ(pool.splashes()[1]->getY(), thePlayer().getYPos() - kFloorRow * kTile);
}

} // namespace
