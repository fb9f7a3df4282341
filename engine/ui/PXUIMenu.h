// A titled pull-down: its entry opens and closes a column of items, dividers and nested
// sub-menus, which it owns.
#pragma once

#include "PXUIMenuBase.h"
#include "PXUIMenuItem.h"

#include <memory>
#include <vector>

class PXUIMenu : public _PXUIMenuBase {
public:
    // A closed menu at (0, 0) without a font.
    explicit PXUIMenu(const char* title);

    // Appends an item without a shortcut.
    void addMenuItemWithName(const char* name, PXUIMenuCallback callback, void* argument);
    // Appends an item whose shortcut is the two keys held together.
    void addMenuItemWithName(const char* name, PXUIMenuCallback callback, void* argument, int key1,
                             int key2);
    // Appends a divider line.
    void addDivider();
    // Appends a sub-menu, which takes this menu's font and becomes owned by it.
    void addSubMenu(std::unique_ptr<PXUIMenu> subMenu);
    // Deletes every item and sub-menu.
    void clearMenuItems() { _items.clear(); }

    // Changes the font face and mode at the menu's current size.
    void setFont(const char* path, int mode);
    // The size argument is not used: the menu keeps its size. Throws std::bad_alloc when no font
    // results, leaving the menu as it was.
    void setFont(const char* path, int mode, int size) override;
    // Only with a font: the new size for the menu and every item.
    void setFontSize(int size) override;
    // Sizes the menu and each direct item, without going deeper.
    virtual void setBounds(int width, int height);

    // Clears the open flag of this menu and everything below it.
    void close() override;
    bool isOpen() const override { return _open; }
    // Sizes the column to its widest label; a sub-menu keeps its own entry's size.
    void resize() override;
    // Places the column below the entry, or beside it for a sub-menu, and then each item's own.
    void layout() override;
    // Lays out, toggles on a click on the entry, then polls every item.
    void poll() override;
    // The entry, and the column below it while open.
    void draw() override;

private:
    void addItem(std::unique_ptr<_PXUIMenuBase> item);
    // A sub-menu's entry only acts while the column holding it is shown.
    bool entryShown() const;
    const PXUIColor& entryColour() const;
    void drawColumn() const;

    std::vector<std::unique_ptr<_PXUIMenuBase>> _items;
    bool _open = false;
};
