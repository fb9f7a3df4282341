#include "PXUIMenuItem.h"

#include "engine/PXKeyboard.h"

#include <string>

_PXUIMenuItem::_PXUIMenuItem(const char* name, PXUIMenuCallback callback, void* argument, int key1,
                             int key2)
    : _PXUIMenuBase(name), _callback(callback), _argument(argument), _key1(key1), _key2(key2) {
    if (name != nullptr && key1 != 0 && key2 != 0) {
        setName(std::string(this->name()) + " (" + PXKeyToString(key1) + " - " +
                PXKeyToString(key2) + ")");
    }
}

bool _PXUIMenuItem::isOpen() const {
    return getParent() != nullptr && getParent()->isOpen();
}

void _PXUIMenuItem::poll() {
    const bool clickedInOpenMenu = clicked(0) && isOpen();
    const bool shortcutFired = shortcutPressed();
    // A divider never fires, even when it was given a callback.
    if (_callback == nullptr || name() == nullptr) {
        return;
    }
    if (clickedInOpenMenu || shortcutFired) {
        closeMenusAbove();
        _callback(_argument);
    }
}

bool _PXUIMenuItem::shortcutPressed() {
    const bool bothDown = PXKey(_key1) && PXKey(_key2);
    const bool fresh = bothDown && !_shortcutLatched;
    _shortcutLatched = bothDown;
    return fresh;
}

void _PXUIMenuItem::closeMenusAbove() {
    for (_PXUIMenuBase* menu = getParent(); menu != nullptr; menu = menu->getParent()) {
        menu->close();
    }
}

void _PXUIMenuItem::setFont(const char* path, int mode, int size) {
    if (path == nullptr) {
        return;
    }
    storeFontSpecification(path, mode, size);
    setResolvedFont(_PXUIFontAt(path, mode, size));
}

void _PXUIMenuItem::setFontSize(int size) {
    setResolvedFont(resolveFontAtSize(size));
}

void _PXUIMenuItem::draw() {
    drawSideBorders();
    const bool highlighted = mouseOver() && name() != nullptr;
    drawBackground(highlighted ? hoverColour() : normalColour());
    if (name() != nullptr) {
        drawName();
    } else {
        drawDividerLine();
    }
}
