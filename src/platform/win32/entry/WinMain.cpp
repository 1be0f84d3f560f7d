// Windows entry: finds the game's data, keeps the instance handle for the window and
// runs the program with millisecond timer resolution.

#include <windows.h>

#include <mmsystem.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/QxMain.h"
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

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    platform::win32::SetInstance(instance);
    FindData();
    // Waits for the next frame and Sleep(1) then last about a millisecond, not a
    // scheduler tick of 15.6 ms.
    const bool fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    QxMainHooks hooks;
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
