// What menus and their items share: the parent link, the label, the font, the colours and the
// pieces every entry of a pull-down column is drawn from.
#pragma once

#include "PXUIWidget.h"

#include <cstddef>
#include <optional>
#include <string>

// Size of the buffer a label would fill; longer labels are cut to one byte less.
constexpr std::size_t PX_UI_LABEL_BUFFER_SIZE = 255;
// Room the open marker takes at the right end of a menu entry, kept clear of the labels.
constexpr int PX_UI_OPEN_MARKER_ROOM = 6;

class _PXUIMenuBase : public _PXUIWidget {
public:
    ~_PXUIMenuBase() override = default;

    // Closes this entry and everything that hangs below it.
    virtual void close() = 0;
    // Whether the column this entry shows (or, for an item, the one it sits in) is open.
    virtual bool isOpen() const = 0;
    // Sizes the entry from its font and labels.
    virtual void resize() = 0;
    // The entry's work for one logic step.
    virtual void poll() = 0;
    // Takes a copy of the font path, the mode and the size, and resolves the font.
    virtual void setFont(const char* path, int mode, int size) = 0;
    // Resolves the font again at another size.
    virtual void setFontSize(int size) = 0;
    // Places whatever hangs below the entry.
    virtual void layout() = 0;

    // Background while neither open nor under the mouse.
    void setBackgroundNormalColor(float r, float g, float b, float a) { _normal = {r, g, b, a}; }
    // Background under the mouse.
    void setBackgroundHoverColor(float r, float g, float b, float a) { _hover = {r, g, b, a}; }
    // Background of an open menu's entry.
    void setBackgroundOpenColor(float r, float g, float b, float a) { _open = {r, g, b, a}; }
    // Borders and the open marker.
    void setBorderColor(float r, float g, float b, float a) { _border = {r, g, b, a}; }
    // Labels and divider lines.
    void setTextColor(float r, float g, float b, float a) { _text = {r, g, b, a}; }

    // The menu this entry hangs in, or null at the top.
    _PXUIMenuBase* getParent() const { return _parent; }
    // Hangs the entry in a menu.
    void setParent(_PXUIMenuBase* parent) { _parent = parent; }
    // The label, or null for a divider.
    const char* name() const { return _name ? _name->c_str() : nullptr; }
    // Width the printed label covers, rounded up to whole pixels; 0 without a font or a label.
    int itemWidth() const;

protected:
    // A null name makes a divider.
    explicit _PXUIMenuBase(const char* name);

    void setName(const std::string& name) {
        _name = _PXUICut(name.c_str(), PX_UI_LABEL_BUFFER_SIZE);
    }
    PXFont* font() const { return _font; }
    int borderWidth() const { return _borderWidth; }
    void setResolvedFont(PXFont* font) { _font = font; }
    const PXUIColor& normalColour() const { return _normal; }
    const PXUIColor& hoverColour() const { return _hover; }
    const PXUIColor& openColour() const { return _open; }

    // Fills the entry between its side borders.
    void drawBackground(const PXUIColor& colour) const;
    // The left and right borders of the entry.
    void drawSideBorders() const;
    // A border along the top of the given entry, in this entry's border colour and width.
    void drawTopBorder(const _PXUIWidget& entry) const;
    // A border along the bottom of the given entry.
    void drawBottomBorder(const _PXUIWidget& entry) const;
    // The label inset by the border; nothing without a font or a label.
    void drawName() const;
    // A one-pixel line across the middle of the entry, in the text colour.
    void drawDividerLine() const;
    // The open marker: a bar just inside the right edge.
    void drawOpenMarker() const;

private:
    _PXUIMenuBase* _parent = nullptr;
    std::optional<std::string> _name;
    PXFont* _font = nullptr;
    int _borderWidth = 1;
    PXUIColor _normal{0.5f, 0.5f, 0.5f, 1.0f};
    PXUIColor _hover{0.8f, 0.8f, 0.8f, 1.0f};
    PXUIColor _open{1.0f, 1.0f, 1.0f, 1.0f};
    PXUIColor _border{0.0f, 0.0f, 0.0f, 1.0f};
    PXUIColor _text{0.0f, 0.0f, 0.0f, 1.0f};
};
