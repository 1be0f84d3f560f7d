#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

TEST_F(SettingsTest, FirstRunWritesAllFourValuesAndALaterRunReadsWhatChanged) {
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

    // Music turned off and a name of any text, read back by the next run.
    const std::string awkward = "tab\there\nnew line\\back\rslash";
    ASSERT_TRUE(later.SetInt("Music On", 0));
    ASSERT_TRUE(later.SetString("Last Highscore Name", awkward));
    QxWin32SettingsManager next("Quillfern Studio", "Rondelix");
    LoadSettings(record, name, &next);
    EXPECT_EQ(record.musicOn, 0u);
    EXPECT_EQ(record.fullScreen, 1u);
    EXPECT_EQ(record.showHints, 1u);
    EXPECT_EQ(name, awkward);
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
            << "U\tShow Hints\t 0\n"
            << "S\tLast Highscore Name\t7\n";
    }
    GameSettings record{0, 0, 0};
    std::string name = "Kept";
    LoadSettings(record, name, &manager_);
    EXPECT_EQ(record.fullScreen, 0u);
    EXPECT_EQ(record.musicOn, 0u);
    EXPECT_EQ(record.showHints, 0u);
    EXPECT_EQ(name, "7");
}

// The two volumes: kept by the next run, full for settings written before they existed,
// and full again, with a line in the log, when a player has spoilt one.
TEST_F(SettingsTest, VolumesRoundTripAndOlderOrDamagedOnesReadAsFull) {
    GameSettings record;
    std::string name;
    record.musicVolume = 30;
    record.effectsVolume = 0;
    SaveSettings(record, name, &manager_);
    GameSettings read;
    QxWin32SettingsManager next("Quillfern Studio", "Rondelix");
    LoadSettings(read, name, &next);
    EXPECT_EQ(read.musicVolume, 30u);
    EXPECT_EQ(read.effectsVolume, 0u);

    fs::create_directories(home_);
    const std::string key = "K\tHKEY_CURRENT_USER\\Software\\Quillfern Studio\\Rondelix\n";
    {
        std::ofstream out(platform::headless::RegistryFilePath(), std::ios::binary);
        out << key << "U\tFull Screen\t0\nU\tMusic On\t1\nU\tShow Hints\t1\n";
    }
    GameSettings older;
    older.musicVolume = older.effectsVolume = 40; // what an earlier read may have left
    LoadSettings(older, name, &manager_);
    EXPECT_EQ(older.fullScreen, 0u);
    EXPECT_EQ(older.musicVolume, 40u) << "a missing value leaves the field";
    EXPECT_EQ(GameSettings{}.musicVolume, 100u);
    EXPECT_EQ(GameSettings{}.effectsVolume, 100u);

    {
        std::ofstream out(platform::headless::RegistryFilePath(), std::ios::binary);
        out << key << "U\tMusic Volume\t101\nS\tEffects Volume\tloud\n";
    }
    QxSettingsManager* previous = g_settingsManager;
    g_settingsManager = &manager_; // the log lives in the user data folder
    GameSettings damaged;
    damaged.musicVolume = damaged.effectsVolume = 40;
    LoadSettings(damaged, name, &manager_);
    std::ifstream in(manager_.UserDataFolder("") + "log.txt", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    g_settingsManager = previous;
    EXPECT_EQ(damaged.musicVolume, 100u);
    EXPECT_EQ(damaged.effectsVolume, 100u);
    EXPECT_EQ(log, "Settings - \"Music Volume\" is 101, above 100; full volume is used.\r\n"
                   "Settings - \"Effects Volume\" is not a number; full volume is used.\r\n");
}

// A section below the program's key holds values of every kind; the machine-wide root
// keeps its own.
TEST_F(SettingsTest, ASectionHoldsValuesOfEveryKind) {
    manager_.OpenDefault();
    manager_.OpenSection("Window");
    ASSERT_TRUE(manager_.SetFloat("Scale", 1.5f));
    ASSERT_TRUE(manager_.SetBool("Maximised", true));
    ASSERT_TRUE(manager_.SetSignedInt("Left", -20));
    float scale = 0;
    std::uint32_t value = 0;
    EXPECT_TRUE(manager_.GetFloat("Scale", scale));
    EXPECT_EQ(scale, 1.5f);
    EXPECT_TRUE(manager_.GetInt("Maximised", value));
    EXPECT_EQ(value, 1u);
    EXPECT_TRUE(manager_.GetInt("Left", value));
    EXPECT_EQ(std::int32_t(value), -20);
    manager_.UseMachineRoot();
    manager_.OpenDefault();
    EXPECT_FALSE(manager_.GetInt("Full Screen", value))
        << "the user's values are not the machine's";
    manager_.UseUserRoot();
}

// ---- data folders ---------------------------------------------------------------------

class DataFolderTest : public SettingsTest {};

TEST_F(DataFolderTest, PathIsPlatformFolderMakerProductAndNameMadeWithItsParents) {
    // The platform folder, with or without its own separator, or none at all.
    const std::string plain = home_ + "/plain/one";
    const struct {
        std::string platformFolder, name, expected;
    } cases[] = {
        {home_ + "/appdata", "a/b\\c", home_ + "/appdata/Quillfern Studio/Rondelix/a/b\\c/"},
        {home_ + "/win\\", "", home_ + "/win\\Quillfern Studio/Rondelix/"},
        {"", plain, plain + "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.platformFolder);
        platform::headless::OverrideSpecialFolder(platform::SpecialFolder::UserApplicationData,
                                                  c.platformFolder);
        const std::string path = manager_.UserDataFolder(c.name);
        EXPECT_EQ(path, c.expected);
        EXPECT_TRUE(fs::is_directory(path));
        EXPECT_EQ(manager_.UserDataFolder(c.name), path); // exists: still fine
    }
    // Never the file system's root.
    EXPECT_EQ(manager_.UserDataFolder(""), "./");
    EXPECT_EQ(manager_.CommonDataFolder(""), home_ + "/common-data/Quillfern Studio/Rondelix/");
}

} // namespace
