#pragma once
// Service pointers published once at start-up by the main function (or by a test
// fixture). Each points at an object owned elsewhere; null until published.

class QxGame;
class QxScreen2D;
class QxSoundManager;
class QxSettingsManager;
class QxResourceCache;
class QxEntityRegistry;

extern QxGame* g_game;
extern QxScreen2D* g_screen;
extern QxSoundManager* g_soundManager;
extern QxSettingsManager* g_settingsManager;
extern QxResourceCache* g_resourceCache;
extern QxEntityRegistry* g_registry;
