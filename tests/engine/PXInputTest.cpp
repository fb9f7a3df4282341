#include "engine/Paxtor.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override { _PXInitKeys(); }
};

TEST_F(KeyboardTest, OnceFormReportsEachPressOnceWhileHeldFormStaysTrue) {
    _PXSetKey(SDLK_a);
    EXPECT_TRUE(PXKey(PXKeyCode::kA, PX_TRUE));
    for (int tick = 0; tick < 5; tick++) {
        EXPECT_FALSE(PXKey(PXKeyCode::kA, PX_TRUE));
        EXPECT_TRUE(PXKey(PXKeyCode::kA));
        EXPECT_TRUE(PXKey(PXKeyCode::kA, PX_FALSE));
    }
    _PXUnsetKey(SDLK_a);
    EXPECT_FALSE(PXKey(PXKeyCode::kA));
    EXPECT_FALSE(PXKey(PXKeyCode::kA, PX_TRUE));
    _PXSetKey(SDLK_a);
    EXPECT_TRUE(PXKey(PXKeyCode::kA, PX_TRUE)) << "a new press is reported again";
}

TEST_F(KeyboardTest, ReleaseReArmsEveryReleasedKeyButNotHeldOnes) {
    _PXSetKey(SDLK_a);
    _PXSetKey(SDLK_b);
    EXPECT_TRUE(PXKey(PXKeyCode::kA, PX_TRUE));
    EXPECT_TRUE(PXKey(PXKeyCode::kB, PX_TRUE));

    _PXUnsetKey(SDLK_a);
    EXPECT_FALSE(PXKey(PXKeyCode::kB, PX_TRUE)) << "B is still held, its press stays consumed";

    // A missed release: B's key-up never arrived, only its table entry was cleared.
    _PXKeys[PXKeyCode::kB] = PX_FALSE;
    _PXUnsetKey(SDLK_ESCAPE);
    _PXKeys[PXKeyCode::kB] = PX_TRUE;
    EXPECT_TRUE(PXKey(PXKeyCode::kB, PX_TRUE)) << "any release re-arms every key that is up";
}

TEST_F(KeyboardTest, AskingTheOnceFormOfAnUpKeyClearsItsReportedFlag) {
    _PXKeysDown[PXKeyCode::kA] = PX_TRUE;
    EXPECT_FALSE(PXKey(PXKeyCode::kA, PX_FALSE));
    EXPECT_FALSE(_PXKeysDown[PXKeyCode::kA]);
    _PXKeys[PXKeyCode::kA] = PX_TRUE;
    EXPECT_TRUE(PXKey(PXKeyCode::kA, PX_TRUE));
}

TEST_F(KeyboardTest, OutOfRangeCodesAreFalseAndSymbolsWithoutCodeAreIgnored) {
    _PXSetKey(SDLK_INSERT);
    _PXSetKey(SDLK_EXCLAIM);
    _PXSetKey(SDLK_PAUSE);
    EXPECT_EQ(PXKeyPressed(), 0);
    for (int code : {-1000, -1, 0, 137, 100000}) {
        EXPECT_FALSE(PXKey(code));
        EXPECT_FALSE(PXKey(code, PX_TRUE));
    }
}

TEST_F(KeyboardTest, KeyPressedIsTheLowestCodeDownAndUnsetKeysClearsAll) {
    _PXSetKey(SDLK_RIGHT);
    _PXSetKey(SDLK_ESCAPE);
    EXPECT_EQ(PXKeyPressed(), PXKeyCode::kEscape);
    EXPECT_TRUE(PXKey(PXKeyCode::kRight, PX_TRUE));
    PXUnsetKeys();
    EXPECT_EQ(PXKeyPressed(), 0);
    EXPECT_FALSE(_PXKeysDown[PXKeyCode::kRight]);
}

