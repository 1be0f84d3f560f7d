// Windows entry: finds the game's data, keeps the instance handle for the window and
// runs the program with millisecond timer resolution.

#include <windows.h>

#include <mmsystem.h>

#include <string>

#include "app/QxMain.h"
#include "platform/win32/Win32Window.h"

namespace {

bool HoldsArchive(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*.qxa").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}

// The game reads its data from the working folder; started from elsewhere (a
// shortcut, a command prompt), it moves to the folder of the executable when its
// archive is there.
void FindData() {
    if (HoldsArchive(""))
        return;
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::string folder(path, length);
    const size_t slash = folder.find_last_of("\\/");
    if (slash == std::string::npos)
        return;
    folder.resize(slash + 1);
    if (HoldsArchive(folder))
        SetCurrentDirectoryA(folder.c_str());
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    platform::win32::SetInstance(instance);
    FindData();
    // Waits for the next frame and Sleep(1) then last about a millisecond, not a
    // scheduler tick of 15.6 ms.
    const bool fineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    RondelixMain();
    if (fineTimer)
        timeEndPeriod(1);
    // As on the desktop the game came from, a game that ran reports success; one that
    // never had a window reports failure.
    return platform::win32::WindowCreationFailed() ? 1 : 0;
}
