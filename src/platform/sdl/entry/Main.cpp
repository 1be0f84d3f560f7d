// Desktop entry: finds the game's data, opens SDL and runs the program.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include <SDL.h>

#include "app/QxMain.h"

namespace fs = std::filesystem;

namespace {

bool HoldsArchive(const fs::path& folder) {
    std::error_code ec;
    for (auto it = fs::directory_iterator(folder, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        if (it->path().extension() == ".qxa")
            return true;
    }
    return false;
}

// The game reads its data from the working folder; started from anywhere else, it
// moves to where its data was installed: beside the executable, or the install
// prefix's share folder.
void FindData(const char* argv0) {
    if (HoldsArchive(fs::current_path()))
        return;
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = fs::absolute(argv0, ec);
    const fs::path bin = exe.parent_path();
    for (const fs::path& candidate : {bin, bin.parent_path() / "share" / "rondelix"}) {
        if (HoldsArchive(candidate)) {
            fs::current_path(candidate, ec);
            return;
        }
    }
}

} // namespace

int main(int, char** argv) {
    FindData(argv[0]);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "Rondelix cannot open a window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // As on the desktop the game came from, the exit code of a game that ran is 0.
    RondelixMain();
    SDL_Quit();
    return 0;
}
