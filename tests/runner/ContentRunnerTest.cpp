// The real data set in the real game, through the headless runner: the menu's buttons
// and keys reach the settings and a game, Escape comes back, and every screen on the
// way is a full picture. Also: the content builder gives the same archive bytes every
// time.

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "content/ContentTestSupport.h"
#include "engine/screen/QxPng.h"
#include "runner/RunProgram.h"
#include "support/TestFiles.h"

namespace {

using namespace contenttest;

using runnertest::RunProgram;
using runnertest::RunResult;
using testsupport::ReadText;

// The pixels of a saved frame as distinct colours; 0 when it cannot be read.
size_t DistinctColours(const std::string& png) {
    std::vector<std::uint16_t> pixels;
    int width = 0, height = 0;
    if (!LoadPng(png, &pixels, &width, &height)) {
        return 0;
    }
    return std::set<std::uint16_t>(pixels.begin(), pixels.end()).size();
}

// The pixels of a saved frame below the main menu's burning title (its fire ends at
// y 100, content/data/ui/menu/mainmenu.ent); empty when it cannot be read.
std::vector<std::uint16_t> BelowTheTitle(const std::string& png) {
    constexpr int kFireBottom = 100;
    std::vector<std::uint16_t> pixels;
    int width = 0, height = 0;
    if (!LoadPng(png, &pixels, &width, &height) || height <= kFireBottom) {
        return {};
    }
    pixels.erase(pixels.begin(), pixels.begin() + std::ptrdiff_t(width) * kFireBottom);
    return pixels;
}

class ContentRunnerTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string archive = ArchivePath();
        runner_ = (ProgramFolder() / "rondelix-headless").string();
        std::error_code ec;
        if (archive.empty() || !std::filesystem::is_regular_file(runner_, ec)) {
            GTEST_SKIP() << "no built archive or runner";
        }
        folder_ = testsupport::FreshFolder("content");
        data_ = folder_ + "/data";
        std::filesystem::create_directories(data_, ec);
        std::filesystem::copy_file(archive, data_ + "/Rondelix.qxa", ec);
        ASSERT_FALSE(ec) << ec.message();
    }

    // Runs the game on the data set for `frames` frames of `dt` ms (20 unless given)
    // with the script; answers the runner's report. The shots are saved into the
    // test's folder.
    RunResult Run(int frames, const std::string& script,
                  const std::map<int, std::string>& shots = {}, int dt = 20) {
        const std::string input = folder_ + "/input.txt";
        std::ofstream(input, std::ios::trunc) << script;
        const std::string home = folder_ + "/home";
        std::error_code ec;
        std::filesystem::remove_all(home, ec);
        std::vector<std::string> arguments = {"--data",   data_,
                                              "--home",   home,
                                              "--dt",     std::to_string(dt),
                                              "--frames", std::to_string(frames),
                                              "--input",  input};
        for (const auto& [frame, name] : shots) {
            arguments.push_back("--shot");
            arguments.push_back(std::to_string(frame) + ":" + folder_ + "/" + name);
        }
        return RunProgram(runner_, arguments);
    }

    std::string Log() const {
        return ReadText(folder_ + "/home/user-data/Quillfern Studio/Rondelix/log.txt");
    }

    std::string Registry() const { return ReadText(folder_ + "/home/registry.txt"); }

    static std::string Click(int frame, int x, int y) {
        return std::to_string(frame) + " move " + std::to_string(x) + " " + std::to_string(y) +
               "\n" + std::to_string(frame) + " down\n" + std::to_string(frame + 1) + " up\n";
    }

    std::string runner_;
    std::string folder_;
    std::string data_;
};

// Where the menu's buttons are (content/data/ui/menu/mainmenu.ent) and when: with
// 20 ms frames the loading bar is full after about 360 frames and each page roll
// takes about 52 frames.
constexpr int kMenuShown = 450;
constexpr int kButtonStep = 38;
constexpr int kPlayY = 162, kPlayMyLevelsY = kPlayY + kButtonStep;
constexpr int kSettingsY = kPlayY + 5 * kButtonStep, kQuitY = kPlayY + 7 * kButtonStep;

