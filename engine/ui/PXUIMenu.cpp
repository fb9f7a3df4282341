#include "PXUIMenu.h"

#include "engine/PXFont.h"

#include <algorithm>
#include <new>

PXUIMenu::PXUIMenu(const char* title) : _PXUIMenuBase(title != nullptr ? title : "") {
    close();
    setPos(0, 0);
}

void PXUIMenu::addMenuItemWithName(const char* name, PXUIMenuCallback callback, void* argument) {
    addMenuItemWithName(name, callback, argument, 0, 0);
}

void PXUIMenu::addMenuItemWithName(const char* name, PXUIMenuCallback callback, void* argument,
                                   int key1, int key2) {
    auto item = std::make_unique<_PXUIMenuItem>(name, callback, argument, key1, key2);
    item->setFont(fontPath(), fontMode(), fontSize());
    _PXUIMenuBase& added = *item;
    addItem(std::move(item));
    added.setBounds(width(), height());
}

void PXUIMenu::addDivider() {
    addMenuItemWithName(nullptr, nullptr, nullptr);
}

void PXUIMenu::addSubMenu(std::unique_ptr<PXUIMenu> subMenu) {
    // A menu without a font has none to hand on; the sub-menu keeps its own.
    if (fontPath() != nullptr) {
        subMenu->setFont(fontPath(), fontMode());
        subMenu->setFontSize(fontSize());
    }
    PXUIMenu& added = *subMenu;
    addItem(std::move(subMenu));
    added.resize();
}

void PXUIMenu::addItem(std::unique_ptr<_PXUIMenuBase> item) {
    item->setParent(this);
    _items.push_back(std::move(item));
    resize();
}

void PXUIMenu::setFont(const char* path, int mode) {
    setFont(path, mode, fontSize());
}

void PXUIMenu::setFont(const char* path, int mode, int) {
    PXFont* font = _PXUIFontAt(path, mode, fontSize());
    if (font == nullptr) {
        throw std::bad_alloc();
    }
    storeFontSpecification(path, mode, fontSize());
    setResolvedFont(font);
    for (const auto& item : _items) {
        item->setFont(path, mode, fontSize());
    }
}

void PXUIMenu::setFontSize(int size) {
    if (font() == nullptr) {
        return;
    }
    setResolvedFont(resolveFontAtSize(size));
    for (const auto& item : _items) {
        item->setFontSize(size);
    }
}

void PXUIMenu::setBounds(int width, int height) {
    _PXUIWidget::setBounds(width, height);
    for (const auto& item : _items) {
        item->setBounds(width, height);
    }
}

void PXUIMenu::close() {
    _open = false;
    for (const auto& item : _items) {
        item->close();
    }
}

void PXUIMenu::resize() {
    if (font() == nullptr) {
        setBounds(100, 100);
        return;
    }
    const int entryWidth = width();
    const int entryHeight = height();
    int widest = getParent() == nullptr ? itemWidth() : 0;
    for (const auto& item : _items) {
        widest = std::max(widest, item->itemWidth());
    }
    const int border = 2 * borderWidth();
    setBounds(widest + border + PX_UI_OPEN_MARKER_ROOM,
              static_cast<int>(font()->fullHeight()) + border);
    if (getParent() != nullptr) {
        _PXUIWidget::setBounds(entryWidth, entryHeight);
    }
}

void PXUIMenu::layout() {
    int x = xPos();
    int y = yPos();
    if (getParent() != nullptr) {
        x += width();
        y -= height();
    }
    for (const auto& item : _items) {
        y += height();
        item->setPos(x, y);
        item->layout();
    }
}

void PXUIMenu::poll() {
    layout();
    if (clicked(0) && entryShown()) {
        if (_open) {
            close();
        } else {
            _open = true;
        }
    }
    for (const auto& item : _items) {
        item->poll();
    }
}

bool PXUIMenu::entryShown() const {
    return getParent() == nullptr || getParent()->isOpen();
}

const PXUIColor& PXUIMenu::entryColour() const {
    if (_open) {
        return openColour();
    }
    return mouseOver() ? hoverColour() : normalColour();
}

void PXUIMenu::draw() {
    const bool topLevel = getParent() == nullptr;
    drawBackground(entryColour());
    if (topLevel) {
        drawTopBorder(*this);
    }
    drawSideBorders();
    drawName();
    drawOpenMarker();
    if (!_open && topLevel) {
        drawBottomBorder(*this);
    }
    if (_open) {
        drawColumn();
    }
}

void PXUIMenu::drawColumn() const {
    for (const auto& item : _items) {
        item->draw();
    }
    if (_items.empty()) {
        return;
    }
    if (getParent() != nullptr) {
        drawTopBorder(*_items.front());
    }
    drawBottomBorder(*_items.back());
}
