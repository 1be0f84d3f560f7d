#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/files/MediaTestSupport.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileLE.h"

namespace {

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
    EXPECT_EQ(file->ReadString(), "");
    EXPECT_EQ(file->ReadString(), "Levels/level01.lvl");
    EXPECT_EQ(file->GetStatus(), QxFile::kStatusGood);
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

} // namespace
