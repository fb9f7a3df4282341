#include "engine/Paxtor.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/ScratchDirectory.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Captured pixels are compared without alpha (set to 255): the window and the images may have
// no alpha channel.
using PixelReader = std::function<RGBA(int x, int y)>;

constexpr RGBA kBlack{0, 0, 0, 255};
constexpr RGBA kWhite{255, 255, 255, 255};
constexpr RGBA kRed{255, 0, 0, 255};
constexpr RGBA kGreen{0, 255, 0, 255};
constexpr RGBA kBlue{0, 0, 255, 255};

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

PixelReader pixelsOf(const SDL_Surface& image) {
    return [&image](int x, int y) -> RGBA {
        const int bytes = image.format->BytesPerPixel;
        Uint32 value = 0;
        std::memcpy(&value, static_cast<const Uint8*>(image.pixels) + y * image.pitch + x * bytes,
                    bytes);
        Uint8 r = 0;
        Uint8 g = 0;
        Uint8 b = 0;
        SDL_GetRGB(value, image.format, &r, &g, &b);
        return {r, g, b, 255};
    };
}

PixelReader pixelsOf(PXTexture& texture) {
    return [&texture](int x, int y) -> RGBA {
        float r = 0;
        float g = 0;
        float b = 0;
        float a = 0;
        texture.getPixel(x, y, r, g, b, a, PX_TRUE);
        const auto byte = [](float value) { return static_cast<int>(value * 255 + 0.5f); };
        return {byte(r), byte(g), byte(b), 255};
    };
}

void fill(int x1, int y1, int x2, int y2, const RGBA& colour) {
    PXRectFill(x1, y1, x2, y2, colour.r / 255.0f, colour.g / 255.0f, colour.b / 255.0f, 1.0f);
}

class PXPrimitivesTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        clearTo(0, 0, 0);
    }

    // Every pixel of the area is lit exactly where `lit` says so.
    template <typename Predicate>
    static void expectLitExactly(int x1, int y1, int x2, int y2, Predicate lit) {
        for (int y = y1; y < y2; y++) {
            for (int x = x1; x < x2; x++) {
                EXPECT_EQ(pixelAt(x, y), lit(x, y) ? kWhite : kBlack) << "pixel " << x << "," << y;
            }
        }
    }
};

TEST_F(PXPrimitivesTest, RectanglesCoverTheHalfOpenBoxAndRestoreTexturing) {
    PXRect(10, 10, 20, 15, 1, 1, 1, 1);
    expectLitExactly(5, 5, 25, 20, [](int x, int y) {
        const bool inside = x >= 10 && x <= 19 && y >= 10 && y <= 14;
        return inside && (x == 10 || x == 19 || y == 10 || y == 14);
    });
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));

    PXRectFill(30, 40, 35, 42, 1, 1, 1, 1);
    expectLitExactly(25, 35, 40, 47,
                     [](int x, int y) { return x >= 30 && x <= 34 && y >= 40 && y <= 41; });
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(PXPrimitivesTest, LineLightsOneRowBetweenItsEnds) {
    PXLine(100, 200, 150, 200, 1, 1, 1, 1);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    std::vector<int> litRows;
    for (int y = 195; y < 206; y++) {
        int litInRow = 0;
        for (int x = 90; x < 160; x++) {
            if (pixelAt(x, y) == kWhite) {
                EXPECT_TRUE(x >= 100 && x <= 150) << "pixel " << x << "," << y;
                litInRow++;
            }
        }
        if (litInRow > 0) {
            litRows.push_back(y);
            EXPECT_GE(litInRow, 49) << "row " << y;
        }
    }
    EXPECT_EQ(litRows.size(), 1u);
}

TEST_F(PXPrimitivesTest, CirclesSurroundTheirCentre) {
    PXCircleFill(200, 200, 20, 32, 1, 1, 1, 1);
    EXPECT_EQ(pixelAt(200, 200), kWhite);
    EXPECT_EQ(pixelAt(212, 212), kWhite);
    EXPECT_EQ(pixelAt(200, 223), kBlack);
    EXPECT_EQ(pixelAt(177, 200), kBlack);

    PXCircle(400, 200, 20, 32, 1, 1, 1, 1);
    EXPECT_EQ(pixelAt(400, 200), kBlack) << "an outline leaves the centre dark";
    int ringPixelsOnTheVerticalAxis = 0;
    for (int y = 170; y < 230; y++) {
        ringPixelsOnTheVerticalAxis += pixelAt(400, y) == kWhite;
    }
    EXPECT_GE(ringPixelsOnTheVerticalAxis, 2) << "the ring crosses the axis above and below";
    EXPECT_LE(ringPixelsOnTheVerticalAxis, 4);

    clearTo(0, 0, 0);
    PXCircle(300, 300, 20, 0, 1, 1, 1, 1);
    PXCircleFill(300, 300, 20, -3, 1, 1, 1, 1);
    EXPECT_EQ(pixelAt(300, 300), kBlack) << "no segments draw nothing";
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
}

