#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/files/FilesTestSupport.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileLE.h"

namespace {

using filestest::LogCapture;
using filestest::ReadFileBytes;
using filestest::TempFolder;
using filestest::WriteFileBytes;
using filestest::WriteFileText;

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
            out->WriteDouble(1e300);
            EXPECT_EQ(out->WriteString(""), 4u);
            EXPECT_EQ(out->WriteString("Levels/level01.lvl"), 22u);
        }
    }
    const std::vector<uint8_t> onDisk = ReadFileBytes(path);
    EXPECT_EQ(onDisk, std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.Tell()));

    DiskFile file(path, "rb");
    EXPECT_EQ(file->GetSize(), onDisk.size());
    EXPECT_EQ(file->Tell(), 0u); // GetSize returns to where it was
    EXPECT_EQ(file->ReadInt8(), -5);
    EXPECT_EQ(file->ReadInt16(), -300);
    EXPECT_EQ(file->ReadInt32(), -70000);
    EXPECT_EQ(file->ReadUInt16(), 0xBEEF);
    EXPECT_EQ(file->ReadUInt32(), 0xDEADBEEFu);
    EXPECT_EQ(file->ReadFloat(), 0.5f);
    EXPECT_EQ(file->ReadDouble(), 1e300);
    EXPECT_EQ(file->ReadString(), "");
    EXPECT_EQ(file->ReadString(), "Levels/level01.lvl");
    EXPECT_EQ(file->GetStatus(), QxFile::kStatusGood);
}

TEST(FileLE, ReadPastTheEndGivesZeroAndFails) {
    TempFolder folder;
    WriteFileBytes(folder.Path() / "short.bin", {1, 2});
    DiskFile file(folder.Path() / "short.bin", "rb");
    EXPECT_EQ(file->ReadUInt32(), 0u);
    EXPECT_EQ(file->GetStatus(), QxFile::kStatusFailed);
}

TEST(FileLE, StringLongerThanTheFileIsRefusedAndLogged) {
    LogCapture log;
    TempFolder folder;
    WriteFileBytes(folder.Path() / "bad.bin", {0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'});
    DiskFile file(folder.Path() / "bad.bin", "rb");
    EXPECT_EQ(file->ReadString(), "");
    EXPECT_EQ(file->Tell(), 0u);
    EXPECT_EQ(log.Text(),
              "Error Loading String. Unable to Allocated Memory. (Len: 2147483647)\r\n");
}

std::vector<std::string> Lines(const std::string& text) {
    TempFolder folder;
    WriteFileText(folder.Path() / "lines.txt", text);
    DiskFile file(folder.Path() / "lines.txt", "rb");
    std::vector<std::string> lines;
    for (int i = 0; i < 10; ++i) {
        std::string line = file->ReadLine();
        if (file->IsEOF() && line.empty())
            break;
        lines.push_back(line);
    }
    return lines;
}

TEST(FileLE, ReadLineEndsAtEveryTerminatorKind) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Lines("ab\r\ncd"), (V{"ab", "cd"}));
    EXPECT_EQ(Lines("ab\n\ncd"), (V{"ab", "", "cd"}));
    EXPECT_EQ(Lines("ab\n\rcd"), (V{"ab", "cd"}));
    EXPECT_EQ(Lines("ab\r\rcd"), (V{"ab", "", "cd"}));
    EXPECT_EQ(Lines("ab\ncd\n"), (V{"ab", "cd"}));
    EXPECT_EQ(Lines(std::string(5000, 'x')), (V{std::string(5000, 'x')}));
}

TEST(FileBE, SwapsTheFirstHalfOfBlocks) {
    TempFolder folder;
    QxBlock16 block;
    for (int i = 0; i < 16; ++i)
        block.bytes[i] = static_cast<uint8_t>(i);
    {
        std::FILE* raw = std::fopen((folder.Path() / "be.bin").string().c_str(), "wb");
        QxFileBE be(raw);
        EXPECT_EQ(be.WriteBlock16(block), 16u);
        std::fclose(raw);
    }
    const std::vector<uint8_t> stored = ReadFileBytes(folder.Path() / "be.bin");
    const std::vector<uint8_t> expected = {7, 6, 5, 4, 3, 2, 1, 0, 8, 9, 10, 11, 12, 13, 14, 15};
    EXPECT_EQ(stored, expected);

    std::FILE* raw = std::fopen((folder.Path() / "be.bin").string().c_str(), "rb");
    QxFileBE be(raw);
    EXPECT_EQ(be.ReadBlock16(), block);
    std::fclose(raw);
}

} // namespace
