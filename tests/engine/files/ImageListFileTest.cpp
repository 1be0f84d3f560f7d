// "IMST" image lists: palettes and fill colours, and damaged files refused with one log line.
#include <gtest/gtest.h>

#include "engine/files/MediaTestSupport.h"
#include "engine/files/QxImage.h"
#include "engine/files/QxImageListFile.h"

using namespace mediatest;

namespace {

QxImage Frame(const std::string& name, int w, int h, int bits, uint8_t seed) {
    QxImage image;
    image.Create(w, h, bits);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<uint8_t>(seed + i * 5);
    for (size_t i = 0; i < image.palette.size(); ++i)
        image.palette[i] = QxColour(static_cast<uint8_t>(i + seed), static_cast<uint8_t>(i),
                                    static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i ^ seed));
    image.name = name;
    return image;
}

std::vector<uint8_t> Written(const std::vector<QxImage>& frames, uint32_t version = 2) {
    return WrittenBy([&](QxBuffer& b) { return QxImageListFile::Write(b, frames, version, {}); });
}

bool Read(const std::vector<uint8_t>& bytes, std::vector<QxImage>& frames) {
    auto file = BufferOf(bytes);
    return QxImageListFile::Read(*file, frames, "anim.ims");
}

Bytes ListHeader(uint32_t version, uint32_t count, const std::vector<QxColour>& fills) {
    Bytes b;
    b.Text("IMST").U32(version).U32(count).U32(static_cast<uint32_t>(fills.size()));
    for (const QxColour& c : fills)
        b.U8(c.red).U8(c.green).U8(c.blue).U8(c.alpha);
    return b;
}

// An 8-bit 1 x 1 record (version 0 or 1) with Q stored colours.
void Record8(Bytes& b, const std::string& name, const std::vector<QxColour>& palette,
             uint8_t pixel) {
    b.U32(static_cast<uint32_t>(name.size())).Text(name).U32(1).U32(1).Fill(8, 0xAB);
    b.U32(static_cast<uint32_t>(palette.size()));
    for (const QxColour& c : palette)
        b.U8(c.red).U8(c.green).U8(c.blue).U8(c.alpha);
    b.U8(pixel);
}

} // namespace

TEST(ImageListFile, UnstoredPaletteEntriesTakeTheFillColourOfTheImagePosition) {
    // Version 0, one image, no stored colours: every entry is fill colour 0.
    Bytes one = ListHeader(0, 1, {QxColour(1, 2, 3, 4)});
    Record8(one, "x", {}, 0);
    std::vector<QxImage> read;
    ASSERT_TRUE(Read(one.Get(), read));
    for (const QxColour& c : read[0].palette)
        EXPECT_EQ(c, QxColour(1, 2, 3, 4));

    // Stored colours come first; the second image takes fill colour 1, the third has
    // none in the table and gets all zero bytes.
    Bytes three = ListHeader(1, 3, {QxColour(1, 1, 1, 1), QxColour(9, 8, 7, 6)});
    Record8(three, "a", {QxColour(50, 60, 70, 80)}, 0);
    Record8(three, "b", {QxColour(50, 60, 70, 80)}, 0);
    Record8(three, "c", {}, 0);
    ASSERT_TRUE(Read(three.Get(), read));
    EXPECT_EQ(read[0].palette[0], QxColour(50, 60, 70, 80));
    EXPECT_EQ(read[0].palette[1], QxColour(1, 1, 1, 1));
    EXPECT_EQ(read[1].palette[255], QxColour(9, 8, 7, 6));
    EXPECT_EQ(read[2].palette[0], QxColour(0, 0, 0, 0));

    Bytes zero = ListHeader(0, 1, {}); // a name ends at a stored zero
    Record8(zero, std::string("ab\0cd", 5), {}, 0);
    ASSERT_TRUE(Read(zero.Get(), read));
    EXPECT_EQ(read[0].name, "ab");

    // Images past a full table of fill colours keep opaque black.
    std::vector<QxColour> fills(256);
    for (size_t i = 0; i < fills.size(); ++i)
        fills[i] = QxColour(static_cast<uint8_t>(i), 0, 0, 255);
    Bytes b = ListHeader(0, 257, fills);
    for (int i = 0; i < 257; ++i)
        Record8(b, "f", {}, 0);
    ASSERT_TRUE(Read(b.Get(), read));
    ASSERT_EQ(read.size(), 257u);
    EXPECT_EQ(read[255].palette[7], QxColour(255, 0, 0, 255));
    for (const QxColour& c : read[256].palette)
        EXPECT_EQ(c, QxColour(0, 0, 0, 255));
}

TEST(ImageListFile, DamagedFilesGiveNoFramesAndOneLine) {
    EXPECT_TRUE(Written({QxImage{}}).empty()); // nor is an empty frame written
    const std::vector<uint8_t> good = Written({Frame("a", 2, 2, 8, 0), Frame("b", 2, 2, 16, 1)});
    auto at = [&](size_t offset, uint32_t value) {
        std::vector<uint8_t> bytes = good;
        EXPECT_LE(offset + 4, bytes.size());
        for (size_t i = 0; i < 4 && offset + i < bytes.size(); ++i)
            bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
        return bytes;
    };
    // Layout: header 16, record "a" at 16: length 4, name 1, depth 4, w 4, h 4, reserved 8,
    // Q 4 at 41, palette 1024, pixels 4; record "b" at 1073.
    const size_t secondDepth = 1073 + 4 + 1;
    std::vector<uint8_t> later = good;
    later[4] = 3;
    Bytes manyFills = ListHeader(2, 1, {});
    manyFills.Get()[12] = 0x01;
    manyFills.Get()[13] = 0x01; // 257 fill colours
    const struct {
        std::vector<uint8_t> bytes;
        const char* reason; // none: not a list, refused silently
    } cases[] = {
        {later, nullptr},
        {Bytes().Text("IMSX").U32(0).U32(1).U32(0).Get(), nullptr},
        {ListHeader(2, 0, {}).Get(), nullptr},
        {{}, nullptr},
        {at(8, 3), "image past the end of the file"},
        {at(8, 0xFFFFFFFF), "more images than the file holds"},
        {manyFills.Get(), "more than 256 fill colours"},
        {ListHeader(2, 1, std::vector<QxColour>(3)).Get(), "more images than the file holds"},
        {ListHeader(2, 1, {}).Raw(std::vector<uint8_t>(40, 1)).Get(), "bad image name length"},
        {Bytes().Text("IMST").U32(2).U32(1).U32(200).Fill(40, 0).Get(),
         "fill colours past the end of the file"},
        {at(16, 1024), "bad image name length"},
        {ListHeader(0, 1, {}).U32(500).Text("abc").Fill(30, 0).Get(), "bad image name length"},
        {at(21, 24), "image depth other than 8, 15 or 16"},
        {at(secondDepth, 0), "image depth other than 8, 15 or 16"},
        {at(25, 0), "empty image"},
        {at(25, 0x40000000), "pixels past the end of the file"},
        {at(41, 257), "more than 256 palette colours"},
        {std::vector<uint8_t>(good.begin(), good.end() - 1), "pixels past the end of the file"},
        {std::vector<uint8_t>(good.begin(), good.begin() + 1080), "image past the end of the file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason ? c.reason : "no list");
        LogCapture log;
        std::vector<QxImage> read;
        EXPECT_FALSE(Read(c.bytes, read));
        EXPECT_TRUE(read.empty());
        EXPECT_EQ(log.Text(),
                  c.reason ? std::string("Invalid image list: anim.ims (") + c.reason + ")\r\n"
                           : std::string());
    }
}
