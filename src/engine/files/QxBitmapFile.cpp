#include "engine/files/QxBitmapFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/files/QxFile.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxLog.h"

namespace {

constexpr uint16_t kMagic = 19778; // "BM"
constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kPaletteOffset = kFileHeaderBytes + kInfoHeaderBytes;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;

bool Damaged(const std::string& name, const char* reason) {
    std::string line = "Invalid image: " + name + " (" + reason + ")\n";
    LogString(line.c_str());
    return false;
}

uint64_t RowStride(uint64_t width, int bytesPerPixel) {
    return (width * static_cast<uint64_t>(bytesPerPixel) + 3) & ~uint64_t{3};
}

} // namespace

bool QxBitmapFile::Read(QxFile& file, QxImage& image, const std::string& name) {
    image.Clear();
    image.name = name;
    const uint64_t size = file.GetSize();
    if (size < 2 || !file.Seek(QxFile::kSeekStart, 0)) {
        return false;
    }
    if (file.ReadUInt16() != kMagic) {
        return false;
    }
    if (size < kPaletteOffset) {
        return Damaged(name, "header past the end of the file");
    }
    if (size > 0x7FFFFFFFu) {
        return Damaged(name, "file too large");
    }

    file.Seek(QxFile::kSeekStart, 10);
    const uint64_t dataOffset = file.ReadUInt32();
    file.Seek(QxFile::kSeekStart, 18);
    const int64_t width = file.ReadInt32();
    const int64_t height = std::llabs(file.ReadInt32());
    file.Seek(QxFile::kSeekStart, 28);
    const int bits = file.ReadUInt16();
    file.Seek(QxFile::kSeekStart, 46);
    uint64_t colours = file.ReadUInt32();
    if (colours == 0) {
        colours = 256;
    }

    if (width <= 0 || height == 0) {
        return Damaged(name, "empty picture");
    }
    if (width + height > kMaxWidthPlusHeight) {
        return Damaged(name, "picture too large");
    }
    if (bits > 32) {
        return Damaged(name, "more than 32 bits per pixel");
    }
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return Damaged(name, "unsupported bits per pixel");
    }
    if (bits == 8 && colours > 256) {
        return Damaged(name, "more than 256 palette colours");
    }
    if (bits == 8 && kPaletteOffset + 4 * colours > size) {
        return Damaged(name, "palette past the end of the file");
    }

    // The last row's padding may be missing; its pixels may not.
    const int bytesPerPixel = QxImage::BytesPerPixelFor(bits);
    const uint64_t rowBytes = static_cast<uint64_t>(width) * bytesPerPixel;
    const uint64_t stride = RowStride(static_cast<uint64_t>(width), bytesPerPixel);
    if (dataOffset >= size || dataOffset + stride * (height - 1) + rowBytes > size) {
        return Damaged(name, "pixel rows past the end of the file");
    }

    if (!image.Create(static_cast<int>(width), static_cast<int>(height), bits)) {
        return Damaged(name, "unsupported picture");
    }
    if (bits == 8) {
        file.Seek(QxFile::kSeekStart, static_cast<int32_t>(kPaletteOffset));
        for (uint64_t i = 0; i < colours; ++i) {
            QxColour& entry = image.palette[i];
            entry.blue = file.ReadUInt8();
            entry.green = file.ReadUInt8();
            entry.red = file.ReadUInt8();
            entry.alpha = file.ReadUInt8();
        }
    }
    for (int64_t stored = 0; stored < height; ++stored) {
        file.Seek(QxFile::kSeekStart, static_cast<int32_t>(dataOffset + stride * stored));
        uint8_t* row = image.Row(static_cast<int>(height - 1 - stored));
        if (file.ReadBytes(static_cast<uint32_t>(rowBytes), row) != rowBytes) {
            image.Clear();
            return Damaged(name, "pixel rows unreadable");
        }
    }
    return true;
}

bool QxBitmapFile::Write(QxFile& file, const QxImage& image) {
    const int bits = image.bitsPerPixel;
    if ((bits != 8 && bits != 16 && bits != 24 && bits != 32) || image.width <= 0 ||
        image.height <= 0 || !image.HasPixels() || (bits == 8 && !image.HasPalette())) {
        return false;
    }
    const uint64_t rowBytes = image.Pitch();
    const uint64_t stride = RowStride(static_cast<uint64_t>(image.width), image.BytesPerPixel());
    const uint32_t extra = bits == 8 ? 4 * QxImage::kPaletteSize : bits == 16 ? 12 : 0;
    const uint64_t dataOffset = kPaletteOffset + extra;
    const uint64_t dataBytes = stride * static_cast<uint64_t>(image.height);
    if (dataOffset + dataBytes > 0x7FFFFFFFu) {
        return false;
    }

    bool ok = true;
    auto put16 = [&](uint16_t v) { ok = ok && file.WriteUInt16(v) == 2; };
    auto put32 = [&](uint32_t v) { ok = ok && file.WriteUInt32(v) == 4; };
    auto put8 = [&](uint8_t v) { ok = ok && file.WriteUInt8(v) == 1; };

    put16(kMagic);
    put32(static_cast<uint32_t>(dataOffset + dataBytes));
    put32(0); // reserved
    put32(static_cast<uint32_t>(dataOffset));
    put32(kInfoHeaderBytes);
    put32(static_cast<uint32_t>(image.width));
    put32(static_cast<uint32_t>(image.height)); // positive: rows stored bottom-up
    put16(1);                                   // planes
    put16(static_cast<uint16_t>(bits));
    put32(bits == 16 ? kBitFields : kRgb);
    put32(static_cast<uint32_t>(dataBytes));
    put32(2835); // 72 dots per inch
    put32(2835);
    put32(bits == 8 ? QxImage::kPaletteSize : 0);
    put32(0); // every colour matters
    if (bits == 8) {
        for (const QxColour& c : image.palette) {
            put8(c.blue);
            put8(c.green);
            put8(c.red);
            put8(c.alpha);
        }
    } else if (bits == 16) {
        put32(0xF800);
        put32(0x07E0);
        put32(0x001F);
    }
    const uint8_t padding[3] = {0, 0, 0};
    for (int y = image.height - 1; y >= 0 && ok; --y) {
        ok = file.WriteBytes(static_cast<uint32_t>(rowBytes), image.Row(y)) == rowBytes;
        const uint32_t pad = static_cast<uint32_t>(stride - rowBytes);
        if (ok && pad != 0) {
            ok = file.WriteBytes(pad, padding) == pad;
        }
    }
    return ok;
}
