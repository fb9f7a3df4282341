#include "game/core/Sprite.h"
#include "engine/PXInit.h"
#include "game/core/AnimationFrameInformation.h"
#include "game/core/ResourceManager.h"
#include "game/core/SpriteAnimation.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/ScratchWorkingDirectory.h"
#include "tests/support/TestLog.h"

#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string kPreamble = "VERSION: 1\nIMAGE: sheet.png\n";
const std::string kMalformed =
    "File is malformed or does not contain complete information for constructing a Sprite\n";

const RGBA kBlack{0, 0, 0, 255};
const RGBA kRed{255, 0, 0, 255};
const RGBA kGreen{0, 255, 0, 255};
const RGBA kBlue{0, 0, 255, 255};
const RGBA kWhite{255, 255, 255, 255};

std::string frameWithBoxCount(const std::string& coords, int delay, const std::string& boxCount) {
    return "FRAME_COORDS: " + coords + "\nDELAY: " + std::to_string(delay) +
           "\nNUMBER_OF_BOUNDING_BOXES: " + boxCount + "\n";
}

std::string frame(const std::string& coords, int delay,
                  const std::vector<std::string>& boxes = {}) {
    std::string text = frameWithBoxCount(coords, delay, std::to_string(boxes.size()));
    for (const std::string& box : boxes) {
        text += "BBOX_COORDS: " + box + "\n";
    }
    return text;
}

std::string animationHeader(const std::string& name, const std::string& loop,
                            const std::string& frameCount) {
    return "[" + name + "]\nLOOP: " + loop + "\nNUMBER_OF_FRAMES: " + frameCount + "\n";
}

std::string animation(const std::string& name, const std::string& loop,
                      const std::vector<std::string>& frames) {
    std::string text = animationHeader(name, loop, std::to_string(frames.size()));
    for (const std::string& frameText : frames) {
        text += frameText;
    }
    return text;
}

// A 16 x 16 frame sits at (16, 0) of a 32 x 32 grey sheet; its 8 x 8 quadrants are red, green
// (top) and blue, white (bottom), so any mirroring or misplacement shows in the read-back.
PngImage quadrantSheet() {
    PngImage sheet = solidPng(32, 32, PngColorType::RGBA, 128, 128, 128);
    for (int y = 0; y < 16; y++) {
        for (int x = 16; x < 32; x++) {
            const RGBA& colour = y < 8 ? (x < 24 ? kRed : kGreen) : (x < 24 ? kBlue : kWhite);
            unsigned char* pixel = &sheet.pixels[static_cast<size_t>(y * 32 + x) * 4];
            pixel[0] = static_cast<unsigned char>(colour.r);
            pixel[1] = static_cast<unsigned char>(colour.g);
            pixel[2] = static_cast<unsigned char>(colour.b);
        }
    }
    return sheet;
}

::testing::AssertionResult logged(const std::string& text) {
    const std::string log = testLogContent();
    if (log.find(text) != std::string::npos) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "log lacks \"" << text << "\"; log:\n" << log;
}

// One tick of a one-frame animation tells whether it loops: it either restarts or finishes.
bool loops(Sprite& sprite, const char* name) {
    sprite.setCurrentAnimation(name, PX_TRUE);
    sprite.logic();
    return !sprite.finishedAnimating();
}

std::vector<int> framesOverTicks(Sprite& sprite, int ticks) {
    std::vector<int> frames;
    for (int tick = 0; tick < ticks; tick++) {
        sprite.logic();
        frames.push_back(sprite.currentFrame());
    }
    return frames;
}

struct Dimensions {
    int width = 99;
    int height = 99;
    int xOffset = 99;
    int yOffset = 99;