TEST_F(ContentRunnerTest, SettingsToggleAndEscapeKeepsTheOldValue) {
    // Open the settings, flip "Music and sound" off, leave with Escape.
    const std::string open = Click(kMenuShown, 330, kSettingsY);
    const RunResult settings = Run(kMenuShown + 70, open, {{kMenuShown + 70, "settings.png"}});
    EXPECT_EQ(settings.values.at("scene"), "PyxSettingsMenu");
    EXPECT_GT(DistinctColours(folder_ + "/settings.png"), 300u);

    const std::string toggled = open + Click(kMenuShown + 80, 430, 160);
    Run(kMenuShown + 84, toggled,
        {{kMenuShown + 80, "before.png"}, {kMenuShown + 84, "after.png"}});
    EXPECT_NE(ReadText(folder_ + "/before.png"), ReadText(folder_ + "/after.png"))
        << "the switch did not change";

    const std::string escaped = toggled + std::to_string(kMenuShown + 90) + " key Escape\n";
    const RunResult back = Run(kMenuShown + 160, escaped);
    EXPECT_EQ(back.values.at("scene"), "PyxMainMenu");
    EXPECT_NE(Registry().find("Music On\t1"), std::string::npos) << Registry();

    // The same with OK stores the new value.
    const std::string confirmed = toggled + Click(kMenuShown + 90, 320, 340);
    const RunResult stored = Run(kMenuShown + 160, confirmed);
    EXPECT_EQ(stored.values.at("scene"), "PyxMainMenu");
    EXPECT_NE(Registry().find("Music On\t0"), std::string::npos) << Registry();
}

TEST_F(ContentRunnerTest, TheKeyboardSetsTheVolumesAndEscapeAtAnyStepKeepsThem) {
    // Keys alone: the settings (down five from Play), then from the full-screen switch
    // two down to the music's softer key, pressed twice (80), and two on to the
    // effects' softer key, pressed once (90).
    const std::string walk = "1 key Space\n60 key Down\n61 key Down\n62 key Down\n"
                             "63 key Down\n64 key Down\n65 key Enter\n";
    const std::vector<std::string> steps = {"120 key Down",  "121 key Down", "122 key Enter",
                                            "123 key Enter", "124 key Down", "125 key Down",
                                            "126 key Enter"};
    std::string script = walk;
    for (const std::string& step : steps) {
        script += step + "\n";
        const int next = std::stoi(step) + 1;
        const RunResult left = Run(next + 60, script + std::to_string(next) + " key Escape\n");
        EXPECT_EQ(left.values.at("scene"), "PyxMainMenu") << step;
        EXPECT_NE(Registry().find("Music Volume\t100\n"), std::string::npos) << step;
        EXPECT_NE(Registry().find("Effects Volume\t100\n"), std::string::npos) << step;
    }
    // The music's key has the focus from frame 121 on; only its bar moves after that.
    const RunResult shown = Run(127, script, {{121, "before.png"}, {123, "after.png"}});
    EXPECT_EQ(shown.values.at("scene"), "PyxSettingsMenu");
    EXPECT_NE(ReadText(folder_ + "/before.png"), ReadText(folder_ + "/after.png"))
        << "the bar did not change";

    // On past the effects' louder key and the hint switch to OK.
    script += "127 key Down\n128 key Down\n129 key Down\n130 key Enter\n";
    const RunResult stored = Run(200, script);
    EXPECT_EQ(stored.values.at("scene"), "PyxMainMenu");
    EXPECT_NE(Registry().find("Music Volume\t80\n"), std::string::npos) << Registry();
    EXPECT_NE(Registry().find("Effects Volume\t90\n"), std::string::npos) << Registry();
    EXPECT_NE(Registry().find("Show Hints\t1\n"), std::string::npos) << Registry();
}

