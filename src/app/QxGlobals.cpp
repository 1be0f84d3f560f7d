#include "app/QxGlobals.h"

QxGame* g_game = nullptr;
QxScreen2D* g_screen = nullptr;
QxSoundManager* g_soundManager = nullptr;
QxSettingsManager* g_settingsManager = nullptr;
QxResourceCache* g_resourceCache = nullptr;
QxEntityRegistry* g_registry = nullptr;