    bool operator==(const Dimensions&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Dimensions& d) {
    return out << d.width << "x" << d.height << " at " << d.xOffset << "," << d.yOffset;
}

Dimensions dimensionsOf(const Sprite& sprite, int frameIndex) {
    Dimensions dimensions;
    sprite.frameDimensions(frameIndex, &dimensions.width, &dimensions.height, &dimensions.xOffset,
                           &dimensions.yOffset);
    return dimensions;
}

std::vector<int> boundsOf(const BoundingBox* box) {
    if (box == nullptr) {
        return {};
    }
    return {box->getLeftBound(), box->getTopBound(), box->getRightBound(), box->getBottomBound()};
}

class SpriteTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        writePng(directory.pathOf("data/sheet.png"), quadrantSheet());
    }

    void TearDown() override {
        ResourceManager::instance()->cleanup();
        GLTestFixture::TearDown();
    }

    // Expects the 16 x 16 frame with the given quadrant colours at (left, top), black around it.
    static void expectQuadrantsAt(int left, int top, const RGBA& topLeft, const RGBA& topRight,
                                  const RGBA& bottomLeft, const RGBA& bottomRight) {
        EXPECT_EQ(pixelAt(left, top), topLeft);
        EXPECT_EQ(pixelAt(left + 15, top), topRight);
        EXPECT_EQ(pixelAt(left, top + 15), bottomLeft);
        EXPECT_EQ(pixelAt(left + 15, top + 15), bottomRight);
        EXPECT_EQ(pixelAt(left + 7, top + 7), topLeft);
        EXPECT_EQ(pixelAt(left + 8, top + 8), bottomRight);
        EXPECT_EQ(pixelAt(left - 1, top), kBlack);
        EXPECT_EQ(pixelAt(left + 16, top), kBlack);
        EXPECT_EQ(pixelAt(left, top - 1), kBlack);
        EXPECT_EQ(pixelAt(left, top + 16), kBlack);
    }

    ScratchWorkingDirectory directory{"sprites"};
    Sprite sprite;
};

TEST_F(SpriteTest, SecondLoadUsesTheCachedTextAndAnimatesIndependently) {
    directory.writeFile(
        "data/definitions/bird.txt",
        kPreamble +
            animation("fly", "True", {frame("0,0,16,16,0,0", 2), frame("16,0,32,16,0,0", 2)}));
    clearTestLog();
    ASSERT_TRUE(sprite.load("bird.txt"));
    EXPECT_TRUE(logged("Sprite data cache does not exist. Creating it.\nLoading sprite: "
                       "bird.txt\nSprite is not in the cache. Adding it.\n"));
    EXPECT_TRUE(logged("Sprite cache size: 1\n"));

    std::filesystem::remove(directory.pathOf("data/definitions/bird.txt"));
    clearTestLog();
    Sprite second;
    ASSERT_TRUE(second.load("bird.txt"));
    EXPECT_EQ(testLogContent(),
              "Loading sprite: bird.txt\nSprite is in the cache. Using cached vesion.\n")
        << "a cache hit neither searches nor reads a file";

    ASSERT_TRUE(sprite.setCurrentAnimation("fly"));
    ASSERT_TRUE(second.setCurrentAnimation("fly"));
    sprite.logic();
    sprite.logic();
    EXPECT_EQ(sprite.currentFrame(), 1);
    EXPECT_EQ(second.currentFrame(), 0);

    clearTestLog();
    EXPECT_FALSE(sprite.setCurrentAnimation("swim"));
    EXPECT_FALSE(second.setCurrentAnimation("swim"));
    EXPECT_EQ(testLogContent(), "Animation named: swim not found in ./data/definitions/bird.txt\n"
                                "Animation named: swim not found in \n")
        << "only the sprite that read the file knows its path";
    EXPECT_EQ(sprite.currentFrame(), 1) << "a failed request keeps the current animation";
}

TEST_F(SpriteTest, DefinitionThatCannotBeFoundOpenedOrReadFails) {
    clearTestLog();
    EXPECT_FALSE(sprite.load("absent.txt"));
    EXPECT_TRUE(logged("Couldn't find absent.txt\nCouldn't load sprite.\n"));

    std::filesystem::create_symlink(directory.pathOf("data/nowhere.txt"),
                                    directory.pathOf("data/dangling.txt"));
    EXPECT_FALSE(sprite.load("dangling.txt"));
    EXPECT_TRUE(logged("Couldn't open dangling.txt\nCouldn't load sprite.\n"));

    std::filesystem::create_directories(directory.pathOf("data/folder.txt"));
    EXPECT_FALSE(sprite.load("folder.txt"));
    EXPECT_TRUE(logged("Couldn't read folder.txt\nCouldn't load sprite.\n"));

    directory.writeFile("data/late/absent.txt",
                        kPreamble + animation("a", "True", {frame("0,0,1,1,0,0", 1)}));
    clearTestLog();
    EXPECT_TRUE(sprite.load("absent.txt"));
    EXPECT_TRUE(logged("Sprite is not in the cache. Adding it.\n")) << "failures cache nothing";
}

