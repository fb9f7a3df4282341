#include "engine/Paxtor.h"

#include <gtest/gtest.h>

namespace {

Uint32 fakeNow = 0;
Uint32 fakeClock() {
    return fakeNow;
}

class LogicTimingTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeNow = 1000;
        PXSetClockSource(fakeClock);
        PXSetLogicInterval(60);
        PXResetLogicLoop();
    }
    void TearDown() override { PXSetClockSource(nullptr); }

    // One pass of a screen loop at the given time; returns the number of ticks it ran.
    static int passAt(Uint32 now) {
        fakeNow = now;
        PXPreLogicLoop();
        int ticks = 0;
        while (PXLogicLoop()) {
            ticks++;
            PXLogicUpdate();
        }
        PXPostLogicLoop();
        return ticks;
    }
};

TEST_F(LogicTimingTest, IntervalIsClampedAndRoundedDown) {
    PXSetLogicInterval(0);
    EXPECT_EQ(_PXLogicSpeed, 1u);
    EXPECT_EQ(_PXLogicTimeRequiredPerLogicCycle, 1000u);
    PXSetLogicInterval(5000);
    EXPECT_EQ(_PXLogicSpeed, 1000u);
    EXPECT_EQ(_PXLogicTimeRequiredPerLogicCycle, 1u);
    PXSetLogicInterval(60);
    EXPECT_EQ(_PXLogicTimeRequiredPerLogicCycle, 16u);
}

TEST_F(LogicTimingTest, PassesFifteenMillisecondsApartDiscardTheRemainder) {
    EXPECT_EQ(passAt(1015), 0);
    EXPECT_EQ(_PXLogicTimeElapsed, 15u) << "time without a due tick is kept";
    EXPECT_EQ(passAt(1030), 1);
    EXPECT_EQ(_PXLogicTimeElapsed, 0u) << "the 14 ms left over are dropped";
    EXPECT_EQ(passAt(1045), 0);
    EXPECT_EQ(passAt(1060), 1);
}

TEST_F(LogicTimingTest, FramesOfTenMillisecondsGiveATickEverySecondFrame) {
    int ticks = 0;
    for (Uint32 frame = 1; frame <= 100; frame++) {
        ticks += passAt(1000 + frame * 10);
    }
    EXPECT_EQ(ticks, 50);
}

TEST_F(LogicTimingTest, OneSecondStallCatchesUpWithoutLimitThenRestarts) {
    EXPECT_EQ(passAt(2000), 62);
    EXPECT_EQ(_PXLogicTimeElapsed, 0u);
    EXPECT_EQ(passAt(2016), 1);
}

TEST_F(LogicTimingTest, ClockWrapStillGivesTheRightDifference) {
    fakeNow = 0xFFFFFFF8u;
    PXResetLogicLoop();
    EXPECT_EQ(passAt(24), 2) << "32 ms across the wrap";
}

TEST_F(LogicTimingTest, ResetForgetsAccumulatedTime) {
    EXPECT_EQ(passAt(1010), 0);
    fakeNow = 5000;
    PXResetLogicLoop();
    EXPECT_EQ(passAt(5010), 0) << "the 10 ms before the reset are gone";
    EXPECT_EQ(passAt(5016), 1);
}

TEST_F(LogicTimingTest, FrameCounterClosesAPeriodAfterMoreThanOneSecond) {
    _PXFPS = 0;
    _PXFPSCount = 0;
    _PXFPSElapsedTime = 0;
    _PXFPSLastTime = 0;
    fakeNow = 0;
    PXFPSTick();
    for (int frame = 1; frame <= 100; frame++) {
        fakeNow = frame * 10;
        PXFPSTick();
    }
    EXPECT_EQ(PXFPS(), 0) << "exactly 1000 ms do not close the period";
    fakeNow = 1001;
    PXFPSTick();
    EXPECT_EQ(PXFPS(), 101);
    EXPECT_EQ(_PXFPSCount, 1) << "the closing frame counts in the next period";
}

// Needs the platform event queue, so the video subsystem runs for real.
class LogicEventPumpTest : public LogicTimingTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(PXInit()) << PXError();
        LogicTimingTest::SetUp();
    }
    void TearDown() override {
        LogicTimingTest::TearDown();
        PXDeInit();
    }

    static void pushKey(Uint8 type, SDLKey symbol) {
        SDL_Event event{};
        event.type = type;
        event.key.type = type;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.sym = symbol;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
};

TEST_F(LogicEventPumpTest, EventsArePumpedOnlyInPassesWithADueTick) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    pushKey(SDL_KEYDOWN, SDLK_RIGHT);

    EXPECT_EQ(passAt(1010), 0);
    EXPECT_FALSE(PXApplicationQuitRequested()) << "no tick was due, the events wait";
    EXPECT_FALSE(PXKey(100));

    EXPECT_EQ(passAt(1020), 1);
    EXPECT_TRUE(PXApplicationQuitRequested());
    EXPECT_TRUE(PXKey(100));

    pushKey(SDL_KEYUP, SDLK_RIGHT);
    EXPECT_EQ(passAt(1036), 1);
    EXPECT_FALSE(PXKey(100)) << "a held key is released as soon as it is let go";
}

TEST_F(LogicEventPumpTest, ATapBetweenTwoPumpsIsOnePressForTheNextTick) {
    pushKey(SDL_KEYDOWN, SDLK_SPACE);
    pushKey(SDL_KEYUP, SDLK_SPACE);
    fakeNow = 1020;
    PXPreLogicLoop();
    ASSERT_TRUE(PXLogicLoop());
    EXPECT_TRUE(PXKey(133)) << "the tick sees the tap";
    EXPECT_TRUE(PXKey(133, PX_TRUE));
    PXLogicUpdate();
    EXPECT_FALSE(PXKey(133)) << "and it ends with the tick";
    PXPostLogicLoop();

    // A tap, then the key pressed again before the tick: it stays held after the tick.
    pushKey(SDL_KEYDOWN, SDLK_SPACE);
    pushKey(SDL_KEYUP, SDLK_SPACE);
    pushKey(SDL_KEYDOWN, SDLK_SPACE);
    EXPECT_EQ(passAt(1036), 1);
    EXPECT_TRUE(PXKey(133));
}

} // namespace
