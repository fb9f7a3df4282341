#include "PXUIListBox.h"

#include "engine/PXFont.h"
#include "engine/PXMouse.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kMouseLeft = 0;
constexpr int kWheelDown = 3;
constexpr int kWheelUp = 4;
// Rows begin one pixel inside the outline; text two pixels in from the left edge.
constexpr int kRowInset = 1;
constexpr int kTextInset = 2;
// Shortened items end in the ellipsis; very short cuts have no room for it.
constexpr const char* kEllipsis = "...";
constexpr int kShortestCutWithEllipsis = 5;

int roundedUpWidth(const PXFont& font, const std::string& text) {
    float width = 0;
    float height = 0;
    font.stringBounds(text.c_str(), width, height);
    return static_cast<int>(std::ceil(width));
}

} // namespace

void PXUIListBox::addItem(const char* text) {
    _items.emplace_back(text != nullptr ? text : "");
    _displayItems.push_back(_items.back());
    resize();
}

std::optional<std::string> PXUIListBox::itemAtIndex(int index) const {
    if (index < 0 || index >= numberOfItems()) {
        return std::nullopt;
    }
    return _items[index];
}

void PXUIListBox::clearItems() {
    _items.clear();
}

void PXUIListBox::clearDisplayItems() {
    _displayItems.clear();
}

void PXUIListBox::clearAllItems() {
    clearItems();
    clearDisplayItems();
    _startItemIndex = 0;
}

void PXUIListBox::setItems(std::vector<std::string> items) {
    _items = std::move(items);
    _startItemIndex = 0;
    _selectedRow = -1;
    resize();
}

bool PXUIListBox::setFont(const char* path, int mode) {
    storeFontSpecification(path, mode, fontSize());
    _font = _PXUIFontAt(path, mode, fontSize());
    resize();
    return _font != nullptr;
}

bool PXUIListBox::setFontSize(int size) {
    if (_font == nullptr) {
        return false;
    }
    storeFontSize(size);
    _font = _PXUIFontAt(fontPath(), fontMode(), size);
    recreateDisplayItems();
    resize();
    return _font != nullptr;
}

void PXUIListBox::setNumberOfDisplayItems(int count) {
    if ((count < 1 && count != -1) || count == _numberOfDisplayItems) {
        return;
    }
    _numberOfDisplayItems = count;
    _startItemIndex = 0;
    recreateDisplayItems();
    resize();
}

void PXUIListBox::setStartItemIndex(int index) {
    if (_numberOfDisplayItems == -1 || _numberOfDisplayItems > numberOfItems()) {
        return;
    }
    _startItemIndex =
        std::min(std::clamp(index, 0, numberOfItems()), numberOfItems() - _numberOfDisplayItems);
}

// Without items nothing is selected: the index then reads -1 at any scroll position.
void PXUIListBox::selectItemAtIndex(int index) {
    const int selected = _items.empty() ? -1 : std::clamp(index, 0, numberOfItems() - 1);
    _selectedRow = selected - _startItemIndex;
}

int PXUIListBox::selectedItemIndex() {
    if (_font == nullptr) {
        return -1;
    }
    if (mouseOver() && PXMouse(kMouseLeft)) {
        _selectedRow = static_cast<int>((PXMouseY - yPos()) / _font->fullHeight());
    }
    const int index = _startItemIndex + _selectedRow;
    return index >= 0 && index < numberOfItems() ? index : -1;
}

void PXUIListBox::setBorderColor(float r, float g, float b, float a) {
    _borderColor = {r, g, b, a};
}

void PXUIListBox::setTextColor(float r, float g, float b, float a) {
    _textColor = {r, g, b, a};
}

void PXUIListBox::setSelectedBGColor(float r, float g, float b, float a) {
    _selectedBackgroundColor = {r, g, b, a};
}

void PXUIListBox::setSelectedTextColor(float r, float g, float b, float a) {
    _selectedTextColor = {r, g, b, a};
}

