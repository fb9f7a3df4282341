#include "engine/Paxtor.h"
#include "tests/support/GLTestFixture.h"
#include "tests/support/PngWriter.h"
#include "tests/support/ScratchDirectory.h"

#include <GL/gl.h>
#include <array>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

namespace {

using Floats = std::array<float, 4>;
using TexelAt = std::function<RGBA(int column, int row)>;

constexpr int kGrid = 4;
constexpr int kScale = 8;
constexpr float kScaleFactor = kScale;
constexpr RGBA kBackground{0, 0, 0, 255};

RGBA texel(int column, int row) {
    return {30 + 60 * column, 30 + 60 * row, 200, 255};
}

Floats pixelOf(PXTexture& texture, int x, int y, int keepCache = PX_FALSE) {
    Floats out{};
    texture.getPixel(x, y, out[0], out[1], out[2], out[3], keepCache);
    return out;
}

RGBA bytesOf(const Floats& pixel) {
    const auto byte = [](float value) { return static_cast<int>(std::lround(value * 255)); };
    return {byte(pixel[0]), byte(pixel[1]), byte(pixel[2]), byte(pixel[3])};
}

class PXTextureTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        clearTo(0, 0, 0);
    }

    std::string writtenPng(const std::string& name, const PngImage& image) const {
        const std::string path = scratch.pathOf(name);
        writePng(path, image);
        return path;
    }

    // A 4 x 4 texture whose sixteen texels all differ.
    static void loadTexelGrid(PXTexture& texture) {
        std::vector<char> pixels;
        for (int row = 0; row < kGrid; row++) {
            for (int column = 0; column < kGrid; column++) {
                const RGBA colour = texel(column, row);
                pixels.insert(pixels.end(),
                              {static_cast<char>(colour.r), static_cast<char>(colour.g),
                               static_cast<char>(colour.b), '\xff'});
            }
        }
        texture.loadFromData(kGrid, kGrid, 4, GL_RGBA, pixels.data());
    }

    // Checks the corner pixels of every kScale block of a grid drawn at (x, y).
    static void expectGrid(int x, int y, const TexelAt& expected, const char* what) {
        for (int row = 0; row < kGrid; row++) {
            for (int column = 0; column < kGrid; column++) {
                const int left = x + column * kScale;
                const int top = y + row * kScale;
                for (const auto& [px, py] : {std::pair{left, top},
                                             {left + kScale - 1, top},
                                             {left, top + kScale - 1},
                                             {left + kScale - 1, top + kScale - 1}}) {
                    EXPECT_EQ(pixelAt(px, py), expected(column, row))
                        << what << ": block " << column << "," << row << " pixel " << px << ","
                        << py;
                }
            }
        }
    }

    ScratchDirectory scratch{"texture"};
};

TEST_F(PXTextureTest, LoadingRejectsMissingOddSizedAndPaletteImages) {
    const std::string wide = writtenPng("wide.png", solidPng(100, 64, PngColorType::RGBA));
    const std::string tall = writtenPng("tall.png", solidPng(64, 100, PngColorType::RGBA));
    const std::string palette = writtenPng("palette.png", solidPng(4, 4, PngColorType::Palette));
    const std::string missing = scratch.pathOf("missing.png");
    PXTexture texture;

    EXPECT_FALSE(texture.loadImage(wide.c_str()));
    EXPECT_EQ(std::string(PXError()), wide + ": width is not a power of two");
    EXPECT_FALSE(texture.loadImage(tall.c_str()));
    EXPECT_EQ(std::string(PXError()), tall + ": height is not a power of two");
    EXPECT_FALSE(texture.loadImage(palette.c_str()));
    EXPECT_EQ(std::string(PXError()), palette + ": not a truecolor image");

    _PXSetError("untouched");
    EXPECT_FALSE(texture.loadImage(missing.c_str()));
    EXPECT_STREQ(PXError(), "untouched") << "a file the loader cannot read sets no text";

    EXPECT_THROW(PXTexture fromMissing(missing.c_str()), std::bad_alloc);
    EXPECT_THROW(PXTexture fromPalette(palette.c_str()), std::bad_alloc);
}

