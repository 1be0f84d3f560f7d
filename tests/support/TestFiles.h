#pragma once
// A fresh folder per test below the build's test area, and whole-file text reads and
// writes: what every fixture that touches the disk needs.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

namespace testsupport {

// "<area>-<suite>-<test><suffix>" below RONDELIX_TEST_TMP (else the system's temporary
// folder), emptied, with a "data" folder inside when asked.
inline std::string FreshFolder(const std::string& area, bool withData = false,
                               const std::string& suffix = "") {
    const char* base = std::getenv("RONDELIX_TEST_TMP");
    std::filesystem::path root = base != nullptr
                                     ? std::filesystem::path(base)
                                     : std::filesystem::temp_directory_path() / "rondelix-test";
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    root /= area + "-" + info->test_suite_name() + "-" + info->name() + suffix;
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    std::filesystem::create_directories(withData ? root / "data" : root, ec);
    return root.string();
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes the bytes, making the folders on the way.
inline void WriteText(const std::string& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A PCM WAV file of `samples` bytes of silence (or of `fill`), 8 bits at 8000 Hz mono.
inline std::string PcmWav(std::uint32_t samples, char fill = '\x80') {
    std::string out;
    auto u32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto u16 = [&out](std::uint16_t v) {
        out += static_cast<char>(v & 0xFF);
        out += static_cast<char>(v >> 8);
    };
    const std::uint32_t padded = samples + (samples & 1);
    out += "RIFF";
    u32(4 + 8 + 16 + 8 + padded);
    out += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(8000);
    u16(1);
    u16(8);
    out += "data";
    u32(samples);
    out.append(samples, fill);
    out.append(padded - samples, '\0');
    return out;
}

} // namespace testsupport
