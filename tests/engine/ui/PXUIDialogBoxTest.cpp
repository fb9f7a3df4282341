#include "engine/ui/PXUIDialogBox.h"
#include "engine/PXFont.h"
#include "engine/ui/PXUIButton.h"
#include "tests/engine/ui/UIInput.h"
#include "tests/support/GLTestFixture.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace ui_input;

namespace {

constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kFontSize = 12;
constexpr RGBA kBlack{0, 0, 0, 255};
constexpr RGBA kWhite{255, 255, 255, 255};
constexpr RGBA kBlue{0, 0, 255, 255};

class DialogTest : public GLTestFixture {
protected:
    void SetUp() override {
        GLTestFixture::SetUp();
        releaseEverything();
        clearTo(0, 0, 0);
    }
    void TearDown() override {
        releaseEverything();
        GLTestFixture::TearDown();
    }

    static PXUIButton buttonWithText(const char* text) {
        PXUIButton button;
        button.setFont(kFontPath, PX_FONT_MODE_TEXTURE);
        button.setFontSize(kFontSize);
        button.setText(text);
        return button;
    }
    static PXUIDialogBox dialogWithFont() {
        PXUIDialogBox dialog;
        dialog.setFont(kFontPath, PX_FONT_MODE_TEXTURE);
        dialog.setFontSize(kFontSize);
        return dialog;
    }
    static void clickAt(PXUIDialogBox& dialog, int x, int y) {
        moveMouse(x, y);
        for (const bool down : {true, false}) {
            setMouseButton(0, down);
            dialog.poll();
        }
    }
    // Pixels in [x1, x2) x [y1, y2) that are not black.
    static int inkIn(int x1, int y1, int x2, int y2) {
        int ink = 0;
        for (int y = y1; y < y2; y++) {
            for (int x = x1; x < x2; x++) {
                ink += pixelAt(x, y) != kBlack;
            }
        }
        return ink;
    }
};

TEST_F(DialogTest, ButtonsLineUpRightToLeftAndTheLastClickIsKept) {
    PXUIDialogBox dialog = dialogWithFont();
    dialog.setPos(20, 30);
    dialog.setMessage("Discard the changes to this map?");
    dialog.addButton("Yes");
    dialog.addButton("No");
    dialog.setButtonNormalBackgroundColor(0, 0, 1, 1);
    dialog.draw();

    const int padding = 2;
    const PXUIButton yes = buttonWithText("Yes");
    const PXUIButton no = buttonWithText("No");
    const int bottom = dialog.yPos() + dialog.h() - padding;
    const int yesRight = dialog.xPos() + dialog.w() - padding;
    const int noRight = yesRight - yes.w() - padding;
    EXPECT_EQ(pixelAt(yesRight, bottom - 2), kWhite) << "padding right of the first button";
    EXPECT_EQ(pixelAt(yesRight - 2, bottom - 2), kBlue);
    EXPECT_EQ(pixelAt(noRight + 1, bottom - 2), kWhite) << "padding between the buttons";
    EXPECT_EQ(pixelAt(noRight - 2, bottom - 2), kBlue);
    EXPECT_EQ(pixelAt(noRight - no.w() - 1, bottom - 2), kWhite);

    EXPECT_EQ(dialog.buttonIndexClicked(), -1);
    clickAt(dialog, yesRight - yes.w() / 2, bottom - yes.h() / 2);
    EXPECT_EQ(dialog.buttonIndexClicked(), 0);
    clickAt(dialog, noRight - no.w() / 2, bottom - no.h() / 2);
    EXPECT_EQ(dialog.buttonIndexClicked(), 1);
    clickAt(dialog, noRight + 1, bottom - 2);
    dialog.poll();
    EXPECT_EQ(dialog.buttonIndexClicked(), 1) << "the index is never reset";
}

TEST_F(DialogTest, AButtonGrowsAroundItsTextAndPrintsItAsWritten) {
    EXPECT_FALSE(PXUIButton().setText("OK")) << "no font";
    PXUIButton button = buttonWithText("5%%");
    button.setPos(10, 10);
    PXFont* font = _PXUIFontAt(kFontPath, PX_FONT_MODE_TEXTURE, kFontSize);
    float textWidth = 0;
    float textHeight = 0;
    font->stringBounds("5%%", textWidth, textHeight);
    button.setBounds(200, 1);
    EXPECT_EQ(button.w(), 200);
    EXPECT_EQ(button.h(), static_cast<int>(std::ceil(textHeight + 6)));

    button.setNormalBackgroundColor(0, 0, 0, 1);
    button.setBorderColor(0, 0, 0, 1);
    button.setTextColor(1, 1, 1, 1);
    button.draw();
    const int drawn = inkIn(10, 10, 210, 10 + button.h());
    clearTo(0, 0, 0);
    font->print(10, 10, 1, 1, 1, 1, "%s", "5%%");
    EXPECT_EQ(drawn, inkIn(10, 10, 210, 10 + button.h()));
    clearTo(0, 0, 0);
    font->print(10, 10, 1, 1, 1, 1, "%s", "5%");
    EXPECT_LT(inkIn(10, 10, 210, 10 + button.h()), drawn) << "both percent signs drawn";
}

TEST_F(DialogTest, AMessageIsCutTo511CharactersAndNoFontLaysOutNothing) {
    PXUIDialogBox dialog = dialogWithFont();
    dialog.setMessage(std::string(511, 'm').c_str());
    const int fullWidth = dialog.w();
    dialog.setMessage(std::string(600, 'm').c_str());
    EXPECT_EQ(dialog.w(), fullWidth);
    dialog.setMessage(std::string(510, 'm').c_str());
    EXPECT_LT(dialog.w(), fullWidth);

    PXUIDialogBox fontless;
    EXPECT_FALSE(fontless.setFont("/nonexistent/corvane/Missing.ttf", PX_FONT_MODE_TEXTURE));
    fontless.setMessage("Quit?");
    fontless.addButton("OK");
    EXPECT_FALSE(fontless.setFontSize(kFontSize));
    EXPECT_EQ(fontless.w(), 0) << "laid out without a font";
}

} // namespace
