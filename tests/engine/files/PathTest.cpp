#include <gtest/gtest.h>

#include "engine/files/QxPath.h"

namespace {

std::pair<std::string, std::string> Split(const std::string& path) {
    std::string folder = "stale", file = "stale";
    SplitPath(path, folder, file);
    return {folder, file};
}

TEST(SplitPath, CutsAfterTheLastSeparator) {
    using P = std::pair<std::string, std::string>;
    EXPECT_EQ(Split("common/sounds/jazz.wav"), (P{"common/sounds/", "jazz.wav"}));
    EXPECT_EQ(Split("levels\\one.lvl"), (P{"levels\\", "one.lvl"}));
    EXPECT_EQ(Split("C:file.txt"), (P{"C:", "file.txt"}));
    EXPECT_EQ(Split("folder/"), (P{"folder/", ""}));
    EXPECT_EQ(Split("name.ent"), (P{"", "name.ent"}));
    EXPECT_EQ(Split(""), (P{"", ""}));
    // The first character is never taken as the separator.
    EXPECT_EQ(Split("/root.txt"), (P{"", "/root.txt"}));
}

TEST(FileNames, CompareIgnoringCaseAndSlashKind) {
    EXPECT_EQ(CompareFileNames("Common/Sounds/A.WAV", "common\\sounds\\a.wav"), 0);
    EXPECT_LT(CompareFileNames("abc", "abcd"), 0);
    EXPECT_GT(CompareFileNames("b", "A"), 0);
    EXPECT_TRUE(FileNameEndsWith("scenes/Menu.ENT", ".ent"));
    EXPECT_TRUE(FileNameEndsWith("x", ""));
    EXPECT_FALSE(FileNameEndsWith("ent", ".ent"));
}

} // namespace
