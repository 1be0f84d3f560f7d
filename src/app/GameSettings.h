#pragma once
// The user settings: three flags and two volumes in one record, plus the name last
// entered in the high-score table. Read at start-up, written at start-up and at shutdown.

#include <cstdint>
#include <string>

class QxSettingsManager;

struct GameSettings {
    std::uint32_t fullScreen = 1;
    std::uint32_t musicOn = 1;
    std::uint32_t showHints = 1;
    // 0 (silent) to 100 (full level); the "Music On" switch stays apart from them.
    std::uint32_t musicVolume = kFullVolume;
    std::uint32_t effectsVolume = kFullVolume;

    static constexpr std::uint32_t kFullVolume = 100;
};

extern GameSettings g_gameSettings;
extern std::string g_lastHighscoreName;

// Reads each value that exists into its field; missing or unreadable values leave
// the field as it was, except a volume that is there but damaged (not a number, above
// 100): that one is logged and reads as full volume. Does nothing without a settings
// manager.
void LoadSettings(GameSettings& record, std::string& lastHighscoreName, QxSettingsManager* manager);
// Writes every value; one line in the log names those that could not be written.
void SaveSettings(const GameSettings& record, const std::string& lastHighscoreName,
                  QxSettingsManager* manager);

// The same through the published settings manager.
void LoadSettings(GameSettings& record, std::string& lastHighscoreName);
void SaveSettings(const GameSettings& record, const std::string& lastHighscoreName);

// Hands the two volumes to the published sound manager.
void ApplySoundVolumes(const GameSettings& record);
