#pragma once
#include <cstdint>
#include <cstring>

#include "engine/files/QxPortable.h"

// Little-endian packing shared by the file kinds, independent of the host order.
namespace qxendian {

template <typename T> inline T Load(const uint8_t* bytes) {
    static_assert(sizeof(T) <= 8);
    uint64_t v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) {
        v |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    }
    if constexpr (sizeof(T) == 1) {
        return qx::BitCast<T>(static_cast<uint8_t>(v));
    } else if constexpr (sizeof(T) == 2) {
        return qx::BitCast<T>(static_cast<uint16_t>(v));
    } else if constexpr (sizeof(T) == 4) {
        return qx::BitCast<T>(static_cast<uint32_t>(v));
    } else {
        return qx::BitCast<T>(v);
    }
}

template <typename T> inline void Store(T value, uint8_t* bytes) {
    static_assert(sizeof(T) <= 8);
    uint64_t v = 0;
    if constexpr (sizeof(T) == 1) {
        v = qx::BitCast<uint8_t>(value);
    } else if constexpr (sizeof(T) == 2) {
        v = qx::BitCast<uint16_t>(value);
    } else if constexpr (sizeof(T) == 4) {
        v = qx::BitCast<uint32_t>(value);
    } else {
        v = qx::BitCast<uint64_t>(value);
    }
    for (size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

} // namespace qxendian
