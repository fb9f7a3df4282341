#include "PXUIMenuBase.h"

#include "engine/PXFont.h"

#include <cmath>

_PXUIMenuBase::_PXUIMenuBase(const char* name) {
    if (name != nullptr) {
        setName(name);
    }
}

int _PXUIMenuBase::itemWidth() const {
    if (_font == nullptr || !_name) {
        return 0;
    }
    return static_cast<int>(std::ceil(_PXUITextWidth(*_font, _name->c_str())));
}

void _PXUIMenuBase::drawBackground(const PXUIColor& colour) const {
    _PXUIFill(xPos() + _borderWidth, yPos(), xPos() + width() - _borderWidth, yPos() + height(),
              colour);
}

void _PXUIMenuBase::drawSideBorders() const {
    const int bottom = yPos() + height();
    _PXUIFill(xPos(), yPos(), xPos() + _borderWidth, bottom, _border);
    _PXUIFill(xPos() + width() - _borderWidth, yPos(), xPos() + width(), bottom, _border);
}

void _PXUIMenuBase::drawTopBorder(const _PXUIWidget& entry) const {
    const int top = entry.yPos();
    _PXUIFill(entry.xPos(), top, entry.xPos() + entry.width(), top + _borderWidth, _border);
}

void _PXUIMenuBase::drawBottomBorder(const _PXUIWidget& entry) const {
    const int bottom = entry.yPos() + entry.height();
    _PXUIFill(entry.xPos(), bottom - _borderWidth, entry.xPos() + entry.width(), bottom, _border);
}

void _PXUIMenuBase::drawName() const {
    if (_font != nullptr && _name) {
        _PXUIPrint(_font, xPos() + _borderWidth, yPos() + _borderWidth, _text, _name->c_str());
    }
}

void _PXUIMenuBase::drawDividerLine() const {
    const int middle = yPos() + height() / 2;
    _PXUIFill(xPos() + _borderWidth, middle, xPos() + width() - _borderWidth, middle + 1, _text);
}

void _PXUIMenuBase::drawOpenMarker() const {
    const int right = xPos() + width();
    _PXUIFill(right - PX_UI_OPEN_MARKER_ROOM, yPos(), right - 1, yPos() + height(), _border);
}
