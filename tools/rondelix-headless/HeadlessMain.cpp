// rondelix-headless: runs the real game, frame by frame, on the headless binding with
// a fixed frame time and a fixed seed, feeding it scripted input, saving what the
// player would see after chosen frames, and recording or replaying a game's input.
// Arguments that are not options are the game's own command line (a level set to open).
// docs/headless-runner.md describes the options and the files.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "RunnerScript.h"
#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "app/QxMain.h"
#include "app/QxRandom.h"
#include "engine/entity/QxEntityBase.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "game/editor/PyxSetImport.h"
#include "game/screens/PyxGameReport.h"
#include "game/screens/PyxOneLevelGame.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessMessages.h"
#include "platform/headless/HeadlessSound.h"

namespace {

namespace headless = platform::headless;

constexpr std::uint64_t kDefaultFrames = 1000;

struct Options {
    std::string data;
    std::string home;
    std::optional<std::uint32_t> seed;
    std::optional<float> frameMs;
    std::optional<std::uint64_t> frames;
    std::string input;
    std::map<std::uint64_t, std::vector<std::string>> shots;
    std::string record;
    std::string replay;
    std::string level;
    std::vector<std::string> gameArguments;
};

int Usage(const std::string& problem) {
    if (!problem.empty()) {
        std::fprintf(stderr, "rondelix-headless: %s\n", problem.c_str());
    }
    std::fputs("usage: rondelix-headless [--data DIR] [--home DIR] [--seed N] [--dt MS]\n"
               "                         [--frames N] [--input FILE] [--shot FRAME:FILE.png]...\n"
               "                         [--record FILE | --replay FILE] [--level FILE]\n"
               "                         [SET.qxa]\n",
               stderr);
    return 2;
}

bool ParseUnsigned(const std::string& text, std::uint64_t limit, std::uint64_t& value) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    try {
        value = std::stoull(text);
    } catch (const std::exception&) {
        return false;
    }
    return value <= limit;
}

// Empty when the options are sound, else what is wrong.
std::string ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option.rfind("--", 0) != 0) {
            options.gameArguments.push_back(option);
            continue;
        }
        if (i + 1 >= argc) {
            return option + " needs a value";
        }
        const std::string value = argv[++i];
        std::uint64_t number = 0;
        if (option == "--data") {
            options.data = value;
        } else if (option == "--home") {
            options.home = value;
        } else if (option == "--seed") {
            if (!ParseUnsigned(value, 0xFFFFFFFFull, number)) {
                return "--seed takes a number from 0 to 4294967295";
            }
            options.seed = static_cast<std::uint32_t>(number);
        } else if (option == "--dt") {
            float ms = 0.0f;
            try {
                ms = std::stof(value);
            } catch (const std::exception&) {
                ms = 0.0f;
            }
            // Below 10 ms the loop would never see a frame due; above a minute is
            // no frame time.
            if (!(ms >= 10.0f && ms <= 60000.0f)) {
                return "--dt takes milliseconds from 10 to 60000";
            }
            options.frameMs = ms;
        } else if (option == "--frames") {
            if (!ParseUnsigned(value, 100000000ull, number)) {
                return "--frames takes a number of frames";
            }
            options.frames = number;
        } else if (option == "--input") {
            options.input = value;
        } else if (option == "--shot") {
            const std::size_t colon = value.find(':');
            if (colon == std::string::npos ||
                !ParseUnsigned(value.substr(0, colon), 100000000ull, number) || number == 0 ||
                colon + 1 == value.size()) {
                return "--shot takes FRAME:FILE.png";
            }
            options.shots[number].push_back(value.substr(colon + 1));
        } else if (option == "--record") {
            options.record = value;
        } else if (option == "--replay") {
            options.replay = value;
        } else if (option == "--level") {
            options.level = value;
        } else {
            return "unknown option " + option;
        }
    }
    if (!options.record.empty() && !options.replay.empty()) {
        return "--record and --replay exclude each other";
    }
    return {};
}

std::string Absolute(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.string();
}

std::string FreshHome() {
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path candidate =
            base /
            ("rondelix-headless-" + std::to_string(std::rand()) + "-" + std::to_string(attempt));
        if (std::filesystem::create_directories(candidate, ec)) {
            return candidate.string();
        }
    }
    return (base / "rondelix-headless").string();
}

