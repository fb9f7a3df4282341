#include "engine/ui/PXUIWidget.h"
#include "engine/PXFontCache.h"
#include "tests/engine/ui/UIInput.h"

#include <gtest/gtest.h>

using namespace ui_input;

namespace {

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        releaseEverything();
        widget.setPos(10, 20);
        widget.setBounds(30, 40);
    }
    void TearDown() override { releaseEverything(); }

    // One logic step with the mouse at (x, y) and the left button as given.
    bool step(int x, int y, bool down) {
        moveMouse(x, y);
        setMouseButton(0, down);
        return widget.clicked(0);
    }

    _PXUIWidget widget;
};

TEST_F(WidgetTest, LeftAndTopEdgesAreOutsideRightAndBottomEdgesInside) {
    const struct {
        int x, y;
        bool over;
    } probes[] = {{10, 30, false}, {11, 30, true},  {40, 30, true}, {41, 30, false},
                  {20, 20, false}, {20, 21, true},  {20, 60, true}, {20, 61, false},
                  {40, 60, true},  {10, 20, false}, {11, 21, true}};
    for (const auto& probe : probes) {
        moveMouse(probe.x, probe.y);
        EXPECT_EQ(widget.mouseOver(), probe.over) << probe.x << ", " << probe.y;
    }
}

TEST_F(WidgetTest, AClickIsAPressInsideReleasedInside) {
    EXPECT_FALSE(step(20, 30, true));
    EXPECT_EQ(widget.visualState(), 2);
    EXPECT_FALSE(step(20, 30, true)) << "holding is no click";
    EXPECT_TRUE(step(20, 30, false));
    EXPECT_FALSE(step(20, 30, false)) << "one release, one click";
    EXPECT_EQ(widget.visualState(), 1);

    step(5, 5, true);
    step(20, 30, true);
    EXPECT_FALSE(step(20, 30, false)) << "a press that began outside";

    step(20, 30, true);
    step(5, 5, true);
    EXPECT_EQ(widget.visualState(), 0);
    EXPECT_FALSE(step(5, 5, false)) << "dragged out and released outside";

    step(20, 30, true);
    step(5, 5, true);
    step(20, 30, true);
    EXPECT_TRUE(step(20, 30, false)) << "dragged back inside before the release";
}

TEST_F(WidgetTest, ARequestedClickIsReportedOnceWithoutAnyMouse) {
    widget.click();
    EXPECT_TRUE(step(0, 0, false));
    EXPECT_FALSE(step(0, 0, false));
}

TEST(WidgetFontTest, AFaceThatFailedIsNoFont) {
    EXPECT_EQ(_PXUIFontAt("missing.ttf", 2, 10), nullptr) << "no font cache";
    _PXGlobalFontCache = std::make_unique<_PXFontCache>();
    EXPECT_EQ(_PXUIFontAt(nullptr, 2, 10), nullptr);
    EXPECT_EQ(_PXUIFontAt("missing.ttf", 2, 10), nullptr);
    _PXGlobalFontCache.reset();
}

} // namespace
