#include "engine/PXInit.h"
#include "game/core/ResourceManager.h"
#include "game/player/Player.h"
#include "game/world/Camera.h"
#include "game/world/DarknessHalo.h"
#include "game/world/Letterbox.h"
#include "game/world/ThoughtBubble.h"
#include "tests/support/GameplayFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/TestLog.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr RGBA kWhite{255, 255, 255, 255};
constexpr RGBA kBlack{0, 0, 0, 255};
constexpr RGBA kRed{255, 0, 0, 255};
constexpr RGBA kGreen{0, 255, 0, 255};
constexpr RGBA kBlue{0, 0, 255, 255};

// One 16 x 12 frame drawn 2 pixels left of its position.
constexpr const char* kBubbleSprite = "VERSION: 1\nIMAGE: bubbleSheet.png\n"
                                      "[think]\nLOOP: True\nNUMBER_OF_FRAMES: 1\n"
                                      "FRAME_COORDS: 0,0,16,12,-2,0\nDELAY: 5\n"
                                      "NUMBER_OF_BOUNDING_BOXES: 0\n";

// Replaces a built image by one made for the test, also in the resource manager's cache.
void replaceImage(const std::string& name, const PngImage& image) {
    const std::string path = "data/images/" + name;
    std::filesystem::remove(path);
    writePng(path, image);
    ResourceManager::instance()->unloadTexture(name.c_str());
}

// The overlays draw in window pixels here: the test window is not scaled. The bubble image is
// opaque red, so its dots and cloud show as red rectangles; the halo image is clear but for a
// green centre pixel.
class OverlayTest : public GameplayFixture {
protected:
    void SetUp() override {
        GameplayFixture::SetUp();
        replaceImage("thoughtBubble.png", solidPng(16, 16, PngColorType::RGBA, 255, 0, 0));
        PngImage halo = solidPng(128, 128, PngColorType::RGBA, 0, 0, 0, 0);
        halo.pixels[(64 * 128 + 64) * 4 + 1] = 255;
        halo.pixels[(64 * 128 + 64) * 4 + 3] = 255;
        replaceImage("darknessHalo.png", halo);
        // The player's own bubble must not keep the unloaded image.
        spawnPlayer(0, 0);
        writePng("data/bubbleSheet.png", solidPng(16, 16, PngColorType::RGBA, 0, 0, 255));
        std::ofstream("data/bubble.txt") << kBubbleSprite;
        DarknessHalo::destroyInstance();
        Letterbox::destroyInstance();
    }

    struct Point {
        int x;
        int y;
    };

    // The colours of the points after drawing on white.
    static std::vector<RGBA> drawnPixels(const std::function<void()>& draw,
                                         const std::vector<Point>& points) {
        clearTo(255, 255, 255);
        draw();
        std::vector<RGBA> colours;
        for (const Point& point : points) {
            colours.push_back(pixelAt(point.x, point.y));
        }
        return colours;
    }

    static void repeat(int ticks, const std::function<void()>& step) {
        for (int tick = 0; tick < ticks; tick++) {
            step();
        }
    }
};

TEST_F(OverlayTest, LetterboxEasesItsBarsOutAndTurnsBackWithoutAJump) {
    Letterbox& box = *Letterbox::instance();
    const auto step = [&box] { box.logic(); };
    EXPECT_TRUE(box.isFullyHidden());
    box.instantOn();
    EXPECT_TRUE(box.isFullyShown());

    EXPECT_EQ(drawnPixels([&box] { box.draw(); },
                          {{0, 0}, {319, 31}, {319, 32}, {320, 0}, {0, 207}, {0, 208}, {319, 239}}),
              (std::vector<RGBA>{kBlack, kBlack, kWhite, kWhite, kWhite, kBlack, kBlack}));

    box.toggle();
    EXPECT_TRUE(box.isHiding());
    EXPECT_FALSE(box.isShowing());
    repeat(1, step);
    EXPECT_EQ(box.barHeight(), 32) << "the bars move every second tick";
    repeat(55, step);
    EXPECT_EQ(box.barHeight(), 1) << "progress 4 of 32 still shows a bar";
    EXPECT_FALSE(box.isFullyHidden());
    repeat(8, step);
    EXPECT_EQ(box.barHeight(), 0);
    EXPECT_TRUE(box.isFullyHidden());

    box.toggle();
    repeat(32, step);
    const int height = box.barHeight();
    EXPECT_GT(height, 0);
    EXPECT_LT(height, 32);
    box.toggle();
    box.toggle();
    EXPECT_TRUE(box.isShowing()) << "two toggles keep the direction";
    EXPECT_EQ(box.barHeight(), height);
    repeat(2, step);
    EXPECT_GE(box.barHeight(), height);
    EXPECT_LE(box.barHeight(), height + 2);

    box.instantOff();
    EXPECT_TRUE(box.isFullyHidden());
}

