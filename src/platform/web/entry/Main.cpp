// Browser entry. The page has preloaded the game's data under /data and read the
// player's files back into the storage folder before this runs; the game then runs on
// this thread of its own, as on the desktop. "--level NAME" (the page's ?level=NAME)
// makes a level of the data the whole game, for tests that must reach a game's end.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include <emscripten/emscripten.h>
#include <unistd.h>

#include "app/GameSettings.h"
#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxMain.h"
#include "app/QxSettingsManager.h"
#include "engine/files/QxLog.h"
#include "game/screens/PyxGameReport.h"
#include "game/screens/PyxOneLevelGame.h"
#include "platform/web/WebStorage.h"

namespace {

constexpr const char* kOneLevelFolder = "/tmp/one-level/";

// A bare level name ("level05") is a level file of the data's level folder.
std::string LevelPath(std::string name) {
    if (name.find('/') == std::string::npos) {
        name = "levels/" + name;
    }
    if (name.find('.') == std::string::npos) {
        name += ".lvl";
    }
    return name;
}

// Once the game's types are loaded (the loading screen shows meanwhile).
void StartOneLevelGame(const std::string& name) {
    if (g_game == nullptr || g_game->IsQuitRequested()) {
        return;
    }
    const std::string path = LevelPath(name);
    std::vector<std::uint8_t> level;
    std::string failure;
    if (!PyxReadDataFile(path, level)) {
        failure = "the data has no level " + path;
    } else {
        failure = PyxPrepareOneLevelGame(path, level, kOneLevelFolder);
    }
    if (!failure.empty()) {
        LogPrintf("Level option - %s; the game starts as usual.", failure.c_str());
        return;
    }
    g_game->RequestScene("PyxStdGame", "stdgame", 0);
}

// The desktop writes the settings when the game ends; a page is closed without warning,
// so they are written whenever they change.
struct SettingsKeeper {
    GameSettings saved;
    std::string savedName;
    bool known = false;

    void AfterFrame() {
        const GameSettings& now = g_gameSettings;
        const bool same = now.fullScreen == saved.fullScreen && now.musicOn == saved.musicOn &&
                          now.showHints == saved.showHints && g_lastHighscoreName == savedName;
        if (known && same) {
            return;
        }
        if (known) {
            SaveSettings(now, g_lastHighscoreName);
        }
        saved = now;
        savedName = g_lastHighscoreName;
        known = true;
    }
};

// What the game shows, for the page's tests: the scene and the game in progress are
// handed to the page when they change; the frame count is read by the page straight
// from memory, so counting costs nothing.
struct ReportKeeper {
    PyxGameReport shown;
    std::uint32_t frames = 0;
    // A game that ends before it got past its loading screen could not start (its
    // data is damaged or missing); one that did was ended by the player.
    bool started = false;

    void Announce() {
        MAIN_THREAD_EM_ASM({ Module.rondelixFrames = $0; }, &frames);
    }

    void AfterFrame(std::uint64_t frame) {
        frames = static_cast<std::uint32_t>(frame);
        PyxGameReport now;
        PyxDescribeGame(now);
        if (now == shown) {
            return;
        }
        shown = now;
        started = started || (!now.scene.empty() && now.scene != "PyxLoadingScene");
        const std::string text = PyxReportText(now);
        MAIN_THREAD_EM_ASM(
            {
                if (Module.setReport) {
                    Module.setReport(UTF8ToString($0));
                }
            },
            text.c_str());
    }
};

// When the last frames started, for the page's measurements (scripts/measure-web): the
// page reads them from memory, slot frame % kCount, in milliseconds of this thread's
// clock.
struct FrameTimes {
    static constexpr std::uint32_t kCount = 4096;
    double at[kCount] = {};

    void Announce() {
        // No commas in the script: it is one macro argument.
        MAIN_THREAD_EM_ASM(
            {
                Module.rondelixFrameTimes = {};
                Module.rondelixFrameTimes.address = $0;
                Module.rondelixFrameTimes.count = $1;
            },
            at, kCount);
    }
    void BeforeFrame(std::uint64_t frame) { at[frame % kCount] = emscripten_get_now(); }
};

// The last lines of the log, for the page to show when the game ends.
std::string LogTail(const std::string& path, std::size_t lines) {
    std::ifstream in(path);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        all.push_back(line);
    }
    std::string tail;
    for (std::size_t i = all.size() > lines ? all.size() - lines : 0; i < all.size(); ++i) {
        tail += all[i] + "\n";
    }
    return tail;
}

} // namespace

int main(int argc, char** argv) {
    std::string level;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--level") {
            level = argv[i + 1];
        }
    }
    if (chdir("/data") != 0) {
        MAIN_THREAD_EM_ASM({ Module.showProblem("The game's data did not arrive."); });
        return 1;
    }
    SettingsKeeper keeper;
    ReportKeeper report;
    report.Announce();
    static FrameTimes frameTimes; // 32 KB: not on the thread's stack
    frameTimes.Announce();
    std::string logPath;
    QxMainHooks hooks;
    if (!level.empty()) {
        hooks.firstFolders.push_back(kOneLevelFolder);
    }
    hooks.afterConstruction = [] {
        // A page opens in its tab: full screen needs the player's own gesture, so it is
        // F7 (or the setting, once chosen) that asks for it.
        g_gameSettings.fullScreen = 0;
        if (platform::web::IsStorageRefused()) {
            LogPrintf("Storage - the browser keeps no files for this page; settings and scores "
                      "last until it closes.");
        }
    };
    hooks.loop.beforeFrame = [](std::uint64_t frame, QxInputQueue&) {
        frameTimes.BeforeFrame(frame);
    };
    hooks.loop.afterFrame = [&keeper, &report, &level](std::uint64_t frame) {
        if (!level.empty() && g_game != nullptr && g_game->IsBackgroundLoadDone()) {
            StartOneLevelGame(level);
            level.clear();
        }
        keeper.AfterFrame();
        report.AfterFrame(frame);
    };
    hooks.beforeShutdown = [&logPath](int) {
        if (g_settingsManager != nullptr) {
            logPath = g_settingsManager->UserDataFolder("") + "log.txt";
        }
    };
    const int exitCode = RondelixMain(hooks);
    platform::web::RequestStorageSync();
    const std::string tail = LogTail(logPath, 6);
    MAIN_THREAD_EM_ASM(
        {
            if (Module.onGameEnd) {
                Module.onGameEnd($0 != 0, UTF8ToString($1));
            }
        },
        report.started ? 1 : 0, tail.c_str());
    return exitCode;
}
