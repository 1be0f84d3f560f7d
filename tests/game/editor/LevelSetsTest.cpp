// The player's level sets: made, filled and ordered, renamed and deleted with their
// high scores, and lists spoilt on disk read without harm.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/files/QxBuffer.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxHighScoreTable.h"
#include "game/editor/PyxLevelSets.h"
#include "game/editor/PyxMyLevels.h"
#include "support/ServiceFixture.h"

namespace {

namespace fs = std::filesystem;

class LevelSetsTest : public testsupport::ServiceFixture {
protected:
    LevelSetsTest() : ServiceFixture("levelsets", {false, false, false, false, false}) {}
    void SetUp() override {
        ServiceFixture::SetUp();
        folder_ = PyxMyLevelsFolder();
        for (const char* level : {"a.lvl", "b.lvl", "c.lvl"}) {
            testsupport::WriteText(folder_ + level, "level bytes");
        }
    }
    std::vector<std::string> Files(const std::string& name) const {
        std::vector<PyxLevelEntry> entries;
        std::string error;
        EXPECT_TRUE(PyxLevelSets(folder_).Read(name, entries, error)) << error;
        std::vector<std::string> files;
        for (const PyxLevelEntry& entry : entries) {
            files.push_back(entry.fileName);
        }
        return files;
    }
    std::string ListBytes(const std::vector<std::string>& files) const {
        PyxLevelList list;
        for (const std::string& file : files) {
            list.Entries().push_back({file, "Shown", "", 0});
        }
        QxBuffer bytes;
        EXPECT_TRUE(list.Write(bytes));
        return std::string(reinterpret_cast<const char*>(bytes.GetData()), bytes.Tell());
    }

    std::string folder_;
    std::string error_;
};

TEST_F(LevelSetsTest, ASetKeepsItsLevelsInTheOrderGiven) {
    const PyxLevelSets sets(folder_);
    ASSERT_TRUE(sets.Create("My Set", error_)) << error_;
    EXPECT_TRUE(fs::is_regular_file(folder_ + "my-set.lst"));
    EXPECT_FALSE(sets.Create("my set", error_)) << "one of that name is there";
    ASSERT_TRUE(sets.Create("../../Other", error_));
    EXPECT_TRUE(fs::is_regular_file(folder_ + "other.lst")) << "names never leave the folder";
    EXPECT_EQ(sets.List(), (std::vector<std::string>{"my-set", "other"}));

    for (const char* level : {"a.lvl", "b.lvl", "c.lvl"}) {
        ASSERT_TRUE(sets.Add("my-set", level, std::string("Level ") + level, error_)) << error_;
    }
    EXPECT_FALSE(sets.Add("my-set", "a.lvl", "again", error_));
    EXPECT_FALSE(sets.Add("my-set", "missing.lvl", "", error_));
    EXPECT_FALSE(sets.Add("my-set", "../levels/a.lvl", "", error_));
    EXPECT_FALSE(sets.Add("my-set", "my-set.lst", "", error_));
    EXPECT_EQ(Files("my-set"), (std::vector<std::string>{"a.lvl", "b.lvl", "c.lvl"}));

    ASSERT_TRUE(sets.Move("my-set", 0, 2, error_));
    EXPECT_EQ(Files("my-set"), (std::vector<std::string>{"b.lvl", "c.lvl", "a.lvl"}));
    ASSERT_TRUE(sets.Move("my-set", 2, 0, error_));
    EXPECT_EQ(Files("my-set"), (std::vector<std::string>{"a.lvl", "b.lvl", "c.lvl"}));
    ASSERT_TRUE(sets.Remove("my-set", 1, error_));
    EXPECT_FALSE(sets.Remove("my-set", 2, error_));
    EXPECT_FALSE(sets.Move("my-set", 0, 2, error_));
    EXPECT_EQ(Files("my-set"), (std::vector<std::string>{"a.lvl", "c.lvl"}));

    std::vector<PyxLevelEntry> entries;
    ASSERT_TRUE(sets.Read("my-set", entries, error_));
    EXPECT_EQ(entries[1].second, "Level c.lvl");
    entries.resize(kPyxMaxSetLevels + 1, entries[0]);
    EXPECT_FALSE(sets.Write("my-set", entries, error_)) << "a set holds at most 100";
}

TEST_F(LevelSetsTest, RenameTakesTheScoresAlongAndDeleteLeavesTheLevels) {
    const PyxLevelSets sets(folder_);
    ASSERT_TRUE(sets.Create("first", error_));
    ASSERT_TRUE(sets.Add("first", "a.lvl", "A", error_));
    QxHighScoreTable table;
    table.Insert(PyxHighScore("Ann", 700, 2), false);
    ASSERT_TRUE(sets.SaveScores("first", table));
    EXPECT_EQ(sets.ScoresPath("first"), folder_ + "first.rd");

    ASSERT_TRUE(sets.Create("taken", error_));
    EXPECT_FALSE(sets.Rename("first", "Taken", error_));
    EXPECT_FALSE(sets.Rename("missing", "new", error_));
    ASSERT_TRUE(sets.Rename("first", "Second!", error_)) << error_;
    EXPECT_FALSE(fs::exists(folder_ + "first.lst"));
    EXPECT_FALSE(fs::exists(folder_ + "first.rd"));
    EXPECT_EQ(Files("second"), std::vector<std::string>{"a.lvl"});
    QxHighScoreTable loaded;
    ASSERT_TRUE(sets.LoadScores("second", loaded));
    ASSERT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.Entry(0)->name, "Ann");

    ASSERT_TRUE(sets.Delete("second", error_));
    EXPECT_FALSE(fs::exists(folder_ + "second.lst"));
    EXPECT_FALSE(fs::exists(folder_ + "second.rd"));
    EXPECT_TRUE(fs::exists(folder_ + "a.lvl"));
    EXPECT_FALSE(sets.Delete("second", error_));
    EXPECT_EQ(sets.List(), std::vector<std::string>{"taken"});
}

TEST_F(LevelSetsTest, ASpoiltListIsReadSafelyAndNotWrittenOver) {
    const PyxLevelSets sets(folder_);
    const std::string whole = ListBytes({"a.lvl", "b.lvl", "c.lvl"});
    testsupport::WriteText(folder_ + "cut.lst", whole.substr(0, whole.size() - 10));
    std::vector<PyxLevelEntry> entries;
    EXPECT_FALSE(sets.Read("cut", entries, error_));
    EXPECT_NE(error_.find("damaged after 2 entries"), std::string::npos) << error_;
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_FALSE(sets.Add("cut", "c.lvl", "C", error_));
    EXPECT_EQ(testsupport::ReadText(folder_ + "cut.lst"), whole.substr(0, whole.size() - 10));

    testsupport::WriteText(folder_ + "junk.lst", "not a list at all");
    EXPECT_FALSE(sets.Read("junk", entries, error_));
    EXPECT_TRUE(entries.empty());
    testsupport::WriteText(folder_ + "paths.lst", ListBytes({"a.lvl", "../a.lvl", "/x.lvl"}));
    EXPECT_FALSE(sets.Read("paths", entries, error_));
    EXPECT_NE(error_.find("../a.lvl"), std::string::npos) << error_;
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].fileName, "a.lvl");
    EXPECT_FALSE(sets.Read("missing", entries, error_));
    EXPECT_NE(Log().find("Level set junk"), std::string::npos) << Log();
}

} // namespace
