#include "PXUIWidget.h"

#include "engine/PXFont.h"
#include "engine/PXFontCache.h"
#include "engine/PXMouse.h"
#include "engine/PXPrimitives.h"

#include <algorithm>

bool _PXUIWidget::mouseOver() const {
    return _x < PXMouseX && PXMouseX <= _x + _width && _y < PXMouseY && PXMouseY <= _y + _height;
}

bool _PXUIWidget::clicked(int button) {
    if (_clickRequested) {
        _clickRequested = false;
        return true;
    }
    const bool buttonDown = PXMouse(button) != 0;
    if (buttonDown && !_buttonWasDown) {
        if (mouseOver()) {
            _pressedInside = true;
        }
        _buttonWasDown = true;
    } else if (!buttonDown) {
        _buttonWasDown = false;
        const bool releasedInside = _pressedInside && _visualState == 2 && mouseOver();
        _pressedInside = false;
        if (releasedInside) {
            return true;
        }
    }
    updateVisualState(buttonDown);
    return false;
}

void _PXUIWidget::updateVisualState(bool buttonDown) {
    if (!mouseOver()) {
        _visualState = 0;
    } else {
        _visualState = buttonDown && _pressedInside ? 2 : 1;
    }
}

void _PXUIWidget::click() {
    _clickRequested = true;
}

void _PXUIWidget::draw() {}

void _PXUIWidget::setPos(int x, int y) {
    _x = x;
    _y = y;
}

void _PXUIWidget::setBounds(int width, int height) {
    _width = width;
    _height = height;
}

void _PXUIWidget::storeFontSpecification(const char* path, int mode, int size) {
    _hasFontPath = path != nullptr;
    _fontPath = path != nullptr ? path : "";
    _fontMode = mode;
    _fontSize = size;
}

PXFont* _PXUIWidget::resolveFont(const char* path, int mode) {
    storeFontSpecification(path, mode, _fontSize);
    return _PXUIFontAt(fontPath(), _fontMode, _fontSize);
}

PXFont* _PXUIWidget::resolveFontAtSize(int size) {
    _fontSize = size;
    return _PXUIFontAt(fontPath(), _fontMode, _fontSize);
}

PXFont* _PXUIFontAt(const char* path, int mode, int size) {
    if (path == nullptr || !_PXGlobalFontCache) {
        return nullptr;
    }
    PXFont* font = _PXGlobalFontCache->fontAtPath(path, mode, size);
    if (font == nullptr || font->fullHeight() <= 0 || font->advance(" ") <= 0) {
        return nullptr;
    }
    return font;
}

float _PXUITextWidth(const PXFont& font, const char* text) {
    float width = 0;
    float height = 0;
    font.stringBounds(text, width, height);
    return std::max(width, font.advance(text));
}

void _PXUIFill(int x1, int y1, int x2, int y2, const PXUIColor& colour) {
    PXRectFill(x1, y1, x2, y2, colour.r, colour.g, colour.b, colour.a);
}

void _PXUIOutline(int x1, int y1, int x2, int y2, const PXUIColor& colour) {
    PXRect(x1, y1, x2, y2, colour.r, colour.g, colour.b, colour.a);
}

std::string _PXUICut(const char* text, std::size_t bufferSize) {
    if (text == nullptr || bufferSize == 0) {
        return {};
    }
    std::string cut(text);
    if (cut.size() >= bufferSize) {
        cut.resize(bufferSize - 1);
    }
    return cut;
}

void _PXUIPrint(PXFont* font, int x, int y, const PXUIColor& colour, const char* text) {
    font->print(x, y, colour.r, colour.g, colour.b, colour.a, "%s", text);
}