void PXUIListBox::setRowColors(float evenR, float evenG, float evenB, float evenA, float oddR,
                               float oddG, float oddB, float oddA) {
    _evenRowColor = {evenR, evenG, evenB, evenA};
    _oddRowColor = {oddR, oddG, oddB, oddA};
}

void PXUIListBox::resize() {
    if (_font == nullptr) {
        return;
    }
    const int contentWidth = _fixedWidth ? width() : widestItemWidth();
    int rows = numberOfItems();
    if (_numberOfDisplayItems != -1) {
        rows = std::min(rows, _numberOfDisplayItems);
    }
    _PXUIWidget::setBounds(contentWidth, static_cast<int>(_font->fullHeight() * rows) + 2);
    setDisplayStrings();
}

int PXUIListBox::widestItemWidth() const {
    int widest = -1;
    for (const std::string& item : _items) {
        float itemWidth = 0;
        float itemHeight = 0;
        _font->stringBounds(item.c_str(), itemWidth, itemHeight);
        widest = std::max(widest, static_cast<int>(itemWidth));
    }
    return widest;
}

void PXUIListBox::setBounds(int width, int height) {
    height = std::max(height, this->height());
    if (height > 0 && _font != nullptr) {
        _numberOfDisplayItems = static_cast<int>(height / _font->fullHeight());
        height = static_cast<int>(_font->fullHeight() * _numberOfDisplayItems) + 2;
    }
    _PXUIWidget::setBounds(width, height);
    _fixedWidth = true;
    setDisplayStrings();
}

void PXUIListBox::recreateDisplayItems() {
    _displayItems = _items;
}

// A box sized to its items is as wide as the widest, so only a given width cuts items.
void PXUIListBox::setDisplayStrings() {
    recreateDisplayItems();
    if (_font == nullptr || !_fixedWidth) {
        return;
    }
    for (std::string& shown : _displayItems) {
        shown = shortened(shown);
    }
}

std::string PXUIListBox::shortened(const std::string& item) const {
    for (std::size_t length = 0; length <= item.size(); length++) {
        if (roundedUpWidth(*_font, item.substr(0, length)) < width()) {
            continue;
        }
        if (length >= kShortestCutWithEllipsis) {
            return item.substr(0, length - 3) + kEllipsis;
        }
        return item.substr(0, length == 0 ? 0 : length - 1);
    }
    return item;
}

void PXUIListBox::poll() {
    if (!mouseOver()) {
        return;
    }
    if (PXMouse(kWheelDown)) {
        scrollBy(1);
    }
    if (PXMouse(kWheelUp)) {
        scrollBy(-1);
    }
}

// The selected row moves against the scroll so the same item stays selected.
void PXUIListBox::scrollBy(int delta) {
    const int before = _startItemIndex;
    setStartItemIndex(_startItemIndex + delta);
    _selectedRow -= _startItemIndex - before;
}

int PXUIListBox::rowHeight() const {
    return static_cast<int>(_font->fullHeight());
}

int PXUIListBox::shownRowCount() const {
    const int available = static_cast<int>(_displayItems.size()) - _startItemIndex;
    if (_numberOfDisplayItems == -1) {
        return available;
    }
    return std::min(available, _numberOfDisplayItems);
}

void PXUIListBox::draw() {
    const int x = xPos();
    const int y = yPos();
    _PXUIOutline(x, y, x + width(), y + height(), _borderColor);
    if (_font == nullptr) {
        return;
    }
    const int selected = selectedItemIndex();
    for (int row = 0; row < shownRowCount(); row++) {
        const int index = _startItemIndex + row;
        const int rowTop = y + rowHeight() * row + kRowInset;
        const bool isSelected = index == selected;
        const PXUIColor& background = isSelected       ? _selectedBackgroundColor
                                      : index % 2 == 0 ? _evenRowColor
                                                       : _oddRowColor;
        _PXUIFill(x + kRowInset, rowTop, x + width() - kRowInset, rowTop + rowHeight(), background);
        _PXUIPrint(_font, x + kTextInset, rowTop, isSelected ? _selectedTextColor : _textColor,
                   _displayItems[index].c_str());
    }
}
