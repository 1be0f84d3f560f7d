#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/files/QxPortable.h"

namespace {

std::string StdText(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string PortableText(float value) {
    char buffer[64];
    const auto result = qx::portable::FloatToChars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The level text and the settings hold floats as this text, so the build without the
// library's own conversion must write what the others write.
TEST(Portable, FloatTextMatchesTheLibrarysForEveryKindOfFloat) {
    std::vector<float> values = {
        0.0f,          -0.0f,           1.0f,    -1.5f,  0.1f,    100.0f,   1e10f,
        1e-10f,        123456789.0f,    0.0001f, 0.001f, 1e7f,    1e8f,     16777216.0f,
        3.4028235e38f, 1.17549435e-38f, 1e-45f,  0.3f,   2.5e-5f, INFINITY, -INFINITY};
    std::uint32_t bits = 12345;
    for (int i = 0; i < 200000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        const float value = qx::BitCast<float>(bits);
        if (!std::isnan(value)) {
            values.push_back(value);
        }
    }
    int differences = 0;
    for (float value : values) {
        if (PortableText(value) != StdText(value) && ++differences <= 5) {
            ADD_FAILURE() << StdText(value) << " written as " << PortableText(value);
        }
    }
    EXPECT_EQ(differences, 0);
    EXPECT_EQ(PortableText(NAN), "nan");
    char tiny[3];
    EXPECT_EQ(qx::portable::FloatToChars(tiny, tiny + 3, 0.125f).ec, std::errc::value_too_large);
}

template <typename Float> void ExpectReadsAsTheLibrary(const std::string& text) {
    Float mine = 7;
    Float theirs = 7;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto a = qx::portable::FromChars(first, last, mine);
    const auto b = std::from_chars(first, last, theirs);
    EXPECT_EQ(a.ec, b.ec) << '"' << text << '"';
    EXPECT_EQ(a.ptr - first, b.ptr - first) << '"' << text << '"';
    if (std::isnan(theirs)) {
        EXPECT_TRUE(std::isnan(mine)) << '"' << text << '"';
    } else {
        EXPECT_EQ(mine, theirs) << '"' << text << '"';
    }
}

TEST(Portable, NumbersReadAsTheLibraryReadsThem) {
    for (const std::string text : {"1",     "-1.5",     "+1",       " 1",         "0x1p3",
                                   "1e",    "1e+",      "1e+5",     ".5",         "5.",
                                   ".",     "-",        "inf",      "-Infinity",  "INFx",
                                   "nan",   "nan(123)", "nan(",     "1e400",      "-1e400",
                                   "abc",   "",         "1.5e3xyz", "0.30000001", "3.4028236e38",
                                   "00012", "1E-2",     "12,5"}) {
        ExpectReadsAsTheLibrary<float>(text);
        ExpectReadsAsTheLibrary<double>(text);
    }
}

} // namespace
