// A scrollable list of strings with one selection, shown a fixed number of rows at a time.
#pragma once

#include "PXUIWidget.h"

#include <optional>
#include <string>
#include <vector>

class PXUIListBox : public _PXUIWidget {
public:
    // Fixes the width from now on; the height, never lowered, becomes whole rows and sets how many
    // rows are shown.
    virtual void setBounds(int width, int height);
    // Draws the outline and the shown rows, the selected one highlighted.
    void draw() override;

    // Appends a copy of the text as the last item.
    void addItem(const char* text);
    // How many items the list holds.
    int numberOfItems() const { return static_cast<int>(_items.size()); }
    // A copy of the item, or none outside 0..numberOfItems()-1.
    std::optional<std::string> itemAtIndex(int index) const;
    // The rows as shown: the items, possibly shortened to the width.
    const std::vector<std::string>& displayItems() const { return _displayItems; }
    // Forgets the items; the rows shown stay until the display strings are rebuilt.
    void clearItems();
    // Forgets the rows shown.
    void clearDisplayItems();
    // Forgets items and rows and scrolls back to the top.
    void clearAllItems();
    // Replaces every item at once, scrolled to the top with nothing selected, and lays out once.
    void setItems(std::vector<std::string> items);

    // Asks the font cache for the font; false when none is usable.
    bool setFont(const char* path, int mode);
    // Re-resolves the font at the size; false without a usable font.
    bool setFontSize(int size);

    // Rows shown at once, -1 for all; other values below 1 are ignored.
    void setNumberOfDisplayItems(int count);
    // Rows shown at once, -1 for all.
    int getNumberOfDisplayItems() const { return _numberOfDisplayItems; }
    // The index of the first item shown.
    int startItemIndex() const { return _startItemIndex; }
    // Scrolls so the item is the first shown, kept within the items; ignored while all fit.
    void setStartItemIndex(int index);

    // Selects the item, clamped to the items, wherever the list is scrolled.
    void selectItemAtIndex(int index);
    // The selected item's index (the row under a held left button wins); -1 without a font or
    // when the selected row holds no item.
    int selectedItemIndex();

    // Colour of the outline.
    void setBorderColor(float r, float g, float b, float a);
    // Colour of the text of unselected rows.
    void setTextColor(float r, float g, float b, float a);
    // Background of the selected row.
    void setSelectedBGColor(float r, float g, float b, float a);
    // Colour of the selected row's text.
    void setSelectedTextColor(float r, float g, float b, float a);
    // Backgrounds of even and odd rows, which alternate.
    void setRowColors(float evenR, float evenG, float evenB, float evenA, float oddR, float oddG,
                      float oddB, float oddA);

    // Fits the box around the rows (content width and row count).
    void resize();
    // Rebuilds the rows shown from the items, shortening those too wide for a fixed width.
    void setDisplayStrings();
    // Rebuilds the rows shown as whole copies of the items.
    void recreateDisplayItems();
    // Called once per logic step: the wheel scrolls while the mouse is over the box.
    void poll();

private:
    int rowHeight() const;
    int widestItemWidth() const;
    int shownRowCount() const;
    std::string shortened(const std::string& item) const;
    void scrollBy(int delta);

    std::vector<std::string> _items;
    std::vector<std::string> _displayItems;
    PXFont* _font = nullptr;
    PXUIColor _borderColor{0, 0, 0, 1};
    PXUIColor _textColor{0, 0, 0, 1};
    PXUIColor _evenRowColor{0.5f, 0.5f, 0.5f, 1};
    PXUIColor _oddRowColor{0.2f, 0.2f, 0.2f, 1};
    PXUIColor _selectedBackgroundColor{1, 1, 1, 1};
    PXUIColor _selectedTextColor{0, 0, 0, 1};
    // Relative to the first item shown.
    int _selectedRow = -1;
    int _numberOfDisplayItems = -1;
    int _startItemIndex = 0;
    bool _fixedWidth = false;
};
