#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockTest, TestClockReplacesTheSystemClockWhileInstalled) {
    ManualClock manual;
    {
        ClockScope scope(manual);
        Clock::Current().Sleep(3000); // returns at once
        EXPECT_EQ(Clock::Current().Milliseconds(), 3000);
        manual.Advance(500);
        EXPECT_EQ(Clock::Current().Milliseconds(), 3500);
    }
    EXPECT_NE(&Clock::Current(), &manual);
    const auto before = Clock::Current().Milliseconds();
    Clock::Current().Sleep(5);
    EXPECT_GE(Clock::Current().Milliseconds() - before, 5);
}

// Only the system clock's time passes by itself: waits may sleep on it, and poll on a test clock.
TEST(ClockTest, OnlyTheSystemClockPassesInRealTime) {
    EXPECT_TRUE(Clock::Current().PassesInRealTime());
    ManualClock manual;
    EXPECT_FALSE(manual.PassesInRealTime());
    const ClockScope scope(manual);
    EXPECT_FALSE(Clock::Current().PassesInRealTime());
}

} // namespace