TEST_F(SpriteTest, MalformedDefinitionsFailWithTheirMessageAndKeepNoAnimation) {
    const std::string good = kPreamble + animation("first", "True", {frame("0,0,1,1,0,0", 1)});
    const std::string walk = "[walk]\nLOOP: True\nNUMBER_OF_FRAMES: 1\n";
    const std::string coords = "FRAME_COORDS: 0,0,16,16,0,0\n";
    const std::string upToBoxCount = walk + coords + "DELAY: 1\n";
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"IMAGE: sheet.png\n", "Expecting to find \"VERSION:\", but it was not found.\n"},
        {"VERSION: 2\nIMAGE: sheet.png\n", "Don't understand version other than '1'\n"},
        {"VERSION: 1\nIMAGE sheet.png\n", "Expecting to find \"IMAGE:\", but it was not found.\n"},
        {"VERSION: 1\n\r\nIMAGE: sheet.png\n",
         "Expecting to find \"IMAGE:\", but it was not found.\n"},
        {good + "walk]\n", "Expecting '['. Found: w"},
        {good + "[walk\n", "Expected to find ']', but it was not found.\n"},
        {good + "[walk]\nNUMBER_OF_FRAMES: 1\n",
         "Expecting to find \"LOOP:\", but it was not found.\n"},
        {good + "[walk]\nLOOP: True\n" + coords,
         "Expecting to find \"NUMBER_OF_FRAMES:\", but it was not found.\n"},
        {good + walk + "DELAY: 1\n",
         "Expecting to find \"FRAME_COORDS:\", but it was not found.\n"},
        {good + walk + "FRAME_COORDS: 0,0,16,24,-2\n", "Not enough arguments to FRAME_COORDS\n"},
        {good + walk + coords + "NUMBER_OF_BOUNDING_BOXES: 0\n",
         "Expecting to find \"DELAY:\", but it was not found.\n"},
        {good + upToBoxCount + "BBOX_COORDS: 0,0,1,1\n",
         "Expecting to find \"NUMBER_OF_BOUNDING_BOXES:\", but it was not found.\n"},
        {good + upToBoxCount + "NUMBER_OF_BOUNDING_BOXES: 2\nBBOX_COORDS: 0,0,1,1\n[next]\n",
         "Expecting to find \"BBOX_COORDS:\", but it was not found.\n"},
        {good + upToBoxCount + "NUMBER_OF_BOUNDING_BOXES: 1\nBBOX_COORDS: 0,0,1\n",
         "Not enough arguments to BBOX_COORDS\n"},
        {good + animationHeader("walk", "True", "0") + frame("0,0,1,1,0,0", 1),
         "Unable to set number of bounding boxes for frame 0\n"},
        {good + animationHeader("walk", "True", "2") + frame("0,0,1,1,0,0", 1) +
             frameWithBoxCount("0,0,1,1,0,0", 1, "65"),
         "Unable to set number of bounding boxes for frame 1\n"},
        {kPreamble, kMalformed},
        {good + animationHeader("walk", "True", "2") + frame("0,0,1,1,0,0", 1), kMalformed},
    };
    for (const Case& broken : cases) {
        SCOPED_TRACE(broken.text);
        clearTestLog();
        Sprite failed;
        EXPECT_FALSE(failed.loadFromText(broken.text));
        EXPECT_TRUE(logged(broken.message));
        EXPECT_FALSE(failed.setCurrentAnimation("first")) << "an error discards every animation";
    }
    ASSERT_TRUE(sprite.loadFromText(good));
    ASSERT_TRUE(sprite.setCurrentAnimation("first"));
    EXPECT_FALSE(sprite.loadFromText(good + "junk\n"));
    EXPECT_FALSE(sprite.setCurrentAnimation("first")) << "a failed reload keeps nothing";
    EXPECT_EQ(sprite.currentFrame(), -1);
}

