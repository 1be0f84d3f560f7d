// Drives a memory buffer holding the input with operations chosen by the input itself:
// every read kind, seeks, writes, growth and searches. The position must never pass
// the size, and a string never comes out longer than the storage.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/files/QxBuffer.h"

namespace {

// Reads operation bytes from the input, past its end as zeros.
struct Cursor {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    bool More() const { return at < size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    int32_t Int() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v |= static_cast<uint32_t>(Byte()) << (8 * i);
        }
        return static_cast<int32_t>(v);
    }
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 16)) {
        return 0;
    }
    QxBuffer buffer;
    buffer.Allocate(static_cast<uint32_t>(size), 0);
    if (size > 0) {
        std::memcpy(buffer.GetData(), data, size);
    }

    Cursor ops{data, size};
    uint8_t scratch[256];
    for (int steps = 0; ops.More() && steps < 4096; ++steps) {
        switch (ops.Byte() % 24) {
        case 0:
            buffer.ReadInt8();
            break;
        case 1:
            buffer.ReadInt16();
            break;
        case 2:
            buffer.ReadInt32();
            break;
        case 3:
            buffer.ReadUInt8();
            break;
        case 4:
            buffer.ReadUInt16();
            break;
        case 5:
            buffer.ReadUInt32();
            break;
        case 6:
            buffer.ReadFloat();
            break;
        case 7:
            buffer.ReadDouble();
            break;
        case 8:
            Check(buffer.ReadString().size() <= buffer.GetSize());
            break;
        case 9:
            buffer.ReadBlock16();
            break;
        case 10:
            buffer.ReadBytes(ops.Byte(), scratch);
            break;
        case 11:
            buffer.ReadBytes(ops.Byte(), nullptr);
            break;
        case 12:
            buffer.Seek(ops.Byte() % 4, ops.Int());
            break;
        case 13:
            buffer.WriteUInt32(static_cast<uint32_t>(ops.Int()));
            break;
        case 14:
            buffer.WriteDouble(static_cast<double>(ops.Int()));
            break;
        case 15: {
            const std::string text(ops.Byte() % 40, static_cast<char>(ops.Byte()));
            buffer.WriteString(text);
            break;
        }
        case 16:
            buffer.WriteBytes(ops.Byte(), scratch);
            break;
        case 17:
            buffer.WriteBytes(ops.Byte(), nullptr);
            break;
        case 18:
            buffer.Grow(ops.Byte());
            break;
        case 19: {
            const std::string text(ops.Byte() % 4, static_cast<char>(ops.Byte()));
            const int32_t at = buffer.Find(text);
            Check(at < 0 || static_cast<uint32_t>(at) < buffer.GetSize());
            break;
        }
        case 20:
            buffer.Clear();
            break;
        case 21:
            buffer.WriteInt8(static_cast<int8_t>(ops.Byte()));
            break;
        case 22:
            buffer.WriteBlock16(QxBlock16{});
            break;
        default:
            Check(buffer.IsEOF() == (buffer.Tell() >= buffer.GetSize()));
            break;
        }
        Check(buffer.Tell() <= buffer.GetSize());
        Check(buffer.GetSize() <= size + (1u << 20) * 8);
    }
    return 0;
}