TEST_F(OverlayTest, ThoughtBubbleSizesAroundItsPictureAndGoesWithoutOne) {
    ThoughtBubble bubble;
    EXPECT_EQ(bubble.width(), 7);
    EXPECT_EQ(bubble.height(), 7);
    bubble.setWidth(3);
    bubble.setHeight(-1);
    EXPECT_EQ(bubble.width(), 7);
    EXPECT_EQ(bubble.height(), 7);

    bubble.setSprite("bubble.txt");
    bubble.setSpriteAnimation("think");
    EXPECT_EQ(bubble.width(), 24) << "|-2| + 16 + 6";
    EXPECT_EQ(bubble.height(), 18) << "|0| + 12 + 6";

    bubble.setPos(100, 200);
    const auto draw = [&bubble] { bubble.draw(); };
    // Cloud at (116, 175), 24 x 18; the 16 x 12 picture centred in it at (119, 178) after its
    // offset.
    EXPECT_EQ(drawnPixels(draw, {{116, 175},
                                 {139, 192},
                                 {140, 192},
                                 {118, 178},
                                 {119, 178},
                                 {134, 189},
                                 {135, 189},
                                 {134, 190}}),
              (std::vector<RGBA>{kRed, kRed, kWhite, kRed, kBlue, kBlue, kRed, kRed}));

    // A pot number the sprite has no animation for.
    bubble.setSpriteAnimation("3");
    EXPECT_EQ(bubble.width(), 7);
    EXPECT_EQ(bubble.height(), 7);
    // The tail's dots: 3 x 3 at (100, 200), 4 x 4 at (104, 198), 6 x 6 at (109, 193); the
    // 7 x 7 cloud at (116, 186); no picture.
    EXPECT_EQ(drawnPixels(draw, {{100, 200},
                                 {102, 202},
                                 {103, 202},
                                 {104, 198},
                                 {109, 193},
                                 {114, 198},
                                 {116, 186},
                                 {119, 189},
                                 {122, 192},
                                 {123, 192},
                                 {116, 185}}),
              (std::vector<RGBA>{kRed, kRed, kWhite, kRed, kRed, kRed, kRed, kRed, kRed, kWhite,
                                 kWhite}));

    bubble.setSpriteAnimation("think");
    EXPECT_EQ(bubble.width(), 24) << "the sprite stays for the next wish";

    clearTestLog();
    bubble.setSprite("absent.txt");
    EXPECT_NE(testLogContent().find("Couldn't load sprite: absent.txt\n"), std::string::npos);
    bubble.setSpriteAnimation("think");
    EXPECT_EQ(bubble.width(), 7);
    EXPECT_EQ(bubble.height(), 7);
    repeat(30, [&bubble] { bubble.logic(); });
    EXPECT_EQ(drawnPixels(draw, {{119, 189}}), std::vector<RGBA>{kRed})
        << "the cloud's middle does not wobble";
}

TEST_F(OverlayTest, DarknessHaloAtTheLeftEdgeCoversTheRestOfTheScreen) {
    spawnPlayer(0, 150);
    ASSERT_EQ(globalCamera->getXPos(), 0);
    const int centreX = 8;
    const int centreY = 158 - globalCamera->getYPos();
    DarknessHalo& halo = *DarknessHalo::instance();

    const auto draw = [&halo] { halo.draw(); };
    EXPECT_EQ(drawnPixels(draw, {{300, 10}}), std::vector<RGBA>{kWhite})
        << "off, the halo shows nothing";

    halo.toggle();
    EXPECT_TRUE(halo.isOn());
    const auto step = [&halo] { halo.logic(); };
    repeat(24, step);
    EXPECT_LT(halo.alpha(), 1.0f);
    repeat(2, step);
    EXPECT_EQ(halo.alpha(), 1.0f) << "13 steps of 0.08, one every second tick";

    // The strip left of the halo has no width: the window's left edge lies inside the halo.
    EXPECT_EQ(drawnPixels(draw, {{centreX, centreY},
                                 {0, centreY},
                                 {centreX + 63, centreY},
                                 {centreX + 64, centreY},
                                 {639, 479},
                                 {centreX, centreY - 64},
                                 {centreX, centreY - 65},
                                 {centreX, centreY + 63},
                                 {centreX, centreY + 64},
                                 {0, 0}}),
              (std::vector<RGBA>{kGreen, kWhite, kWhite, kBlack, kBlack, kWhite, kBlack, kWhite,
                                 kBlack, kBlack}));

    halo.toggle();
    repeat(26, step);
    EXPECT_EQ(halo.alpha(), 0.0f);
    EXPECT_FALSE(halo.isOn());
}

} // namespace
