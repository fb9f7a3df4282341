// Untextured lines, rectangles and circles, and capture of the frame buffer to a bitmap file or a
// texture.
#pragma once

class PXTexture;

// One line segment between two points.
void PXLine(int x1, int y1, int x2, int y2, float r, float g, float b, float a);
// A one-pixel outline covering pixels x1..x2-1 and y1..y2-1.
void PXRect(int x1, int y1, int x2, int y2, float r, float g, float b, float a);
// A filled rectangle with corners (x1, y1) and (x2, y2).
void PXRectFill(int x1, int y1, int x2, int y2, float r, float g, float b, float a);
// A circle outline through `segments` vertices.
void PXCircle(int x, int y, int radius, int segments, float r, float g, float b, float a);
// A filled circle through `segments` vertices.
void PXCircleFill(int x, int y, int radius, int segments, float r, float g, float b, float a);

// Writes the whole window to a BMP file.
int PXSaveBuffer(const char* path);
// Writes the bottom-left width x height of the window to a BMP file.
int PXSaveBuffer(const char* path, int width, int height);
// Writes the whole window into the top-left of a power-of-two BMP, zero-padded.
int PXSaveBufferPowerOfTwo(const char* path);
// Writes the bottom-left width x height into the top-left of a power-of-two BMP, zero-padded.
int PXSaveBufferPowerOfTwo(const char* path, int width, int height);
// A new power-of-two texture (owned by the caller) holding the bottom-left width x height of the
// window in its top-left corner, zero-padded; null on failure.
PXTexture* PXTextureFromScreen(int width, int height);

// Reads width x height RGBA bytes from the window's bottom-left corner, bottom row first.
void _PXReadPixels(char* buffer, int width, int height);
// Reverses the order of the RGBA rows in place.
void _PXFlipPixels(char* buffer, int width, int height);
// Writes the bottom-left width x height of the window to a BMP file, top row first.
int _PXSaveBuffer(const char* path, int width, int height, int powerOfTwo);
