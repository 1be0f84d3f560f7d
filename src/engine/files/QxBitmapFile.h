#pragma once
// Windows bitmap files ("BM"): the reader of single images and its writer. The
// reader takes the subset the game's images use: uncompressed 8-bit (with palette),
// 16, 24 and 32-bit rows, stored bottom-up and padded to four bytes.
#include <string>

class QxFile;
struct QxImage;

class QxBitmapFile {
public:
    // Pictures whose width plus height exceeds this are refused.
    static constexpr int kMaxWidthPlusHeight = 5000;

    // Reads the file from its start into image, named name. A file that is not a
    // bitmap gives false silently; a damaged or unsupported one gives false and one
    // log line. Nothing outside the file is read.
    static bool Read(QxFile& file, QxImage& image, const std::string& name);

    // Writes an 8, 16, 24 or 32-bit image at the file's position. 16-bit pixels are
    // stored as they stand with red 0xF800, green 0x07E0, blue 0x001F field masks so
    // other programs show them as the screen does; the palette is written with its
    // alpha bytes in the reserved places. False for any other image.
    static bool Write(QxFile& file, const QxImage& image);
};
