#include "engine/Paxtor.h"
#include "tests/support/GLTestFixture.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <new>
#include <string>

namespace {

constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kMissingFontPath = "/nonexistent/corvane/Missing.ttf";
constexpr int kBothModes[] = {PX_FONT_MODE_POLYGON, PX_FONT_MODE_TEXTURE};

// Where red text on black left colour in an area, and whether only red.
struct Ink {
    int pixels = 0;
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
    int brightest = 0;
    bool onlyRed = true;
};

class PXFontTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        clearTo(0, 0, 0);
    }

    // Scans [x1, x2) x [y1, y2).
    static Ink inkIn(int x1, int y1, int x2, int y2) {
        Ink ink;
        for (int y = y1; y < y2; y++) {
            for (int x = x1; x < x2; x++) {
                const RGBA pixel = pixelAt(x, y);
                if (pixel.r + pixel.g + pixel.b > 0) {
                    ink = {ink.pixels + 1,
                           std::min(ink.left, x),
                           std::min(ink.top, y),
                           std::max(ink.right, x),
                           std::max(ink.bottom, y),
                           std::max(ink.brightest, pixel.r),
                           ink.onlyRed && pixel.g == 0 && pixel.b == 0};
                }
            }
        }
        return ink;
    }

    static void expectZeroMetricsAndNoDrawing(PXFont& font) {
        float width = -1;
        float height = -1;
        font.stringBounds("Hg", width, height);
        EXPECT_EQ(width + height, 0);
        EXPECT_EQ(font.ascender(), 0);
        EXPECT_EQ(font.descender(), 0);
        EXPECT_EQ(font.lineHeight(), 0);
        EXPECT_EQ(font.advance("Hg"), 0);
        EXPECT_EQ(font.fullHeight(), 0);
        font.print(100, 60, 1, 0, 0, 1, "%s", "Hg");
        EXPECT_EQ(inkIn(80, 40, 200, 120).pixels, 0);
    }
};

TEST_F(PXFontTest, CacheSharesOneFontPerExactPathModeAndSize) {
    _PXFontCache& cache = *_PXGlobalFontCache;
    const std::string samePathElsewhere(kFontPath);
    PXFont* font = cache.fontAtPath(kFontPath, PX_FONT_MODE_TEXTURE, 10);
    ASSERT_NE(font, nullptr) << PXError();
    EXPECT_EQ(cache.fontAtPath(samePathElsewhere.c_str(), PX_FONT_MODE_TEXTURE, 10), font);
    PXFont* larger = cache.fontAtPath(kFontPath, PX_FONT_MODE_TEXTURE, 12);
    PXFont* polygon = cache.fontAtPath(kFontPath, PX_FONT_MODE_POLYGON, 10);
    EXPECT_TRUE(larger != font && polygon != font && polygon != larger);
    EXPECT_EQ(larger->getSize(), 12);
    EXPECT_EQ(polygon->getMode(), PX_FONT_MODE_POLYGON);
    for (const int oddMode : {0, 3}) {
        PXFont* odd = cache.fontAtPath(kFontPath, oddMode, 10);
        EXPECT_EQ(odd->getMode(), PX_FONT_MODE_TEXTURE) << "mode " << oddMode;
        EXPECT_NE(odd, font) << "the cache keeps the mode it was asked for";
        EXPECT_EQ(cache.fontAtPath(kFontPath, oddMode, 10), odd);
    }
    EXPECT_EQ(PXGUIFontCacheSize(), 5);

    PXClearGUIFontCache();
    EXPECT_EQ(PXGUIFontCacheSize(), 0);
    cache.fontAtPath(kFontPath, PX_FONT_MODE_TEXTURE, 10);
    PXDeInit();
    EXPECT_EQ(_PXGlobalFontCache, nullptr);
    EXPECT_EQ(PXGUIFontCacheSize(), 0);
    ASSERT_TRUE(PXInit()) << PXError();
    EXPECT_EQ(PXGUIFontCacheSize(), 0) << "a restarted engine starts with an empty cache";
}

TEST_F(PXFontTest, BothKindsPrintInsideTheLineBoxInTheirColourAndRightWayUp) {
    constexpr int x = 100;
    constexpr int y = 60;
    for (const int mode : kBothModes) {
        SCOPED_TRACE(mode == PX_FONT_MODE_POLYGON ? "polygon font" : "texture font");
        PXFont font(kFontPath, mode);
        ASSERT_TRUE(font.setSize(32)) << PXError();
        const int boxRight = x + static_cast<int>(std::ceil(font.advance("Hg")));
        const int boxBottom = y + static_cast<int>(std::ceil(font.fullHeight()));

        clearTo(0, 0, 0);
        font.print(x, y, 1, 0, 0, 1, "%s", "Hg");
        const Ink ink = inkIn(x - 20, y - 20, boxRight + 20, boxBottom + 20);
        ASSERT_GT(ink.pixels, 100);
        EXPECT_TRUE(ink.left >= x && ink.top >= y) << ink.left << "," << ink.top;
        EXPECT_TRUE(ink.right <= boxRight && ink.bottom <= boxBottom)
            << ink.right << "," << ink.bottom;
        EXPECT_GT(ink.bottom, y + font.ascender()) << "the descender reaches below the baseline";
        EXPECT_TRUE(ink.onlyRed && ink.brightest == 255) << ink.brightest;
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        GLint matrixDepth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &matrixDepth);
        EXPECT_EQ(matrixDepth, 1);

        clearTo(0, 0, 0);
        font.print(x, y, 1, 0, 0, 0.5f, "T");
        const Ink letter = inkIn(x, y, boxRight, boxBottom);
        EXPECT_NEAR(letter.brightest, 128, 3) << "alpha blends";
        const int quarter = (letter.bottom - letter.top + 1) / 4;
        const Ink topRows = inkIn(letter.left, letter.top, letter.right + 1, letter.top + quarter);
        const Ink bottomRows =
            inkIn(letter.left, letter.bottom + 1 - quarter, letter.right + 1, letter.bottom + 1);
        EXPECT_GT(topRows.pixels, 2 * bottomRows.pixels) << "the bar of the T is at the top";
    }
}

