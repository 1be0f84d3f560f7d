#include <gtest/gtest.h>

#include "app/QxInputQueue.h"
#include "app/QxTimer.h"
#include "platform/headless/Headless.h"

namespace {

namespace headless = platform::headless;

// Microsecond counter next to a millisecond tick, both moved by hand.
class TimerTest : public testing::Test {
protected:
    void SetUp() override {
        headless::UseManualClock(true);
        headless::SetManualFrequency(1000000);
        headless::SetManualTick(5000);
        headless::SetManualCounter(123456789);
    }
    void TearDown() override {
        headless::UseManualClock(false);
        headless::SetManualFrequency(1000000);
    }

    // Moves both clocks by a time given in microseconds.
    static void Advance(std::int64_t microseconds, std::uint32_t tickMilliseconds) {
        headless::SetManualCounter(platform::HighResolutionCounter() + microseconds);
        headless::SetManualTick(platform::TickMilliseconds() + tickMilliseconds);
    }
};

TEST_F(TimerTest, WrappedMillisecondTickWithoutHighResolution) {
    headless::SetManualFrequency(0);
    headless::SetManualTick(0xFFFFFFF0u);
    QxTimer timer;
    EXPECT_FALSE(timer.HighResolution());
    headless::SetManualTick(0x10u);
    // 32 ms have passed; the wrapped reading counts one fewer.
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 0.031);
    headless::SetManualTick(0xFFFFFFFAu);
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 0.010);
}

TEST_F(TimerTest, CounterThatDisagreesByHundredSecondsIsDistrusted) {
    QxTimer timer;
    EXPECT_TRUE(timer.HighResolution());
    Advance(99'000'000, 0); // 99 s apart: still trusted
    EXPECT_NEAR(timer.Elapsed(), 99.0, 1e-9);

    timer.Reset();
    Advance(100'000'000, 5); // 99.995 s apart: trusted
    EXPECT_NEAR(timer.Elapsed(), 100.0, 1e-9);

    timer.Reset();
    Advance(100'005'000, 5); // exactly 100 s apart: the tick wins
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 0.005);

    timer.Reset();
    Advance(-300'000'000, 7); // a counter that jumped back
    EXPECT_DOUBLE_EQ(timer.Elapsed(), 0.007);
}

TEST_F(TimerTest, HugePauseSaturatesTheTick) {
    headless::SetManualFrequency(0);
    QxTimer timer;
    QxInputQueue queue;
    headless::SetManualTick(platform::TickMilliseconds() + 0xFFFFFFF0u);
    ASSERT_TRUE(QueueFrameTick(timer, queue));
    EXPECT_EQ(queue.Front().value, 0xFFFFFFFFu);
}

} // namespace
