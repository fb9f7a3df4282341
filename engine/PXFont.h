// TrueType text through FTGL: one face at one point size, printed in the y-down 2D projection.
#pragma once

#include <map>
#include <memory>
#include <string>

class FTFont;

// Font kinds: glyphs tessellated into polygons, or rasterised into textures.
constexpr int PX_FONT_MODE_POLYGON = 1;
constexpr int PX_FONT_MODE_TEXTURE = 2;

// Longest text print draws, terminator included; longer output is cut.
constexpr int PX_FONT_PRINT_BUFFER_SIZE = 1024;

// Height of a line box: the ascender plus the size of the descender truncated toward zero.
float _PXFontFullHeight(float ascender, float descender);

// One face at one size. A face that cannot be opened, or whose last size was refused, has zero
// metrics and draws nothing. It needs the OpenGL context for its whole life.
class PXFont {
public:
    // Not usable: throws std::bad_alloc.
    PXFont();
    // Opens the face as a polygon font (mode 1) or a texture font (any other mode) at size 10.
    PXFont(const char* path, int mode);
    // Releases the face and its glyphs.
    ~PXFont();

    PXFont(const PXFont&) = delete;
    PXFont& operator=(const PXFont&) = delete;

    // Sets the face size in points at 72 dpi; false with the error text when the face refuses.
    int setSize(int size);
    // The last size set successfully.
    int getSize() const { return _size; }
    // PX_FONT_MODE_POLYGON or PX_FONT_MODE_TEXTURE.
    int getMode() const { return _mode; }

    // Width and height of the text's bounding box.
    void stringBounds(const char* text, float& width, float& height) const;
    // Distance between baselines at the current size.
    float lineHeight() const;
    // Height above the baseline at the current size.
    float ascender() const;
    // Depth below the baseline at the current size; negative.
    float descender() const;
    // How far the pen moves over the text.
    float advance(const char* text) const;
    // Height of the line box print fills.
    float fullHeight() const;

    // Formats and draws the text in the colour with (x, y) at the top left of its line box.
    void print(int x, int y, float r, float g, float b, float a, const char* format, ...)
        __attribute__((format(printf, 8, 9)));

private:
    bool faceUsable() const;

    std::string _path;
    // One face per size set so far: FTGL drops and rebuilds every glyph of a face whose size
    // changes, so a font used at several sizes would build its glyphs again at every switch.
    std::map<int, std::unique_ptr<FTFont>> _faces;
    // The face at the last size set; null when that size was refused or the file cannot be opened.
    FTFont* _face = nullptr;
    int _size = 0;
    int _mode = PX_FONT_MODE_TEXTURE;
};