TEST_F(SpriteTest, UnloadableSheetFailsAfterACompleteParse) {
    clearTestLog();
    EXPECT_FALSE(sprite.loadFromText("VERSION: 1\nIMAGE: missing.png\n" +
                                     animation("a", "True", {frame("0,0,16,16,0,0", 1)})));
    EXPECT_TRUE(logged("Error loading Sprite _image\n"));
    ASSERT_TRUE(sprite.setCurrentAnimation("a"));
    clearTo(0, 0, 0);
    sprite.draw(10, 10);
    EXPECT_EQ(pixelAt(10, 10), kBlack) << "without a sheet nothing is drawn";
}

TEST_F(SpriteTest, LoopsOnlyOnTheExactWordTrue) {
    struct Case {
        const char* name;
        const char* value;
        bool loops;
    };
    const Case cases[] = {
        {"exact", "True", true},
        {"lowerCase", "true", false},
        {"trailingBlank", "True ", false},
        {"commentAfterBlank", "True # loops?", false},
        {"commentRightAfter", "True#loops", true},
        {"secondSpace", " True", false},
        {"carriageReturn", "True\r", false},
    };
    std::string text = kPreamble;
    for (const Case& loop : cases) {
        text += animation(loop.name, loop.value, {frame("0,0,1,1,0,0", 1)});
    }
    ASSERT_TRUE(sprite.loadFromText(text));
    for (const Case& loop : cases) {
        EXPECT_EQ(loops(sprite, loop.name), loop.loops) << loop.name;
    }
}

TEST_F(SpriteTest, FrameGeometryAndBoxesOfTheCurrentFrame) {
    ASSERT_TRUE(sprite.loadFromText(
        kPreamble + animation("stand", "True",
                              {frame("0,0,16,24,-2,0,77", 1, {"1,2,13,22,99", "-3, -4, 5, 6"}),
                               frame("16, 0, 20, 8, 3, -5", 1)})));
    Dimensions untouched;
    EXPECT_EQ(sprite.numberOfFrames(), 0) << "no animation chosen yet";
    EXPECT_EQ(dimensionsOf(sprite, 0), untouched);
    EXPECT_EQ(sprite.getBBox(0), nullptr);

    ASSERT_TRUE(sprite.setCurrentAnimation("stand"));
    EXPECT_EQ(sprite.numberOfFrames(), 2);
    EXPECT_EQ(dimensionsOf(sprite, 0), (Dimensions{16, 24, -2, 0}));
    EXPECT_EQ(dimensionsOf(sprite, 1), (Dimensions{4, 8, 3, -5}));
    EXPECT_EQ(dimensionsOf(sprite, 2), (Dimensions{0, 0, -1, -1}));
    EXPECT_EQ(dimensionsOf(sprite, -1), (Dimensions{0, 0, -1, -1}));
    int height = 0;
    sprite.frameDimensions(0, nullptr, &height, nullptr, nullptr);
    EXPECT_EQ(height, 24);

    EXPECT_EQ(boundsOf(sprite.getBBox(0)), (std::vector<int>{1, 2, 13, 22}));
    EXPECT_EQ(boundsOf(sprite.getBBox(1)), (std::vector<int>{-3, -4, 5, 6}));
    EXPECT_EQ(sprite.getBBox(2), nullptr);
    EXPECT_EQ(sprite.getBBox(-1), nullptr);
    sprite.logic();
    EXPECT_EQ(sprite.getBBox(0), nullptr) << "a frame with no boxes";
}

TEST_F(SpriteTest, NonLoopingAnimationShowsEachFrameForItsDelayThenFinishes) {
    ASSERT_TRUE(sprite.loadFromText(
        kPreamble +
        animation("once", "False",
                  {frame("0,0,1,1,0,0", 5), frame("0,0,1,1,0,0", 5), frame("0,0,1,1,0,0", 5)}) +
        animation("fast", "True", {frame("0,0,1,1,0,0", 0), frame("0,0,1,1,0,0", 1)})));
    sprite.logic();
    EXPECT_EQ(sprite.currentFrame(), -1) << "nothing steps before an animation is chosen";

    ASSERT_TRUE(sprite.setCurrentAnimation("once"));
    std::vector<int> frames;
    for (int tick = 1; tick <= 14; tick++) {
        sprite.logic();
        frames.push_back(sprite.currentFrame());
        EXPECT_FALSE(sprite.finishedAnimating()) << "tick " << tick;
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2}));
    sprite.logic();
    EXPECT_TRUE(sprite.finishedAnimating());
    EXPECT_EQ(framesOverTicks(sprite, 7), std::vector<int>(7, 2));
    EXPECT_TRUE(sprite.finishedAnimating());

    ASSERT_TRUE(sprite.setCurrentAnimation("fast"));
    EXPECT_FALSE(sprite.finishedAnimating());
    EXPECT_EQ(framesOverTicks(sprite, 4), (std::vector<int>{1, 0, 1, 0}))
        << "delays 0 and 1 both last one tick";
}

