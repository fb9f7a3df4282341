#include "engine/Paxtor.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/ScratchDirectory.h"

#include <GL/gl.h>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

namespace fs = std::filesystem;

TEST(PXInitTest, ProgramDirectoryIsCutAfterTheLastSlash) {
    EXPECT_EQ(_PXProgramDirectory("/opt/corvane/bin/corvane"), "/opt/corvane/bin/");
    EXPECT_EQ(_PXProgramDirectory("build/corvane"), "build/");
    EXPECT_EQ(_PXProgramDirectory("corvane"), "");
    EXPECT_EQ(_PXProgramDirectory("/corvane"), "") << "index 0 is not examined";
    EXPECT_EQ(_PXProgramDirectory(""), "");
    EXPECT_EQ(_PXProgramDirectory(nullptr), "");
    EXPECT_EQ(_PXProgramDirectory("a\\b\\corvane"), "") << "backslashes are not separators here";
}

TEST(PXInitTest, StartChangesToTheProgramDirectoryOnlyWhenThePathHasOne) {
    const fs::path original = fs::current_path();
    const ScratchDirectory scratch("init");
    const fs::path programDirectory = scratch.path();

    ASSERT_TRUE(PXInit((programDirectory.string() + "/corvane").c_str())) << PXError();
    EXPECT_EQ(fs::current_path(), programDirectory);
    EXPECT_EQ(PXExecutablePath, programDirectory.string() + "/");
    PXDeInit();

    for (const char* path : {"corvane", "", static_cast<const char*>(nullptr)}) {
        ASSERT_TRUE(PXInit(path)) << PXError();
        EXPECT_EQ(fs::current_path(), programDirectory);
        PXDeInit();
    }

    fs::current_path(original);
}

TEST(PXInitTest, ErrorTextIsCutAtTheBufferSizeAndAlwaysTerminated) {
    const std::string longText(2000, 'x');
    _PXSetError("%s", longText.c_str());
    EXPECT_EQ(std::string(PXError()), longText.substr(0, PX_ERROR_BUFFER_SIZE - 1));
    _PXSetError("Couldn't set %dx%d video mode: %s", 640, 480, "no display");
    EXPECT_STREQ(PXError(), "Couldn't set 640x480 video mode: no display");
}

TEST(PXInitTest, DeInitIsSafeWithoutInitAndTwice) {
    PXDeInit();
    ASSERT_TRUE(PXInit()) << PXError();
    PXDeInit();
    PXDeInit();
}

TEST(PXInitTest, StartSetsEndiannessAndTheSixtyTickClock) {
    ASSERT_TRUE(PXInit()) << PXError();
    EXPECT_EQ(_PXEndianness, PX_TRUE);
    EXPECT_EQ(_PXLogicTimeRequiredPerLogicCycle, 16u);
    PXDeInit();
}

TEST(PXRandomizeTest, StaysInTheClosedRangeWithoutOverflow) {
    srand(42);
    EXPECT_EQ(PXRandomize(5, 5), 5);
    EXPECT_EQ(PXRandomize(6, 5), 0);
    bool sawMin = false;
    bool sawMax = false;
    for (int i = 0; i < 2000; i++) {
        const int value = PXRandomize(-3, 3);
        ASSERT_GE(value, -3);
        ASSERT_LE(value, 3);
        sawMin |= value == -3;
        sawMax |= value == 3;
    }
    EXPECT_TRUE(sawMin && sawMax) << "both ends are included";
    for (int i = 0; i < 200; i++) {
        const int wide = PXRandomize(INT_MIN, INT_MAX);
        (void)wide;
        const int upper = PXRandomize(INT_MAX - 1, INT_MAX);
        EXPECT_GE(upper, INT_MAX - 1);
        const int lower = PXRandomize(INT_MIN, INT_MIN + 1);
        EXPECT_LE(lower, INT_MIN + 1);
    }
}

TEST(PXRandomizeTest, MatchesTheStandardGeneratorForOrdinaryRanges) {
    srand(7);
    const int first = rand();
    const int second = rand();
    srand(7);
    EXPECT_EQ(PXRandomize(10, 19), 10 + first % 10);
    EXPECT_EQ(PXRandomize(0, 99), second % 100);
}

using PXVideoModeTest = GLTestFixture;

TEST_F(PXVideoModeTest, OpensTheWindowWithATopLeftOriginProjection) {
    EXPECT_EQ(_PXWindowWidth, kWidth);
    EXPECT_EQ(_PXWindowHeight, kHeight);
    EXPECT_EQ(_PXVideoModeDimensions, 0);
    const SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, kWidth);
    EXPECT_EQ(screen->h, kHeight);

    clearTo(0, 0, 0);
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glScalef(2, 2, 0);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(1, 0);
    glVertex2i(1, 1);
    glVertex2i(0, 1);
    glEnd();
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);

    const RGBA white{255, 255, 255, 255};
    EXPECT_EQ(pixelAt(0, 0), white);
    EXPECT_EQ(pixelAt(1, 1), white);
    EXPECT_NE(pixelAt(2, 0), white);
    EXPECT_NE(pixelAt(0, 2), white);
    PXSwapBuffers();
}

TEST(PXVideoModeFailureTest, AnImpossibleModeReportsItsSize) {
    ASSERT_TRUE(PXInit()) << PXError();
    EXPECT_FALSE(PXVideoMode2D(-5, -5, 0));
    EXPECT_EQ(std::string(PXError()).rfind("Couldn't set -5x-5 video mode: ", 0), 0u) << PXError();
    PXDeInit();
}

} // namespace
