// The registry and the data folders through the real Win32 calls, and the settings
// store on top of them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/GameSettings.h"
#include "app/QxWin32SettingsManager.h"
#include "platform/Platform.h"

namespace {

using platform::RegistryKey;
using platform::RegistryRoot;

// A key of its own below HKEY_CURRENT_USER for each test, removed afterwards.
class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        maker_ = "Rondelix Tests " + std::to_string(GetCurrentProcessId());
        product_ = info->name();
        path_ = "Software\\" + maker_ + "\\" + product_;
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + maker_).c_str()); }

    RegistryKey Open() {
        RegistryKey key = platform::kNoRegistryKey;
        EXPECT_TRUE(platform::RegistryCreateKey(RegistryRoot::CurrentUser, path_, key));
        return key;
    }

    std::string maker_;
    std::string product_;
    std::string path_;
};

TEST_F(RegistryTest, NumbersAndStringsRoundTripAndTypesAreKeptApart) {
    RegistryKey key = Open();
    ASSERT_NE(key, platform::kNoRegistryKey);
    EXPECT_TRUE(platform::RegistrySetUInt32(key, "Number", 0xDEADBEEF));
    EXPECT_TRUE(platform::RegistrySetString(key, "Text", "Ada Lovelace"));

    std::uint32_t number = 7;
    EXPECT_TRUE(platform::RegistryGetUInt32(key, "Number", number));
    EXPECT_EQ(number, 0xDEADBEEFu);
    std::string text = "unchanged";
    EXPECT_TRUE(platform::RegistryGetString(key, "Text", 1024, text));
    EXPECT_EQ(text, "Ada Lovelace");

    // A string is no number and a number no string; missing values fail alike, and
    // each failure leaves the out value as it was.
    number = 7;
    text = "unchanged";
    EXPECT_FALSE(platform::RegistryGetUInt32(key, "Text", number));
    EXPECT_FALSE(platform::RegistryGetString(key, "Number", 1024, text));
    EXPECT_FALSE(platform::RegistryGetUInt32(key, "Missing", number));
    EXPECT_FALSE(platform::RegistryGetString(key, "Missing", 1024, text));
    EXPECT_EQ(number, 7u);
    EXPECT_EQ(text, "unchanged");
    EXPECT_TRUE(platform::RegistryCloseKey(key));
}

TEST_F(RegistryTest, StringCapacityCountsTheTerminator) {
    RegistryKey key = Open();
    ASSERT_NE(key, platform::kNoRegistryKey);
    ASSERT_TRUE(platform::RegistrySetString(key, "Fits", std::string(1023, 'x')));
    ASSERT_TRUE(platform::RegistrySetString(key, "TooLong", std::string(1024, 'x')));
    ASSERT_TRUE(platform::RegistrySetString(key, "Empty", ""));

    std::string text;
    EXPECT_TRUE(platform::RegistryGetString(key, "Fits", 1024, text));
    EXPECT_EQ(text.size(), 1023u);
    text = "unchanged";
    EXPECT_FALSE(platform::RegistryGetString(key, "TooLong", 1024, text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_TRUE(platform::RegistryGetString(key, "Empty", 1024, text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(platform::RegistryCloseKey(key));
}

TEST_F(RegistryTest, SubKeysAreListedAndDeleted) {
    RegistryKey sub = platform::kNoRegistryKey;
    ASSERT_TRUE(platform::RegistryCreateKey(RegistryRoot::CurrentUser, path_ + "\\Alpha", sub));
    platform::RegistryCloseKey(sub);
    ASSERT_TRUE(platform::RegistryCreateKey(RegistryRoot::CurrentUser, path_ + "\\Beta", sub));
    platform::RegistryCloseKey(sub);

    RegistryKey key = Open();
    std::vector<std::string> names;
    EXPECT_TRUE(platform::RegistryListSubKeys(key, names));
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha", "Beta"}));
    EXPECT_TRUE(platform::RegistryDeleteSubKey(key, "Alpha"));
    EXPECT_FALSE(platform::RegistryDeleteSubKey(key, "Alpha"));
    names.clear();
    EXPECT_TRUE(platform::RegistryListSubKeys(key, names));
    EXPECT_EQ(names, (std::vector<std::string>{"Beta"}));
    EXPECT_TRUE(platform::RegistryCloseKey(key));
    EXPECT_FALSE(platform::RegistryCloseKey(platform::kNoRegistryKey));
}

TEST_F(RegistryTest, SettingsStartAtTheirDefaultsAndAreWrittenAsFourValues) {
    QxWin32SettingsManager manager(maker_, product_);
    GameSettings settings;
    std::string name = "before";
    manager.OpenDefault();
    std::uint32_t stored = 0;
    EXPECT_FALSE(manager.GetInt("Music On", stored)); // first run: nothing stored yet

    settings.musicOn = 0;
    name = "Grace";
    SaveSettings(settings, name, &manager);

    // The flags are stored as numbers, the name as a string.
    RegistryKey key = Open();
    std::uint32_t value = 7;
    EXPECT_TRUE(platform::RegistryGetUInt32(key, "Music On", value));
    EXPECT_EQ(value, 0u);
    std::string text;
    EXPECT_TRUE(platform::RegistryGetString(key, "Last Highscore Name", 64, text));
    EXPECT_EQ(text, "Grace");
    for (const char* flag : {"Full Screen", "Show Hints"}) {
        EXPECT_TRUE(platform::RegistryGetUInt32(key, flag, value)) << flag;
        EXPECT_EQ(value, 1u) << flag;
    }
    platform::RegistryCloseKey(key);

    GameSettings loaded;
    std::string loadedName;
    LoadSettings(loaded, loadedName, &manager);
    EXPECT_EQ(loaded.musicOn, 0u);
    EXPECT_EQ(loaded.fullScreen, 1u);
    EXPECT_EQ(loadedName, "Grace");
}

} // namespace