TEST(KeyTranslationTest, SymbolsMapToTheEngineCodes) {
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_a), 1);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_z), 26);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_RETURN), 53);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_0), 71);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_5), 76);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_6), 78);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_9), 81);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_KP0), 82);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_KP9), 91);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_KP_PERIOD), 92);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_KP_EQUALS), 98);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_F1), 107);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_F15), 121);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_SPACE), 133);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_RCTRL), 136);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_INSERT), 0);
    EXPECT_EQ(_PXKeyCodeForSymbol(SDLK_PLUS), 0);
}

TEST(KeyNameTest, NamesFollowTheTable) {
    EXPECT_STREQ(PXKeyToString(1), "A");
    EXPECT_STREQ(PXKeyToString(26), "Z");
    EXPECT_STREQ(PXKeyToString(57), "\"");
    EXPECT_STREQ(PXKeyToString(62), "\\");
    EXPECT_STREQ(PXKeyToString(63), ":");
    EXPECT_STREQ(PXKeyToString(64), ":") << "semicolon shows as a colon";
    EXPECT_STREQ(PXKeyToString(70), "`");
    EXPECT_STREQ(PXKeyToString(71), "0");
    EXPECT_STREQ(PXKeyToString(76), "5");
    EXPECT_STREQ(PXKeyToString(78), "6");
    EXPECT_STREQ(PXKeyToString(81), "9");
    EXPECT_STREQ(PXKeyToString(82), "0") << "keypad digits share the top-row names";
    EXPECT_STREQ(PXKeyToString(91), "9");
    EXPECT_STREQ(PXKeyToString(97), "Num Pad Enter");
    EXPECT_STREQ(PXKeyToString(107), "F1");
    EXPECT_STREQ(PXKeyToString(121), "F15");
    EXPECT_STREQ(PXKeyToString(131), "Right Winkey");
    EXPECT_STREQ(PXKeyToString(136), "Right Control");
    for (int code : {-2147483647 - 1, -1, 0, 27, 52, 77, 137, 2147483647}) {
        EXPECT_STREQ(PXKeyToString(code), "Unknown") << code;
    }
}

TEST(KeyNameTest, EveryCodeWithAKeyHasAName) {
    for (int code = 1; code <= PX_KEY_LAST; code++) {
        const bool hasKey = !(code >= 27 && code <= 52) && code != 77;
        EXPECT_EQ(std::string(PXKeyToString(code)) != "Unknown", hasKey) << code;
    }
}

SDL_MouseButtonEvent mouseEvent(Uint8 button, Uint8 state) {
    SDL_MouseButtonEvent event{};
    event.type = state == SDL_PRESSED ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button = button;
    event.state = state;
    return event;
}

TEST(MouseTest, ButtonsAreHeldAndTheWheelIsLatchedOncePerRead) {
    _PXSetMouse(mouseEvent(SDL_BUTTON_LEFT, SDL_PRESSED));
    _PXSetMouse(mouseEvent(SDL_BUTTON_MIDDLE, SDL_PRESSED));
    EXPECT_TRUE(PXMouse(0));
    EXPECT_TRUE(PXMouse(0)) << "held buttons are not cleared by reading";
    EXPECT_FALSE(PXMouse(1));
    EXPECT_TRUE(PXMouse(2));
    _PXSetMouse(mouseEvent(SDL_BUTTON_LEFT, SDL_RELEASED));
    EXPECT_FALSE(PXMouse(0));

    _PXSetMouse(mouseEvent(SDL_BUTTON_WHEELDOWN, SDL_PRESSED));
    _PXSetMouse(mouseEvent(SDL_BUTTON_WHEELDOWN, SDL_RELEASED));
    _PXSetMouse(mouseEvent(SDL_BUTTON_WHEELDOWN, SDL_PRESSED));
    EXPECT_TRUE(PXMouse(3)) << "two notches between reads are reported once";
    EXPECT_FALSE(PXMouse(3));
    _PXSetMouse(mouseEvent(SDL_BUTTON_WHEELUP, SDL_PRESSED));
    EXPECT_FALSE(PXMouse(3));
    EXPECT_TRUE(PXMouse(4));
    EXPECT_FALSE(PXMouse(4));
    EXPECT_FALSE(PXMouse(5));
    EXPECT_FALSE(PXMouse(-1));
}

class GamePadTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int button = 0; button < PX_GAMEPAD_BUTTONS; button++) {
            _PXUnsetGamePadButton(button);
        }
        for (int axis = 0; axis < PX_GAMEPAD_AXES; axis++) {
            _PXSetAxis(axis, 0);
        }
    }
};

TEST_F(GamePadTest, ButtonsHaveHeldAndOnceFormsAndOnlyTheirOwnRelease) {
    EXPECT_EQ(PXGamePadPressedButton(), -1);
    _PXSetGamePadButton(3);
    _PXSetGamePadButton(5);
    EXPECT_EQ(PXGamePadPressedButton(), 3);
    EXPECT_TRUE(PXGamePadButton(3, PX_TRUE));
    EXPECT_FALSE(PXGamePadButton(3, PX_TRUE));
    EXPECT_TRUE(PXGamePadButton(3));
    EXPECT_TRUE(PXGamePadButton(5, PX_TRUE));
    _PXUnsetGamePadButton(5);
    EXPECT_FALSE(PXGamePadButton(3, PX_TRUE)) << "releasing another button does not re-arm";
    _PXUnsetGamePadButton(3);
    _PXSetGamePadButton(3);
    EXPECT_TRUE(PXGamePadButton(3, PX_TRUE));

    _PXSetGamePadButton(16);
    _PXSetGamePadButton(-1);
    EXPECT_FALSE(PXGamePadButton(16));
    EXPECT_FALSE(PXGamePadButton(-1, PX_TRUE));
    EXPECT_STREQ(PXGamePadButtonToString(0), "Button 1");
    EXPECT_STREQ(PXGamePadButtonToString(15), "Button 16");
    EXPECT_STREQ(PXGamePadButtonToString(16), "Unknown");
    EXPECT_STREQ(PXGamePadButtonToString(-1), "Unknown");
}

TEST_F(GamePadTest, StickDirectionsStartAtHalfTravel) {
    _PXSetAxis(0, 16383);
    EXPECT_EQ(PXGamePadAxisRight(), 0);
    _PXSetAxis(0, 16384);
    EXPECT_EQ(PXGamePadAxisRight(), 1);
    EXPECT_EQ(PXGamePadAxisLeft(), 0);
    _PXSetAxis(0, -16383);
    EXPECT_EQ(PXGamePadAxisLeft(), 0);
    _PXSetAxis(0, -16384);
    EXPECT_EQ(PXGamePadAxisLeft(), 1);
    _PXSetAxis(1, -32768);
    EXPECT_EQ(PXGamePadAxisUp(), 1);
    EXPECT_EQ(PXGamePadAxisDown(), 0);
    _PXSetAxis(1, 32767);
    EXPECT_EQ(PXGamePadAxisDown(), 1);

    _PXSetAxis(8, 999);
    EXPECT_EQ(PXGamePadAxis(8), 0);
    EXPECT_EQ(PXGamePadAxis(1), 32767);
    _PXSetHat(PX_HAT_UP | PX_HAT_LEFT);
    EXPECT_EQ(PXGamePadHat(PX_HAT_LEFT), PX_HAT_LEFT);
    EXPECT_EQ(PXGamePadHat(PX_HAT_DOWN), 0);
}

TEST(GamePadOpenTest, WithoutAPadOpeningFailsAndQueriesStayQuiet) {
    ASSERT_TRUE(PXInit()) << PXError();
    if (SDL_NumJoysticks() > 0) {
        PXDeInit();
        GTEST_SKIP() << "a joystick is attached to this machine";
    }
    EXPECT_FALSE(PXInitGamePad());
    EXPECT_EQ(_PXGamePad, nullptr);
    EXPECT_EQ(PXGamePadPressedButton(), -1);
    PXDeInit();
}

} // namespace
