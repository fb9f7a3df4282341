// Power-of-two OpenGL textures loaded from images or raw pixels.
#pragma once

#include <vector>

// Filter given to textures when they are created: 1 nearest-neighbour, anything else linear.
extern int _PXTextureMode;

// Selects the filter for textures created from now on.
void PXSetTextureMode(int mode);

// An OpenGL texture that draws any sub-rectangle of itself, optionally stretched, scaled, rotated,
// mirrored (flip bits: 2 left-right, 4 top-bottom) and faded. It needs a current GL context for
// its whole life.
class PXTexture {
public:
    // An empty texture without a GL texture object.
    PXTexture();
    // Loads the image; throws std::bad_alloc when it cannot be loaded.
    explicit PXTexture(const char* path);
    // Deletes the GL texture object and the pixel cache.
    ~PXTexture();

    PXTexture(const PXTexture&) = delete;
    PXTexture& operator=(const PXTexture&) = delete;

    // Loads a truecolour image with power-of-two sides; false (with the error text) otherwise.
    int loadImage(const char* path);
    // Uploads raw unsigned-byte pixels; the caller keeps them. Always true.
    int loadFromData(int width, int height, int internalFormat, unsigned int format,
                     const char* pixels);

    // Image width in pixels.
    int w() const { return _width; }
    // Image height in pixels.
    int h() const { return _height; }
    // Image width in pixels.
    int width() const { return _width; }
    // Image height in pixels.
    int height() const { return _height; }

    // Makes this the current GL texture.
    void bind() const;

    // The whole image at (x, y).
    void draw(int x, int y, int begin);
    // The whole image with effects.
    void draw(int x, int y, float alpha, float scale, int rotation, int flip, int begin);
    // A sub-rectangle at its own size.
    void draw(int srcX1, int srcY1, int srcX2, int srcY2, int x, int y, int begin);
    // A sub-rectangle at its own size with effects.
    void draw(int srcX1, int srcY1, int srcX2, int srcY2, int x, int y, float alpha, float scale,
              int rotation, int flip, int begin);
    // The general form: a destination size of -1 means the source size. A non-zero begin draws a
    // self-contained quad; 0 only emits the corners (no scale, rotation or flip) into a quad
    // batch the caller has bound and begun.
    void draw(int srcX1, int srcY1, int srcX2, int srcY2, int destWidth, int destHeight, int x,
              int y, float alpha, float scale, int rotation, int flip, int begin);

    // Sets up the model-view transform of a self-contained draw.
    void drawingPosition(int x, int y, float scale, int rotation, int flip);

    // The pixel (x, y) from the top as floats, or -1.0 four times outside the image.
    void getPixel(int x, int y, float& r, float& g, float& b, float& a);
    // The same; a non-zero keepCache keeps the texture's read-back for later calls.
    void getPixel(int x, int y, float& r, float& g, float& b, float& a, int keepCache);

private:
    void releaseTexture();
    void readBackPixels();

    unsigned int _textureName = 0;
    int _width = 0;
    int _height = 0;
    int _pixelFormat = 0;
    std::vector<float> _pixelCache;
};
