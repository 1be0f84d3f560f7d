#include "app/GameSettings.h"

#include "app/QxGlobals.h"
#include "app/QxSettingsManager.h"
#include "engine/files/QxLog.h"

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
    std::string failed;
    auto note = [&failed](bool stored, const char* name) {
        if (!stored) {
            failed += failed.empty() ? name : std::string(", ") + name;
        }
    };
    note(manager->SetInt("Full Screen", record.fullScreen), "Full Screen");
    note(manager->SetInt("Music On", record.musicOn), "Music On");
    note(manager->SetString("Last Highscore Name", lastHighscoreName), "Last Highscore Name");
    note(manager->SetInt("Show Hints", record.showHints), "Show Hints");
    // The next start would silently go back to older values: say so.
    if (!failed.empty()) {
        LogWarning("Settings - could not be written: %s", failed.c_str());
    }
}

void LoadSettings(GameSettings& record, std::string& lastHighscoreName) {
    LoadSettings(record, lastHighscoreName, g_settingsManager);
}

void SaveSettings(const GameSettings& record, const std::string& lastHighscoreName) {
    SaveSettings(record, lastHighscoreName, g_settingsManager);
}
