#include "engine/files/QxFileLE.h"

#include <algorithm>
#include <cstring>

#include "engine/files/QxEndian.h"
#include "engine/files/QxLog.h"

QxFileLE::QxFileLE(std::FILE* handle) : m_handle(handle) {
    m_status = handle ? kStatusGood : kStatusFailed;
}

bool QxFileLE::ReadRaw(uint32_t width, uint8_t* out) {
    std::memset(out, 0, width);
    if (!m_handle) {
        m_status = kStatusFailed;
        return false;
    }
    // A short read at the end of the file leaves the value 0 and reports failure.
    const bool complete = std::fread(out, 1, width, m_handle) == width;
    if (!complete) {
        std::memset(out, 0, width);
    }
    m_status = complete ? kStatusGood : kStatusFailed;
    return complete;
}

#define QX_FILE_READ(Name, Type)                                                                   \
    Type QxFileLE::Name() {                                                                        \
        uint8_t bytes[sizeof(Type)];                                                               \
        ReadRaw(sizeof(Type), bytes);                                                              \
        return qxendian::Load<Type>(bytes);                                                        \
    }

QX_FILE_READ(ReadInt8, int8_t)
QX_FILE_READ(ReadInt16, int16_t)
QX_FILE_READ(ReadInt32, int32_t)
QX_FILE_READ(ReadUInt8, uint8_t)
QX_FILE_READ(ReadUInt16, uint16_t)
QX_FILE_READ(ReadUInt32, uint32_t)
QX_FILE_READ(ReadFloat, float)
QX_FILE_READ(ReadDouble, double)

#undef QX_FILE_READ

std::string QxFileLE::ReadString() {
    if (!m_handle) {
        m_status = kStatusFailed;
        return std::string();
    }
    const long start = std::ftell(m_handle);
    const int32_t length = ReadInt32();
    if (m_status != kStatusGood) {
        return std::string();
    }
    // The stored length is not trusted: it must fit in the bytes left in the file,
    // so a damaged length never asks for more memory than the file holds.
    const long here = std::ftell(m_handle);
    const uint32_t size = GetSize();
    if (length < 0 || here < 0 || static_cast<uint64_t>(here) + length > size) {
        LogPrintf("Error Loading String. Unable to Allocated Memory. (Len: %d)", length);
        if (start >= 0) {
            std::fseek(m_handle, start, SEEK_SET);
        }
        m_status = kStatusFailed;
        return std::string();
    }
    std::string text(static_cast<size_t>(length), '\0');
    const uint32_t read = ReadBytes(static_cast<uint32_t>(length), text.data());
    text.resize(std::min<size_t>(read, std::strlen(text.c_str())));
    return text;
}

QxBlock16 QxFileLE::ReadBlock16() {
    QxBlock16 block;
    ReadRaw(sizeof(block.bytes), block.bytes);
    return block;
}

uint32_t QxFileLE::ReadBytes(uint32_t count, void* destination) {
    if (!m_handle) {
        m_status = kStatusFailed;
        return 0;
    }
    if (count == 0 || !destination) {
        return 0;
    }
    const size_t read = std::fread(destination, 1, count, m_handle);
    m_status = read == count ? kStatusGood : kStatusFailed;
    return static_cast<uint32_t>(read);
}

uint32_t QxFileLE::WriteRaw(uint32_t width, const uint8_t* bytes) {
    if (!m_handle) {
        m_status = kStatusFailed;
        return 0;
    }
    const size_t written = std::fwrite(bytes, 1, width, m_handle);
    m_status = written == width ? kStatusGood : kStatusFailed;
    return static_cast<uint32_t>(written);
}

#define QX_FILE_WRITE(Name, Type)                                                                  \
    uint32_t QxFileLE::Name(Type value) {                                                          \
        uint8_t bytes[sizeof(Type)];                                                               \
        qxendian::Store<Type>(value, bytes);                                                       \
        return WriteRaw(sizeof(Type), bytes);                                                      \
    }

