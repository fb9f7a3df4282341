#include "engine/ui/PXUIMenu.h"
#include "engine/PXFont.h"
#include "engine/PXKeyCodes.h"
#include "tests/engine/ui/UIInput.h"
#include "tests/support/GLTestFixture.h"

#include <gtest/gtest.h>
#include <memory>
#include <new>
#include <string>

using namespace ui_input;

namespace {

constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kLeftWinkey = 132;
constexpr RGBA kClear{0, 0, 80, 255};
constexpr RGBA kItemNormal{128, 128, 128, 255};
constexpr RGBA kItemHover{204, 204, 204, 255};
constexpr RGBA kBlack{0, 0, 0, 255};

TEST(MenuItemTest, LabelsNameTheirShortcutAndFitTheirBuffer) {
    EXPECT_STREQ(_PXUIMenuItem("Open Map", nullptr, nullptr, kLeftWinkey, PXKeyCode::kO).name(),
                 "Open Map (Left Winkey - O)");
    EXPECT_STREQ(_PXUIMenuItem("Open Map", nullptr, nullptr, kLeftWinkey, 0).name(), "Open Map");
    EXPECT_STREQ(_PXUIMenuItem("Open Map", nullptr, nullptr, 0, PXKeyCode::kO).name(), "Open Map");
    const std::string longName(300, 'x');
    EXPECT_EQ(_PXUIMenuItem(longName.c_str(), nullptr, nullptr, kLeftWinkey, PXKeyCode::kO).name(),
              longName.substr(0, 254));
    EXPECT_EQ(_PXUIMenuItem(nullptr, nullptr, nullptr, kLeftWinkey, PXKeyCode::kO).name(), nullptr);
}

TEST(MenuFontTest, NoUsableFontThrowsAndLeavesTheFallbackSize) {
    PXUIMenu menu("File");
    EXPECT_THROW(menu.setFont("/nonexistent/corvane/Missing.ttf", PX_FONT_MODE_TEXTURE),
                 std::bad_alloc);
    menu.addMenuItemWithName("Open", nullptr, nullptr);
    menu.addSubMenu(std::make_unique<PXUIMenu>("Recent"));
    EXPECT_EQ(menu.w(), 100);
    EXPECT_EQ(menu.h(), 100);
}

// File at (10, 10): Open, a labelless entry, Save (Left Winkey - S), Recent > a long entry.
class MenuTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        releaseEverything();
        file = std::make_unique<PXUIMenu>("File");
        file->setFont(kFontPath, PX_FONT_MODE_TEXTURE);
        file->setFontSize(12);
        file->setPos(10, 10);
        file->addMenuItemWithName("Open", record, this);
        file->addMenuItemWithName(nullptr, record, this);
        file->addMenuItemWithName("Save", record, this, kLeftWinkey, PXKeyCode::kS);
        auto sub = std::make_unique<PXUIMenu>("Recent");
        sub->addMenuItemWithName("A much longer recent entry", record, this);
        recent = sub.get();
        file->addSubMenu(std::move(sub));
        file->poll();
    }
    void TearDown() override {
        file.reset();
        releaseEverything();
        GLTestFixture::TearDown();
    }

    static void record(void* self) {
        auto* test = static_cast<MenuTest*>(self);
        test->fired++;
        test->anyOpenWhenFired = test->file->isOpen() || test->recent->isOpen();
    }

    void step(int x, int y, bool down) {
        moveMouse(x, y);
        setMouseButton(0, down);
        file->poll();
    }
    void clickAt(int x, int y) {
        step(x, y, true);
        step(x, y, false);
    }
    // The middle of the n-th row of the File column (0 is the File entry itself).
    int rowY(int n) const { return file->yPos() + file->h() * n + file->h() / 2; }
    int columnX() const { return file->xPos() + file->w() / 2; }
    // Inside the column's right edge, clear of the labels.
    int rightInside() const { return file->xPos() + file->w() - 3; }
    void redraw() {
        clearTo(kClear.r, kClear.g, kClear.b);
        file->draw();
    }

    std::unique_ptr<PXUIMenu> file;
    PXUIMenu* recent = nullptr;
    int fired = 0;
    bool anyOpenWhenFired = true;
};