TEST_F(SpriteTest, UnforcedRequestKeepsAnAnimationWhoseNameBeginsTheRequest) {
    ASSERT_TRUE(sprite.loadFromText(
        kPreamble + animation("stand", "True", {frame("0,0,1,1,0,0", 5), frame("0,0,1,1,0,0", 5)}) +
        animation("standRight", "True", {frame("0,0,2,2,0,0", 5), frame("0,0,2,2,0,0", 5)})));
    ASSERT_TRUE(sprite.setCurrentAnimation("standRight", PX_FALSE));
    framesOverTicks(sprite, 5);
    ASSERT_EQ(sprite.currentFrame(), 1);

    EXPECT_TRUE(sprite.setCurrentAnimation("standRight", PX_FALSE));
    EXPECT_EQ(sprite.currentFrame(), 1) << "the same name playing is not restarted";
    EXPECT_TRUE(sprite.setCurrentAnimation("standRight", PX_TRUE));
    EXPECT_EQ(sprite.currentFrame(), 0) << "forced restarts";

    EXPECT_TRUE(sprite.setCurrentAnimation("stand", PX_FALSE));
    EXPECT_EQ(dimensionsOf(sprite, 0).width, 1) << "a shorter name is another animation";
    framesOverTicks(sprite, 5);
    EXPECT_TRUE(sprite.setCurrentAnimation("standRight", PX_FALSE));
    EXPECT_EQ(dimensionsOf(sprite, 0).width, 1) << "the playing name begins the requested one";
    EXPECT_EQ(sprite.currentFrame(), 1);

    EXPECT_FALSE(sprite.setCurrentAnimation("walk", PX_FALSE));
    EXPECT_EQ(sprite.currentFrame(), 1);

    framesOverTicks(sprite, 3);
    ASSERT_TRUE(sprite.setCurrentAnimation("standRight", PX_TRUE));
    EXPECT_EQ(framesOverTicks(sprite, 2), (std::vector<int>{0, 1}))
        << "the three ticks counted before the switch shorten the new first frame";
}

TEST_F(SpriteTest, ValueIsReadAfterTheFirstSpaceOfTheLine) {
    ASSERT_TRUE(sprite.loadFromText(kPreamble + animation("a", "True",
                                                          {"FRAME_COORDS: 0,0,1,1,0,0\n"
                                                           " DELAY: 5\n"
                                                           "NUMBER_OF_BOUNDING_BOXES: 0\n",
                                                           "FRAME_COORDS: 0,0,1,1,0,0\n"
                                                           "xDELAY: 3\n"
                                                           "NUMBER_OF_BOUNDING_BOXES: 0\n"})));
    ASSERT_TRUE(sprite.setCurrentAnimation("a"));
    EXPECT_EQ(framesOverTicks(sprite, 5), (std::vector<int>{1, 1, 1, 0, 1}))
        << "the indented delay reads 0, the glued keyword still reads 3";

    clearTestLog();
    Sprite indentedCount;
    EXPECT_FALSE(indentedCount.loadFromText(kPreamble + "[a]\nLOOP: True\n NUMBER_OF_FRAMES: 1\n" +
                                            frame("0,0,1,1,0,0", 1)));
    EXPECT_TRUE(logged("Unable to set number of bounding boxes for frame 0\n"));
}

