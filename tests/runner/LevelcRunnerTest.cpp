// The level compiler as a program over a data folder: it reads the tile types there
// and, whether a level loads or not, leaves the folder exactly as it found it; a level
// that fails says why on its own output.

#include <filesystem>
#include <map>
#include <string>

#include "app/GameTestSupport.h"
#include "content/ContentTestSupport.h"
#include "runner/RunProgram.h"

namespace {

using namespace gametest;
using runnertest::RunProgram;
using runnertest::RunResult;

// Every file under the folder by its relative name, with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        files[std::filesystem::relative(entry.path(), folder).string()] =
            entry.is_regular_file() ? ReadFile(entry.path().string()) : "(folder)";
    }
    return files;
}

TEST(LevelcRunnerTest, DecompilingAgainstADataFolderNeverWritesIntoIt) {
    const std::string folder = FreshFolder("");
    const std::string data = folder + "/data";
    WriteBoardDataSet(data);
    const std::string levelc = (contenttest::ProgramFolder() / "levelc").string();
    const auto run = [&](const std::string& command, const std::string& from,
                         const std::string& to) {
        return RunProgram(levelc, {command, from, to, "--data", data});
    };
    const auto before = Snapshot(data);

    // A level whose tiles the data defines decompiles as before.
    WriteFile(folder + "/good.txt", SmallLevelText());
    ASSERT_EQ(run("compile", folder + "/good.txt", folder + "/good.lvl").exitCode, 0);
    RunResult good = run("decompile", folder + "/good.lvl", folder + "/good-back.txt");
    ASSERT_EQ(good.exitCode, 0) << good.output;
    EXPECT_NE(ReadFile(folder + "/good-back.txt").find("PyxBitmapTile floor"), std::string::npos);

    // A tile type of a known class that this data does not define (accepted when
    // compiled without data), and a file cut off in its second block.
    std::string foreign = SmallLevelText();
    foreign.replace(foreign.find("floor"), 5, "marble");
    WriteFile(folder + "/foreign.txt", foreign);
    ASSERT_EQ(
        RunProgram(levelc, {"compile", folder + "/foreign.txt", folder + "/foreign.lvl"}).exitCode,
        0);
    WriteFile(folder + "/cut.lvl", ReadFile(folder + "/good.lvl").substr(0, 40));

    for (const std::string name : {"foreign", "cut"}) {
        SCOPED_TRACE(name);
        const std::string text = folder + "/" + name + "-back.txt";
        RunResult failed = run("decompile", folder + "/" + name + ".lvl", text);
        EXPECT_EQ(failed.exitCode, 1);
        EXPECT_NE(failed.output.find("levelc: " + folder + "/" + name + ".lvl: "),
                  std::string::npos)
            << failed.output;
        if (name == "foreign") {
            EXPECT_NE(failed.output.find("marble"), std::string::npos) << failed.output;
        }
        EXPECT_FALSE(std::filesystem::exists(text));
    }
    EXPECT_EQ(Snapshot(data), before);
}

} // namespace
