#include "editor/EditorInfo.h"
#include "tests/engine/ui/UIInput.h"

#include <gtest/gtest.h>

// Edge-triggered keys and buttons act once per press, and modes hide what they must.
TEST(EditorInfoTest, LatchesActOncePerPressAndModesHideTheMapTools) {
    ui_input::releaseEverything();
    EditorInfo info;
    ui_input::setKey(25, true);
    EXPECT_TRUE(info.keyPressedOnce(25));
    EXPECT_FALSE(info.keyPressedOnce(25));
    ui_input::setKey(25, false);
    EXPECT_FALSE(info.keyPressedOnce(25));
    ui_input::setKey(25, true);
    EXPECT_TRUE(info.keyPressedOnce(25));
    ui_input::setMouseButton(0, true);
    EXPECT_TRUE(info.buttonPressedOnce(0));
    EXPECT_FALSE(info.buttonPressedOnce(0));

    info.tilesetPickerShown = true;
    info.layerManagerShown = true;
    info.enterMode(EditorMode::Map);
    EXPECT_TRUE(info.tilesetPickerShown && info.layerManagerShown && info.playerShown);
    info.enterMode(EditorMode::Water);
    EXPECT_EQ(info.mode, EditorMode::Water);
    EXPECT_FALSE(info.tilesetPickerShown || info.layerManagerShown || info.playerShown);
    ui_input::releaseEverything();
}
