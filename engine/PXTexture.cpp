#include "PXTexture.h"

#include "PXInit.h"

#include <GL/gl.h>
#include <SDL_image.h>
#include <algorithm>
#include <memory>
#include <new>

int _PXTextureMode = 1;

namespace {

constexpr int FLIP_LEFT_RIGHT = 2;
constexpr int FLIP_TOP_BOTTOM = 4;
constexpr int FLIP_BOTH = FLIP_LEFT_RIGHT | FLIP_TOP_BOTTOM;

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

struct TextureRect {
    float left;
    float top;
    float right;
    float bottom;
};

bool isPowerOfTwo(int value) {
    return value > 0 && (value & (value - 1)) == 0;
}

void emitCorners(int x, int y, int quadWidth, int quadHeight, const TextureRect& source) {
    glTexCoord2f(source.left, source.top);
    glVertex2i(x, y);
    glTexCoord2f(source.right, source.top);
    glVertex2i(x + quadWidth, y);
    glTexCoord2f(source.right, source.bottom);
    glVertex2i(x + quadWidth, y + quadHeight);
    glTexCoord2f(source.left, source.bottom);
    glVertex2i(x, y + quadHeight);
}

// The GL format of a truecolour surface, or 0 for any other depth. Byte order follows whether the
// red mask is where RGB order puts it on this machine.
GLenum pixelFormatOf(const SDL_PixelFormat& format) {
    const Uint32 rgbOrderRedMask = _PXEndianness ? 0x000000FF : 0xFF000000;
    const bool rgbOrder = format.Rmask == rgbOrderRedMask;
    switch (format.BytesPerPixel) {
    case 4:
        return rgbOrder ? GL_RGBA : GL_BGRA;
    case 3:
        return rgbOrder ? GL_RGB : GL_BGR;
    default:
        return 0;
    }
}

} // namespace

void PXSetTextureMode(int mode) {
    _PXTextureMode = mode;
}

PXTexture::PXTexture() = default;

PXTexture::PXTexture(const char* path) {
    if (!loadImage(path)) {
        throw std::bad_alloc();
    }
}

PXTexture::~PXTexture() {
    releaseTexture();
}

void PXTexture::releaseTexture() {
    if (_textureName != 0) {
        glDeleteTextures(1, &_textureName);
        _textureName = 0;
    }
    _pixelCache = std::vector<float>();
}

int PXTexture::loadImage(const char* path) {
    const SurfacePtr image(IMG_Load(path), SDL_FreeSurface);
    if (!image) {
        return PX_FALSE;
    }
    if (!isPowerOfTwo(image->w)) {
        _PXSetError("%s: width is not a power of two", path);
        return PX_FALSE;
    }
    if (!isPowerOfTwo(image->h)) {
        _PXSetError("%s: height is not a power of two", path);
        return PX_FALSE;
    }
    const GLenum format = pixelFormatOf(*image->format);
    if (format == 0) {
        _PXSetError("%s: not a truecolor image", path);
        return PX_FALSE;
    }
    return loadFromData(image->w, image->h, image->format->BytesPerPixel, format,
                        static_cast<const char*>(image->pixels));
}

int PXTexture::loadFromData(int width, int height, int internalFormat, unsigned int format,
                            const char* pixels) {
    releaseTexture();
    const GLint filter = _PXTextureMode == 1 ? GL_NEAREST : GL_LINEAR;
    glGenTextures(1, &_textureName);
    glBindTexture(GL_TEXTURE_2D, _textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                 pixels);
    _pixelFormat = static_cast<int>(format);
    _width = width;
    _height = height;
    return PX_TRUE;
}

void PXTexture::bind() const {
    glBindTexture(GL_TEXTURE_2D, _textureName);
}

void PXTexture::draw(int x, int y, int begin) {
    draw(x, y, 1.0f, 1.0f, 0, 0, begin);
}

void PXTexture::draw(int x, int y, float alpha, float scale, int rotation, int flip, int begin) {
    draw(0, 0, _width, _height, x, y, alpha, scale, rotation, flip, begin);
}

