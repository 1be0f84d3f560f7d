#include "engine/files/QxBuffer.h"

#include <cstring>
#include <new>

#include "engine/files/QxEndian.h"
#include "engine/files/QxPortable.h"

bool QxBuffer::Fits(uint32_t width) const {
    return static_cast<uint64_t>(m_position) + width <= m_size;
}

bool QxBuffer::ReadRaw(uint32_t width, uint8_t* out) {
    if (!Fits(width) || !m_storage) {
        return false;
    }
    std::memcpy(out, m_storage.get() + m_position, width);
    m_position += width;
    return true;
}

#define QX_BUFFER_READ(Name, Type, ShortValue)                                                     \
    Type QxBuffer::Name() {                                                                        \
        uint8_t bytes[sizeof(Type)];                                                               \
        if (!ReadRaw(sizeof(Type), bytes))                                                         \
            return ShortValue;                                                                     \
        return qxendian::Load<Type>(bytes);                                                        \
    }

QX_BUFFER_READ(ReadInt8, int8_t, kShortRead)
QX_BUFFER_READ(ReadInt16, int16_t, kShortRead)
QX_BUFFER_READ(ReadInt32, int32_t, kShortRead)
QX_BUFFER_READ(ReadUInt8, uint8_t, kShortRead)
QX_BUFFER_READ(ReadUInt16, uint16_t, kShortRead)
QX_BUFFER_READ(ReadUInt32, uint32_t, kShortRead)
QX_BUFFER_READ(ReadFloat, float, 3.0f)
QX_BUFFER_READ(ReadDouble, double, 3.0)

#undef QX_BUFFER_READ

std::string QxBuffer::ReadString() {
    // Neither the length nor the text is trusted: when either runs past the end the
    // read answers an empty string and leaves the position where it was.
    if (!Fits(4) || !m_storage) {
        return std::string();
    }
    const uint32_t length = qxendian::Load<uint32_t>(m_storage.get() + m_position);
    if (static_cast<uint64_t>(m_position) + 4 + length > m_size) {
        return std::string();
    }
    const char* text = reinterpret_cast<const char*>(m_storage.get() + m_position + 4);
    m_position += 4 + length;
    const void* zero = std::memchr(text, 0, length);
    const size_t used = zero ? static_cast<size_t>(static_cast<const char*>(zero) - text) : length;
    return std::string(text, used);
}

QxBlock16 QxBuffer::ReadBlock16() {
    return QxBlock16{};
}

uint32_t QxBuffer::ReadBytes(uint32_t count, void* destination) {
    if (count == 0) {
        return 0;
    }
    if (!destination) {
        return 0;
    }
    if (!ReadRaw(count, static_cast<uint8_t*>(destination))) {
        return kShortRead;
    }
    return count;
}

bool QxBuffer::GrowToFit(uint64_t end) {
    if (end <= m_size) {
        return true;
    }
    // The same size as growing step by step, in one move.
    const uint64_t missing = end - m_size;
    const uint64_t steps = (missing + kGrowStep - 1) / kGrowStep;
    const uint64_t growth = steps * kGrowStep;
    if (growth > UINT32_MAX) {
        return false;
    }
    return Grow(static_cast<uint32_t>(growth));
}

uint32_t QxBuffer::WriteRaw(uint32_t width, const uint8_t* bytes) {
    if (!GrowToFit(static_cast<uint64_t>(m_position) + width) || !m_storage) {
        m_status = kStatusFailed;
        return 0;
    }
    std::memcpy(m_storage.get() + m_position, bytes, width);
    m_position += width;
    m_status = kStatusGood;
    return width;
}

#define QX_BUFFER_WRITE(Name, Type)                                                                \
    uint32_t QxBuffer::Name(Type value) {                                                          \
        uint8_t bytes[sizeof(Type)];                                                               \
        qxendian::Store<Type>(value, bytes);                                                       \
        return WriteRaw(sizeof(Type), bytes);                                                      \
    }

QX_BUFFER_WRITE(WriteInt8, int8_t)
QX_BUFFER_WRITE(WriteInt16, int16_t)
QX_BUFFER_WRITE(WriteInt32, int32_t)
QX_BUFFER_WRITE(WriteUInt8, uint8_t)
QX_BUFFER_WRITE(WriteUInt16, uint16_t)
QX_BUFFER_WRITE(WriteUInt32, uint32_t)
QX_BUFFER_WRITE(WriteFloat, float)
QX_BUFFER_WRITE(WriteDouble, double)

#undef QX_BUFFER_WRITE

uint32_t QxBuffer::WriteString(const std::string& text) {
    if (text.size() > UINT32_MAX) {
        return 0;
    }
    const uint32_t length = static_cast<uint32_t>(text.size());
    return WriteUInt32(length) + WriteBytes(length, text.data());
}

uint32_t QxBuffer::WriteBlock16(const QxBlock16&) {
    return 0;
}

uint32_t QxBuffer::WriteBytes(uint32_t count, const void* source) {
    if (count == 0) {
        return 0;
    }
    if (!GrowToFit(static_cast<uint64_t>(m_position) + count) || !m_storage) {
        return 0;
    }
    if (!source) {
        return kShortRead;
    }
    std::memcpy(m_storage.get() + m_position, source, count);
    m_position += count;
    return count;
}

bool QxBuffer::Seek(int32_t origin, int32_t offset) {
    int64_t target = 0;
    switch (origin) {
    case kSeekCurrent:
        target = static_cast<int64_t>(m_position) + offset;
        if (target < 0 || target >= m_size) {
            return false;
        }
        break;
    case kSeekEnd:
        // Counted back from the end; never before the start nor past the end.
        target = static_cast<int64_t>(m_size) - offset;
        if (target < 0 || target > m_size) {
            return false;
        }
        break;
    default:
        target = offset;
        if (target < 0 || target >= m_size) {
            return false;
        }
        break;
    }
    m_position = static_cast<uint32_t>(target);
    return true;
}

bool QxBuffer::Allocate(uint32_t size, uint8_t fill) {
    m_storage.reset();
    m_size = 0;
    m_position = 0;
    try {
        m_storage = qx::MakeUninitialisedBytes(size);
    } catch (const std::bad_alloc&) {
        m_status = kStatusFailed;
        return false;
    }
    std::memset(m_storage.get(), fill, size);
    m_size = size;
    m_status = kStatusGood;
    return true;
}

void QxBuffer::Clear() {
    if (m_storage) {
        std::memset(m_storage.get(), 0, m_size);
    }
}

bool QxBuffer::Grow(uint32_t n) {
    const uint64_t newSize = static_cast<uint64_t>(m_size) + n;
    if (newSize > UINT32_MAX) {
        return false;
    }
    std::unique_ptr<uint8_t[]> storage;
    try {
        storage = qx::MakeUninitialisedBytes(static_cast<size_t>(newSize));
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (m_storage && m_size > 0) {
        std::memcpy(storage.get(), m_storage.get(), m_size);
    }
    m_storage = std::move(storage);
    m_size = static_cast<uint32_t>(newSize);
    return true;
}

int32_t QxBuffer::Find(const std::string& text) {
    if (!m_storage) {
        return -1;
    }
    const uint64_t length = text.size();
    for (uint64_t i = 0; i < m_position && i + length < m_size; ++i) {
        if (std::memcmp(m_storage.get() + i, text.data(), length) == 0) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}
