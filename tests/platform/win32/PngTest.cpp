// PNG files through the Windows imaging component.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/screen/QxPng.h"

namespace {

namespace fs = std::filesystem;

fs::path TempFile(const char* name) {
    const fs::path folder =
        fs::temp_directory_path() / ("rondelix-png-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(folder);
    return folder / name;
}

TEST(Win32Png, PicturesRoundTripThroughAFileWithPaddedRows) {
    const int width = 5, height = 3, pitch = 12; // rows padded past 10 bytes
    std::vector<uint16_t> rows(size_t(pitch / 2) * height, 0xFFFF);
    std::vector<uint16_t> expected;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto p = uint16_t((x * 7 << 10) | (y * 11 << 5) | (x + y * 5));
            rows[size_t(y) * (pitch / 2) + size_t(x)] = p;
            expected.push_back(p);
        }
    const fs::path path = TempFile("round.png");
    ASSERT_TRUE(SavePng(path.string(), rows.data(), width, height, pitch));
    std::vector<uint16_t> loaded;
    int w = 0, h = 0;
    ASSERT_TRUE(LoadPng(path.string(), &loaded, &w, &h));
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    EXPECT_EQ(loaded, expected);
}

TEST(Win32Png, FilesThatAreNoPngAreRefused) {
    std::vector<uint16_t> pixels{1, 2, 3};
    int w = 9, h = 9;
    EXPECT_FALSE(LoadPng(TempFile("missing.png").string(), &pixels, &w, &h));
    const fs::path damaged = TempFile("damaged.png");
    std::ofstream(damaged, std::ios::binary) << "\x89PNG\r\n\x1a\n-not-really";
    EXPECT_FALSE(LoadPng(damaged.string(), &pixels, &w, &h));
    EXPECT_EQ(pixels, (std::vector<uint16_t>{1, 2, 3}));
    EXPECT_EQ(w, 9);
    EXPECT_FALSE(SavePng(TempFile("none.png").string(), nullptr, 4, 4, 8));
    EXPECT_FALSE(SavePng(TempFile("narrow.png").string(), pixels.data(), 3, 1, 4));
}

} // namespace
