#include "app/QxMain.h"

#include <memory>

#include "app/PyxGame.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "app/QxTimer.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/files/QxFileLE.h" // completes the folder manager's open-file list
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "engine/files/QxResourceCache.h"
#include "engine/files/QxWin32FileManager.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "platform/MessagePump.h"

int RondelixMain() {
    return RondelixMain(QxMainHooks{});
}

// The services live in this frame, built in their fixed order and destroyed in
// reverse; each is published through its global for the rest of the program.
int RondelixMain(const QxMainHooks& hooks) {
    PyxGame game;
    QxWin32Screen2D screen;
    QxFileSystem fileSystem;
    QxResourceCache resourceCache;
    QxWin32SoundManager soundManager;
    QxWin32SettingsManager settingsManager("Quillfern Studio", "Rondelix");
    QxTimer timer;

    g_game = &game;
    g_resourceCache = &resourceCache;
    g_screen = &screen;
    for (const std::string& folder : hooks.firstFolders) {
        fileSystem.AddManager(std::make_unique<QxWin32FileManager>(), folder);
    }
    // Loose files in "Resources/" win over those in the working folder.
    fileSystem.AddManager(std::make_unique<QxWin32FileManager>(), "Resources/");
    fileSystem.AddManager(std::make_unique<QxWin32FileManager>(), "");
    SetCurrentFileSystem(&fileSystem);
    g_soundManager = &soundManager;
    g_settingsManager = &settingsManager;
    platform::SetWindowProcedure(&QxWindowProcedure);
    LogPrintf("Rondelix started.");
    if (hooks.afterConstruction) {
        hooks.afterConstruction();
    }

    game.Init();
    if (hooks.afterInit) {
        hooks.afterInit();
    }
    timer.Reset();
    // The first frame sees a zero frame time.
    g_inputQueue.Push(QxInputEvent::Make(QxInputKind::Tick, 0));

    const int exitCode = RunMessageLoop(game, timer, g_inputQueue, &hooks.loop);
    if (hooks.beforeShutdown) {
        hooks.beforeShutdown(exitCode);
    }

    game.Shutdown();
    g_inputQueue.Clear();
    LogPrintf("Rondelix stopped.");
    // The services go in reverse order as this frame ends; nothing may reach them
    // through the globals meanwhile.
    platform::SetWindowProcedure(nullptr);
    g_settingsManager = nullptr;
    g_soundManager = nullptr;
    SetCurrentFileSystem(nullptr);
    g_screen = nullptr;
    g_resourceCache = nullptr;
    g_game = nullptr;
    return exitCode;
}
