#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/AppTestFolder.h"
#include "app/GameSettings.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "app/QxMain.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/files/QxFileSystem.h"

namespace {

// Runs the program in the test's own empty folder, so it finds no game data there.
class MainTest : public HeadlessHomeTest {
protected:
    void SetUp() override {
        HeadlessHomeTest::SetUp();
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(home_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        HeadlessHomeTest::TearDown();
    }

private:
    std::filesystem::path previous_;
};

TEST_F(MainTest, FirstStartCreatesTheSettingsAndExitsCleanly) {
    g_gameSettings = GameSettings{};
    g_lastHighscoreName.clear();
    EXPECT_EQ(RondelixMain(), 0);
    EXPECT_EQ(g_settingsManager, nullptr);
    EXPECT_TRUE(g_inputQueue.Empty());

    QxWin32SettingsManager settings("Quillfern Studio", "Rondelix");
    settings.OpenDefault();
    std::uint32_t value = 0;
    std::string name = "x";
    EXPECT_TRUE(settings.GetInt("Full Screen", value));
    EXPECT_TRUE(settings.GetInt("Music On", value));
    EXPECT_TRUE(settings.GetInt("Show Hints", value));
    EXPECT_TRUE(settings.GetString("Last Highscore Name", name));

    std::ifstream log(settings.UserDataFolder("") + "log.txt", std::ios::binary);
    std::stringstream text;
    text << log.rdbuf();
    // Without data there is no loading scene, and the game ends at once.
    EXPECT_EQ(text.str(), "Rondelix started.\r\n"
                          "Init - LoadingScene.ent (class PyxLoadingScene, type loadingscene) is "
                          "missing; quitting.\r\n"
                          "Unable to open sound: common/sounds/jazz_rond_8bit.wav\n"
                          "Rondelix stopped.\r\n");
    EXPECT_EQ(CurrentFileSystem(), nullptr);
}

TEST_F(MainTest, SettingsOfAnEarlierRunAreReadAndKept) {
    {
        QxWin32SettingsManager settings("Quillfern Studio", "Rondelix");
        settings.OpenDefault();
        ASSERT_TRUE(settings.SetInt("Music On", 0));
        ASSERT_TRUE(settings.SetString("Last Highscore Name", "Grace"));
    }
    g_gameSettings = GameSettings{};
    g_lastHighscoreName.clear();
    EXPECT_EQ(RondelixMain(), 0);
    EXPECT_EQ(g_gameSettings.musicOn, 0u);
    EXPECT_EQ(g_lastHighscoreName, "Grace");

    QxWin32SettingsManager settings("Quillfern Studio", "Rondelix");
    settings.OpenDefault();
    std::uint32_t music = 1;
    EXPECT_TRUE(settings.GetInt("Music On", music));
    EXPECT_EQ(music, 0u);
    g_gameSettings = GameSettings{};
    g_lastHighscoreName.clear();
}

} // namespace
