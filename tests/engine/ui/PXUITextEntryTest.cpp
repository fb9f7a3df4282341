#include "engine/ui/PXUITextEntry.h"
#include "tests/engine/ui/UITestFixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>

using namespace ui_input;

namespace {

constexpr int kX = 20;
constexpr int kY = 30;
constexpr int kFieldWidth = 60;

class TextEntryTest : public UITestFixture {
protected:
    void SetUp() override {
        UITestFixture::SetUp();
        ASSERT_TRUE(entry.setFont(kFontPath, PX_FONT_MODE_TEXTURE));
        entry.setPos(kX, kY);
        entry.setBounds(kFieldWidth, 0);
        entry.forceFocus();
    }

    using Entries = std::initializer_list<PXUITextEntry*>;

    // A step with the key or button down, then one with it up, polling every entry given.
    static void downThenUp(const std::function<void(bool)>& set, Entries entries) {
        for (bool down : {true, false}) {
            set(down);
            for (PXUITextEntry* polled : entries) {
                polled->poll();
            }
        }
    }
    static void press(SDLKey key, Entries entries) {
        downThenUp([key](bool down) { setKey(_PXKeyCodeForSymbol(key), down); }, entries);
    }
    static void click(int x, int y, Entries entries) {
        moveMouse(x, y);
        downThenUp([](bool down) { setMouseButton(0, down); }, entries);
    }
    void press(SDLKey key) { press(key, {&entry}); }
    // Presses the keys that plainly type these characters (their platform symbols are the same).
    void pressKeysOf(const std::string& characters) {
        for (char character : characters) {
            press(static_cast<SDLKey>(character));
        }
    }

    // Whether the entry's row at y holds a pixel of the default cursor red, and where.
    static int cursorColumnInRow(int y) {
        for (int x = kX - 2; x < kX + kFieldWidth + 2; x++) {
            if (pixelAt(x, y) == RGBA{255, 0, 0, 255}) {
                return x;
            }
        }
        return -1;
    }

    void expectCursorShown() {
        EXPECT_LE(entry.displayStart(), entry.cursorPosition());
        EXPECT_LE(entry.cursorPosition(),
                  entry.displayStart() + static_cast<int>(entry.displayString().size()));
    }

    PXUITextEntry entry{255};
};

TEST_F(TextEntryTest, NeverGrowsPastItsMaximumLength) {
    PXUITextEntry small(8);
    small.forceFocus();
    small.setText("abcdefg");
    small.append("hi");
    EXPECT_EQ(small.getText(), "abcdefg");
    small.append("h");
    EXPECT_EQ(small.getText(), "abcdefgh");
    press(SDLK_x, {&small});
    EXPECT_EQ(small.getText(), "abcdefgh");
    small.setText("123456789");
    EXPECT_EQ(small.getText(), "");
    EXPECT_EQ(small.displayString(), "");
}

TEST_F(TextEntryTest, KeysTypeTheirCharactersAndShiftTheirCapitalsAndSymbols) {
    setKey(_PXKeyCodeForSymbol(SDLK_LSHIFT), true);
    pressKeysOf("abcdefghijklmnopqrstuvwxyz");
    setKey(_PXKeyCodeForSymbol(SDLK_LSHIFT), false);
    EXPECT_EQ(entry.getText(), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");

    const std::string symbols = "1234567890-=[];'`,.\\/ ";
    entry.setText("");
    pressKeysOf(symbols);
    press(SDLK_KP1);
    EXPECT_EQ(entry.getText(), symbols) << "and the keypad types nothing";
    entry.setText("");
    setKey(_PXKeyCodeForSymbol(SDLK_RSHIFT), true);
    pressKeysOf(symbols);
    EXPECT_EQ(entry.getText(), "!@#$%^&*()_+{}:\"~<>|? ");
}

TEST_F(TextEntryTest, AHeldKeyTypesOnceThenEveryStepAfterThirtySteps) {
    setKey(_PXKeyCodeForSymbol(SDLK_a), true);
    for (int step = 0; step < 30; step++) {
        entry.poll();
    }
    EXPECT_EQ(entry.getText(), "a");
    entry.poll();
    EXPECT_EQ(entry.getText(), "aa");
    entry.poll();
    entry.poll();
    EXPECT_EQ(entry.getText(), "aaaa");
}

TEST_F(TextEntryTest, EditingScrollsTheShownPartToKeepTheCursorInTheField) {
    // Fewer steps than the blink period, so the cursor is still shown when drawn.
    pressKeysOf(std::string(14, 'm'));
    EXPECT_GT(entry.displayStart(), 0);
    expectCursorShown();
    clearTo(0, 0, 0);
    entry.draw();
    const int cursorX = cursorColumnInRow(kY + 3);
    EXPECT_TRUE(cursorX > kX && cursorX < kX + kFieldWidth) << cursorX;

    pressKeysOf(std::string(6, 'm'));
    for (int step = 0; step < 15; step++) {
        press(SDLK_LEFT);
    }
    EXPECT_EQ(entry.cursorPosition(), 5);
    EXPECT_EQ(entry.displayStart(), 5) << "the shown part follows the cursor left";
    press(SDLK_BACKSPACE);
    EXPECT_EQ(entry.getText(), std::string(19, 'm'));
    EXPECT_EQ(entry.cursorPosition(), 4);
    EXPECT_EQ(entry.displayStart(), 0) << "scrolled back by about a field of blanks";
    for (int step = 0; step < 20; step++) {
        press(SDLK_RIGHT);
    }
    EXPECT_EQ(entry.cursorPosition(), 19);
    expectCursorShown();
}

TEST_F(TextEntryTest, FocusFollowsClicksAndLeavesWithTheEntry) {
    PXUITextEntry other(255);
    other.setFont(kFontPath, PX_FONT_MODE_TEXTURE);
    other.setPos(kX, kY + 40);
    other.setBounds(kFieldWidth, 0);

    click(kX + 5, kY + 45, {&entry, &other});
    press(SDLK_x, {&entry, &other});
    EXPECT_EQ(entry.getText(), "");
    EXPECT_EQ(other.getText(), "x");

    clearTo(0, 0, 0);
    entry.draw();
    other.draw();
    EXPECT_EQ(pixelAt(kX - 1, kY + 5).g, 0) << "no focus outline";
    EXPECT_GT(pixelAt(kX - 1, kY + 45).g, 100) << "the focus outline, one pixel outside";

    click(kX + kFieldWidth + 20, kY + 5, {&entry, &other});
    EXPECT_EQ(_PXFocusedTextEntry, nullptr);
    press(SDLK_y, {&entry, &other});
    EXPECT_EQ(other.getText(), "x");

    auto focused = std::make_unique<PXUITextEntry>(10);
    focused->forceFocus();
    focused.reset();
    EXPECT_EQ(_PXFocusedTextEntry, nullptr);
}

TEST_F(TextEntryTest, AFaceThatFailedLeavesOnlyTheFrame) {
    PXUITextEntry unusable(255);
    EXPECT_FALSE(unusable.setFont(kMissingFontPath, PX_FONT_MODE_TEXTURE));
    unusable.setPos(kX, kY + 40);
    unusable.setBounds(kFieldWidth, 20);
    unusable.setText("abcdef");
    unusable.backspace();
    unusable.forwardDelete();
    EXPECT_EQ(unusable.getText(), "abcde");

    clearTo(0, 0, 255);
    unusable.draw();
    EXPECT_EQ(pixelAt(kX + 2, kY + 45), (RGBA{0, 0, 0, 255})) << "the background";
    EXPECT_EQ(cursorColumnInRow(kY + 43), -1);
}

} // namespace
