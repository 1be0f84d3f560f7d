// Windows bitmap files: written images read back to the same pixels, the stored
// layout, and damaged files refused with one log line.
#include <gtest/gtest.h>

#include "engine/files/MediaTestSupport.h"
#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxImage.h"

using namespace mediatest;

namespace {

QxImage Pattern(int w, int h, int bits) {
    QxImage image;
    image.Create(w, h, bits);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<uint8_t>(i * 13 + 1);
    for (size_t i = 0; i < image.palette.size(); ++i)
        image.palette[i] = QxColour(static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                    static_cast<uint8_t>(i * 3), static_cast<uint8_t>(i / 2));
    image.name = "pattern";
    return image;
}

std::vector<uint8_t> Written(const QxImage& image) {
    return WrittenBy([&](QxBuffer& b) { return QxBitmapFile::Write(b, image); });
}

bool ReadBytes(const std::vector<uint8_t>& bytes, QxImage& image) {
    auto file = BufferOf(bytes);
    return QxBitmapFile::Read(*file, image, "pic.bmp");
}

// A minimal header: 8 bits unless told, data right after a palette of `colours`.
Bytes Header(int32_t width, int32_t height, uint16_t bits, uint32_t colours, uint32_t dataOffset,
             uint32_t fileSize = 0) {
    Bytes b;
    b.Text("BM").U32(fileSize).U32(0).U32(dataOffset);
    b.U32(40).U32(static_cast<uint32_t>(width)).U32(static_cast<uint32_t>(height)).U16(1).U16(bits);
    b.U32(0).U32(0).U32(0).U32(0).U32(colours).U32(0);
    return b;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    ASSERT_LE(at + 4, bytes.size());
    for (size_t i = 0; i < 4; ++i)
        bytes.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

TEST(BitmapFile, WrittenImagesReadBackToTheSamePixels) {
    for (int bits : {8, 16, 24, 32}) {
        for (int width : {1, 3, 5, 8}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, width " << width);
            const QxImage original = Pattern(width, 4, bits);
            QxImage read;
            ASSERT_TRUE(ReadBytes(Written(original), read));
            EXPECT_EQ(read.width, width);
            EXPECT_EQ(read.height, 4);
            EXPECT_EQ(read.bitsPerPixel, bits);
            EXPECT_EQ(read.pixels, original.pixels);
            EXPECT_EQ(read.palette, original.palette);
            EXPECT_EQ(read.name, "pic.bmp");
        }
    }
}

TEST(BitmapFile, HandMadeFilesReadAsStored) {
    // The palette as stored (blue, green, red, reserved), unset entries opaque black.
    Bytes palette = Header(2, 1, 8, 2, 54 + 8);
    palette.U8(10).U8(20).U8(30).U8(0).U8(1).U8(2).U8(3).U8(4).U8(1).U8(0).U16(0);
    QxImage image;
    ASSERT_TRUE(ReadBytes(palette.Get(), image));
    EXPECT_EQ(image.palette[0], QxColour(30, 20, 10, 0));
    EXPECT_EQ(image.palette[1], QxColour(3, 2, 1, 4));
    EXPECT_EQ(image.palette[2], QxColour(0, 0, 0, 255));
    EXPECT_EQ(image.palette[255], QxColour(0, 0, 0, 255));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{1, 0}));

    Bytes negative = Header(1, -2, 24, 0, 54); // a negative height is read bottom-up all the same
    negative.U8(1).U8(2).U8(3).U8(0).U8(4).U8(5).U8(6).U8(0);
    ASSERT_TRUE(ReadBytes(negative.Get(), image));
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{4, 5, 6, 1, 2, 3}));

    Bytes unpadded = Header(1, 2, 8, 1, 58); // the last (top) row may lack its padding
    unpadded.U32(0).U8(7).Fill(3, 0).U8(9);
    ASSERT_TRUE(ReadBytes(unpadded.Get(), image));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{9, 7}));

    LogCapture log; // a file that is no bitmap is refused silently
    EXPECT_FALSE(ReadBytes(Bytes().Text("PNG......").Get(), image));
    EXPECT_FALSE(ReadBytes({}, image));
    EXPECT_EQ(log.Text(), "");
}

TEST(BitmapFile, DamagedFilesGiveNoImageAndOneLine) {
    EXPECT_TRUE(Written(QxImage{}).empty()); // nor is an empty image written
    const std::vector<uint8_t> good = Written(Pattern(4, 4, 8));
    auto damaged = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> bytes = good;
        PutU32(bytes, at, value);
        return bytes;
    };
    auto withBits = [&](uint16_t bits) {
        std::vector<uint8_t> bytes = good;
        bytes[28] = static_cast<uint8_t>(bits);
        bytes[29] = static_cast<uint8_t>(bits >> 8);
        return bytes;
    };
    const struct {
        std::vector<uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {damaged(18, 0), "empty picture"},
        {damaged(18, static_cast<uint32_t>(-4)), "empty picture"},
        {damaged(22, 0), "empty picture"},
        {damaged(18, 4997), "picture too large"},
        {damaged(22, 0x80000000u), "picture too large"},
        {withBits(33), "more than 32 bits per pixel"},
        {withBits(4), "unsupported bits per pixel"},
        {damaged(46, 257), "more than 256 palette colours"},
        {damaged(10, static_cast<uint32_t>(good.size())), "pixel rows past the end of the file"},
        {damaged(10, static_cast<uint32_t>(good.size() - 10)),
         "pixel rows past the end of the file"},
        {damaged(10, 0xFFFFFFF0u), "pixel rows past the end of the file"},
        {std::vector<uint8_t>(good.begin(), good.end() - 5), "pixel rows past the end of the file"},
        {std::vector<uint8_t>(good.begin(), good.begin() + 40), "header past the end of the file"},
        {std::vector<uint8_t>(good.begin(), good.begin() + 54 + 100),
         "palette past the end of the file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        LogCapture log;
        QxImage image;
        EXPECT_FALSE(ReadBytes(c.bytes, image));
        EXPECT_FALSE(image.HasPixels());
        EXPECT_EQ(log.Text(), std::string("Invalid image: pic.bmp (") + c.reason + ")\n");
    }
}
