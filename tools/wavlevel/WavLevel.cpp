// wavlevel: how loud a recorded 16-bit PCM WAV file is.
//
//   wavlevel FILE [--min-rms LEVEL]
//
// Prints the length, the RMS level and the peak (of 32767) and exits 0 when the RMS
// level reaches the minimum (default 100, well above dither and rounding noise), 1
// when the recording is silent, 2 when the file cannot be read. A recording cut off
// before its header was finished (data size 0 or past the end) is read to its end.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

uint32_t Little32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
           (uint32_t(b[at + 3]) << 24);
}

uint16_t Little16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | (b[at + 1] << 8));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--min-rms") == 0)) {
        std::fprintf(stderr, "usage: wavlevel FILE [--min-rms LEVEL]\n");
        return 2;
    }
    const double minimum = argc == 4 ? std::atof(argv[3]) : 100.0;
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        std::fprintf(stderr, "wavlevel: %s: not a WAV file\n", argv[1]);
        return 2;
    }
    uint16_t channels = 0, bits = 0;
    uint32_t rate = 0;
    size_t at = 12;
    size_t dataAt = 0, dataSize = 0;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = Little32(bytes, at + 4);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && size >= 16 && at + 8 + 16 <= bytes.size()) {
            channels = Little16(bytes, at + 10);
            rate = Little32(bytes, at + 12);
            bits = Little16(bytes, at + 22);
        } else if (std::memcmp(&bytes[at], "data", 4) == 0) {
            dataAt = at + 8;
            const size_t left = bytes.size() - dataAt;
            dataSize = size == 0 || size > left ? left : size;
            break;
        }
        if (size > bytes.size() - at - 8) {
            break;
        }
        at += 8 + size + (size & 1);
    }
    if (dataAt == 0 || bits != 16 || channels == 0 || rate == 0) {
        std::fprintf(stderr, "wavlevel: %s: not 16-bit PCM with a data chunk\n", argv[1]);
        return 2;
    }
    const size_t samples = dataSize / 2;
    double squares = 0;
    int peak = 0;
    for (size_t i = 0; i < samples; ++i) {
        const int v = int16_t(Little16(bytes, dataAt + i * 2));
        squares += double(v) * double(v);
        peak = std::max(peak, std::abs(v));
    }
    const double rms = samples > 0 ? std::sqrt(squares / double(samples)) : 0.0;
    const double seconds = double(samples) / double(channels) / double(rate);
    const bool loud = rms >= minimum;
    std::printf("%s: %.1f s, %u Hz, %u channel(s), RMS %.0f, peak %d -> %s\n", argv[1], seconds,
                rate, channels, rms, peak, loud ? "sound" : "SILENT");
    return loud ? 0 : 1;
}
