// The player's level folder: file names made from level names, the listing, and saves
// that either replace a level whole or leave the older file as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/editor/PyxMyLevels.h"
#include "game/field/PyxLevel.h"
#include "support/ServiceFixture.h"

namespace {

namespace fs = std::filesystem;

class MyLevelsTest : public testsupport::ServiceFixture {
protected:
    MyLevelsTest() : ServiceFixture("mylevels", {false, false, false, false, false}) {}

    static std::unique_ptr<PyxLevel> Named(const std::string& name) {
        auto level = std::make_unique<PyxLevel>();
        level->SetupGrid(2, 1, 56, 56, 16, 16);
        level->Properties().LevelName = name;
        return level;
    }
    static std::string NameIn(const std::string& path) {
        PyxLevel level;
        std::string error;
        EXPECT_TRUE(PyxReadLevelFile(path, level, error)) << error;
        return level.Properties().LevelName;
    }
    static bool Write(const std::string& path, const std::string& name, std::string& error) {
        return PyxWriteLevelFile(path, *Named(name), error);
    }
    static std::vector<std::string> Leftovers(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().extension() == ".tmp") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }
};

TEST_F(MyLevelsTest, FileNamesKeepLettersAndDigitsOnly) {
    EXPECT_EQ(PyxLevelFileName("My Level 2"), "my-level-2.lvl");
    EXPECT_EQ(PyxLevelFileName("../../etc"), "etc.lvl");
    EXPECT_EQ(PyxLevelFileName("C:\\Windows\\ win.ini "), "c-windows-win-ini.lvl");
    EXPECT_EQ(PyxLevelFileName(""), "level.lvl");
    EXPECT_EQ(PyxLevelFileName("?!* /"), "level.lvl");
    EXPECT_EQ(PyxLevelFileName("Ünïcode"), "n-code.lvl");
    EXPECT_EQ(PyxLevelFileName(std::string(200, 'Q')), std::string(40, 'q') + ".lvl");
    EXPECT_EQ(PyxLevelFileName(std::string(39, 'a') + " b"), std::string(39, 'a') + ".lvl");
}

TEST_F(MyLevelsTest, TheFolderIsMadeInTheUserDataFolderAndListsItsLevels) {
    const std::string folder = PyxMyLevelsFolder();
    EXPECT_EQ(folder, settings_->UserDataFolder("") + "Levels/");
    ASSERT_TRUE(fs::is_directory(folder));
    std::string error;
    ASSERT_TRUE(Write(folder + "b.lvl", "B", error)) << error;
    ASSERT_TRUE(Write(folder + "a.lvl", "A", error)) << error;
    testsupport::WriteText(folder + "notes.txt", "x");
    fs::create_directory(folder + "dir.lvl");
    EXPECT_EQ(PyxListLevelFiles(folder), (std::vector<std::string>{"a.lvl", "b.lvl"}));
    EXPECT_TRUE(PyxListLevelFiles(folder + "missing/").empty());

    g_settingsManager = nullptr;
    EXPECT_EQ(PyxMyLevelsFolder(), "");
}

TEST_F(MyLevelsTest, ASaveReplacesTheOlderFileWhole) {
    const std::string path = Root() + "/level.lvl";
    std::string error;
    ASSERT_TRUE(Write(path, "First", error)) << error;
    ASSERT_TRUE(Write(path, "Second", error)) << error;
    EXPECT_EQ(NameIn(path), "Second");
    EXPECT_TRUE(Leftovers(Root()).empty());
}

TEST_F(MyLevelsTest, AFailedSaveLeavesTheOlderFileAndNoTemporaryFile) {
    std::string error;
    // The level cannot take the place of a folder: the temporary file is written and
    // then has to go again.
    const std::string folder = Root() + "/taken.lvl";
    fs::create_directories(folder + "/inside");
    EXPECT_FALSE(Write(folder, "Lost", error));
    EXPECT_NE(error, "");
    EXPECT_TRUE(fs::is_directory(folder + "/inside"));
    EXPECT_TRUE(Leftovers(Root()).empty());
    EXPECT_NE(Log().find("taken.lvl"), std::string::npos) << Log();

    // No temporary file can be made beside an older level.
    const std::string path = Root() + "/kept.lvl";
    ASSERT_TRUE(Write(path, "Kept", error)) << error;
    fs::create_directories(path + ".tmp/blocked");
    EXPECT_FALSE(Write(path, "Lost", error));
    EXPECT_EQ(NameIn(path), "Kept");
    EXPECT_TRUE(fs::is_directory(path + ".tmp/blocked")) << "not ours to remove";

    EXPECT_FALSE(Write(Root() + "/no/such/folder/x.lvl", "Lost", error));
    EXPECT_FALSE(fs::exists(Root() + "/no"));
}

TEST_F(MyLevelsTest, AReadGivesTheLoadersReason) {
    const std::string path = Root() + "/broken.lvl";
    testsupport::WriteText(path, "not a level file");
    PyxLevel level;
    std::string error;
    EXPECT_FALSE(PyxReadLevelFile(path, level, error));
    EXPECT_EQ(error, level.ErrorText());
    EXPECT_NE(error, "");

    PyxLevel missing;
    EXPECT_FALSE(PyxReadLevelFile(Root() + "/missing.lvl", missing, error));
    EXPECT_NE(Log().find("missing.lvl"), std::string::npos) << Log();
}

} // namespace
