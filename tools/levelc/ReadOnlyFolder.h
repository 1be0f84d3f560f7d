#pragma once
// The data folder as levelc sees it: read like the game reads it, never written. The
// level loader records a failed load in a file beside the data for the player; a tool
// reports it on its own output instead and leaves the data as it found it.

#include <cstdint>
#include <string>

#include "engine/files/QxWin32FileManager.h"

class ReadOnlyFolder final : public QxWin32FileManager {
public:
    // Null for any mode that writes or appends.
    QxFile* Open(const std::string& name, int32_t mode) override;
};
