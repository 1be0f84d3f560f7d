// Desktop entry: finds the game's data, opens SDL and runs the program. A level set
// named on the command line (the desktop's file association names it so) is taken into
// the player's level folder.

#include <dlfcn.h>

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

// Without a sound device, OpenAL Soft and the ALSA library it loads each print their
// failed attempts on standard error at every start, though the game carries on silent
// and says so once in its log. Their own switches quieten them, set before OpenAL is
// first used; a player who asks OpenAL Soft for its log (ALSOFT_LOGLEVEL) gets both.
void IgnoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void QuietSoundLibraries() {
    if (std::getenv("ALSOFT_LOGLEVEL") != nullptr) {
        return;
    }
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    // ALSA's handler is the library's own global: OpenAL Soft opens the same loaded
    // copy, which therefore stays loaded. Without ALSA there is nothing to quieten.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (alsa == nullptr) {
        return;
    }
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    auto setHandler = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (setHandler != nullptr) {
        setHandler(&IgnoreAlsaMessage);
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
    QuietSoundLibraries();
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
