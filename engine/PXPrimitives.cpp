#include "PXPrimitives.h"

#include "PXInit.h"
#include "PXTexture.h"

#include <GL/gl.h>
#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

namespace {

constexpr int BYTES_PER_PIXEL = 4;
constexpr double FULL_TURN = 6.28;

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

template <typename Shape> void drawUntextured(float r, float g, float b, float a, Shape shape) {
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glColor4f(r, g, b, a);
    glLineWidth(1);
    shape();
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
}

void circle(GLenum mode, int x, int y, int radius, int segments, float r, float g, float b,
            float a) {
    // A non-positive step would never complete the turn.
    if (segments <= 0) {
        return;
    }
    drawUntextured(r, g, b, a, [=] {
        glBegin(mode);
        const double step = FULL_TURN / segments;
        for (double angle = 0; angle < FULL_TURN; angle += step) {
            glVertex2d(x + std::sin(angle) * radius, y + std::cos(angle) * radius);
        }
        glEnd();
    });
}

int powerOfTwoAtLeast(int size) {
    int power = 1;
    while (power < size) {
        power *= 2;
    }
    return power;
}

size_t rowBytes(int width) {
    return static_cast<size_t>(width) * BYTES_PER_PIXEL;
}

std::vector<char> readScreenTopDown(int width, int height) {
    std::vector<char> pixels(rowBytes(width) * height);
    _PXReadPixels(pixels.data(), width, height);
    _PXFlipPixels(pixels.data(), width, height);
    return pixels;
}

// The zero fill keeps uninitialised memory out of files and textures.
std::vector<char> placeTopLeft(const std::vector<char>& pixels, int width, int height,
                               int outerWidth, int outerHeight) {
    std::vector<char> image(rowBytes(outerWidth) * outerHeight);
    for (int row = 0; row < height; row++) {
        std::copy_n(pixels.begin() + row * rowBytes(width), rowBytes(width),
                    image.begin() + row * rowBytes(outerWidth));
    }
    return image;
}

struct ChannelMasks {
    Uint32 red;
    Uint32 green;
    Uint32 blue;
    Uint32 alpha;
};

// Masks of a 32-bit image whose bytes are R, G, B, A in memory.
ChannelMasks rgbaByteOrderMasks() {
    if (_PXEndianness) {
        return {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    }
    return {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF};
}

SurfacePtr rgbaSurfaceOver(std::vector<char>& pixels, int width, int height) {
    const ChannelMasks masks = rgbaByteOrderMasks();
    return SurfacePtr(SDL_CreateRGBSurfaceFrom(pixels.data(), width, height, 32,
                                               static_cast<int>(rowBytes(width)), masks.red,
                                               masks.green, masks.blue, masks.alpha),
                      SDL_FreeSurface);
}

} // namespace

void PXLine(int x1, int y1, int x2, int y2, float r, float g, float b, float a) {
    drawUntextured(r, g, b, a, [=] {
        glBegin(GL_LINES);
        glVertex2i(x1, y1);
        glVertex2i(x2, y2);
        glEnd();
    });
}

void PXRect(int x1, int y1, int x2, int y2, float r, float g, float b, float a) {
    drawUntextured(r, g, b, a, [=] {
        glRecti(x1, y1, x2 - 1, y1 + 1);
        glRecti(x2 - 1, y1, x2, y2);
        glRecti(x2 - 1, y2 - 1, x1, y2);
        glRecti(x1, y2 - 1, x1 + 1, y1);
    });
}

void PXRectFill(int x1, int y1, int x2, int y2, float r, float g, float b, float a) {
    drawUntextured(r, g, b, a, [=] { glRecti(x1, y1, x2, y2); });
}

void PXCircle(int x, int y, int radius, int segments, float r, float g, float b, float a) {
    circle(GL_LINE_LOOP, x, y, radius, segments, r, g, b, a);
}

void PXCircleFill(int x, int y, int radius, int segments, float r, float g, float b, float a) {
    circle(GL_POLYGON, x, y, radius, segments, r, g, b, a);
}

void _PXReadPixels(char* buffer, int width, int height) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, buffer);
    glPopClientAttrib();
}

void _PXFlipPixels(char* buffer, int width, int height) {
    const size_t bytes = rowBytes(width);
    for (int top = 0, bottom = height - 1; top < bottom; top++, bottom--) {
        std::swap_ranges(buffer + top * bytes, buffer + (top + 1) * bytes, buffer + bottom * bytes);
    }
}

int _PXSaveBuffer(const char* path, int width, int height, int powerOfTwo) {
    std::vector<char> pixels = readScreenTopDown(width, height);
    int imageWidth = width;
    int imageHeight = height;
    if (powerOfTwo) {
        imageWidth = powerOfTwoAtLeast(width);
        imageHeight = powerOfTwoAtLeast(height);
        pixels = placeTopLeft(pixels, width, height, imageWidth, imageHeight);
    }
    const SurfacePtr image = rgbaSurfaceOver(pixels, imageWidth, imageHeight);
    if (!image) {
        _PXSetError("Unable to create SDL surface: %s", SDL_GetError());
        return PX_FALSE;
    }
    SDL_RWops* file = SDL_RWFromFile(path, "wb");
    if (file == nullptr || SDL_SaveBMP_RW(image.get(), file, 1) != 0) {
        _PXSetError("Unable to save bitmap image (%s): %s", path, SDL_GetError());
        return PX_FALSE;
    }
    return PX_TRUE;
}

int PXSaveBuffer(const char* path) {
    return _PXSaveBuffer(path, _PXWindowWidth, _PXWindowHeight, PX_FALSE);
}

int PXSaveBuffer(const char* path, int width, int height) {
    return _PXSaveBuffer(path, width, height, PX_FALSE);
}

int PXSaveBufferPowerOfTwo(const char* path) {
    return _PXSaveBuffer(path, _PXWindowWidth, _PXWindowHeight, PX_TRUE);
}

int PXSaveBufferPowerOfTwo(const char* path, int width, int height) {
    return _PXSaveBuffer(path, width, height, PX_TRUE);
}

PXTexture* PXTextureFromScreen(int width, int height) {
    const int textureWidth = powerOfTwoAtLeast(width);
    const int textureHeight = powerOfTwoAtLeast(height);
    const std::vector<char> image =
        placeTopLeft(readScreenTopDown(width, height), width, height, textureWidth, textureHeight);
    std::unique_ptr<PXTexture> texture(new (std::nothrow) PXTexture());
    if (!texture) {
        _PXSetError("Unable to allocate texture to save screen to.");
        return nullptr;
    }
    const int screenBytesPerPixel = SDL_GetVideoSurface()->format->BytesPerPixel;
    if (!texture->loadFromData(textureWidth, textureHeight, screenBytesPerPixel, GL_RGBA,
                               image.data())) {
        return nullptr;
    }
    return texture.release();
}
