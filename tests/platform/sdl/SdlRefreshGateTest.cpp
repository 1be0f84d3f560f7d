// The gate between the game's 100 pictures a second and a display's refresh: one picture
// per display period, and a picture held back is never lost.

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/sdl/SdlRefreshGate.h"

namespace {

using platform::sdl::RefreshGate;

constexpr std::uint64_t kMicro = 1000000; // counter ticks per second

// A second of 10 ms frames, each with a new picture, and the loop's wait halfway between
// them: how many pictures reach the window, and how many periods got two.
struct Shown {
    int pictures = 0;
    int doubled = 0;
};
Shown RunSecond(RefreshGate& gate, std::uint64_t period) {
    Shown shown;
    std::uint64_t lastSlot = UINT64_MAX;
    auto show = [&](std::uint64_t now) {
        ++shown.pictures;
        shown.doubled += period != 0 && now / period == lastSlot;
        lastSlot = period != 0 ? now / period : 0;
    };
    for (std::uint64_t now = 3; now < kMicro; now += 10000) {
        if (gate.Offer(now))
            show(now);
        const std::uint64_t wait = now + std::min<std::uint64_t>(gate.UntilDue(now), 9000);
        if (gate.TakeDue(wait))
            show(wait);
    }
    return shown;
}

TEST(SdlRefreshGate, ShowsOnePicturePerPeriodOfASlowDisplayAndAllOnAFastOne) {
    RefreshGate gate;
    gate.SetRate(60, kMicro);
    Shown shown = RunSecond(gate, kMicro / 60);
    EXPECT_GE(shown.pictures, 59);
    EXPECT_LE(shown.pictures, 61);
    EXPECT_EQ(shown.doubled, 0);

    gate.SetRate(0, kMicro); // unknown: as 60 Hz
    EXPECT_LE(RunSecond(gate, kMicro / 60).pictures, 61);

    gate.SetRate(144, kMicro); // every 10 ms picture can be seen
    EXPECT_EQ(RunSecond(gate, 0).pictures, 100);
}

TEST(SdlRefreshGate, APictureHeldBackGoesOutWhenTheNextPeriodBegins) {
    RefreshGate gate;
    gate.SetRate(50, kMicro); // periods of 20 ms
    EXPECT_TRUE(gate.Offer(40000));
    EXPECT_FALSE(gate.Offer(50000)) << "same period";
    EXPECT_TRUE(gate.Waiting());
    EXPECT_EQ(gate.UntilDue(50000), 10000u);
    EXPECT_FALSE(gate.TakeDue(59999));
    EXPECT_TRUE(gate.TakeDue(60000));
    EXPECT_FALSE(gate.TakeDue(61000)) << "shown once";
    EXPECT_EQ(gate.UntilDue(61000), UINT64_MAX);
    // A whole redraw shows what waited.
    EXPECT_FALSE(gate.Offer(70000));
    gate.Shown(70000);
    EXPECT_FALSE(gate.Waiting());
}

} // namespace
