#include <gtest/gtest.h>

#include "app/QxMain.h"

TEST(Main, RunsAndExitsCleanly) { EXPECT_EQ(RondelixMain(), 0); }
