// The real program on the real data set, through the headless runner: from the main
// menu into a game on the first level, the welcome hint, steering, pause, and a
// recorded game that replays to the same frames.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "content/BoardContentSupport.h"
#include "engine/screen/QxPng.h"

namespace boardcontent {
namespace {

// Frames of 16 ms: the main menu takes clicks from about frame 700 ("Play" is at 320,
// 178); the claw has put the ball down and the welcome hint is open by frame 1150.
constexpr const char* kIntoTheGame = "700 move 320 178\n"
                                     "700 down\n"
                                     "701 up\n"
                                     "1150 key Enter\n"
                                     "1160 move 500 300\n"
                                     "1200 key Right\n"
                                     "1240 keyup Right\n"
                                     "1260 key Down\n"
                                     "1300 keyup Down\n";

struct RunResult {
    int exitCode = -1;
    std::string output;
    std::map<std::string, std::string> values;
};

class BoardRunnerTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string archive = ArchivePath();
        if (archive.empty()) {
            GTEST_SKIP() << "Rondelix.qxa is missing: build the target \"content\"";
        }
        folder_ = FreshFolder();
        // A working folder holding the archive alone, as an installed game has it.
        std::filesystem::create_directories(folder_ + "/data");
        std::error_code ec;
        std::filesystem::create_symlink(archive, folder_ + "/data/Rondelix.qxa", ec);
        ASSERT_FALSE(ec) << ec.message();
    }

    static std::string Runner() {
        std::error_code ec;
        const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
        return (self.parent_path() / "rondelix-headless").string();
    }

    std::string File(const std::string& name, const std::string& text) const {
        const std::string path = folder_ + "/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    RunResult Start(std::vector<std::string> arguments) const {
        std::string command = "'" + Runner() + "' --data '" + folder_ + "/data' --dt 16";
        for (const std::string& argument : arguments)
            command += " '" + argument + "'";
        command += " 2>&1";
        RunResult run;
        std::FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return run;
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe))
            run.output += buffer;
        const int status = pclose(pipe);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::istringstream lines(run.output);
        for (std::string line; std::getline(lines, line);) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos)
                run.values[line.substr(0, equals)] = line.substr(equals + 1);
        }
        return run;
    }

    // Distinct colours over the board in a saved frame.
    static std::size_t BoardColours(const std::string& png) {
        std::vector<std::uint16_t> pixels;
        int width = 0, height = 0;
        if (!LoadPng(png, &pixels, &width, &height) || width < 464 || height < 464)
            return 0;
        std::set<std::uint16_t> colours;
        for (int y = 16; y < 464; y += 5)
            for (int x = 16; x < 464; x += 5)
                colours.insert(pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]);
        return colours.size();
    }

    std::string folder_;
};

TEST_F(BoardRunnerTest, AGameOnTheFirstLevelStartsFromTheMenuAndTheBallRolls) {
    const std::string input = File("in.txt", kIntoTheGame);
    const std::string shot = folder_ + "/game.png";
    RunResult run = Start({"--input", input, "--frames", "1400", "--shot", "1390:" + shot});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.values["scene"], "PyxStdGame");
    EXPECT_EQ(run.values["state"], "Playing");
    EXPECT_EQ(run.values["level"], "1");
    EXPECT_EQ(run.values["lives"], "3");
    EXPECT_GT(BoardColours(shot), 40u) << "the board is not drawn";
}

TEST_F(BoardRunnerTest, PauseStopsTheBoardAndTheClock) {
    const std::string input = File("in.txt", std::string(kIntoTheGame) + "1400 key P\n");
    const std::string first = folder_ + "/first.png", second = folder_ + "/second.png";
    RunResult run = Start({"--input", input, "--frames", "1500", "--shot", "1420:" + first,
                           "--shot", "1500:" + second});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.values["state"], "Paused");
    std::vector<std::uint16_t> a, b;
    int w = 0, h = 0;
    ASSERT_TRUE(LoadPng(first, &a, &w, &h));
    ASSERT_TRUE(LoadPng(second, &b, &w, &h));
    ASSERT_EQ(a.size(), b.size());
    // The board and the clock stand still (the mascot in its window may breathe on).
    for (int y = 0; y < 232; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(a[std::size_t(y * w + x)], b[std::size_t(y * w + x)]) << x << ", " << y;
    for (int y = 232; y < 464; ++y)
        for (int x = 16; x < 464; ++x)
            ASSERT_EQ(a[std::size_t(y * w + x)], b[std::size_t(y * w + x)]) << x << ", " << y;
}

TEST_F(BoardRunnerTest, ARecordedGameOnTheFirstLevelReplaysIdentically) {
    const std::string input = File("in.txt", std::string(kIntoTheGame) + "1500 key Up\n");
    const std::string record = folder_ + "/game.rec";
    const std::string played = folder_ + "/played.png", replayed = folder_ + "/replayed.png";
    RunResult first = Start({"--input", input, "--frames", "1900", "--seed", "5", "--record",
                             record, "--shot", "1900:" + played});
    ASSERT_EQ(first.exitCode, 0) << first.output;
    RunResult again = Start({"--replay", record, "--shot", "1900:" + replayed});
    ASSERT_EQ(again.exitCode, 0) << again.output;
    EXPECT_EQ(first.values, again.values);
    std::vector<std::uint16_t> a, b;
    int w = 0, h = 0;
    ASSERT_TRUE(LoadPng(played, &a, &w, &h));
    ASSERT_TRUE(LoadPng(replayed, &b, &w, &h));
    EXPECT_EQ(a, b);
}

} // namespace
} // namespace boardcontent
