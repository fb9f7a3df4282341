// One entry of a pull-down column: a label that runs a callback when clicked or when its two-key
// shortcut is pressed, or a divider without a label that does nothing.
#pragma once

#include "PXUIMenuBase.h"

// What an item runs: a plain function given the item's argument untouched.
using PXUIMenuCallback = void (*)(void*);

class _PXUIMenuItem : public _PXUIMenuBase {
public:
    // A null name makes a divider; with both keys non-zero the label names the shortcut.
    _PXUIMenuItem(const char* name, PXUIMenuCallback callback, void* argument, int key1, int key2);

    // Items hold nothing to close, size or place.
    void close() override {}
    // Whether the menu the item sits in is open.
    bool isOpen() const override;
    void resize() override {}
    // Fires the callback on a click inside the open menu or on a fresh press of the shortcut.
    void poll() override;
    // A null path leaves the item unchanged.
    void setFont(const char* path, int mode, int size) override;
    // Resolves the stored path and mode again at the new size.
    void setFontSize(int size) override;
    void layout() override {}
    // Side borders, background and the label or the divider line.
    void draw() override;

private:
    // True on the step both shortcut keys are down together for the first time.
    bool shortcutPressed();
    // Closes every menu from the item's own up to the top.
    void closeMenusAbove();

    PXUIMenuCallback _callback;
    void* _argument;
    int _key1;
    int _key2;
    bool _shortcutLatched = false;
};
