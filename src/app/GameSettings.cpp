#include "app/GameSettings.h"

#include "app/QxGlobals.h"
#include "app/QxSettingsManager.h"

GameSettings g_gameSettings;
std::string g_lastHighscoreName;

void LoadSettings(GameSettings& record, std::string& lastHighscoreName,
                  QxSettingsManager* manager) {
    if (manager == nullptr) {
        return;
    }
    manager->OpenDefault();
    manager->GetInt("Full Screen", record.fullScreen);
    manager->GetInt("Music On", record.musicOn);
    manager->GetString("Last Highscore Name", lastHighscoreName);
    manager->GetInt("Show Hints", record.showHints);
}

void SaveSettings(const GameSettings& record, const std::string& lastHighscoreName,
                  QxSettingsManager* manager) {
    if (manager == nullptr) {
        return;
    }
    manager->OpenDefault();
    manager->SetInt("Full Screen", record.fullScreen);
    manager->SetInt("Music On", record.musicOn);
    manager->SetString("Last Highscore Name", lastHighscoreName);
    manager->SetInt("Show Hints", record.showHints);
}

void LoadSettings(GameSettings& record, std::string& lastHighscoreName) {
    LoadSettings(record, lastHighscoreName, g_settingsManager);
}

void SaveSettings(const GameSettings& record, const std::string& lastHighscoreName) {
    SaveSettings(record, lastHighscoreName, g_settingsManager);
}
