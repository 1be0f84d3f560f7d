#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/files/QxFile.h"

// A file on disk over a platform stream opened and closed by the folder file manager;
// the file object never closes the stream. Without a stream every operation fails
// (status 2) and answers zero values, so a caller may run a whole read sequence and
// test the status once.
class QxFileLE : public QxFile {
public:
    explicit QxFileLE(std::FILE* handle);
    ~QxFileLE() override = default;

    bool Seek(int32_t origin, int32_t offset) override;
    uint32_t GetSize() override;

    int8_t ReadInt8() override;
    int16_t ReadInt16() override;
    int32_t ReadInt32() override;
    uint8_t ReadUInt8() override;
    uint16_t ReadUInt16() override;
    uint32_t ReadUInt32() override;
    float ReadFloat() override;
    double ReadDouble() override;
    std::string ReadString() override;
    QxBlock16 ReadBlock16() override;
    uint32_t ReadBytes(uint32_t count, void* destination) override;

    uint32_t WriteInt8(int8_t value) override;
    uint32_t WriteInt16(int16_t value) override;
    uint32_t WriteInt32(int32_t value) override;
    uint32_t WriteUInt8(uint8_t value) override;
    uint32_t WriteUInt16(uint16_t value) override;
    uint32_t WriteUInt32(uint32_t value) override;
    uint32_t WriteFloat(float value) override;
    uint32_t WriteDouble(double value) override;
    uint32_t WriteString(const std::string& text) override;
    uint32_t WriteBlock16(const QxBlock16& block) override;
    uint32_t WriteBytes(uint32_t count, const void* source) override;

    uint32_t Tell() override;
    bool IsEOF() override;

    // One line without its terminator; a line ends at CR, LF, CR LF or LF CR.
    virtual std::string ReadLine();

    std::FILE* GetHandle() const { return m_handle; }

private:
    bool ReadRaw(uint32_t width, uint8_t* out);
    uint32_t WriteRaw(uint32_t width, const uint8_t* bytes);

    std::FILE* m_handle;
};

// The variant made on a host that stores integers high byte first: 16-byte blocks
// keep that host's layout of their first eight bytes.
class QxFileBE : public QxFileLE {
public:
    explicit QxFileBE(std::FILE* handle) : QxFileLE(handle) {}

    QxBlock16 ReadBlock16() override;
    uint32_t WriteBlock16(const QxBlock16& block) override;
};