TEST_F(ContentRunnerTest, EscapeOnTheMenuAsksBeforeQuitting) {
    const std::string ask = std::to_string(kMenuShown) + " key Escape\n";
    const RunResult asked = Run(kMenuShown + 5, ask, {{kMenuShown + 5, "ask.png"}});
    EXPECT_EQ(asked.values.at("scene"), "PyxMainMenu");
    // "No" leaves the menu as it was; "Yes" (the Y key) quits before the last frame.
    const RunResult no = Run(kMenuShown + 20, ask + std::to_string(kMenuShown + 10) + " key N\n");
    EXPECT_EQ(no.values.at("frames"), std::to_string(kMenuShown + 20));
    const RunResult yes = Run(kMenuShown + 20, ask + std::to_string(kMenuShown + 10) + " key Y\n");
    EXPECT_LT(std::stoi(yes.values.at("frames")), kMenuShown + 20);
}

TEST_F(ContentRunnerTest, TheKeyboardPlaysAGameAndLeavesIt) {
    // Keys alone, frames of 20 ms (a key skips the loading bar, a page roll takes about
    // 52 frames): the settings (down five from Play) turn hints off (down six from the
    // full-screen switch, past the sound switch and the volume keys), so that no hint
    // comes between the quit question and its answer; then Play, Escape and the default
    // answer (Yes).
    std::string walk = "1 key Space\n60 key Down\n61 key Down\n62 key Down\n63 key Down\n"
                       "64 key Down\n65 key Enter\n";
    for (int frame = 120; frame < 126; ++frame) {
        walk += std::to_string(frame) + " key Down\n";
    }
    walk += "126 key Enter\n127 key Down\n128 key Enter\n184 key Enter\n244 key Escape\n";
    const RunResult game = Run(245, walk, {{59, "play.png"}, {62, "focus.png"}});
    EXPECT_EQ(game.values.at("scene"), "PyxStdGame");
    EXPECT_EQ(game.values.at("state"), "Playing");
    EXPECT_NE(Registry().find("Show Hints\t0"), std::string::npos) << Registry();
    // The focus is seen to move.
    EXPECT_NE(BelowTheTitle(folder_ + "/play.png"), BelowTheTitle(folder_ + "/focus.png"));

    const RunResult left = Run(300, walk + "245 key Enter\n");
    EXPECT_EQ(left.values.at("scene"), "PyxMainMenu");
    EXPECT_EQ(left.values.at("state"), "none");
    // Escape answers No: the game goes on.
    const RunResult stayed = Run(300, walk + "245 key Escape\n");
    EXPECT_EQ(stayed.values.at("scene"), "PyxStdGame");
    EXPECT_EQ(stayed.values.at("state"), "Playing");
}

TEST_F(ContentRunnerTest, HoveringOverTheButtonsLeavesNoTrace) {
    // The pointer passes over every button, back to Play (the focus stays on the button
    // the pointer last passed over) and leaves; the screen must be what it was (each
    // state's picture covers the same rectangle, glow and shadow included). The title
    // burns above the buttons and changes every frame: it is left out.
    std::string script = std::to_string(kMenuShown - 10) + " move 600 300\n";
    int frame = kMenuShown + 5;
    for (int y = kPlayY; y <= kQuitY; y += kButtonStep, frame += 3) {
        script += std::to_string(frame) + " move 320 " + std::to_string(y) + "\n";
    }
    script += std::to_string(frame) + " move 320 " + std::to_string(kPlayY) + "\n";
    frame += 3;
    script += std::to_string(frame) + " move 600 300\n";
    Run(frame + 10, script,
        {{kMenuShown, "still.png"}, {kMenuShown + 6, "hover.png"}, {frame + 10, "after.png"}});
    const std::vector<std::uint16_t> still = BelowTheTitle(folder_ + "/still.png");
    ASSERT_FALSE(still.empty());
    EXPECT_NE(still, BelowTheTitle(folder_ + "/hover.png"));
    EXPECT_EQ(still, BelowTheTitle(folder_ + "/after.png"));
}

TEST_F(ContentRunnerTest, PlayMyLevelsIsTheSecondButtonForTheMouseAndTheKeys) {
    const RunResult clicked = Run(kMenuShown + 70, Click(kMenuShown, 320, kPlayMyLevelsY));
    EXPECT_EQ(clicked.values.at("scene"), "PyxPlayMyLevels") << Log();
    // The focus starts on Play; one step down is the player's levels, and Escape there
    // goes back to the menu.
    const RunResult keyed = Run(130, "1 key Space\n60 key Down\n61 key Enter\n");
    EXPECT_EQ(keyed.values.at("scene"), "PyxPlayMyLevels") << Log();
    const RunResult back = Run(200, "1 key Space\n60 key Down\n61 key Enter\n130 key Escape\n");
    EXPECT_EQ(back.values.at("scene"), "PyxMainMenu") << Log();
}

