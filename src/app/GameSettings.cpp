#include "app/GameSettings.h"

#include "app/QxGlobals.h"
#include "app/QxSettingsManager.h"
#include "engine/files/QxLog.h"
#include "engine/sound/QxSoundLevels.h"
#include "engine/sound/QxSoundManager.h"

GameSettings g_gameSettings;
std::string g_lastHighscoreName;

namespace {

constexpr const char* kMusicVolume = "Music Volume";
constexpr const char* kEffectsVolume = "Effects Volume";

// Older settings have no volumes, which is full volume. A value a player edited into
// something else is named in the log, so a silent game has a visible cause.
void LoadVolume(QxSettingsManager& manager, const char* name, std::uint32_t& volume) {
    std::uint32_t stored = 0;
    std::string text;
    if (manager.GetInt(name, stored)) {
        if (stored <= GameSettings::kFullVolume) {
            volume = stored;
            return;
        }
        LogPrintf("Settings - \"%s\" is %u, above %u; full volume is used.", name, stored,
                  GameSettings::kFullVolume);
    } else if (manager.GetString(name, text)) {
        LogPrintf("Settings - \"%s\" is not a number; full volume is used.", name);
    } else {
        return;
    }
    volume = GameSettings::kFullVolume;
}

} // namespace

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
    LoadVolume(*manager, kMusicVolume, record.musicVolume);
    LoadVolume(*manager, kEffectsVolume, record.effectsVolume);
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
    note(manager->SetInt(kMusicVolume, record.musicVolume), kMusicVolume);
    note(manager->SetInt(kEffectsVolume, record.effectsVolume), kEffectsVolume);
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

void ApplySoundVolumes(const GameSettings& record) {
    if (g_soundManager == nullptr) {
        return;
    }
    g_soundManager->SetGroupVolume(QxSoundGroup::Music, QxVolumePercentToGain(record.musicVolume));
    g_soundManager->SetGroupVolume(QxSoundGroup::Effects,
                                   QxVolumePercentToGain(record.effectsVolume));
}
