#include "app/QxMain.h"

#include <cstdint>
#include <ctime>
#include <memory>

#include "app/GameSettings.h"
#include "app/QxGlobals.h"
#include "app/QxInputQueue.h"
#include "app/QxRandom.h"
#include "app/QxTimer.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/files/QxFileLE.h" // completes the folder manager's open-file list
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxLog.h"
#include "engine/files/QxWin32FileManager.h"

// The services are built in their fixed order and torn down in reverse. The game
// object, the screen, the resource cache and the sound manager do not exist yet, so
// there is no window and no message loop: the program starts its services, reads and
// writes the settings as a start-up does, and ends.
int RondelixMain() {
    // Seeded here until the game object exists, whose constructor takes this over.
    SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));

    QxFileSystem fileSystem;
    QxWin32SettingsManager settingsManager("Quillfern Studio", "Rondelix");
    QxTimer timer;

    // Loose files in "Resources/" win over those in the working folder.
    fileSystem.AddManager(std::make_unique<QxWin32FileManager>(), "Resources/");
    fileSystem.AddManager(std::make_unique<QxWin32FileManager>(), "");
    SetCurrentFileSystem(&fileSystem);
    g_settingsManager = &settingsManager;

    LoadSettings(g_gameSettings, g_lastHighscoreName);
    // Written straight back so that a first start creates every value.
    SaveSettings(g_gameSettings, g_lastHighscoreName);
    LogPrintf("Rondelix started.");

    timer.Reset();
    g_inputQueue.Push(QxInputEvent::Make(QxInputKind::Tick, 0));

    // Shutdown: the settings are written once more, the queue is emptied and the
    // globals stop pointing at objects that are about to go.
    SaveSettings(g_gameSettings, g_lastHighscoreName);
    LogPrintf("Rondelix stopped.");
    g_inputQueue.Clear();
    g_settingsManager = nullptr;
    SetCurrentFileSystem(nullptr);
    return 0;
}