TEST_F(PXTextureTest, LoadedImagesKeepTheirChannelOrderAndRowsFromTheTop) {
    PngImage rgba{2, 4, PngColorType::RGBA, {}, {}};
    for (int i = 0; i < 8; i++) {
        rgba.pixels.insert(rgba.pixels.end(), {static_cast<unsigned char>(10 * i), 100, 200,
                                               static_cast<unsigned char>(255 - i)});
    }
    PXTexture fromRgba(writtenPng("rgba.png", rgba).c_str());
    EXPECT_EQ(fromRgba.w(), 2);
    EXPECT_EQ(fromRgba.width(), 2);
    EXPECT_EQ(fromRgba.h(), 4);
    EXPECT_EQ(fromRgba.height(), 4);
    EXPECT_EQ(bytesOf(pixelOf(fromRgba, 1, 2)), (RGBA{50, 100, 200, 250}));
    EXPECT_EQ(bytesOf(pixelOf(fromRgba, 0, 3)), (RGBA{60, 100, 200, 249}));

    PXTexture fromRgb(writtenPng("rgb.png", solidPng(8, 2, PngColorType::RGB, 10, 20, 30)).c_str());
    EXPECT_EQ(fromRgb.w(), 8);
    EXPECT_EQ(fromRgb.h(), 2);
    EXPECT_EQ(bytesOf(pixelOf(fromRgb, 7, 1)), (RGBA{10, 20, 30, 255}));
}

TEST_F(PXTextureTest, SelfContainedDrawScalesRotatesAndMirrorsAboutTheImageCentre) {
    PXTexture texture;
    loadTexelGrid(texture);
    const struct {
        int rotation;
        int flip;
        TexelAt expected;
        const char* what;
    } cases[] = {
        {0, 0, texel, "plain"},
        {0, 2, [](int c, int r) { return texel(kGrid - 1 - c, r); }, "left-right"},
        {0, 4, [](int c, int r) { return texel(c, kGrid - 1 - r); }, "top-bottom"},
        {0, 6, [](int c, int r) { return texel(r, c); }, "transposed"},
        {90, 0, [](int c, int r) { return texel(r, kGrid - 1 - c); }, "quarter turn"},
    };
    for (const auto& drawing : cases) {
        clearTo(0, 0, 0);
        texture.draw(100, 100, 1.0f, kScaleFactor, drawing.rotation, drawing.flip, PX_TRUE);
        expectGrid(100, 100, drawing.expected, drawing.what);
        const int end = 100 + kGrid * kScale;
        EXPECT_EQ(pixelAt(99, 100), kBackground) << drawing.what;
        EXPECT_EQ(pixelAt(end, 100), kBackground) << drawing.what;
        EXPECT_EQ(pixelAt(100, end), kBackground) << drawing.what;
    }
}

TEST_F(PXTextureTest, DrawClampsTheSourceAndHonoursTheDestinationSize) {
    PXTexture texture;
    loadTexelGrid(texture);

    texture.draw(2, 0, 100, kGrid, 100, 100, 1.0f, kScale, 0, 0, PX_TRUE);
    EXPECT_EQ(pixelAt(100, 100), texel(2, 0));
    EXPECT_EQ(pixelAt(115, 131), texel(3, 3));
    EXPECT_EQ(pixelAt(116, 100), kBackground) << "srcX2 beyond the width clamps to it";

    texture.draw(-5, -5, 1, 1, 200, 100, 1.0f, kScale, 0, 0, PX_TRUE);
    EXPECT_EQ(pixelAt(200, 100), texel(0, 0));
    EXPECT_EQ(pixelAt(208, 100), kBackground) << "negative starts clamp to 0";

    texture.draw(3, 0, 1, kGrid, 300, 100, 1.0f, kScale, 0, 0, PX_TRUE);
    for (const int x : {300, 301, 308, 316}) {
        EXPECT_EQ(pixelAt(x, 100), kBackground) << "srcX2 below srcX1 draws nothing";
    }

    texture.draw(1, 1, 3, 3, -1, -1, 400, 100, 1.0f, 1.0f, 0, 0, PX_TRUE);
    EXPECT_EQ(pixelAt(400, 100), texel(1, 1));
    EXPECT_EQ(pixelAt(401, 101), texel(2, 2));
    EXPECT_EQ(pixelAt(402, 100), kBackground) << "size -1 is the source size";
    EXPECT_EQ(pixelAt(400, 102), kBackground) << "size -1 is the source size";

    texture.draw(0, 0, 2, 2, 8, 8, 500, 100, 1.0f, 1.0f, 0, 0, PX_TRUE);
    EXPECT_EQ(pixelAt(503, 103), texel(0, 0));
    EXPECT_EQ(pixelAt(504, 107), texel(1, 1));
    EXPECT_EQ(pixelAt(508, 100), kBackground) << "an explicit size stretches";

    texture.draw(0, 0, kGrid, kGrid, 0, 0, 600, 100, 1.0f, kScale, 0, 0, PX_TRUE);
    EXPECT_EQ(pixelAt(600, 100), kBackground) << "size 0 draws nothing";

    texture.draw(0, 0, 2, kGrid, 100, 300, 1.0f, kScale, 0, 2, PX_TRUE);
    EXPECT_EQ(pixelAt(100, 300), kBackground) << "a mirrored sub-rectangle pivots on the image";
    EXPECT_EQ(pixelAt(116, 300), texel(1, 0));
    EXPECT_EQ(pixelAt(131, 331), texel(0, 3));
}