TEST_F(SpriteTest, NumbersReadLikeAtoiAndSaturate) {
    ASSERT_TRUE(sprite.loadFromText(
        kPreamble +
        animation("big", "True",
                  {frame("-99999999999999999999, 0, 99999999999999999999, +5, 2147483648, "
                         "-2147483649",
                         1, {"2147483647, -2147483648, 12abc, x", "  -3, +0, 0007,"})})));
    ASSERT_TRUE(sprite.setCurrentAnimation("big"));
    EXPECT_EQ(dimensionsOf(sprite, 0), (Dimensions{INT_MAX, 5, INT_MAX, INT_MIN}));
    EXPECT_EQ(boundsOf(sprite.getBBox(0)), (std::vector<int>{INT_MAX, INT_MIN, 12, 0}));
    EXPECT_EQ(boundsOf(sprite.getBBox(1)), (std::vector<int>{-3, 0, 7, 0}))
        << "an empty value after the last comma reads 0";
    for (int flags : {0, 1, 16, 17}) {
        sprite.draw(INT_MAX, INT_MIN, flags);
    }
}

TEST_F(SpriteTest, CountsOutsideTheirLimitsCannotBeSet) {
    const std::vector<std::string> mostFrames(4096, frame("0,0,1,1,0,0", 1));
    const std::vector<std::string> mostBoxes(64, "0,0,1,1");
    ASSERT_TRUE(
        sprite.loadFromText(kPreamble + animation("long", "True", mostFrames) +
                            animation("boxed", "True", {frame("0,0,1,1,0,0", 1, mostBoxes)})));
    ASSERT_TRUE(sprite.setCurrentAnimation("long"));
    EXPECT_EQ(sprite.numberOfFrames(), 4096);
    ASSERT_TRUE(sprite.setCurrentAnimation("boxed"));
    EXPECT_NE(sprite.getBBox(63), nullptr);

    for (const char* count : {"4097", "-1", "99999999999999999999"}) {
        SCOPED_TRACE(count);
        clearTestLog();
        Sprite failed;
        EXPECT_FALSE(failed.loadFromText(kPreamble + animationHeader("a", "True", count) +
                                         frame("0,0,1,1,0,0", 1)));
        EXPECT_TRUE(logged("Unable to set number of bounding boxes for frame 0\n"));
    }
    for (const char* count : {"65", "-1"}) {
        SCOPED_TRACE(count);
        clearTestLog();
        Sprite failed;
        EXPECT_FALSE(failed.loadFromText(kPreamble + animationHeader("a", "True", "1") +
                                         frameWithBoxCount("0,0,1,1,0,0", 1, count)));
        EXPECT_TRUE(logged("Unable to set number of bounding boxes for frame 0\n"));
    }
}

TEST_F(SpriteTest, LinesAreCutAfter511Characters) {
    const std::string head = "FRAME_COORDS: 0,0,16,16,-2,";
    const std::string cutValue = head + std::string(511 - head.size(), ' ') + "7";
    const std::string keptValue = head + std::string(510 - head.size(), ' ') + "7";
    const std::string longComment = "#" + std::string(600, 'x') + "[junk";
    ASSERT_TRUE(
        sprite.loadFromText(kPreamble + longComment + "\n" +
                            animation("a", "True",
                                      {cutValue + "\nDELAY: 1\nNUMBER_OF_BOUNDING_BOXES: 0\n",
                                       keptValue + "\nDELAY: 1\nNUMBER_OF_BOUNDING_BOXES: 0\n"}) +
                            std::string(600, ' ') + "[junk"));
    ASSERT_TRUE(sprite.setCurrentAnimation("a"));
    EXPECT_EQ(dimensionsOf(sprite, 0).yOffset, 0) << "the 512th character is cut off";
    EXPECT_EQ(dimensionsOf(sprite, 1).yOffset, 7) << "the 511th character is kept";
}