QX_FILE_WRITE(WriteInt8, int8_t)
QX_FILE_WRITE(WriteInt16, int16_t)
QX_FILE_WRITE(WriteInt32, int32_t)
QX_FILE_WRITE(WriteUInt8, uint8_t)
QX_FILE_WRITE(WriteUInt16, uint16_t)
QX_FILE_WRITE(WriteUInt32, uint32_t)
QX_FILE_WRITE(WriteFloat, float)
QX_FILE_WRITE(WriteDouble, double)

#undef QX_FILE_WRITE

uint32_t QxFileLE::WriteString(const std::string& text) {
    if (text.size() > INT32_MAX) {
        m_status = kStatusFailed;
        return 0;
    }
    const int32_t length = static_cast<int32_t>(text.size());
    return WriteInt32(length) + WriteBytes(static_cast<uint32_t>(length), text.data());
}

uint32_t QxFileLE::WriteBlock16(const QxBlock16& block) {
    return WriteRaw(sizeof(block.bytes), block.bytes);
}

uint32_t QxFileLE::WriteBytes(uint32_t count, const void* source) {
    if (!m_handle) {
        m_status = kStatusFailed;
        return 0;
    }
    if (count == 0 || !source) {
        return 0;
    }
    return WriteRaw(count, static_cast<const uint8_t*>(source));
}

bool QxFileLE::Seek(int32_t origin, int32_t offset) {
    if (!m_handle) {
        m_status = kStatusFailed;
        return false;
    }
    const int whence = origin == kSeekCurrent ? SEEK_CUR : origin == kSeekEnd ? SEEK_END : SEEK_SET;
    return std::fseek(m_handle, offset, whence) == 0;
}

uint32_t QxFileLE::GetSize() {
    if (!m_handle) {
        m_status = kStatusFailed;
        return 0;
    }
    const long here = std::ftell(m_handle);
    if (here < 0 || std::fseek(m_handle, 0, SEEK_END) != 0) {
        return 0;
    }
    const long end = std::ftell(m_handle);
    std::fseek(m_handle, here, SEEK_SET);
    if (end < 0) {
        return 0;
    }
    // Compared as 64 bits: where long has 32 (Windows), UINT32_MAX as a long is -1.
    return static_cast<uint64_t>(end) > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(end);
}

uint32_t QxFileLE::Tell() {
    if (!m_handle) {
        m_status = kStatusFailed;
        return 0;
    }
    const long here = std::ftell(m_handle);
    return here < 0 ? 0 : static_cast<uint32_t>(here);
}

bool QxFileLE::IsEOF() {
    if (!m_handle) {
        // No stream has no more bytes; answering false would spin a read loop forever.
        m_status = kStatusFailed;
        return true;
    }
    return std::feof(m_handle) != 0;
}

std::string QxFileLE::ReadLine() {
    std::string line;
    line.reserve(255);
    bool sawCR = false;
    bool sawLF = false;
    for (;;) {
        const uint8_t byte = ReadUInt8();
        if (IsEOF()) {
            break;
        }
        if (byte == '\r') {
            if (sawCR) {
                Seek(kSeekCurrent, -1);
                break;
            }
            sawCR = true;
        } else if (byte == '\n') {
            if (sawLF) {
                Seek(kSeekCurrent, -1);
                break;
            }
            sawLF = true;
        } else {
            if (sawCR || sawLF) {
                Seek(kSeekCurrent, -1);
                break;
            }
            line.push_back(static_cast<char>(byte));
        }
    }
    return line;
}

QxBlock16 QxFileBE::ReadBlock16() {
    QxBlock16 block = QxFileLE::ReadBlock16();
    std::reverse(block.bytes, block.bytes + 8);
    return block;
}

uint32_t QxFileBE::WriteBlock16(const QxBlock16& block) {
    QxBlock16 swapped = block;
    std::reverse(swapped.bytes, swapped.bytes + 8);
    return QxFileLE::WriteBlock16(swapped);
}
