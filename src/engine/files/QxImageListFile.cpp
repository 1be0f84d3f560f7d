#include "engine/files/QxImageListFile.h"

#include <array>
#include <cstring>

#include "engine/files/QxFile.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxLog.h"

namespace {

constexpr uint32_t kMagic = 0x54534D49; // "IMST" as stored
constexpr uint32_t kReservedBytes = 8;

// Smallest record: name length, width, height and the reserved bytes; version 2
// adds the depth, an 8-bit frame its palette count.
uint64_t MinimumRecordBytes(uint32_t version) {
    return 4 + 4 + 4 + kReservedBytes + (version >= 2 ? 4 : 0);
}

// Reads only what the bytes left can hold; every size is tested before it is trusted.
class Reader {
public:
    Reader(QxFile& file, const std::string& name) : m_file(file), m_name(name) {
        m_size = file.GetSize();
        m_at = 0;
    }

    uint64_t Left() const { return m_size - m_at; }
    bool Has(uint64_t bytes) const { return bytes <= Left(); }

    uint32_t U32() {
        m_at += 4;
        return m_file.ReadUInt32();
    }
    uint8_t U8() {
        m_at += 1;
        return m_file.ReadUInt8();
    }
    bool Bytes(uint64_t count, void* to) {
        if (count == 0) {
            return true;
        }
        m_at += count;
        return m_file.ReadBytes(static_cast<uint32_t>(count), to) == count;
    }
    void Skip(uint64_t count) {
        m_at += count;
        if (m_at < m_size) {
            m_file.Seek(QxFile::kSeekStart, static_cast<int32_t>(m_at));
        }
    }
    QxColour Colour() {
        const uint8_t r = U8();
        const uint8_t g = U8();
        const uint8_t b = U8();
        const uint8_t a = U8();
        return QxColour(r, g, b, a);
    }

    bool Damaged(const char* reason) const {
        // Both threads, and every type that uses the list, meet the same damage.
        LogPrintfOnce("Invalid image list: %s (%s)", m_name.c_str(), reason);
        return false;
    }

private:
    QxFile& m_file;
    const std::string& m_name;
    uint64_t m_size = 0;
    uint64_t m_at = 0;
};

bool ReadFrames(QxFile& file, std::vector<QxImage>& frames, const std::string& name) {
    Reader in(file, name);
    if (file.GetSize() > 0x7FFFFFFFu) {
        return in.Damaged("file too large");
    }
    if (!in.Has(8) || !file.Seek(QxFile::kSeekStart, 0)) {
        return false;
    }
    if (in.U32() != kMagic) {
        return false;
    }
    const uint32_t version = in.U32();
    if (version > QxImageListFile::kLatestVersion) {
        return false;
    }
    if (!in.Has(8)) {
        return in.Damaged("header past the end of the file");
    }
    const uint32_t count = in.U32();
    if (count == 0) {
        return false;
    }
    const uint32_t fillCount = in.U32();
    if (fillCount > QxImageListFile::kMaxFillColours) {
        return in.Damaged("more than 256 fill colours");
    }
    if (!in.Has(uint64_t{4} * fillCount)) {
        return in.Damaged("fill colours past the end of the file");
    }
    std::array<QxColour, QxImageListFile::kMaxFillColours> fills{};
    for (QxColour& c : fills) {
        c = QxColour(0, 0, 0, 0);
    }
    for (uint32_t i = 0; i < fillCount; ++i) {
        fills[i] = in.Colour();
    }
    if (!in.Has(uint64_t{count} * MinimumRecordBytes(version))) {
        return in.Damaged("more images than the file holds");
    }

    for (uint32_t index = 0; index < count; ++index) {
        if (!in.Has(4)) {
            return in.Damaged("image past the end of the file");
        }
        const uint32_t nameLength = in.U32();
        if (nameLength > QxImageListFile::kMaxNameLength || !in.Has(nameLength)) {
            return in.Damaged("bad image name length");
        }
        std::string frameName(nameLength, '\0');
        if (!in.Bytes(nameLength, frameName.data())) {
            return in.Damaged("image name unreadable");
        }
        frameName.resize(std::strlen(frameName.c_str())); // a stored zero ends the name

        if (!in.Has(MinimumRecordBytes(version) - 4)) {
            return in.Damaged("image past the end of the file");
        }
        const uint32_t depth = version >= 2 ? in.U32() : 8;
        if (depth != 8 && depth != 15 && depth != 16) {
            return in.Damaged("image depth other than 8, 15 or 16");
        }
        const uint32_t width = in.U32();
        const uint32_t height = in.U32();
        in.Skip(kReservedBytes);
        if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) {
            return in.Damaged("empty image");
        }

        uint32_t paletteCount = 0;
        if (depth == 8) {
            if (!in.Has(4)) {
                return in.Damaged("palette past the end of the file");
            }
            paletteCount = in.U32();
            if (paletteCount > 256) {
                return in.Damaged("more than 256 palette colours");
            }
            if (!in.Has(uint64_t{4} * paletteCount)) {
                return in.Damaged("palette past the end of the file");
            }
        }
        const uint64_t pixelBytes =
            uint64_t{width} * height * static_cast<uint64_t>(QxImage::BytesPerPixelFor(depth));
        // Checked before the palette is read or the image sized, so no allocation
        // exceeds what the file holds.
        if (!in.Has(uint64_t{4} * paletteCount + pixelBytes)) {
            return in.Damaged("pixels past the end of the file");
        }

        QxImage& frame = frames.emplace_back();
        if (!frame.Create(static_cast<int>(width), static_cast<int>(height),
                          static_cast<int>(depth))) {
            return in.Damaged("unsupported image");
        }
        frame.name = frameName;
        if (depth == 8) {
            for (uint32_t i = 0; i < paletteCount; ++i) {
                frame.palette[i] = in.Colour();
            }
            // The rest takes the fill colour of the image's position; past the table
            // the entries stay opaque black.
            if (index < fills.size()) {
                for (size_t i = paletteCount; i < frame.palette.size(); ++i) {
                    frame.palette[i] = fills[index];
                }
            }
        }
        if (!in.Bytes(pixelBytes, frame.pixels.data())) {
            return in.Damaged("pixels unreadable");
        }
    }
    return true;
}

} // namespace