TEST_F(ContentRunnerTest, TheTitleBurnsTheSameWayForTheSameSeed) {
    const std::string script = std::to_string(kMenuShown - 10) + " move 600 300\n";
    const std::map<int, std::string> shots = {{kMenuShown, "first.png"},
                                              {kMenuShown + 1, "next.png"}};
    Run(kMenuShown + 2, script, shots);
    const std::string first = ReadText(folder_ + "/first.png");
    const std::string next = ReadText(folder_ + "/next.png");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, next) << "the fire moves from one frame to the next";
    EXPECT_EQ(BelowTheTitle(folder_ + "/first.png"), BelowTheTitle(folder_ + "/next.png"))
        << "and nothing but the fire";

    // The loading thread and the menu draw from the one generator; with the same seed
    // and frame time the same frames come out, fire and all.
    std::filesystem::rename(folder_ + "/first.png", folder_ + "/first-before.png");
    std::filesystem::rename(folder_ + "/next.png", folder_ + "/next-before.png");
    Run(kMenuShown + 2, script, shots);
    EXPECT_EQ(ReadText(folder_ + "/first-before.png"), ReadText(folder_ + "/first.png"));
    EXPECT_EQ(ReadText(folder_ + "/next-before.png"), ReadText(folder_ + "/next.png"));
}

TEST_F(ContentRunnerTest, PlayWithADamagedLevelListStaysInTheMenuAndSaysWhy) {
    // The list in "Resources/" comes before the archive's: its header is sound, its
    // first entry is cut short.
    std::string list;
    for (const std::uint32_t word : {12u, 1u, 0u, 0u, 0u, 12u, 40u}) {
        for (int i = 0; i < 4; ++i) {
            list += static_cast<char>((word >> (8 * i)) & 0xFF);
        }
    }
    std::filesystem::create_directories(data_ + "/Resources/levels");
    std::ofstream(data_ + "/Resources/levels/rondelix.lst", std::ios::binary) << list + "lev";

    const int last = kMenuShown + 60;
    const std::string script = std::to_string(kMenuShown - 10) + " move 600 300\n" +
                               Click(kMenuShown, 320, kPlayY) + std::to_string(kMenuShown + 5) +
                               " move 600 300\n";
    const RunResult run = Run(last, script, {{kMenuShown - 1, "menu.png"}, {last, "told.png"}});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.values.at("scene"), "PyxMainMenu");
    EXPECT_EQ(run.values.at("frames"), std::to_string(last));
    EXPECT_NE(BelowTheTitle(folder_ + "/menu.png"), BelowTheTitle(folder_ + "/told.png"))
        << "no message over the menu";
    EXPECT_NE(Log().find("rondelix.lst - damaged after 0 of 12 entries"), std::string::npos)
        << Log();
}

TEST(ContentBuildTest, SameSourcesGiveTheSameArchive) {
    const std::string builder = (ProgramFolder() / "contentbuild").string();
    const std::string sources = ContentSourceFolder();
    std::error_code ec;
    if (sources.empty() || !std::filesystem::is_regular_file(builder, ec)) {
        GTEST_SKIP() << "no content builder or sources";
    }
    const std::string folder = testsupport::FreshFolder("content");
    std::string archives[2];
    for (int i = 0; i < 2; ++i) {
        const std::string stage = folder + "/stage" + std::to_string(i);
        archives[i] = folder + "/Rondelix" + std::to_string(i) + ".qxa";
        const RunResult built = RunProgram(builder, {sources, stage, archives[i]});
        ASSERT_EQ(built.exitCode, 0);
    }
    const std::string first = ReadText(archives[0]);
    EXPECT_GT(first.size(), 1000000u);
    EXPECT_TRUE(first == ReadText(archives[1]));
}

} // namespace
