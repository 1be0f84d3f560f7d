#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/files/QxLog.h"

namespace {

size_t Format(char (&line)[kLogLineSize], const char* format, ...) {
    va_list args;
    va_start(args, format);
    const size_t length = FormatLogLine(line, format, args);
    va_end(args);
    return length;
}

TEST(Log, LongOutputIsCutInsideTheLine) {
    struct {
        char line[kLogLineSize];
        char guard[16];
    } block;
    std::memset(&block, 'G', sizeof(block));
    const std::string huge(10000, 'x');
    const size_t length = Format(block.line, "%s", huge.c_str());
    EXPECT_EQ(length, kLogLineSize - 1);
    EXPECT_EQ(std::strlen(block.line), kLogLineSize - 1);
    EXPECT_EQ(std::string(block.line + length - 2), "\r\n");
    EXPECT_EQ(std::string(block.guard, 16), std::string(16, 'G'));

    EXPECT_EQ(Format(block.line, "%d apples", 3), 10u);
    EXPECT_STREQ(block.line, "3 apples\r\n");
}

} // namespace
