#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "app/AppTestFolder.h"
#include "app/GameSettings.h"
#include "app/QxGlobals.h"
#include "app/QxWin32SettingsManager.h"

namespace {

namespace fs = std::filesystem;

class SettingsTest : public HeadlessHomeTest {
protected:
    QxWin32SettingsManager manager_{"Quillfern Studio", "Rondelix"};
};

TEST_F(SettingsTest, FirstRunReadsDefaultsAndStartUpWritesAllFourValues) {
    GameSettings record;
    std::string name;
    LoadSettings(record, name, &manager_);
    EXPECT_EQ(record.fullScreen, 1u);
    EXPECT_EQ(record.musicOn, 1u);
    EXPECT_EQ(record.showHints, 1u);
    EXPECT_EQ(name, "");

    SaveSettings(record, name, &manager_);

    QxWin32SettingsManager later("Quillfern Studio", "Rondelix");
    later.OpenDefault();
    EXPECT_EQ(later.KeyPath(), "Software\\Quillfern Studio\\Rondelix");
    std::uint32_t value = 7;
    std::string text = "unchanged";
    EXPECT_TRUE(later.GetInt("Full Screen", value));
    EXPECT_EQ(value, 1u);
    EXPECT_TRUE(later.GetInt("Music On", value));
    EXPECT_TRUE(later.GetInt("Show Hints", value));
    EXPECT_TRUE(later.GetString("Last Highscore Name", text));
    EXPECT_EQ(text, "");
}

TEST_F(SettingsTest, MusicOffFromAnEarlierRunIsReadBack) {
    manager_.OpenDefault();
    ASSERT_TRUE(manager_.SetInt("Music On", 0));
    ASSERT_TRUE(manager_.SetString("Last Highscore Name", "Ada"));

    GameSettings record;
    std::string name;
    LoadSettings(record, name, &manager_);
    EXPECT_EQ(record.musicOn, 0u);
    EXPECT_EQ(record.fullScreen, 1u);
    EXPECT_EQ(record.showHints, 1u);
    EXPECT_EQ(name, "Ada");
}

TEST_F(SettingsTest, MissingOrWronglyTypedValuesLeaveFieldsAlone) {
    manager_.OpenDefault();
    ASSERT_TRUE(manager_.SetString("Full Screen", "yes")); // a string where a number belongs
    GameSettings record{0, 0, 0};
    std::string name = "Kept";
    LoadSettings(record, name, &manager_);
    EXPECT_EQ(record.fullScreen, 0u);
    EXPECT_EQ(record.musicOn, 0u);
    EXPECT_EQ(record.showHints, 0u);
    EXPECT_EQ(name, "Kept");
}

TEST_F(SettingsTest, GetStringAcceptsAtMost1024BytesWithTerminator) {
    manager_.OpenDefault();
    std::string fits(1023, 'x');
    std::string tooLong(1024, 'y');
    ASSERT_TRUE(manager_.SetString("Fits", fits));
    ASSERT_TRUE(manager_.SetString("TooLong", tooLong));

    std::string out = "before";
    EXPECT_TRUE(manager_.GetString("Fits", out));
    EXPECT_EQ(out, fits);
    out = "before";
    EXPECT_FALSE(manager_.GetString("TooLong", out));
    EXPECT_EQ(out, "before");
}

TEST_F(SettingsTest, ValuesSurviveAnyTextAndFloatsTravelAsBits) {
    manager_.OpenDefault();
    const std::string awkward = "tab\there\nnew line\\back\rslash";
    ASSERT_TRUE(manager_.SetString("Awkward", awkward));
    ASSERT_TRUE(manager_.SetFloat("Volume", 1.5f));
    ASSERT_TRUE(manager_.SetBool("Flag", true));
    ASSERT_TRUE(manager_.SetSignedInt("Offset", -2));

    QxWin32SettingsManager other("Quillfern Studio", "Rondelix");
    other.OpenDefault();
    std::string text;
    float volume = 0.0f;
    std::uint32_t bits = 0;
    EXPECT_TRUE(other.GetString("awkward", text)); // names ignore letter case
    EXPECT_EQ(text, awkward);
    EXPECT_TRUE(other.GetFloat("Volume", volume));
    EXPECT_EQ(volume, 1.5f);
    EXPECT_TRUE(other.GetInt("Volume", bits));
    EXPECT_EQ(bits, 0x3FC00000u);
    EXPECT_TRUE(other.GetInt("Flag", bits));
    EXPECT_EQ(bits, 1u);
    EXPECT_TRUE(other.GetInt("Offset", bits));
    EXPECT_EQ(bits, 0xFFFFFFFEu);
}

TEST_F(SettingsTest, KeyIsOpenOnlyDuringOneAccess) {
    manager_.OpenDefault();
    EXPECT_FALSE(manager_.IsOpen());
    EXPECT_TRUE(manager_.SetInt("Full Screen", 0));
    EXPECT_FALSE(manager_.IsOpen());
    EXPECT_FALSE(manager_.CloseKey()); // nothing left open
}

TEST_F(SettingsTest, RootsKeepSeparateValues) {
    manager_.OpenDefault();
    manager_.UseMachineRoot();
    ASSERT_TRUE(manager_.SetInt("Shared", 5));
    manager_.UseUserRoot();
    std::uint32_t value = 9;
    EXPECT_FALSE(manager_.GetInt("Shared", value));
    EXPECT_EQ(value, 9u);
    manager_.SetRoot(platform::RegistryRoot::LocalMachine);
    EXPECT_TRUE(manager_.GetInt("Shared", value));
    EXPECT_EQ(value, 5u);
}

TEST_F(SettingsTest, SubKeysAreListedAndOnlyLeafKeysDeleted) {
    manager_.OpenSection("Beta");
    EXPECT_EQ(manager_.KeyPath(), "Software\\Quillfern Studio\\Quillfern Studio\\Beta");
    ASSERT_TRUE(manager_.SetInt("x", 1));
    manager_.OpenSection("Alpha\\Deep");
    ASSERT_TRUE(manager_.SetInt("y", 2));

    manager_.OpenKey("Quillfern Studio", "Quillfern Studio");
    std::vector<std::string> names;
    ASSERT_TRUE(manager_.ListSubKeys(names));
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta"}));

    EXPECT_FALSE(manager_.DeleteKey("Alpha")); // still has a sub-key
    EXPECT_TRUE(manager_.DeleteKey("Beta"));
    EXPECT_FALSE(manager_.DeleteKey("Beta"));
    ASSERT_TRUE(manager_.ListSubKeys(names));
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha"}));
}

TEST_F(SettingsTest, DamagedRegistryFileIsReadAsFarAsItMakesSense) {
    fs::create_directories(home_);
    {
        std::ofstream out(platform::headless::RegistryFilePath(), std::ios::binary);
        out << "U\torphan\t1\n"
            << "K\tHKEY_CURRENT_USER\\Software\\Quillfern Studio\\Rondelix\n"
            << "U\tFull Screen\tnot a number\n"
            << "U\tMusic On\t0\n"
            << "garbage without tabs\n"
            << std::string("\0\0\t\t\t", 5) << "\n"
            << "S\tLast Highscore Name\tBob";
    }
    QxSettingsManager* previous = g_settingsManager;
    g_settingsManager = &manager_; // the log lives in the user data folder
    GameSettings record;
    std::string name;
    LoadSettings(record, name, &manager_);
    EXPECT_EQ(record.fullScreen, 1u);
    EXPECT_EQ(record.musicOn, 0u);
    EXPECT_EQ(name, "Bob");

    // One line says what happened, however often the file is read meanwhile.
    LoadSettings(record, name, &manager_);
    std::ifstream in(manager_.UserDataFolder("") + "log.txt", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    g_settingsManager = previous;
    EXPECT_EQ(log, "Registry - 4 damaged line(s) in " + platform::headless::RegistryFilePath() +
                       " were skipped.\r\n");

    // The next change writes a clean file that keeps every value that was readable.
    SaveSettings(record, name, &manager_);
    QxWin32SettingsManager later("Quillfern Studio", "Rondelix");
    later.OpenDefault();
    std::uint32_t music = 1;
    EXPECT_TRUE(later.GetInt("Music On", music));
    EXPECT_EQ(music, 0u);
    EXPECT_FALSE(fs::exists(platform::headless::RegistryFilePath() + ".tmp"));
}

TEST_F(SettingsTest, NumbersMustBeWholeUnsigned32BitDecimals) {
    fs::create_directories(home_);
    {
        std::ofstream out(platform::headless::RegistryFilePath(), std::ios::binary);
        out << "K\tHKEY_CURRENT_USER\\Software\\Quillfern Studio\\Rondelix\n"
            << "U\tFull Screen\t-1\n"
            << "U\tMusic On\t4294967296\n"
            << "U\tShow Hints\t 0\n";
    }
    GameSettings record;
    std::string name;
    LoadSettings(record, name, &manager_);
    EXPECT_EQ(record.fullScreen, 1u);
    EXPECT_EQ(record.musicOn, 1u);
    EXPECT_EQ(record.showHints, 1u);
}

// ---- data folders ---------------------------------------------------------------------

class DataFolderTest : public SettingsTest {};

TEST_F(DataFolderTest, PathIsPlatformFolderMakerProductAndName) {
    std::string platformFolder = home_ + "/appdata";
    platform::headless::OverrideSpecialFolder(platform::SpecialFolder::UserApplicationData,
                                              platformFolder);
    std::string path = manager_.UserDataFolder("");
    EXPECT_EQ(path, platformFolder + "/Quillfern Studio/Rondelix/");
    EXPECT_TRUE(fs::is_directory(path));

    EXPECT_EQ(manager_.UserDataFolder("saves/"),
              platformFolder + "/Quillfern Studio/Rondelix/saves/");
}

TEST_F(DataFolderTest, PlatformFolderEndingInASeparatorGetsNoSecondOne) {
    std::string slash = home_ + "/common/";
    platform::headless::OverrideSpecialFolder(platform::SpecialFolder::CommonApplicationData,
                                              slash);
    EXPECT_EQ(manager_.CommonDataFolder("x"), slash + "Quillfern Studio/Rondelix/x/");

    std::string backslash = home_ + "/win\\";
    platform::headless::OverrideSpecialFolder(platform::SpecialFolder::CommonApplicationData,
                                              backslash);
    std::string path = manager_.CommonDataFolder("");
    EXPECT_EQ(path, backslash + "Quillfern Studio/Rondelix/");
    EXPECT_TRUE(fs::is_directory(path));
}

TEST_F(DataFolderTest, NestedNamesAreCreatedWithEveryMissingParent) {
    std::string path = manager_.UserDataFolder("one/two\\three/four");
    EXPECT_EQ(path, home_ + "/user-data/Quillfern Studio/Rondelix/one/two\\three/four/");
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(manager_.UserDataFolder("one/two\\three/four"), path); // exists: still fine

    std::string common = manager_.CommonDataFolder("");
    EXPECT_EQ(common, home_ + "/common-data/Quillfern Studio/Rondelix/");
    EXPECT_TRUE(fs::is_directory(common));
}

TEST_F(DataFolderTest, WithoutAPlatformFolderThePathStaysRelativeToTheName) {
    platform::headless::OverrideSpecialFolder(platform::SpecialFolder::UserApplicationData, "");
    std::string named = home_ + "/plain";
    EXPECT_EQ(manager_.UserDataFolder(named), named + "/");
    EXPECT_TRUE(fs::is_directory(named));
    // Never the file system's root.
    EXPECT_EQ(manager_.UserDataFolder(""), "./");
}

TEST_F(DataFolderTest, UncreatableFolderStillYieldsItsPath) {
    std::string blocker = home_ + "/file";
    std::ofstream(blocker) << "x";
    platform::headless::OverrideSpecialFolder(platform::SpecialFolder::UserApplicationData,
                                              blocker);
    std::string path = manager_.UserDataFolder("logs");
    EXPECT_EQ(path, blocker + "/Quillfern Studio/Rondelix/logs/");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(CreateFolderWithParents(path));
    EXPECT_TRUE(CreateFolderWithParents(home_ + "/a/b/c"));
    EXPECT_FALSE(CreateFolderWithParents(""));
}

} // namespace
