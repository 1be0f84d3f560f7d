#include <gtest/gtest.h>

#include "platform/FrameLog.h"

namespace {

TEST(FrameLog, SummaryGivesPercentilesAndBucketsOfTheIntervals) {
    std::vector<double> intervals;
    for (int i = 0; i < 90; ++i)
        intervals.push_back(10.5);
    for (int i = 0; i < 9; ++i)
        intervals.push_back(16.0);
    intervals.push_back(60.0);
    EXPECT_EQ(platform::FrameLog::Summary(intervals),
              "frames 100 mean 11.490 ms p1 10.500 p50 10.500 p90 16.000 p99 60.000 max 60.000\n"
              "<10 ms 0 | 10-11 ms 90 | 11-12 ms 0 | 12-15 ms 0 | 15-20 ms 9 | 20-50 ms 0 | "
              ">=50 ms 1\n");
    EXPECT_EQ(platform::FrameLog::Summary({}), "frames 0\n");
}

} // namespace