TEST_F(MenuTest, ClicksOpenColumnsAndAnItemFiresOnlyAfterEveryMenuClosed) {
    clickAt(columnX(), rowY(1));
    EXPECT_FALSE(file->isOpen()) << "an item of a closed menu is no click target";
    EXPECT_EQ(fired, 0);

    clickAt(columnX(), rowY(0));
    ASSERT_TRUE(file->isOpen());
    clickAt(columnX(), rowY(2));
    EXPECT_EQ(fired, 0) << "a divider never fires, even given a callback";
    EXPECT_TRUE(file->isOpen());

    EXPECT_EQ(recent->xPos(), file->xPos());
    EXPECT_EQ(recent->yPos(), file->yPos() + 4 * file->h()) << "the column starts below the entry";
    EXPECT_EQ(recent->w(), file->w()) << "a sub-menu entry is as wide as its siblings";
    const float widestLabel =
        _PXUIFontAt(kFontPath, PX_FONT_MODE_TEXTURE, 12)->advance("Save (Left Winkey - S)");
    EXPECT_GE(file->w(), widestLabel + 2 + PX_UI_OPEN_MARKER_ROOM)
        << "labels keep clear of the borders and the open marker";
    clickAt(columnX(), rowY(4));
    ASSERT_TRUE(recent->isOpen());
    const int subItemX = recent->xPos() + recent->w() + 3;
    clickAt(subItemX, rowY(4));
    EXPECT_EQ(fired, 1) << "the sub-menu column is level with its entry, to its right";
    EXPECT_FALSE(anyOpenWhenFired);
    EXPECT_FALSE(file->isOpen());
    EXPECT_FALSE(recent->isOpen());

    clickAt(columnX(), rowY(4));
    EXPECT_FALSE(recent->isOpen()) << "the entry of a hidden sub-menu does not open it";

    file->click();
    file->poll();
    file->poll();
    EXPECT_TRUE(file->isOpen()) << "one requested click toggles once";
}

TEST_F(MenuTest, AHeldShortcutFiresOncePerPressWithTheMenuClosed) {
    setKey(kLeftWinkey, true);
    file->poll();
    EXPECT_EQ(fired, 0) << "one key of the two";
    setKey(PXKeyCode::kS, true);
    for (int tick = 0; tick < 3; tick++) {
        file->poll();
    }
    EXPECT_EQ(fired, 1);
    setKey(PXKeyCode::kS, false);
    file->poll();
    setKey(PXKeyCode::kS, true);
    file->poll();
    EXPECT_EQ(fired, 2);
}

TEST_F(MenuTest, AnOpenColumnIsDrawnWithTheHoveredItemHighlightedButNeverADivider) {
    redraw();
    EXPECT_EQ(pixelAt(rightInside(), rowY(1)), kClear) << "closed: no column";

    clickAt(columnX(), rowY(0));
    moveMouse(columnX(), rowY(1));
    redraw();
    EXPECT_EQ(pixelAt(rightInside(), rowY(1)), kItemHover);

    moveMouse(columnX(), rowY(2));
    redraw();
    EXPECT_EQ(pixelAt(rightInside(), rowY(1)), kItemNormal);
    const int dividerTop = file->yPos() + 2 * file->h();
    EXPECT_EQ(pixelAt(rightInside(), dividerTop + 2), kItemNormal);
    EXPECT_EQ(pixelAt(rightInside(), dividerTop + file->h() / 2), kBlack);
    EXPECT_EQ(pixelAt(rightInside(), dividerTop + file->h() / 2 + 1), kItemNormal);

    clickAt(columnX(), rowY(4));
    redraw();
    const int subItemX = recent->xPos() + recent->w() + 3;
    EXPECT_NE(pixelAt(subItemX, rowY(4)), kClear) << "the sub-menu column beside its entry";
    EXPECT_EQ(pixelAt(subItemX, rowY(4) - file->h()), kClear);
}

} // namespace
