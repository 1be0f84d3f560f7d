#pragma once
// The four user settings: three flags in one record plus the name last entered in
// the high-score table. Read at start-up, written at start-up and at shutdown.

#include <cstdint>
#include <string>

class QxSettingsManager;

struct GameSettings {
    std::uint32_t fullScreen = 1;
    std::uint32_t musicOn = 1;
    std::uint32_t showHints = 1;
};

extern GameSettings g_gameSettings;
extern std::string g_lastHighscoreName;

// Reads each value that exists into its field; missing or unreadable values leave
// the field as it was. Does nothing without a settings manager.
void LoadSettings(GameSettings& record, std::string& lastHighscoreName, QxSettingsManager* manager);
// Writes all four values; one line in the log names those that could not be written.
void SaveSettings(const GameSettings& record, const std::string& lastHighscoreName,
                  QxSettingsManager* manager);

// The same through the published settings manager.
void LoadSettings(GameSettings& record, std::string& lastHighscoreName);
void SaveSettings(const GameSettings& record, const std::string& lastHighscoreName);
