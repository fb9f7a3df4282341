#include "engine/Paxtor.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Ticks until the timer expires; fails the test after a generous limit.
int ticksUntilExpiry(PXTimer& timer) {
    for (int ticks = 1; ticks <= 100000; ticks++) {
        if (timer.tick()) {
            return ticks;
        }
    }
    ADD_FAILURE() << "timer never expired";
    return -1;
}

TEST(PXTimerTest, FixedPeriodExpiresOnTheNthTickAndStartsOver) {
    PXTimer timer(3);
    EXPECT_FALSE(timer.tick());
    EXPECT_FALSE(timer.tick());
    EXPECT_TRUE(timer.tick());
    EXPECT_EQ(timer.count(), 0);
    EXPECT_EQ(ticksUntilExpiry(timer), 3);

    PXTimer zero;
    EXPECT_TRUE(zero.tick());
    PXTimer one(1);
    EXPECT_TRUE(one.tick());
    EXPECT_TRUE(one.tick());
}

TEST(PXTimerTest, ChangedTimeoutKeepsTheCount) {
    PXTimer timer(10);
    for (int i = 0; i < 5; i++) {
        EXPECT_FALSE(timer.tick());
    }
    timer.setTimeout(3);
    EXPECT_EQ(timer.count(), 5);
    EXPECT_TRUE(timer.tick()) << "a timeout below the count expires on the next tick";

    timer.setTimeout(-7);
    EXPECT_EQ(timer.timeout(), 0);
}

TEST(PXTimerTest, RandomPeriodDrawsANewLengthInRangeAtEveryExpiry) {
    srand(1234);
    PXTimer timer;
    const int first = timer.setMinMaxTimeout(4, 9);
    EXPECT_GE(first, 4);
    EXPECT_LE(first, 9);
    EXPECT_EQ(ticksUntilExpiry(timer), first);
    bool sawDifferentLengths = false;
    int previous = timer.timeout();
    for (int round = 0; round < 50; round++) {
        const int length = timer.timeout();
        EXPECT_GE(length, 4);
        EXPECT_LE(length, 9);
        sawDifferentLengths |= length != previous;
        previous = length;
        EXPECT_EQ(ticksUntilExpiry(timer), length);
    }
    EXPECT_TRUE(sawDifferentLengths);

    timer.setTimeout(2);
    timer.reset();
    EXPECT_EQ(timer.timeout(), 2) << "setTimeout switches back to a fixed period";
}

TEST(PXTimerTest, MinimumAboveMaximumIsLoweredToTheMaximum) {
    PXTimer timer;
    EXPECT_EQ(timer.setMinMaxTimeout(10, 5), 5);
    for (int round = 0; round < 5; round++) {
        EXPECT_EQ(ticksUntilExpiry(timer), 5);
    }
}

} // namespace