TEST_F(PXFontTest, MetricsFollowTheFaceSize) {
    PXFont font(kFontPath, PX_FONT_MODE_TEXTURE);
    EXPECT_EQ(font.getSize(), 10);
    const float smallAscender = font.ascender();
    const float smallAdvance = font.advance("Hg");
    ASSERT_TRUE(font.setSize(20)) << PXError();
    EXPECT_NEAR(font.ascender(), 2 * smallAscender, 2);
    EXPECT_NEAR(font.advance("Hg"), 2 * smallAdvance, 2);
    EXPECT_TRUE(font.descender() < 0 && font.lineHeight() > font.ascender());
    EXPECT_FLOAT_EQ(font.fullHeight(), _PXFontFullHeight(font.ascender(), font.descender()));
    float width = 0;
    float height = 0;
    font.stringBounds("T", width, height);
    EXPECT_TRUE(height > 0.5f * font.ascender() && height <= font.ascender()) << height;
    EXPECT_NEAR(width, font.advance("T"), 1);
}

TEST(PXFontFullHeightTest, AddsTheDescenderTruncatedTowardZero) {
    EXPECT_FLOAT_EQ(_PXFontFullHeight(9.6f, -2.7f), 11.6f);
    EXPECT_FLOAT_EQ(_PXFontFullHeight(30, -8), 38);
    EXPECT_FLOAT_EQ(_PXFontFullHeight(9, -0.5f), 9) << "truncation, not flooring";
}

TEST_F(PXFontTest, PrintCutsTextAfter1023Characters) {
    PXFont font(kFontPath, PX_FONT_MODE_TEXTURE);
    ASSERT_TRUE(font.setSize(32)) << PXError();
    // Spaces push the T far right; starting that far left brings it on screen when it is drawn.
    for (const int spaces : {PX_FONT_PRINT_BUFFER_SIZE - 2, PX_FONT_PRINT_BUFFER_SIZE - 1}) {
        const std::string text = std::string(static_cast<size_t>(spaces), ' ') + "T";
        const float spacesWidth = font.advance(text.c_str()) - font.advance("T");
        clearTo(0, 0, 0);
        font.print(100 - static_cast<int>(std::lround(spacesWidth)), 60, 1, 0, 0, 1, "%s",
                   text.c_str());
        const bool drawn = inkIn(80, 50, 140, 110).pixels > 0;
        EXPECT_EQ(drawn, spaces < PX_FONT_PRINT_BUFFER_SIZE - 1) << spaces << " spaces";
    }
}

TEST_F(PXFontTest, UnopenableOrUnsizedFacesMeasureZeroAndDrawNothing) {
    for (const int mode : kBothModes) {
        SCOPED_TRACE(mode == PX_FONT_MODE_POLYGON ? "polygon font" : "texture font");
        PXFont missing(kMissingFontPath, mode);
        EXPECT_FALSE(missing.setSize(12));
        EXPECT_STREQ(PXError(), "Unable to set font face size");
        expectZeroMetricsAndNoDrawing(missing);

        PXFont refused(kFontPath, mode);
        EXPECT_FALSE(refused.setSize(-1));
        EXPECT_EQ(refused.getSize(), 10) << "a refused size is not stored";
        expectZeroMetricsAndNoDrawing(refused);
        EXPECT_TRUE(refused.setSize(12)) << PXError();
        EXPECT_GT(refused.ascender(), 0) << "an accepted size brings the glyphs back";
    }
}

TEST_F(PXFontTest, FontsThatCannotDrawAreNotCached) {
    EXPECT_EQ(_PXGlobalFontCache->fontAtPath(kMissingFontPath, PX_FONT_MODE_TEXTURE, 10), nullptr);
    EXPECT_STREQ(PXError(), "Unable to load font and add it to the global cache.");
    EXPECT_EQ(_PXGlobalFontCache->fontAtPath(kFontPath, PX_FONT_MODE_TEXTURE, -1), nullptr);
    EXPECT_EQ(PXGUIFontCacheSize(), 0);
    EXPECT_THROW(_PXFontCacheItem(kMissingFontPath, PX_FONT_MODE_TEXTURE, 10), std::bad_alloc);
    EXPECT_STREQ(PXError(), "Unable to load font at path:");
}

} // namespace
