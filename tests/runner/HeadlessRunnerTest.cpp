// The headless runner as a program: scripted menu navigation over the small data set,
// what it reports, frame pictures, and a recording that replays to the same frames.

#include <filesystem>
#include <string>

#include "app/GameTestSupport.h"
#include "content/ContentTestSupport.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxHighScoreTable.h"
#include "engine/screen/QxPng.h"
#include "runner/RunProgram.h"

namespace {

using namespace gametest;

using runnertest::RunResult;

class HeadlessRunnerTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshFolder("");
        data_ = folder_ + "/data";
        WriteMenuDataSet(data_);
    }

    RunResult Run(const std::vector<std::string>& arguments) const {
        return runnertest::RunProgram((contenttest::ProgramFolder() / "rondelix-headless").string(),
                                      arguments);
    }

    std::string Script(const std::string& name, const std::string& text) const {
        const std::string path = folder_ + "/" + name;
        WriteFile(path, text);
        return path;
    }

    // A click on the named button of the data set, pressed in `frame`, released in the
    // next.
    static std::string ClickAt(int frame, const std::string& button) {
        const QxPoint p = ButtonCentre(button);
        return std::to_string(frame) + " move " + std::to_string(p.x) + " " + std::to_string(p.y) +
               "\n" + std::to_string(frame) + " down\n" + std::to_string(frame + 1) + " up\n";
    }

    std::string folder_;
    std::string data_;
};

// The loading bar fills in about 480 frames of 10 ms and the page roll takes about
// 100 more, so the main menu takes clicks from frame 700 on.
constexpr int kMenuReady = 700;

TEST_F(HeadlessRunnerTest, ReplayGivesTheSameFramesAndTheSameEnd) {
    const std::string script = Script(
        "game.txt", ClickAt(kMenuReady, "Settings") + "760 activate 0\n" + "770 activate 1\n" +
                        ClickAt(800, "FullScreenToggle") + ClickAt(810, "OK") + "900 char x\n" +
                        "905 wheel -2\n" + "950 key F7\n");
    const std::string record = folder_ + "/game.rec";
    const std::vector<int> frames = {650, 765, 812, 900, 1000};
    std::vector<std::string> first = {"--data", data_, "--input", script, "--record", record,
                                      "--seed", "99",  "--dt",    "16",   "--frames", "1000"};
    std::vector<std::string> second = {"--data", data_, "--replay", record};
    for (int frame : frames) {
        first.push_back("--shot");
        first.push_back(std::to_string(frame) + ":" + folder_ + "/a" + std::to_string(frame) +
                        ".png");
        second.push_back("--shot");
        second.push_back(std::to_string(frame) + ":" + folder_ + "/b" + std::to_string(frame) +
                         ".png");
    }
    RunResult played = Run(first);
    ASSERT_EQ(played.exitCode, 0) << played.output;
    RunResult replayed = Run(second);
    ASSERT_EQ(replayed.exitCode, 0) << replayed.output;
    EXPECT_EQ(played.output, replayed.output);
    EXPECT_EQ(replayed.values["frames"], "1000");
    for (int frame : frames) {
        const std::string a = ReadFile(folder_ + "/a" + std::to_string(frame) + ".png");
        const std::string b = ReadFile(folder_ + "/b" + std::to_string(frame) + ".png");
        ASSERT_FALSE(a.empty()) << frame;
        EXPECT_TRUE(a == b) << "frame " << frame;
    }
    // The recording holds the ticks (16 ms frames carry 160) and the wheel's turn, kind
    // 13 after the first twelve, as its unsigned 32-bit value.
    EXPECT_NE(ReadFile(record).find("\n2 event 1 160\n"), std::string::npos);
    EXPECT_NE(ReadFile(record).find("\n905 event 13 4294967056\n"), std::string::npos);
}

