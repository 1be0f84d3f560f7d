// Keys below the settings key in the registry file: listed by name, removed only when empty.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/AppTestFolder.h"
#include "app/QxWin32SettingsManager.h"

namespace {

using SettingsKeys = HeadlessHomeTest;

TEST_F(SettingsKeys, SubKeysAreListedWithoutCaseAndOnlyEmptyOnesDeleted) {
    QxWin32SettingsManager settings("Maker", "Game");
    for (const char* key : {"Game\\scores", "Game\\Players", "Game\\Players\\Ada", "Game\\Audio",
                            "Gamer", "Game\\Audio\\x\\deep"}) {
        settings.OpenKey("Maker", key);
        ASSERT_TRUE(settings.SetInt("made", 1)) << key;
    }
    settings.OpenDefault();
    std::vector<std::string> names;
    ASSERT_TRUE(settings.ListSubKeys(names));
    EXPECT_EQ(names, (std::vector<std::string>{"Audio", "Players", "scores"}));
    EXPECT_FALSE(settings.DeleteKey("Players")); // Ada lies below it
    EXPECT_FALSE(settings.DeleteKey("Missing"));
    EXPECT_FALSE(settings.DeleteKey("Players\\Ada"));
    EXPECT_TRUE(settings.DeleteKey("SCORES"));
    ASSERT_TRUE(settings.ListSubKeys(names));
    EXPECT_EQ(names, (std::vector<std::string>{"Audio", "Players"}));
}

} // namespace
