#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/files/MediaTestSupport.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileLE.h"

namespace {

const QxBlock16 kBlock{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};

using mediatest::LogCapture;
using mediatest::ReadFileBytes;
using mediatest::TempFolder;
using mediatest::WriteFileBytes;

// A disk file over a stream, closed at the end of the test.
class DiskFile {
public:
    DiskFile(const std::filesystem::path& path, const char* mode)
        : m_handle(std::fopen(path.string().c_str(), mode)), m_file(m_handle) {}
    ~DiskFile() {
        if (m_handle)
            std::fclose(m_handle);
    }
    QxFileLE& operator*() { return m_file; }
    QxFileLE* operator->() { return &m_file; }

private:
    std::FILE* m_handle;
    QxFileLE m_file;
};

TEST(FileLE, ValuesMatchTheBufferLayoutByteForByte) {
    TempFolder folder;
    const auto path = folder.Path() / "values.bin";
    QxBuffer buffer;
    {
        DiskFile file(path, "wb");
        for (QxFile* out : {static_cast<QxFile*>(&*file), static_cast<QxFile*>(&buffer)}) {
            out->WriteInt8(-5);
            out->WriteInt16(-300);
            out->WriteInt32(-70000);
            out->WriteUInt16(0xBEEF);
            out->WriteUInt32(0xDEADBEEFu);
            out->WriteFloat(0.5f);
            EXPECT_EQ(out->WriteString(""), 4u);
            EXPECT_EQ(out->WriteString("Levels/level01.lvl"), 22u);
            out->WriteDouble(-0.25);
        }
        // A buffer holds no blocks; a file does.
        EXPECT_EQ(buffer.WriteBlock16(kBlock), 0u);
        file->WriteBlock16(kBlock);
    }
    std::vector<uint8_t> onDisk = ReadFileBytes(path);
    ASSERT_EQ(onDisk.size(), buffer.Tell() + 16u);
    EXPECT_EQ(std::vector<uint8_t>(onDisk.begin(), onDisk.end() - 16),
              std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.Tell()));

    DiskFile file(path, "rb");
    EXPECT_EQ(file->GetSize(), onDisk.size());
    EXPECT_EQ(file->Tell(), 0u); // GetSize returns to where it was
    EXPECT_EQ(file->ReadInt8(), -5);
    EXPECT_EQ(file->ReadInt16(), -300);
    EXPECT_EQ(file->ReadInt32(), -70000);
    EXPECT_EQ(file->ReadUInt16(), 0xBEEF);
    EXPECT_EQ(file->ReadUInt32(), 0xDEADBEEFu);
    EXPECT_EQ(file->ReadFloat(), 0.5f);
    EXPECT_EQ(file->ReadString(), "");
    EXPECT_EQ(file->ReadString(), "Levels/level01.lvl");
    EXPECT_EQ(file->ReadDouble(), -0.25);
    EXPECT_EQ(file->ReadBlock16(), kBlock);
    EXPECT_EQ(file->GetStatus(), QxFile::kStatusGood);

    // A big-endian host's file turns the block's first eight bytes round, and only those.
    QxBlock16 turned = kBlock;
    std::reverse(turned.bytes, turned.bytes + 8);
    std::FILE* handle = std::fopen(path.string().c_str(), "rb");
    ASSERT_NE(handle, nullptr);
    {
        QxFileBE big(handle);
        big.Seek(QxFile::kSeekEnd, -16);
        EXPECT_EQ(big.ReadBlock16(), turned);
    }
    std::fclose(handle);
    {
        DiskFile out(folder.Path() / "big.bin", "wb");
        QxFileBE(out->GetHandle()).WriteBlock16(kBlock);
    }
    QxBlock16 written{};
    const std::vector<uint8_t> big = ReadFileBytes(folder.Path() / "big.bin");
    std::copy(big.begin(), big.end(), written.bytes);
    EXPECT_EQ(written, turned);
}

// Lines end at CR, LF or either pair; a blank line between them is a line of its own.
TEST(FileLE, ReadLineTakesEveryLineEnding) {
    TempFolder folder;
    const std::string text = "one\r\ntwo\nthree\r\rfour\n\nlast";
    WriteFileBytes(folder.Path() / "lines.txt", std::vector<uint8_t>(text.begin(), text.end()));
    DiskFile file(folder.Path() / "lines.txt", "rb");
    std::vector<std::string> lines;
    while (!file->IsEOF())
        lines.push_back(file->ReadLine());
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "four", "", "last"}));
}

TEST(FileLE, ReadsPastTheEndFailAndAStringLongerThanTheFileIsLogged) {
    LogCapture log;
    TempFolder folder;
    WriteFileBytes(folder.Path() / "bad.bin", {0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'});
    DiskFile file(folder.Path() / "bad.bin", "rb");
    EXPECT_EQ(file->ReadString(), "");
    EXPECT_EQ(file->Tell(), 0u);
    EXPECT_EQ(log.Text(),
              "Error Loading String. Unable to Allocated Memory. (Len: 2147483647)\r\n");
    EXPECT_EQ(file->ReadUInt32(), 0x7FFFFFFFu);
    EXPECT_EQ(file->ReadUInt32(), 0u);
    EXPECT_EQ(file->GetStatus(), QxFile::kStatusFailed);
}

// A file without a stream fails every call, and never leaves a read loop spinning.
TEST(FileLE, WithoutAStreamEveryCallFails) {
    QxFileLE none(nullptr);
    EXPECT_EQ(none.ReadUInt32() + none.WriteUInt32(7) + none.GetSize(), 0u);
    EXPECT_EQ(none.ReadString(), "");
    EXPECT_FALSE(none.Seek(QxFile::kSeekStart, 0));
    EXPECT_TRUE(none.IsEOF());
    EXPECT_EQ(none.GetStatus(), QxFile::kStatusFailed);
}

} // namespace
