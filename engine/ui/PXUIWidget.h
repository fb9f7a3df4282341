// The root of the polled widget toolkit: a rectangle in logical screen pixels, the font it asks
// the font cache for, the mouse hit test and the click state machine every widget shares.
#pragma once

#include <cstddef>
#include <string>

class PXFont;

// A colour as red, green, blue and alpha in 0..1.
struct PXUIColor {
    float r;
    float g;
    float b;
    float a;
};

// Font kind and size a widget starts with.
constexpr int PX_UI_DEFAULT_FONT_MODE = 2;
constexpr int PX_UI_DEFAULT_FONT_SIZE = 10;

class _PXUIWidget {
public:
    virtual ~_PXUIWidget() = default;

    // True when the mouse lies inside; the left and top edges are outside, right and bottom inside.
    virtual bool mouseOver() const;
    // Called once per logic step: true on the step a press inside is released inside.
    virtual bool clicked(int button);
    // Makes the next clicked() return true once, whatever the mouse does.
    virtual void click();
    // Draws nothing on the base.
    virtual void draw();

    // Stores the top-left corner.
    void setPos(int x, int y);
    // Stores the size.
    void setBounds(int width, int height);

    int xPos() const { return _x; }
    int yPos() const { return _y; }
    int width() const { return _width; }
    int height() const { return _height; }
    int w() const { return width(); }
    int h() const { return height(); }
    // 0 normal, 1 under the mouse, 2 under the mouse and pressed inside.
    int visualState() const { return _visualState; }

protected:
    // The stored font path, or null when none was given.
    const char* fontPath() const { return _hasFontPath ? _fontPath.c_str() : nullptr; }
    // Keeps a copy of the path (a null path forgets it), the mode and the size.
    void storeFontSpecification(const char* path, int mode, int size);
    void storeFontSize(int size) { _fontSize = size; }
    int fontMode() const { return _fontMode; }
    int fontSize() const { return _fontSize; }
    // Keeps the path and mode at the current size; their font, or null when none is usable.
    PXFont* resolveFont(const char* path, int mode);
    // Keeps the size; the stored path and mode's font at it, or null when none is usable.
    PXFont* resolveFontAtSize(int size);

private:
    void updateVisualState(bool buttonDown);

    int _x = 0;
    int _y = 0;
    int _width = 0;
    int _height = 0;
    bool _pressedInside = false;
    bool _buttonWasDown = false;
    int _visualState = 0;
    bool _clickRequested = false;
    std::string _fontPath;
    bool _hasFontPath = false;
    int _fontMode = PX_UI_DEFAULT_FONT_MODE;
    int _fontSize = PX_UI_DEFAULT_FONT_SIZE;
};

// The font of the global font cache for the path, mode and size; null without a path, cache or
// usable face (one that measures a zero line box or a blank of zero advance), so that widgets
// never divide by a font's metrics.
PXFont* _PXUIFontAt(const char* path, int mode, int size);
// The width the printed text covers: its box or its pen advance, whichever is wider.
float _PXUITextWidth(const PXFont& font, const char* text);
// Fills the rectangle between the corners.
void _PXUIFill(int x1, int y1, int x2, int y2, const PXUIColor& colour);
// Outlines the rectangle between the corners.
void _PXUIOutline(int x1, int y1, int x2, int y2, const PXUIColor& colour);
// The text as a buffer of bufferSize bytes holds it with its terminator: at most bufferSize - 1
// bytes; a null text is empty.
std::string _PXUICut(const char* text, std::size_t bufferSize);
// Prints the text as written (never as a format) with its line box's top left at (x, y).
void _PXUIPrint(PXFont* font, int x, int y, const PXUIColor& colour, const char* text);
