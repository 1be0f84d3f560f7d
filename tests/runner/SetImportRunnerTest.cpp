// A level set named on the game's command line, through the headless runner: it lands in
// the player's level folder of a fresh home and the game opens the player's sets once
// loaded; a file that is no set leaves the folder empty and the game at the main menu.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "content/ContentTestSupport.h"
#include "engine/files/QxArchiveWriter.h"
#include "engine/files/QxBuffer.h"
#include "runner/RunProgram.h"
#include "support/TestFiles.h"

namespace {

using namespace contenttest;
using runnertest::RunProgram;
using runnertest::RunResult;
using testsupport::ReadText;

class SetImportRunnerTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string archive = ArchivePath();
        runner_ = (ProgramFolder() / "rondelix-headless").string();
        std::error_code ec;
        if (archive.empty() || !std::filesystem::is_regular_file(runner_, ec)) {
            GTEST_SKIP() << "no built archive or runner";
        }
        folder_ = testsupport::FreshFolder("setimport");
        std::filesystem::create_directories(folder_ + "/data", ec);
        std::filesystem::copy_file(archive, folder_ + "/data/Rondelix.qxa", ec);
        ASSERT_FALSE(ec) << ec.message();
    }

    // The game started with the arguments; a key once loaded skips the loading bar.
    RunResult Run(const std::vector<std::string>& gameArguments) {
        const std::string input = folder_ + "/input.txt";
        std::ofstream(input, std::ios::trunc) << "2 key Enter\n";
        std::vector<std::string> arguments = {
            "--data", folder_ + "/data", "--home", Home(), "--frames", "10", "--input", input};
        arguments.insert(arguments.end(), gameArguments.begin(), gameArguments.end());
        return RunProgram(runner_, arguments);
    }

    std::string Home() const { return folder_ + "/home"; }
    std::string Levels() const { return Home() + "/user-data/Quillfern Studio/Rondelix/Levels/"; }
    std::string Log() const {
        return ReadText(Home() + "/user-data/Quillfern Studio/Rondelix/log.txt");
    }

    std::string runner_;
    std::string folder_;
};

TEST_F(SetImportRunnerTest, ASetNamedOnTheCommandLineIsTakenAndOpened) {
    QxArchiveWriter writer;
    ASSERT_TRUE(writer.AddEntry("set.lst", {1, 2, 3}));
    QxBuffer out;
    ASSERT_TRUE(writer.Write(out));
    const std::string set = folder_ + "/Shared Set.qxa";
    testsupport::WriteText(set, std::string(out.GetData(), out.GetData() + out.Tell()));

    const RunResult run = Run({set, "extra"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(ReadText(Levels() + "shared-set.qxa"), ReadText(set));
    const std::string log = Log();
    EXPECT_NE(log.find("Level set " + set + " copied to " + Levels() + "shared-set.qxa."),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("extra ignored"), std::string::npos) << log;
    // Until the scene of the player's sets is in the game, the main menu stands in.
    const bool standIn = log.find("PyxPlayMyLevels, mylevels is not in this game; the main "
                                  "menu instead.") != std::string::npos;
    EXPECT_EQ(run.values.at("scene"), standIn ? "PyxMainMenu" : "PyxPlayMyLevels") << log;

    const std::string text = folder_ + "/text.qxa";
    testsupport::WriteText(text, "not a set");
    std::filesystem::remove_all(Home());
    const RunResult refused = Run({text});
    ASSERT_EQ(refused.exitCode, 0) << refused.output;
    EXPECT_EQ(refused.values.at("scene"), "PyxMainMenu");
    EXPECT_NE(Log().find("Level set " + text + " not taken: it is not an archive."),
              std::string::npos)
        << Log();
    EXPECT_TRUE(std::filesystem::is_empty(Levels()));
}

} // namespace