bool QxImageListFile::Read(QxFile& file, std::vector<QxImage>& frames, const std::string& name) {
    frames.clear();
    if (ReadFrames(file, frames, name)) {
        return true;
    }
    frames.clear();
    return false;
}

bool QxImageListFile::Write(QxFile& file, const std::vector<QxImage>& frames, uint32_t version,
                            const std::vector<QxColour>& fillColours) {
    if (version > kLatestVersion || frames.empty() || fillColours.size() > kMaxFillColours) {
        return false;
    }
    for (const QxImage& frame : frames) {
        const int depth = frame.bitsPerPixel;
        const bool depthOk = depth == 8 || (version >= 2 && (depth == 15 || depth == 16));
        if (!depthOk || frame.width <= 0 || frame.height <= 0 || !frame.HasPixels() ||
            (depth == 8 && !frame.HasPalette()) || frame.name.size() > kMaxNameLength) {
            return false;
        }
    }

    bool ok = true;
    auto put32 = [&](uint32_t v) { ok = ok && file.WriteUInt32(v) == 4; };
    auto putColour = [&](const QxColour& c) {
        const uint8_t bytes[4] = {c.red, c.green, c.blue, c.alpha};
        ok = ok && file.WriteBytes(4, bytes) == 4;
    };
    put32(kMagic);
    put32(version);
    put32(static_cast<uint32_t>(frames.size()));
    put32(static_cast<uint32_t>(fillColours.size()));
    for (const QxColour& c : fillColours) {
        putColour(c);
    }
    const uint8_t reserved[kReservedBytes] = {};
    for (const QxImage& frame : frames) {
        put32(static_cast<uint32_t>(frame.name.size()));
        if (!frame.name.empty()) {
            ok = ok && file.WriteBytes(static_cast<uint32_t>(frame.name.size()),
                                       frame.name.data()) == frame.name.size();
        }
        if (version >= 2) {
            put32(static_cast<uint32_t>(frame.bitsPerPixel));
        }
        put32(static_cast<uint32_t>(frame.width));
        put32(static_cast<uint32_t>(frame.height));
        ok = ok && file.WriteBytes(kReservedBytes, reserved) == kReservedBytes;
        if (frame.bitsPerPixel == 8) {
            put32(QxImage::kPaletteSize);
            for (const QxColour& c : frame.palette) {
                putColour(c);
            }
        }
        const uint32_t bytes = static_cast<uint32_t>(frame.pixels.size());
        ok = ok && file.WriteBytes(bytes, frame.pixels.data()) == bytes;
    }
    return ok;
}
