// The game object's start-up and shutdown: the settings and the high-score table read
// and written, and the main function's exit code.

#include "app/GameTestSupport.h"
#include "app/QxMain.h"
#include "engine/files/QxArchiveWriter.h"
#include "engine/gui/PyxHighScore.h"
#include "platform/MessagePump.h"

namespace {

using namespace gametest;

class GameStartTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        WriteFile(DataFolder() + "LoadingScene.ent", "class PyxLoadingScene\ntype loadingscene\n");
    }

    // The settings store the game will use, for reading and writing around a run.
    QxWin32SettingsManager Settings() const {
        return QxWin32SettingsManager("Quillfern Studio", "Rondelix");
    }
};

TEST_F(GameStartTest, SettingsOfAnEarlierRunChooseTheModeAndTheSound) {
    {
        platform::headless::SetRoot(folder_ + "/home");
        QxWin32SettingsManager settings = Settings();
        settings.OpenDefault();
        ASSERT_TRUE(settings.SetInt("Full Screen", 1));
        ASSERT_TRUE(settings.SetInt("Music On", 0));
    }
    Start();
    EXPECT_TRUE(screen_->IsFullScreen());
    EXPECT_TRUE(sound_->SoundsDisabled());
}

// A first start: the screen, the sound, every class and every setting are there; the
// high scores of the folder are read at the start and written at shutdown.
TEST_F(GameStartTest, FirstStartMakesEverythingAndShutdownSavesTheScores) {
    {
        platform::headless::SetRoot(folder_ + "/home");
        QxWin32SettingsManager settings = Settings();
        QxHighScoreTable table;
        table.Insert(PyxHighScore("Ann", 500, 3), false);
        ASSERT_TRUE(table.Save(settings.CommonDataFolder("") + "Scores.rd"));
    }
    Start();
    EXPECT_TRUE(screen_->IsCursorHidden());
    ASSERT_EQ(g_highScoreTable.Count(), 1);
    EXPECT_EQ(g_highScoreTable.Entry(0)->name, "Ann");

    g_highScoreTable.Insert(PyxHighScore("Bob", 900, 4), false);
    g_gameSettings.showHints = 0;
    WaitForLoader();
    game_->Shutdown();
    started_ = false;
    EXPECT_EQ(g_registry, nullptr);
    EXPECT_EQ(game_->CurrentScene(), nullptr);
    EXPECT_FALSE(screen_->IsCursorHidden());

    QxWin32SettingsManager settings = Settings();
    QxHighScoreTable saved;
    ASSERT_TRUE(saved.Load(settings.CommonDataFolder("") + "Scores.rd", PyxHighScore()));
    ASSERT_EQ(saved.Count(), 2);
    EXPECT_EQ(saved.Entry(0)->name, "Bob");
    settings.OpenDefault();
    std::uint32_t hints = 1;
    EXPECT_TRUE(settings.GetInt("Show Hints", hints));
    EXPECT_EQ(hints, 0u);
}

// A level set a player was given, dropped beside the game's data, is not data: its
// definitions neither replace the game's nor add to them. Other archives stay data.
TEST_F(GameStartTest, ASharedLevelSetInTheWorkingFolderIsNotReadAsData) {
    const auto archive = [this](const std::string& name, bool asSet, const std::string& type) {
        QxArchiveWriter writer;
        const std::string text = "class PyxLoadingScene\ntype " + type + "\n";
        ASSERT_TRUE(writer.AddEntry("scenes/extra.ent", {text.begin(), text.end()}));
        ASSERT_TRUE(writer.AddEntry("scenes/" + type + ".ent", {text.begin(), text.end()}));
        if (asSet) {
            ASSERT_TRUE(writer.AddEntry("set.lst", {}));
        }
        ASSERT_TRUE(
            WriteWith(DataFolder() + name, [&](QxFile& file) { return writer.Write(file); }));
    };
    // The set sorts first, so as data its "scenes/extra.ent" would be the one read.
    archive("aset.qxa", true, "fromset");
    archive("zdata.qxa", false, "fromdata");
    Start();
    WaitForLoader();
    EXPECT_NE(g_registry->FindType("PyxLoadingScene", "fromdata"), nullptr);
    EXPECT_EQ(g_registry->FindType("PyxLoadingScene", "fromset"), nullptr);
    const std::string line =
        "aset.qxa is a shared level set, not game data; it is not read as data.";
    const std::string log = ReadLog();
    ASSERT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find(line), log.rfind(line)) << "one line for both threads";
}

// The whole program over the data folder, ended by a quit message with code 3.
TEST_F(GameStartTest, MainFunctionAnswersTheCodeOfTheQuitMessage) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(DataFolder());
    platform::PostQuit(3);
    bool loaded = false;
    QxMainHooks hooks;
    hooks.afterInit = [&loaded] {
        loaded = g_game != nullptr && g_game->IsBackgroundLoadStarted();
    };
    const int code = RondelixMain(hooks);
    std::filesystem::current_path(previous);
    EXPECT_EQ(code, 3);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(g_game, nullptr);
    EXPECT_EQ(g_registry, nullptr);
    EXPECT_TRUE(g_inputQueue.Empty());
}

} // namespace
