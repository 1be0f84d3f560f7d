// Whole frames of the real game on the headless binding: the update, the draw and the
// present of one frame, as the main loop runs them, over the built data set.
//
// - The busiest level (24) from its first frame after the page roll for 30 seconds of
//   play: the claw lowers the ball, the vortexes release a ball every 4 seconds until
//   seven roll at once, the gears turn and the award sparkles. Once with the dirty
//   areas the game marks, once with the whole screen marked dirty before every frame
//   (what a page roll or a window repaint costs).
// - The main menu with its fire, for 10 seconds.
// - Loading the whole data set from the archive: from the game object's Init to the
//   end of the loading thread.
//
// The game runs once per repetition; each frame's time is one iteration, so the
// figures are the mean frame and the counters the slowest one. The data set is the
// Rondelix.qxa beside this program (RONDELIX_DATA names another folder).

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxMain.h"
#include "app/QxRandom.h"
#include "engine/screen/QxScreen2D.h"
#include "game/screens/PyxOneLevelGame.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessMessages.h"
#include "platform/headless/HeadlessSound.h"

namespace {

namespace fs = std::filesystem;
namespace headless = platform::headless;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kPageRollFrames = 110; // the 1000 ms transition and a margin

fs::path DataArchive() {
    if (const char* folder = std::getenv("RONDELIX_DATA")) {
        return fs::path(folder) / "Rondelix.qxa";
    }
    std::error_code ec;
    return fs::read_symlink("/proc/self/exe", ec).parent_path() / "Rondelix.qxa";
}

// A working folder holding only the data set, and a home whose settings turn the hints
// off, so that no hint box stops the level.
struct Folders {
    fs::path work;
    fs::path home;
    bool ok = false;

    Folders() {
        const fs::path archive = DataArchive();
        std::error_code ec;
        const fs::path root = fs::temp_directory_path(ec) / "rondelix-bench-frame";
        fs::remove_all(root, ec);
        work = root / "work";
        home = root / "home";
        fs::create_directories(work, ec);
        fs::create_directories(home, ec);
        fs::create_symlink(archive, work / "Rondelix.qxa", ec);
        std::ofstream registry(home / "registry.txt");
        registry << "K\tHKEY_CURRENT_USER\n"
                    "K\tHKEY_CURRENT_USER\\\\Software\n"
                    "K\tHKEY_CURRENT_USER\\\\Software\\\\Quillfern Studio\n"
                    "K\tHKEY_CURRENT_USER\\\\Software\\\\Quillfern Studio\\\\Rondelix\n"
                    "U\tShow Hints\t0\n";
        ok = fs::exists(archive) && registry.good();
    }
    static const Folders& Get() {
        static const Folders folders;
        return folders;
    }
};

void WaitForLoading() {
    while (g_game != nullptr && g_game->IsBackgroundLoadStarted() &&
           !g_game->IsBackgroundLoadDone()) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

// What one run of the game measured.
struct Run {
    std::vector<double> frames; // seconds per timed frame
    double loading = 0.0;       // seconds from Init to the end of the loading thread
    bool ok = true;
};

// Runs the game as the headless runner does (manual clock, 10 ms frames, seed 1),
// optionally into level 24, and times frames first to last (counted from the first
// frame after loading).
Run RunGame(bool level24, bool wholeDirty, std::uint64_t first, std::uint64_t last) {
    const Folders& folders = Folders::Get();
    Run run;
    const fs::path previous = fs::current_path();
    fs::current_path(folders.work);
    headless::SetRoot(folders.home.string());
    headless::UseManualClock(true);
    headless::SetManualFrequency(1000000);
    headless::SetManualTick(0);
    headless::SetManualCounter(0);
    headless::ClearWindowMessages();
    headless::ClearIdleSteps();
    headless::SetRepeatingIdleStep(10000);

    const std::string levelFolder = (folders.home / "one-level").string() + "/";
    Clock::time_point initStart;
    Clock::time_point frameStart;
    QxMainHooks hooks;
    if (level24) {
        hooks.firstFolders.push_back(levelFolder);
    }
    hooks.afterConstruction = [&] {
        SeedRandom(1);
        initStart = Clock::now();
    };
    hooks.afterInit = [&] {
        WaitForLoading();
        run.loading = std::chrono::duration<double>(Clock::now() - initStart).count();
        if (!level24 || g_game == nullptr) {
            return;
        }
        std::vector<std::uint8_t> bytes;
        if (!PyxReadDataFile("levels/level24.lvl", bytes) ||
            !PyxPrepareOneLevelGame("level24.lvl", bytes, levelFolder).empty()) {
            run.ok = false;
            g_game->RequestQuit();
            return;
        }
        g_game->RequestScene("PyxStdGame", "stdgame", 0);
    };
    hooks.loop.beforeFrame = [&](std::uint64_t, QxInputQueue&) {
        if (wholeDirty && g_screen != nullptr) {
            g_screen->MarkDirty(QxRect{0, 640, 0, 480}, false);
        }
        frameStart = Clock::now();
    };
    hooks.loop.afterFrame = [&](std::uint64_t frame) {
        const Clock::time_point end = Clock::now();
        if (frame >= first) {
            run.frames.push_back(std::chrono::duration<double>(end - frameStart).count());
        }
        if (PyxGame* game = ThePyxGame()) {
            headless::AdvanceSound(game->FrameTime());
        }
        if (frame >= last && g_game != nullptr) {
            g_game->RequestQuit();
        }
    };
    RondelixMain(hooks);
    headless::ClearWindowMessages();
    headless::ClearIdleSteps();
    fs::current_path(previous);
    run.ok = run.ok && run.frames.size() == last - first + 1;
    return run;
}

void ReportFrames(benchmark::State& state, const Run& run) {
    size_t i = 0;
    for (auto _ : state) {
        state.SetIterationTime(run.frames[i % run.frames.size()]);
        ++i;
    }
    const double slowest = *std::max_element(run.frames.begin(), run.frames.end());
    state.counters["slowest_ms"] = slowest * 1000.0;
}

void Frames(benchmark::State& state, bool level24, bool wholeDirty, std::uint64_t count) {
    if (!Folders::Get().ok) {
        state.SkipWithError("no data set: build it or set RONDELIX_DATA");
        return;
    }
    const Run run = RunGame(level24, wholeDirty, kPageRollFrames + 1, kPageRollFrames + count);
    if (!run.ok) {
        state.SkipWithError("the game did not run its frames");
        return;
    }
    ReportFrames(state, run);
}

constexpr std::uint64_t kLevelFrames = 3000;
constexpr std::uint64_t kMenuFrames = 1000;

void BM_Frame_Level24(benchmark::State& state) {
    Frames(state, true, state.range(0) != 0, kLevelFrames);
}
BENCHMARK(BM_Frame_Level24)
    ->ArgName("whole_dirty")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(kLevelFrames)
    ->Unit(benchmark::kMicrosecond);

void BM_Frame_MainMenu(benchmark::State& state) {
    Frames(state, false, false, kMenuFrames);
}
BENCHMARK(BM_Frame_MainMenu)
    ->UseManualTime()
    ->Iterations(kMenuFrames)
    ->Unit(benchmark::kMicrosecond);

void BM_Load_DataSet(benchmark::State& state) {
    if (!Folders::Get().ok) {
        state.SkipWithError("no data set: build it or set RONDELIX_DATA");
        return;
    }
    for (auto _ : state) {
        const Run run = RunGame(false, false, 1, 1);
        state.SetIterationTime(run.loading);
    }
}
BENCHMARK(BM_Load_DataSet)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
