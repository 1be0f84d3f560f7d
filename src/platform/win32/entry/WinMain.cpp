// Windows entry: finds the game's data, keeps the instance handle for the window and
// runs the program with millisecond timer resolution. A level set named on the command
// line is taken into the player's level folder.

#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/QxMain.h"
#include "game/editor/PyxSetImport.h"
#include "platform/DataFolder.h"
#include "platform/FrameLog.h"
#include "platform/win32/Win32Window.h"

namespace {

// The game reads its data from the working folder; started from elsewhere (a
// shortcut, a command prompt), it moves to the folder its archive is in.
void FindData() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    std::error_code ec;
    const std::filesystem::path folder = platform::FindDataFolder(
        std::filesystem::current_path(ec), std::filesystem::path(std::string(path, length)));
    if (!folder.empty()) {
        std::filesystem::current_path(folder, ec);
    }
}

// The path in the code page the game's narrow file names use. A name that code page
// cannot spell is given by its short form, which it can, when the volume keeps one.
std::string NarrowPath(const std::wstring& path) {
    const auto narrow = [](const std::wstring& wide, bool& lossy) {
        BOOL defaulted = FALSE;
        const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1,
                                             nullptr, 0, nullptr, &defaulted);
        std::string text(size > 0 ? std::size_t(size) : 1, '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, text.data(), size,
                            nullptr, &defaulted);
        text.resize(text.size() - 1);
        lossy = defaulted != FALSE;
        return text;
    };
    bool lossy = false;
    std::string text = narrow(path, lossy);
    if (lossy) {
        std::wstring shortPath(MAX_PATH, L'\0');
        const DWORD length =
            GetShortPathNameW(path.c_str(), shortPath.data(), DWORD(shortPath.size()));
        if (length > 0 && length < shortPath.size()) {
            shortPath.resize(length);
            bool shortLossy = false;
            std::string shortText = narrow(shortPath, shortLossy);
            if (!shortLossy) {
                text = shortText;
            }
        }
    }
    return text;
}

// The arguments after the program's name, split as the C runtime splits them (quotes
// keep a path with spaces whole) and made absolute before the data is found, which
// leaves the folder they were named from.
std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr) {
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        std::error_code ec;
        const std::filesystem::path absolute = std::filesystem::absolute(words[i], ec);
        arguments.push_back(NarrowPath(ec ? std::wstring(words[i]) : absolute.wstring()));
    }
    LocalFree(words);
    return arguments;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    platform::win32::SetInstance(instance);
    const std::vector<std::string> arguments = Arguments();
    FindData();
    // Waits for the next frame and Sleep(1) then last about a millisecond, not a
    // scheduler tick of 15.6 ms.
    const bool fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    QxMainHooks hooks;
    hooks.afterConstruction = [&arguments] { PyxOpenSetFromCommandLine(arguments); };
    platform::FrameLog frameLog(std::getenv("RONDELIX_FRAME_LOG"));
    frameLog.Attach(hooks);
    RondelixMain(hooks);
    if (fineTimer) {
        timeEndPeriod(1);
    }
    // As on the desktop the game came from, a game that ran reports success; one that
    // never had a window reports failure.
    return platform::win32::WindowCreationFailed() ? 1 : 0;
}
