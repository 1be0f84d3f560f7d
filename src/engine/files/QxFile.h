#pragma once
#include <cstdint>
#include <string>

// Sixteen opaque bytes read and written as one value (an identifier, typically).
struct QxBlock16 {
    uint8_t bytes[16] = {};

    bool operator==(const QxBlock16&) const = default;
};

// One typed interface over every kind of file, on disk or in memory. All stored
// values are little-endian; a string is an unsigned 32-bit byte count followed by the
// bytes, without a terminator. Callers never need to know which kind they hold.
class QxFile {
public:
    static constexpr int32_t kStatusGood = 1;
    static constexpr int32_t kStatusFailed = 2;

    // Origins for Seek.
    static constexpr int32_t kSeekStart = 0;
    static constexpr int32_t kSeekCurrent = 1;
    static constexpr int32_t kSeekEnd = 2;

    QxFile() = default;
    QxFile(const QxFile&) = delete;
    QxFile& operator=(const QxFile&) = delete;
    virtual ~QxFile() = default;

    // 1 when the last operation that sets the status succeeded, 2 when it failed.
    virtual int32_t GetStatus() const { return m_status; }
    // True when the position was set.
    virtual bool Seek(int32_t origin, int32_t offset) = 0;
    virtual uint32_t GetSize() = 0;

    virtual int8_t ReadInt8() = 0;
    virtual int16_t ReadInt16() = 0;
    virtual int32_t ReadInt32() = 0;
    virtual uint8_t ReadUInt8() = 0;
    virtual uint16_t ReadUInt16() = 0;
    virtual uint32_t ReadUInt32() = 0;
    virtual float ReadFloat() = 0;
    virtual double ReadDouble() = 0;
    virtual std::string ReadString() = 0;
    virtual QxBlock16 ReadBlock16() = 0;
    // Returns the number of bytes read.
    virtual uint32_t ReadBytes(uint32_t count, void* destination) = 0;

    // Writes return the number of bytes written, 0 on failure.
    virtual uint32_t WriteInt8(int8_t value) = 0;
    virtual uint32_t WriteInt16(int16_t value) = 0;
    virtual uint32_t WriteInt32(int32_t value) = 0;
    virtual uint32_t WriteUInt8(uint8_t value) = 0;
    virtual uint32_t WriteUInt16(uint16_t value) = 0;
    virtual uint32_t WriteUInt32(uint32_t value) = 0;
    virtual uint32_t WriteFloat(float value) = 0;
    virtual uint32_t WriteDouble(double value) = 0;
    virtual uint32_t WriteString(const std::string& text) = 0;
    virtual uint32_t WriteBlock16(const QxBlock16& block) = 0;
    virtual uint32_t WriteBytes(uint32_t count, const void* source) = 0;

    virtual uint32_t Tell() = 0;
    virtual bool IsEOF() = 0;

protected:
    int32_t m_status = kStatusFailed;
};
