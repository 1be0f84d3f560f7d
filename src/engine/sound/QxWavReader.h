#pragma once
// Reads the header of a PCM WAV file: the RIFF frame, the "fmt " chunk and the
// position and size of the sample data.
#include <cstdint>

#include "platform/SoundService.h"

class QxFile;

struct QxWavInfo {
    platform::SoundFormat format;
    uint32_t dataSize = 0; // bytes of sample data, all within the file
};

// Scans the chunks up to the first non-empty "data" chunk. On success the file stands
// at the first sample byte. A file that is not a PCM WAV file or is damaged gives
// false and one log line; nothing is read outside the file.
bool QxReadWavHeader(QxFile& file, QxWavInfo& info);