TEST_F(PXTextureTest, BatchedDrawOnlyEmitsUnscaledCornersIntoTheCallersQuads) {
    PXTexture texture;
    loadTexelGrid(texture);
    while (glGetError() != GL_NO_ERROR) {
    }

    texture.bind();
    glBegin(GL_QUADS);
    texture.draw(100, 100, 1.0f, kScaleFactor, 90, 6, PX_FALSE);
    texture.draw(1, 1, 3, 3, 200, 100, PX_FALSE);
    glEnd();

    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(pixelAt(100, 100), texel(0, 0));
    EXPECT_EQ(pixelAt(103, 100), texel(3, 0)) << "rotation and flip are ignored";
    EXPECT_EQ(pixelAt(103, 103), texel(3, 3));
    EXPECT_EQ(pixelAt(104, 100), kBackground) << "scale is ignored";
    EXPECT_EQ(pixelAt(200, 100), texel(1, 1));
    EXPECT_EQ(pixelAt(201, 101), texel(2, 2));
    EXPECT_EQ(pixelAt(202, 101), kBackground);
}

TEST_F(PXTextureTest, AlphaBlendsTheTextureOverTheBackground) {
    PXTexture texture;
    const std::vector<char> white(kGrid * kGrid * 4, '\xff');
    texture.loadFromData(kGrid, kGrid, 4, GL_RGBA, white.data());
    clearTo(0, 0, 200);

    texture.draw(100, 100, 0.5f, 1.0f, 0, 0, PX_TRUE);

    const RGBA blended = pixelAt(101, 101);
    EXPECT_NEAR(blended.r, 128, 1);
    EXPECT_NEAR(blended.b, 228, 1);
}

TEST_F(PXTextureTest, GetPixelReadsTheTextureAndKeepsItsCacheOnlyWhenAsked) {
    PXTexture texture;
    const std::vector<char> white(kGrid * kGrid * 4, '\xff');
    texture.loadFromData(kGrid, kGrid, 4, GL_RGBA, white.data());
    const Floats outside{-1.0f, -1.0f, -1.0f, -1.0f};
    const Floats opaqueWhite{1.0f, 1.0f, 1.0f, 1.0f};
    const Floats black{0.0f, 0.0f, 0.0f, 1.0f};
    const auto paintTopLeft = [&](unsigned char value) {
        const unsigned char pixel[4] = {value, value, value, 255};
        texture.bind();
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    };

    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {kGrid, 0}, {0, kGrid}}) {
        EXPECT_EQ(pixelOf(texture, x, y), outside) << x << "," << y;
    }
    EXPECT_EQ(pixelOf(texture, 0, 0), opaqueWhite);

    paintTopLeft(0);
    EXPECT_EQ(pixelOf(texture, 0, 0), black) << "without keepCache every call reads afresh";
    EXPECT_EQ(pixelOf(texture, 0, 0, PX_TRUE), black);
    paintTopLeft(255);
    EXPECT_EQ(pixelOf(texture, 0, 0), black) << "a kept cache stays for later calls";
    EXPECT_EQ(pixelOf(texture, 1, 0), opaqueWhite);

    texture.loadFromData(kGrid, kGrid, 4, GL_RGBA, white.data());
    EXPECT_EQ(pixelOf(texture, 0, 0), opaqueWhite) << "new pixels replace the cache";
}

} // namespace