void PXTexture::draw(int srcX1, int srcY1, int srcX2, int srcY2, int x, int y, int begin) {
    draw(srcX1, srcY1, srcX2, srcY2, x, y, 1.0f, 1.0f, 0, 0, begin);
}

void PXTexture::draw(int srcX1, int srcY1, int srcX2, int srcY2, int x, int y, float alpha,
                     float scale, int rotation, int flip, int begin) {
    draw(srcX1, srcY1, srcX2, srcY2, -1, -1, x, y, alpha, scale, rotation, flip, begin);
}

void PXTexture::draw(int srcX1, int srcY1, int srcX2, int srcY2, int destWidth, int destHeight,
                     int x, int y, float alpha, float scale, int rotation, int flip, int begin) {
    srcX1 = std::clamp(srcX1, 0, _width);
    srcY1 = std::clamp(srcY1, 0, _height);
    srcX2 = std::max(std::min(srcX2, _width), srcX1);
    srcY2 = std::max(std::min(srcY2, _height), srcY1);
    int quadWidth = destWidth >= 0 ? destWidth : srcX2 - srcX1;
    int quadHeight = destHeight >= 0 ? destHeight : srcY2 - srcY1;
    const TextureRect source{
        static_cast<float>(srcX1) / _width, static_cast<float>(srcY1) / _height,
        static_cast<float>(srcX2) / _width, static_cast<float>(srcY2) / _height};
    if (_PXVideoModeDimensions == 1) {
        x = -1;
        y = -1;
        quadWidth = 2;
        quadHeight = 2;
    }
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    // Binding and matrix calls are illegal inside the caller's glBegin, so a batched draw makes
    // none.
    if (!begin) {
        emitCorners(x, y, quadWidth, quadHeight, source);
        return;
    }
    bind();
    glPushMatrix();
    drawingPosition(x, y, scale, rotation, flip);
    glBegin(GL_QUADS);
    emitCorners(0, 0, quadWidth, quadHeight, source);
    glEnd();
    glPopMatrix();
}

void PXTexture::drawingPosition(int x, int y, float scale, int rotation, int flip) {
    glTranslatef(x, y, 0);
    glScalef(scale, scale, 0);
    if (flip == 0 && rotation == 0) {
        return;
    }
    // Mirroring and rotation pivot on the whole image's centre, even for a sub-rectangle.
    glTranslatef(_width / 2, _height / 2, 0);
    if ((flip & FLIP_BOTH) == FLIP_BOTH) {
        glRotatef(180, 1, 1, 0);
    } else if (flip & FLIP_LEFT_RIGHT) {
        glRotatef(180, 0, 1, 0);
    } else if (flip & FLIP_TOP_BOTTOM) {
        glRotatef(180, 1, 0, 0);
    }
    if (rotation != 0) {
        glRotatef(rotation, 0, 0, 1);
    }
    glTranslatef(-(_width / 2), -(_height / 2), 0);
}

void PXTexture::getPixel(int x, int y, float& r, float& g, float& b, float& a) {
    getPixel(x, y, r, g, b, a, PX_FALSE);
}

void PXTexture::getPixel(int x, int y, float& r, float& g, float& b, float& a, int keepCache) {
    if (x < 0 || x >= _width || y < 0 || y >= _height) {
        r = g = b = a = -1.0f;
        return;
    }
    const bool createdHere = _pixelCache.empty();
    if (createdHere) {
        readBackPixels();
    }
    const float* pixel = &_pixelCache[(static_cast<size_t>(y) * _width + x) * 4];
    r = pixel[0];
    g = pixel[1];
    b = pixel[2];
    a = pixel[3];
    if (createdHere && !keepCache) {
        _pixelCache = std::vector<float>();
    }
}

void PXTexture::readBackPixels() {
    _pixelCache.resize(static_cast<size_t>(_width) * _height * 4);
    bind();
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, _pixelCache.data());
}
