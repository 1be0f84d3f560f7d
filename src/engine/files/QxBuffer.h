#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/files/QxFile.h"

// A growable block of memory used as a file: the in-memory file handed out for an
// archive entry and a scratch buffer for building data. Reads never pass the end of
// the storage: a read that does not fit answers 3 and leaves the position alone.
class QxBuffer : public QxFile {
public:
    // The value a read answers when it does not fit in the bytes left.
    static constexpr uint32_t kShortRead = 3;
    // Writes past the end grow the storage in steps of this many bytes.
    static constexpr uint32_t kGrowStep = 1024;

    QxBuffer() = default;
    ~QxBuffer() override = default;

    // Origin 0: to offset; 1: to position + offset; both only when below the size.
    // Origin 2: to size - offset.
    bool Seek(int32_t origin, int32_t offset) override;
    uint32_t GetSize() override { return m_size; }

    int8_t ReadInt8() override;
    int16_t ReadInt16() override;
    int32_t ReadInt32() override;
    uint8_t ReadUInt8() override;
    uint16_t ReadUInt16() override;
    uint32_t ReadUInt32() override;
    float ReadFloat() override;
    double ReadDouble() override;
    // A stored length that runs past the end gives an empty string and no move.
    std::string ReadString() override;
    // A buffer carries no 16-byte blocks: sixteen zero bytes, no move.
    QxBlock16 ReadBlock16() override;
    // Returns count, or 3 when the bytes do not fit (nothing is copied then).
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
    // Writes nothing and returns 0.
    uint32_t WriteBlock16(const QxBlock16& block) override;
    // Returns count; 3 for a null source (after growing); status unchanged.
    uint32_t WriteBytes(uint32_t count, const void* source) override;

    uint32_t Tell() override { return m_position; }
    bool IsEOF() override { return m_position >= m_size; }

    virtual uint8_t* GetData() { return m_storage.get(); }
    // New storage of size bytes, each set to fill; position 0, status 1.
    virtual bool Allocate(uint32_t size, uint8_t fill);
    // Zeroes the storage; position and size stay.
    virtual void Clear();
    // Adds n uninitialised bytes at the end; position stays.
    virtual bool Grow(uint32_t n);
    // First start position below the current position where text is stored, or -1.
    virtual int32_t Find(const std::string& text);

    const uint8_t* GetData() const { return m_storage.get(); }

private:
    bool Fits(uint32_t width) const;
    bool ReadRaw(uint32_t width, uint8_t* out);
    uint32_t WriteRaw(uint32_t width, const uint8_t* bytes);
    bool GrowToFit(uint64_t end);

    std::unique_ptr<uint8_t[]> m_storage;
    uint32_t m_position = 0;
    uint32_t m_size = 0;
};