QxWin32Screen2D* Screen() {
    return dynamic_cast<QxWin32Screen2D*>(g_screen);
}

void PostScript(const InputScript& script, std::uint64_t frame) {
    const std::vector<ScriptMessage>* messages = script.MessagesFor(frame);
    if (messages == nullptr) {
        return;
    }
    for (const ScriptMessage& m : *messages) {
        headless::PostWindowMessage(Screen(), m.message, m.first, m.second);
    }
}

// The level file as the only level of the game. Empty when that worked, else what went
// wrong.
std::string PrepareOneLevelGame(const std::string& level, const std::string& folder) {
    std::ifstream in(level, std::ios::binary);
    if (!in.is_open()) {
        return "the level " + level + " cannot be read";
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    if (in.bad()) {
        return "the level " + level + " cannot be read";
    }
    return PyxPrepareOneLevelGame(level, bytes, folder);
}

// Everything one run keeps between its options, the game's hooks and its report.
struct Run {
    Options options;
    InputScript script;
    Recording replay;
    Recording recording;
    bool replaying = false;
    std::uint32_t seed = 1;
    float frameMs = 10.0f;
    std::uint64_t lastFrame = 0;
    std::string levelFolder;
    PyxGameReport report;
    std::string failure;
};

// Completes the parsed options: absolute paths, the input script, the replayed
// recording's settings, the frame count, the home folder and the data folder as the
// working folder. Empty when that worked, else what went wrong.
std::string ResolveOptions(Run& run) {
    Options& options = run.options;
    // Files named on the command line are where the caller meant, whatever the data
    // folder is.
    options.input = Absolute(options.input);
    options.record = Absolute(options.record);
    options.replay = Absolute(options.replay);
    options.level = Absolute(options.level);
    for (std::string& argument : options.gameArguments) {
        argument = Absolute(argument);
    }
    for (auto& [frame, files] : options.shots) {
        for (std::string& file : files) {
            file = Absolute(file);
        }
    }

    std::string error;
    if (!options.input.empty() && !run.script.Load(options.input, error)) {
        return error;
    }
    run.replaying = !options.replay.empty();
    if (run.replaying) {
        if (!run.replay.Load(options.replay, error)) {
            return error;
        }
        options.seed = options.seed.value_or(run.replay.seed);
        options.frameMs = options.frameMs.value_or(run.replay.frameMs);
        if (options.level.empty()) {
            options.level = run.replay.level;
        }
        if (!options.frames && run.replay.frames > 0) {
            options.frames = run.replay.frames;
        }
    }
    run.seed = options.seed.value_or(1);
    run.frameMs = options.frameMs.value_or(10.0f);
    run.lastFrame = options.frames.value_or(0);
    if (!options.frames) {
        run.lastFrame = run.script.LastFrame();
        if (!options.shots.empty()) {
            run.lastFrame = std::max(run.lastFrame, options.shots.rbegin()->first);
        }
        if (run.lastFrame == 0) {
            run.lastFrame = kDefaultFrames;
        }
    }
    options.home = options.home.empty() ? FreshHome() : Absolute(options.home);
    if (!options.data.empty()) {
        std::error_code ec;
        std::filesystem::current_path(options.data, ec);
        if (ec) {
            return "the data folder " + options.data + " cannot be entered";
        }
    }
    return {};
}

// The manual clock: every idle step of the message pump is one frame time.
void StartClock(const Run& run) {
    headless::SetRoot(run.options.home);
    headless::UseManualClock(true);
    headless::SetManualFrequency(1000000);
    headless::SetManualTick(0);
    headless::SetManualCounter(0);
    headless::ClearWindowMessages();
    headless::ClearIdleSteps();
    headless::SetRepeatingIdleStep(static_cast<std::int64_t>(run.frameMs * 1000.0f));
}

// Once the game is loaded: the one-level game, if asked for, and the script's first
// frame.
void AfterInit(Run& run) {
    // Frames start once everything is loaded, so no two runs differ in how far the
    // loading thread came by a given frame.
    while (g_game != nullptr && g_game->IsBackgroundLoadStarted() &&
           !g_game->IsBackgroundLoadDone()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!run.options.level.empty() && g_game != nullptr && !g_game->IsQuitRequested()) {
        run.failure = PrepareOneLevelGame(run.options.level, run.levelFolder);
        if (run.failure.empty()) {
            g_game->RequestScene("PyxStdGame", "stdgame", 0);
        } else {
            g_game->RequestQuit();
        }
    }
    if (!run.replaying) {
        PostScript(run.script, 1);
    }
}

// Before a frame: a replay puts the recorded input in place of the frame's own; a
// recording keeps a copy of the frame's input.
void BeforeFrame(Run& run, std::uint64_t frame, QxInputQueue& queue) {
    if (run.replaying) {
        queue.Clear();
        if (auto it = run.replay.events.find(frame); it != run.replay.events.end()) {
            for (const QxInputEvent& event : it->second) {
                queue.Push(event);
            }
        }
    }
    if (!run.options.record.empty()) {
        std::vector<QxInputEvent> events;
        QxInputEvent event;
        while (queue.Take(event)) {
            events.push_back(event);
        }
        for (const QxInputEvent& kept : events) {
            queue.Push(kept);
        }
        run.recording.events[frame] = std::move(events);
    }
}

// After a frame: the sound catches up, the frame's pictures are saved, and the run
// either ends or posts the next frame's script.
void AfterFrame(Run& run, std::uint64_t frame) {
    run.report.frames = frame;
    // The headless sound service plays only as far as it is told.
    if (PyxGame* game = ThePyxGame()) {
        headless::AdvanceSound(game->FrameTime());
    }
    if (auto it = run.options.shots.find(frame); it != run.options.shots.end()) {
        for (const std::string& file : it->second) {
            if (Screen() == nullptr || !Screen()->SavePresentationPng(file)) {
                std::fprintf(stderr, "rondelix-headless: frame %llu could not be saved to %s\n",
                             static_cast<unsigned long long>(frame), file.c_str());
            }
        }
    }
    if (frame >= run.lastFrame) {
        g_game->RequestQuit();
    } else if (!run.replaying) {
        PostScript(run.script, frame + 1);
    }
}

QxMainHooks MakeHooks(Run& run) {
    QxMainHooks hooks;
    if (!run.options.level.empty()) {
        run.levelFolder = run.options.home + "/one-level/";
        std::error_code ec;
        std::filesystem::remove_all(run.levelFolder, ec);
        std::filesystem::create_directories(run.levelFolder, ec);
        hooks.firstFolders.push_back(run.levelFolder);
    }
    hooks.afterConstruction = [&run] {
        SeedRandom(run.seed);
        PyxOpenSetFromCommandLine(run.options.gameArguments);
    };
    hooks.afterInit = [&run] { AfterInit(run); };
    hooks.loop.beforeFrame = [&run](std::uint64_t frame, QxInputQueue& queue) {
        BeforeFrame(run, frame, queue);
    };
    hooks.loop.afterFrame = [&run](std::uint64_t frame) { AfterFrame(run, frame); };
    hooks.beforeShutdown = [&run](int) { PyxDescribeGame(run.report); };
    return hooks;
}

} // namespace

int main(int argc, char** argv) {
    Run run;
    if (const std::string problem = ParseOptions(argc, argv, run.options); !problem.empty()) {
        return Usage(problem);
    }
    if (const std::string problem = ResolveOptions(run); !problem.empty()) {
        return Usage(problem);
    }
    StartClock(run);
    run.recording.seed = run.seed;
    run.recording.frameMs = run.frameMs;
    run.recording.level = run.options.level;

    RondelixMain(MakeHooks(run));
    headless::ClearWindowMessages();
    headless::ClearIdleSteps();

    const Options& options = run.options;
    const PyxGameReport& report = run.report;
    if (!options.record.empty()) {
        run.recording.frames = report.frames;
        if (!run.recording.Save(options.record)) {
            std::fprintf(stderr, "rondelix-headless: the recording could not be written to %s\n",
                         options.record.c_str());
        }
    }
    if (!run.failure.empty()) {
        return Usage(run.failure);
    }
    std::fputs(PyxReportText(report).c_str(), stdout);
    return 0;
}
