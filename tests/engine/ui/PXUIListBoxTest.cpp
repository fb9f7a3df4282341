#include "engine/ui/PXUIListBox.h"
#include "tests/engine/ui/UITestFixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace ui_input;

namespace {

constexpr int kX = 20;
constexpr int kY = 30;
constexpr int kListWidth = 100;

class ListBoxTest : public UITestFixture {
protected:
    void SetUp() override {
        UITestFixture::SetUp();
        ASSERT_TRUE(list.setFont(kFontPath, PX_FONT_MODE_TEXTURE));
        list.setPos(kX, kY);
    }

    void addTenItems() {
        for (int i = 0; i < 10; i++) {
            list.addItem(("item " + std::to_string(i)).c_str());
        }
    }

    static PXFont& font() {
        return *_PXUIFontAt(kFontPath, PX_FONT_MODE_TEXTURE, PX_UI_DEFAULT_FONT_SIZE);
    }

    // The rounded-up width the list measures the text with.
    static int widthOf(const char* text) {
        float width = 0;
        float height = 0;
        font().stringBounds(text, width, height);
        return static_cast<int>(std::ceil(width));
    }

    static int rowHeight() { return static_cast<int>(font().fullHeight()); }

    // A pixel near the right end of a shown row, clear of its short text.
    static RGBA rowPixel(int row) {
        return pixelAt(kX + kListWidth - 3, kY + 1 + row * rowHeight() + 2);
    }

    PXUIListBox list;
};

TEST_F(ListBoxTest, TheWheelScrollsWithinTheItemsAndKeepsTheSelectedItem) {
    addTenItems();
    list.setNumberOfDisplayItems(3);
    list.setBounds(kListWidth, 0);
    list.selectItemAtIndex(1);

    moveMouse(kX + 5, kY + 5);
    for (int notch = 0; notch < 10; notch++) {
        turnWheel(true);
        list.poll();
    }
    EXPECT_EQ(list.startItemIndex(), 7);
    EXPECT_EQ(list.selectedItemIndex(), 1);
    for (int notch = 0; notch < 10; notch++) {
        turnWheel(false);
        list.poll();
    }
    EXPECT_EQ(list.startItemIndex(), 0);
    EXPECT_EQ(list.selectedItemIndex(), 1);

    moveMouse(kX + kListWidth + 5, kY + 5);
    turnWheel(true);
    list.poll();
    EXPECT_EQ(list.startItemIndex(), 0) << "the wheel scrolls only the list under the mouse";

    list.setStartItemIndex(5);
    list.selectItemAtIndex(6);
    EXPECT_EQ(list.selectedItemIndex(), 6) << "selecting while scrolled";
    list.selectItemAtIndex(42);
    EXPECT_EQ(list.selectedItemIndex(), 9);
    EXPECT_EQ(list.itemAtIndex(9), "item 9");
    EXPECT_FALSE(list.itemAtIndex(10).has_value());
}

TEST_F(ListBoxTest, DrawsAlternatingRowsAndTheRowPressedAsSelected) {
    addTenItems();
    list.setNumberOfDisplayItems(3);
    list.setBounds(kListWidth, 0);
    list.setRowColors(1, 0, 0, 1, 0, 1, 0, 1);
    list.setSelectedBGColor(0, 0, 1, 1);
    list.setStartItemIndex(6);

    moveMouse(kX + 5, kY + rowHeight() + 3);
    setMouseButton(0, true);
    EXPECT_EQ(list.selectedItemIndex(), 7) << "the second row shown";
    setMouseButton(0, false);

    clearTo(0, 0, 0);
    list.draw();
    EXPECT_EQ(rowPixel(0), (RGBA{255, 0, 0, 255})) << "item 6 is even";
    EXPECT_EQ(rowPixel(1), (RGBA{0, 0, 255, 255})) << "item 7 is selected";
    EXPECT_EQ(rowPixel(2), (RGBA{255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(kX, kY + 5), (RGBA{0, 0, 0, 255})) << "the black outline";
    EXPECT_EQ(rowPixel(3).r + rowPixel(3).g + rowPixel(3).b, 0) << "item 9 is not shown";
}

TEST_F(ListBoxTest, ItemsTooWideForAGivenWidthAreCut) {
    list.addItem("a whole item");
    EXPECT_EQ(list.displayItems()[0], "a whole item") << "a box sized to its items cuts none";

    list.clearAllItems();
    for (const char* item : {"abcdefghijkl", "abcdefgh", "abcd", "ab"}) {
        list.addItem(item);
    }
    list.setBounds(widthOf("abcdef"), 0);
    EXPECT_EQ(list.displayItems()[0], "abc...");
    EXPECT_EQ(list.displayItems()[1], "abc...");
    EXPECT_EQ(list.displayItems()[2], "abcd");
    EXPECT_EQ(list.displayItems()[3], "ab");

    list.setBounds(widthOf("abc"), 0);
    EXPECT_EQ(list.displayItems()[0], "ab") << "too short a cut for the ellipsis";
    EXPECT_EQ(list.displayItems()[3], "ab");
    list.setBounds(0, 0);
    EXPECT_EQ(list.displayItems()[3], "");
}

TEST_F(ListBoxTest, AFaceThatFailedLeavesTheListWithoutAFont) {
    PXUIListBox unusable;
    EXPECT_FALSE(unusable.setFont(kMissingFontPath, PX_FONT_MODE_TEXTURE));
    unusable.addItem("item");
    unusable.setBounds(kListWidth, 50);
    unusable.setPos(kX, kY);
    moveMouse(kX + 5, kY + 5);
    setMouseButton(0, true);
    EXPECT_EQ(unusable.selectedItemIndex(), -1);
    EXPECT_FALSE(unusable.setFontSize(12));
    unusable.draw();
}

} // namespace