TEST_F(HeadlessRunnerTest, UnreadableScoresAreKeptBesideTheNewTable) {
    const std::string home = folder_ + "/home";
    const std::string scores = home + "/common-data/Quillfern Studio/Rondelix/Scores.rd";
    std::filesystem::create_directories(std::filesystem::path(scores).parent_path());
    const std::string damaged = "not a table, but a player's scores all the same";
    WriteFile(scores, damaged);
    WriteFile(scores + ".damaged", "an earlier copy");

    RunResult run = Run({"--data", data_, "--home", home, "--frames", "20"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(ReadFile(scores + ".damaged"), "an earlier copy");
    EXPECT_EQ(ReadFile(scores + ".damaged2"), damaged);
    QxHighScoreTable table;
    EXPECT_TRUE(table.Load(scores, PyxHighScore()));
    const std::string log = ReadFile(home + "/user-data/Quillfern Studio/Rondelix/log.txt");
    EXPECT_NE(log.find("High scores damaged (checksum): " + scores + "; the old file is kept as " +
                       scores + ".damaged2\r\n"),
              std::string::npos)
        << log;
}

TEST_F(HeadlessRunnerTest, WithNothingWritableInTheHomeStandardErrorSaysSoOnce) {
    // Folders where the files would go: neither the settings nor the log can be
    // written, whoever runs the test.
    const std::string home = folder_ + "/home";
    const std::string log = home + "/user-data/Quillfern Studio/Rondelix/log.txt";
    std::filesystem::create_directories(home + "/registry.txt.tmp");
    std::filesystem::create_directories(log);

    RunResult run = Run({"--data", data_, "--home", home, "--frames", "20"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string told = "Settings - could not be written: Full Screen, Music On, Last "
                             "Highscore Name, Show Hints, Music Volume, Effects Volume (the "
                             "log " +
                             log + " cannot be written either)\n";
    EXPECT_EQ(run.output.find("Settings"), run.output.find(told)) << run.output;
    EXPECT_EQ(run.output.rfind("Settings"), run.output.find(told)) << run.output;
    EXPECT_NE(run.output.find(told), std::string::npos) << run.output;
}

TEST_F(HeadlessRunnerTest, DamagedDataIsOneLineEachInALogWithoutBlankLines) {
    // An archive whose second directory entry is cut off, and an image list that
    // promises more images than it holds, used by two sprites.
    std::string archive = "0AXQ";
    archive += std::string("\x01\0\0", 3) + std::string(4, '\0') + std::string("\x02\0\0\0", 4);
    archive += std::string("\x03\0\0\0", 4) + "a.t" + std::string(8, '\0') + std::string(2, '\x7F');
    WriteFile(data_ + "/broken.qxa", archive);
    WriteFile(data_ + "/gui/spin.imst", std::string("IMST\x02\0\0\0\x05\0\0\0\0\0\0\0", 16));
    WriteFile(data_ + "/gui/spin.ent", "class animsprite\ntype spin\nimage gui/spin.imst\n");
    WriteFile(data_ + "/gui/spin2.ent", "class animsprite\ntype spin2\nimage gui/spin.imst\n");
    // And Play without a level list, which the log reports.
    WriteBoardDataSet(data_);
    const std::string home = folder_ + "/home";
    const std::string script = Script("play.txt", ClickAt(kMenuReady, "StandardGame"));
    RunResult run = Run({"--data", data_, "--home", home, "--input", script, "--frames",
                         std::to_string(kMenuReady + 5)});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    const std::string log = ReadFile(home + "/user-data/Quillfern Studio/Rondelix/log.txt");
    auto count = [&log](const std::string& text) {
        std::size_t n = 0;
        for (std::size_t at = log.find(text); at != std::string::npos;
             at = log.find(text, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count("Damaged archive broken.qxa"), 1u) << log;
    EXPECT_EQ(count("Invalid image list: gui/spin.imst"), 1u) << log;
    EXPECT_EQ(count("Level list"), 1u) << log;
    EXPECT_EQ(count("\n\r\n"), 0u) << log;
}

// A level compiled from text by the level compiler beside the runner.
std::string CompileLevel(const std::string& folder, const std::string& text) {
    WriteFile(folder + "/level.txt", text);
    const std::string command = "'" + (contenttest::ProgramFolder() / "levelc").string() +
                                "' compile '" + folder + "/level.txt' '" + folder +
                                "/level.lvl' 2>&1";
    return std::system(command.c_str()) == 0 ? folder + "/level.lvl" : std::string();
}

TEST_F(HeadlessRunnerTest, FocusLossAfterModeSwitchesStopsTheGameAndComesBackPaused) {
    WriteBoardDataSet(data_);
    const std::string level = CompileLevel(folder_, SmallLevelText());
    ASSERT_FALSE(level.empty());
    const std::string home = folder_ + "/home";
    platform::headless::SetRoot(home);
    {
        QxWin32SettingsManager settings("Quillfern Studio", "Rondelix");
        settings.OpenDefault();
        settings.SetInt("Show Hints", 0);
    }
    platform::headless::SetRoot("");
    // Each F7 pauses the game and P resumes it; the switches have long settled when
    // the player leaves at frame 300.
    const std::string script =
        Script("focus.txt", "150 key F7\n160 key F7\n170 key p\n300 activate 0\n350 activate 1\n");
    RunResult run =
        Run({"--data", data_, "--home", home, "--level", level, "--input", script, "--frames",
             "360", "--shot", "240:" + folder_ + "/playing.png", "--shot",
             "310:" + folder_ + "/away1.png", "--shot", "340:" + folder_ + "/away2.png"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.values["state"], "Paused");
    const std::string away = ReadFile(folder_ + "/away1.png");
    ASSERT_FALSE(away.empty());
    EXPECT_TRUE(away == ReadFile(folder_ + "/away2.png")) << "the game ran on while away";
    EXPECT_FALSE(away == ReadFile(folder_ + "/playing.png")) << "the ball did not roll";
}

TEST_F(HeadlessRunnerTest, BadOptionsAndScriptsAreRefusedWithTheReason) {
    RunResult unknown = Run({"--speed", "3"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.output.find("unknown option --speed"), std::string::npos);

    RunResult slow = Run({"--dt", "5"});
    EXPECT_EQ(slow.exitCode, 2);

    const std::string level = CompileLevel(folder_, SmallLevelText());
    ASSERT_FALSE(level.empty());
    RunResult noScreen = Run({"--data", data_, "--level", level});
    EXPECT_EQ(noScreen.exitCode, 2);
    EXPECT_NE(noScreen.output.find("no game screen"), std::string::npos);

    const std::string bad = Script("bad.txt", "10 move 1 2\n12 jump\n");
    RunResult script = Run({"--data", data_, "--input", bad});
    EXPECT_EQ(script.exitCode, 2);
    EXPECT_NE(script.output.find("bad.txt:2: unknown command \"jump\""), std::string::npos);

    RunResult both = Run({"--record", "a", "--replay", "b"});
    EXPECT_EQ(both.exitCode, 2);

    // Without data the game ends cleanly at once.
    const std::string empty = folder_ + "/empty";
    std::filesystem::create_directories(empty);
    RunResult nothing = Run({"--data", empty});
    EXPECT_EQ(nothing.exitCode, 0);
    EXPECT_EQ(nothing.values["scene"], "");
    EXPECT_EQ(nothing.values["frames"], "0");
}

} // namespace
