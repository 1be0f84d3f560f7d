// Desktop entry: finds the game's data, opens SDL and runs the program. A level set
// named on the command line (the desktop's file association names it so) is taken into
// the player's level folder.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <SDL.h>

#include "app/QxMain.h"
#include "game/editor/PyxSetImport.h"
#include "platform/DataFolder.h"
#include "platform/FrameLog.h"
#include "platform/sdl/SdlWindow.h"

namespace fs = std::filesystem;

namespace {

// The game reads its data from the working folder; started from anywhere else, it
// moves to where its data was installed.
void FindData(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        exe = fs::absolute(argv0, ec);
    }
    const fs::path folder = platform::FindDataFolder(fs::current_path(ec), exe);
    if (!folder.empty()) {
        fs::current_path(folder, ec);
    }
}

// Made absolute here: finding the data leaves the folder they were named from.
std::vector<std::string> Arguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        const fs::path absolute = fs::absolute(argv[i], ec);
        arguments.push_back(ec ? std::string(argv[i]) : absolute.string());
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = Arguments(argc, argv);
    FindData(argv[0]);
    // Video starts with the window, so that a missing display is reported by the game
    // (in its log) as well as here.
    if (SDL_Init(SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Rondelix cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    QxMainHooks hooks;
    hooks.afterConstruction = [&arguments] { PyxOpenSetFromCommandLine(arguments); };
    platform::FrameLog frameLog(std::getenv("RONDELIX_FRAME_LOG"));
    frameLog.Attach(hooks);
    const int exitCode = RondelixMain(hooks);
    const std::string failure = platform::sdl::WindowFailure();
    SDL_Quit();
    if (!failure.empty()) {
        std::fprintf(stderr, "Rondelix cannot open a window: %s\n", failure.c_str());
        return 1;
    }
    return exitCode;
}
