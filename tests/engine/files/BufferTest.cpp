#include <gtest/gtest.h>

#include <string>

#include "engine/files/QxBuffer.h"

namespace {

TEST(Buffer, ShortReadAnswersThreeAndDoesNotMove) {
    QxBuffer buffer;
    buffer.Allocate(3, 0xAB);
    EXPECT_EQ(buffer.ReadInt32(), 3);
    EXPECT_EQ(buffer.ReadUInt32(), 3u);
    EXPECT_EQ(buffer.ReadFloat(), 3.0f);
    EXPECT_EQ(buffer.ReadDouble(), 3.0);
    EXPECT_EQ(buffer.Tell(), 0u);
    uint8_t out[4] = {1, 2, 3, 4};
    EXPECT_EQ(buffer.ReadBytes(4, out), QxBuffer::kShortRead);
    EXPECT_EQ(out[0], 1); // nothing copied
    EXPECT_EQ(buffer.ReadBytes(3, out), 3u);
    EXPECT_EQ(out[2], 0xAB);
    EXPECT_TRUE(buffer.IsEOF());
    EXPECT_EQ(buffer.ReadUInt8(), 3);
    EXPECT_EQ(buffer.Tell(), 3u);
}

TEST(Buffer, EmptyBufferReadsSafely) {
    QxBuffer buffer;
    EXPECT_EQ(buffer.GetStatus(), QxFile::kStatusFailed);
    EXPECT_EQ(buffer.ReadUInt8(), 3);
    EXPECT_EQ(buffer.ReadString(), "");
    uint8_t byte = 0;
    EXPECT_EQ(buffer.ReadBytes(1, &byte), QxBuffer::kShortRead);
    EXPECT_EQ(buffer.ReadBytes(1, nullptr), 0u);
    EXPECT_EQ(buffer.Find("a"), -1);
    EXPECT_EQ(buffer.WriteBytes(1, nullptr), QxBuffer::kShortRead);
}

TEST(Buffer, StringRunningPastTheEndIsEmptyAndDoesNotMove) {
    // Fewer than four bytes left: not even the length fits.
    QxBuffer tiny;
    tiny.Allocate(3, 'x');
    EXPECT_EQ(tiny.ReadString(), "");
    EXPECT_EQ(tiny.Tell(), 0u);

    // A length near 4 GiB must not wrap around the position check.
    QxBuffer huge;
    huge.Allocate(8, 0);
    huge.WriteUInt8(1);
    huge.WriteUInt32(0xFFFFFFFFu);
    huge.Seek(QxFile::kSeekStart, 1);
    EXPECT_EQ(huge.ReadString(), "");
    EXPECT_EQ(huge.Tell(), 1u);
}

TEST(Buffer, SeekRules) {
    QxBuffer buffer;
    buffer.Allocate(10, 0);
    EXPECT_TRUE(buffer.Seek(QxFile::kSeekEnd, 0));
    EXPECT_EQ(buffer.Tell(), 10u);
    EXPECT_TRUE(buffer.IsEOF());
    EXPECT_FALSE(buffer.Seek(QxFile::kSeekStart, 10));
    EXPECT_FALSE(buffer.Seek(QxFile::kSeekStart, -1));
    EXPECT_EQ(buffer.Tell(), 10u);
    EXPECT_TRUE(buffer.Seek(QxFile::kSeekStart, 9));
    EXPECT_TRUE(buffer.Seek(QxFile::kSeekCurrent, -3));
    EXPECT_EQ(buffer.Tell(), 6u);
    EXPECT_FALSE(buffer.Seek(QxFile::kSeekCurrent, 4));
    EXPECT_FALSE(buffer.Seek(QxFile::kSeekEnd, 11));
    EXPECT_TRUE(buffer.Seek(QxFile::kSeekEnd, 10));
    EXPECT_EQ(buffer.Tell(), 0u);
}

// Small and wide values round-trip; a buffer holds no 16-byte blocks, and clearing
// zeroes what it holds.
TEST(Buffer, NarrowAndWideValuesRoundTripAndBlocksAreNotKept) {
    QxBuffer buffer;
    buffer.WriteInt8(-2);
    buffer.WriteInt16(-3000);
    buffer.WriteDouble(1.0 / 3);
    EXPECT_EQ(buffer.WriteBlock16(QxBlock16{}), 0u);
    EXPECT_EQ(buffer.Tell(), 11u);
    buffer.Seek(QxFile::kSeekStart, 0);
    EXPECT_EQ(buffer.ReadInt8(), -2);
    EXPECT_EQ(buffer.ReadInt16(), -3000);
    EXPECT_EQ(buffer.ReadDouble(), 1.0 / 3);
    EXPECT_EQ(buffer.ReadBlock16(), QxBlock16{});
    EXPECT_EQ(buffer.Tell(), 11u);
    buffer.Clear();
    buffer.Seek(QxFile::kSeekStart, 0);
    EXPECT_EQ(buffer.ReadInt8(), 0);
}

// Find looks only at what was written or read so far.
TEST(Buffer, FindSearchesBeforeThePosition) {
    QxBuffer buffer;
    buffer.WriteBytes(6, "abcabc");
    EXPECT_EQ(buffer.Find("bc"), 1);
    EXPECT_EQ(buffer.Find("x"), -1);
    buffer.Seek(QxFile::kSeekStart, 0);
    EXPECT_EQ(buffer.Find("a"), -1);
}

} // namespace