TEST(PXFlipPixelsTest, ReversesTheRowOrder) {
    std::vector<char> pixels(2 * 3 * 4);
    for (size_t i = 0; i < pixels.size(); i++) {
        pixels[i] = static_cast<char>(i);
    }
    std::vector<char> expected;
    for (int row = 2; row >= 0; row--) {
        expected.insert(expected.end(), pixels.begin() + row * 8, pixels.begin() + row * 8 + 8);
    }
    _PXFlipPixels(pixels.data(), 2, 3);
    EXPECT_EQ(pixels, expected);
}

class PXScreenCaptureTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        // The window's bottom-left 320 x 240 gets a red top-left quarter; the window's own
        // corners get white (top left) and green (bottom right).
        clearTo(0, 0, 255);
        fill(0, 240, 160, 360, kRed);
        fill(0, 0, 10, 10, kWhite);
        fill(630, 470, 640, 480, kGreen);
    }

    // A top-down capture of the whole window.
    static void expectWholeWindow(const PixelReader& pixel) {
        EXPECT_EQ(pixel(0, 0), kWhite);
        EXPECT_EQ(pixel(0, 240), kRed);
        EXPECT_EQ(pixel(320, 100), kBlue);
        EXPECT_EQ(pixel(639, 479), kGreen);
    }

    // A top-down capture of the window's bottom-left 320 x 240.
    static void expectBottomLeftQuarter(const PixelReader& pixel) {
        EXPECT_EQ(pixel(0, 0), kRed);
        EXPECT_EQ(pixel(159, 119), kRed);
        EXPECT_EQ(pixel(160, 0), kBlue);
        EXPECT_EQ(pixel(0, 120), kBlue);
        EXPECT_EQ(pixel(319, 239), kBlue);
    }

    static void expectPadding(const PixelReader& pixel,
                              std::initializer_list<std::pair<int, int>> points) {
        for (const auto& [x, y] : points) {
            EXPECT_EQ(pixel(x, y), kBlack) << "padding pixel " << x << "," << y;
        }
    }

    ScratchDirectory scratch{"capture"};
};

TEST_F(PXScreenCaptureTest, PowerOfTwoBitmapHoldsTheBottomLeftPictureTopLeftAndZeroPadding) {
    const std::string path = scratch.pathOf("preview.bmp");
    ASSERT_TRUE(PXSaveBufferPowerOfTwo(path.c_str(), 320, 240)) << PXError();

    const SurfacePtr image(SDL_LoadBMP(path.c_str()), SDL_FreeSurface);
    ASSERT_TRUE(image) << SDL_GetError();
    EXPECT_EQ(image->w, 512);
    EXPECT_EQ(image->h, 256);
    expectBottomLeftQuarter(pixelsOf(*image));
    // (400, 0) is where the next screen row would land if rows were packed at the screen's pitch.
    expectPadding(pixelsOf(*image), {{320, 0}, {400, 0}, {511, 0}, {0, 240}, {511, 255}});
}

TEST_F(PXScreenCaptureTest, WindowBitmapIsTopDownAndUnwritablePathsReportTheError) {
    GLint packAlignment = 8;
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);
    const std::string path = scratch.pathOf("shot.bmp");
    ASSERT_TRUE(PXSaveBuffer(path.c_str())) << PXError();
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    EXPECT_EQ(packAlignment, 8) << "the pixel-store state is restored";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const SurfacePtr image(SDL_LoadBMP(path.c_str()), SDL_FreeSurface);
    ASSERT_TRUE(image) << SDL_GetError();
    EXPECT_EQ(image->w, 640);
    EXPECT_EQ(image->h, 480);
    expectWholeWindow(pixelsOf(*image));

    const std::string unwritable = scratch.pathOf("missing/shot.bmp");
    EXPECT_FALSE(PXSaveBuffer(unwritable.c_str(), 32, 32));
    EXPECT_EQ(std::string(PXError()).rfind("Unable to save bitmap image (" + unwritable + "): ", 0),
              0u)
        << PXError();
}

TEST_F(PXScreenCaptureTest, TextureFromScreenHoldsTheCaptureTopLeftAndZeroPadding) {
    const std::unique_ptr<PXTexture> window(PXTextureFromScreen(640, 480));
    ASSERT_TRUE(window) << PXError();
    EXPECT_EQ(window->w(), 1024);
    EXPECT_EQ(window->h(), 512);
    expectWholeWindow(pixelsOf(*window));
    expectPadding(pixelsOf(*window), {{640, 0}, {1023, 0}, {0, 480}, {1023, 511}});

    const std::unique_ptr<PXTexture> corner(PXTextureFromScreen(320, 240));
    ASSERT_TRUE(corner) << PXError();
    EXPECT_EQ(corner->w(), 512);
    EXPECT_EQ(corner->h(), 256);
    expectBottomLeftQuarter(pixelsOf(*corner));
    expectPadding(pixelsOf(*corner), {{320, 0}, {0, 240}});
}

} // namespace
