#include <gtest/gtest.h>

#include "engine/files/QxPath.h"

namespace {

TEST(FileNames, CompareIgnoringCaseAndSlashKind) {
    EXPECT_EQ(CompareFileNames("Common/Sounds/A.WAV", "common\\sounds\\a.wav"), 0);
    EXPECT_LT(CompareFileNames("abc", "abcd"), 0);
    EXPECT_GT(CompareFileNames("b", "A"), 0);
    EXPECT_TRUE(FileNameEndsWith("scenes/Menu.ENT", ".ent"));
    EXPECT_TRUE(FileNameEndsWith("x", ""));
    EXPECT_FALSE(FileNameEndsWith("ent", ".ent"));
}

} // namespace
