#include "engine/sound/QxWavReader.h"

#include <string>

#include "engine/files/QxFile.h"
#include "engine/files/QxLog.h"

namespace {

constexpr uint32_t FourCC(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) |
           static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24;
}

constexpr uint32_t kRiff = FourCC('R', 'I', 'F', 'F');
constexpr uint32_t kWave = FourCC('W', 'A', 'V', 'E');
constexpr uint32_t kFmt = FourCC('f', 'm', 't', ' ');
constexpr uint32_t kData = FourCC('d', 'a', 't', 'a');
constexpr uint32_t kFormatBytes = 16;
constexpr uint16_t kPcm = 1;

bool Fail(const char* reason) {
    std::string line = "Invalid sound: ";
    line += reason;
    line += "\n";
    LogString(line.c_str());
    return false;
}

uint64_t RoundUpToEven(uint32_t size) {
    return uint64_t{size} + (size & 1u);
}

} // namespace

bool QxReadWavHeader(QxFile& file, QxWavInfo& info) {
    info = QxWavInfo{};
    const uint32_t size = file.GetSize();
    uint64_t at = file.Tell();
    if (at > size || size > 0x7FFFFFFFu) {
        return Fail("unreadable");
    }
    // Every read below is checked against the bytes left first, so neither kind of
    // file is asked for bytes it does not hold.
    auto left = [&]() { return uint64_t{size} - at; };

    if (left() < 12) {
        return Fail("not a RIFF WAVE file");
    }
    const uint32_t riff = file.ReadUInt32();
    const uint64_t riffSize = RoundUpToEven(file.ReadUInt32());
    const uint32_t wave = file.ReadUInt32();
    at += 12;
    if (riff != kRiff || wave != kWave) {
        return Fail("not a RIFF WAVE file");
    }
    if (riffSize < 1) {
        return Fail("empty RIFF frame");
    }

    int64_t remaining = static_cast<int64_t>(riffSize);
    for (;;) {
        if (left() < 8) {
            return Fail("no data chunk");
        }
        const uint32_t id = file.ReadUInt32();
        const uint32_t storedSize = file.ReadUInt32();
        const uint64_t chunkSize = RoundUpToEven(storedSize);
        at += 8;
        if (id == kData && chunkSize > 0) {
            if (storedSize > left()) {
                return Fail("data chunk larger than the file");
            }
            // A writer may leave out the pad byte of odd-sized data at the very end.
            info.dataSize = static_cast<uint32_t>(chunkSize <= left() ? chunkSize : storedSize);
            break;
        }
        remaining -= static_cast<int64_t>(8 + chunkSize);
        if (chunkSize > left()) {
            return Fail("chunk runs past the end of the file");
        }
        if (id == kFmt) {
            if (storedSize < kFormatBytes) {
                return Fail("format chunk shorter than 16 bytes");
            }
            info.format.formatTag = file.ReadUInt16();
            info.format.channels = file.ReadUInt16();
            info.format.sampleRate = file.ReadUInt32();
            info.format.byteRate = file.ReadUInt32();
            info.format.blockAlign = file.ReadUInt16();
            info.format.bitsPerSample = file.ReadUInt16();
            info.format.extraSize = 0;
        }
        at += chunkSize;
        // The position is set from the count of bytes consumed, never from the file's
        // own idea of it, so a skip that lands exactly on the end stays harmless.
        if (at < size) {
            file.Seek(QxFile::kSeekStart, static_cast<int32_t>(at));
        }
        if (remaining < 1) {
            return Fail("no data chunk");
        }
    }

    if (info.format.formatTag != kPcm) {
        return Fail("not PCM data");
    }
    if (info.format.channels == 0) {
        return Fail("zero channels");
    }
    if (info.format.blockAlign == 0) {
        return Fail("zero block alignment");
    }
    if (file.Tell() != at) {
        file.Seek(QxFile::kSeekStart, static_cast<int32_t>(at));
    }
    return true;
}
