#include "PXUIButton.h"

#include "engine/PXFont.h"

#include <algorithm>
#include <cmath>

namespace {

// The requested size when it exceeds the text's, else room for the text and a margin.
int fitted(int requested, float textSize) {
    const float size = requested > textSize ? static_cast<float>(requested) : textSize + 6;
    return static_cast<int>(std::ceil(size));
}

// Centres the label across the button, so it keeps clear of the outline.
int labelInset(int buttonWidth, float textWidth) {
    return std::max(0, static_cast<int>((buttonWidth - textWidth) / 2));
}

} // namespace

bool PXUIButton::setFont(const char* path, int mode) {
    _font = resolveFont(path, mode);
    measureText();
    return _font != nullptr;
}

bool PXUIButton::setFontSize(int size) {
    if (_font == nullptr) {
        return false;
    }
    _font = resolveFontAtSize(size);
    measureText();
    return _font != nullptr;
}

bool PXUIButton::setText(const char* text) {
    if (text == nullptr || _font == nullptr) {
        return false;
    }
    _text = text;
    measureText();
    setBounds(width(), height());
    return true;
}

void PXUIButton::setBounds(int width, int height) {
    if (_font == nullptr || !_text) {
        _PXUIWidget::setBounds(width, height);
        return;
    }
    _PXUIWidget::setBounds(fitted(width, _textWidth), fitted(height, _textHeight));
}

void PXUIButton::measureText() {
    if (_font != nullptr && _text) {
        _font->stringBounds(_text->c_str(), _textWidth, _textHeight);
        _textWidth = _PXUITextWidth(*_font, _text->c_str());
    }
}

void PXUIButton::draw() {
    const int right = xPos() + width();
    const int bottom = yPos() + height();
    _PXUIFill(xPos(), yPos(), right, bottom, visualState() == 2 ? _depressed : _normal);
    _PXUIOutline(xPos(), yPos(), right, bottom, _border);
    if (_font != nullptr && _text) {
        _PXUIPrint(_font, xPos() + labelInset(width(), _textWidth), yPos(), _textColour,
                   _text->c_str());
    }
}