TEST_F(SpriteTest, BlankSpaceAndCommentLinesAreSkippedAnywhere) {
    const std::string plain =
        kPreamble + animation("a", "True", {frame("0,0,16,16,1,2", 4, {"1,2,3,4"})});
    for (const std::string filler : {"\n", "    \n", "# note\n", "   # indented note\n"}) {
        SCOPED_TRACE(filler);
        std::string text = filler;
        for (const char character : plain) {
            text += character;
            if (character == '\n') {
                text += filler;
            }
        }
        Sprite padded;
        ASSERT_TRUE(padded.loadFromText(text));
        ASSERT_TRUE(padded.setCurrentAnimation("a"));
        EXPECT_EQ(dimensionsOf(padded, 0), (Dimensions{16, 16, 1, 2}));
        EXPECT_EQ(boundsOf(padded.getBBox(0)), (std::vector<int>{1, 2, 3, 4}));
    }
    const std::string commented = "[a] trailing text\nLOOP: False # no\nNUMBER_OF_FRAMES: 1 # "
                                  "one\nFRAME_COORDS: 0,0,16,16,0,0\nDELAY: 1 # tick\n"
                                  "NUMBER_OF_BOUNDING_BOXES: 0";
    ASSERT_TRUE(sprite.loadFromText(kPreamble + commented + std::string("\0\n[junk", 7)))
        << "the last line needs no line feed and the text ends at a zero byte";
    EXPECT_FALSE(loops(sprite, "a"));
}

TEST_F(SpriteTest, RepeatedNameReplacesTheEarlierAnimation) {
    const std::string twice =
        kPreamble + animation("walk", "True", {frame("0,0,1,1,0,0", 1)}) +
        animation("walk", "False", {frame("0,0,2,2,0,0", 1), frame("0,0,3,3,0,0", 1)});
    ASSERT_TRUE(sprite.loadFromText(twice));
    ASSERT_TRUE(sprite.setCurrentAnimation("walk"));
    EXPECT_EQ(sprite.numberOfFrames(), 2);
    EXPECT_EQ(dimensionsOf(sprite, 0).width, 2);

    Sprite failed;
    EXPECT_FALSE(failed.loadFromText(twice + animation("walk", "True", {}) + "junk\n"));
    EXPECT_FALSE(failed.setCurrentAnimation("walk"));
}

TEST_F(SpriteTest, DrawsTheCurrentFrameAtItsOffsetPlainOrMirroredInPlace) {
    ASSERT_TRUE(
        sprite.loadFromText(kPreamble + animation("quad", "True", {frame("16,0,32,16,-2,3", 1)})));
    clearTo(0, 0, 0);
    sprite.draw(100, 100);
    EXPECT_EQ(pixelAt(98, 103), kBlack) << "nothing is drawn before an animation is chosen";

    ASSERT_TRUE(sprite.setCurrentAnimation("quad"));
    sprite.draw(100, 100);
    expectQuadrantsAt(98, 103, kRed, kGreen, kBlue, kWhite);
    clearTo(0, 0, 0);
    sprite.drawHFlip(100, 100);
    expectQuadrantsAt(98, 103, kGreen, kRed, kWhite, kBlue);
    clearTo(0, 0, 0);
    sprite.drawVFlip(100, 100);
    expectQuadrantsAt(98, 103, kBlue, kWhite, kRed, kGreen);
    // Both flags pass the texture layer's combined flip, which transposes the sheet about its
    // centre; with both corrections the frame lands transposed, sheet minus frame size up-left.
    clearTo(0, 0, 0);
    sprite.drawVHFlip(100, 100);
    expectQuadrantsAt(98 - 16, 103 - 16, kRed, kBlue, kGreen, kWhite);

    clearTo(0, 0, 0);
    sprite.draw(100, 100, 0, 0.5f);
    EXPECT_NEAR(pixelAt(98, 103).r, 128, 2);
}

TEST(SpriteAnimationTest, IndicesOutsideTheFramesAreIgnored) {
    Sprite::Animation animation;
    ASSERT_TRUE(animation.setName("standRight", 6));
    EXPECT_STREQ(animation.getName(), "stand");

    animation.setNumberOfFrames(2);
    animation.setFrameDelay(1, 7);
    animation.setFrameDelay(2, 9);
    EXPECT_EQ(animation.delayForFrame(1), 7);
    EXPECT_EQ(animation.delayForFrame(2), -1);
    EXPECT_FALSE(animation.setNumberOfBBoxes(2, 1));
    ASSERT_TRUE(animation.setNumberOfBBoxes(0, 1));
    animation.setBBoxCoords(0, 1, 9, 9, 9, 9);
    EXPECT_EQ(animation.getBBox(0, 1), nullptr);

    animation.setNumberOfFrames(3);
    EXPECT_EQ(animation.delayForFrame(1), 0) << "new frames replace the old ones";
    EXPECT_EQ(animation.getBBox(0, 0), nullptr);
}

} // namespace
