#include "engine/gui/QxAlphaMask.h"

#include <cctype>
#include <exception>

#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxLog.h"

namespace {

std::uint8_t Grey(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint8_t>((red * 30u + green * 59u + blue * 11u) / 100u);
}

// Opens a mask file of the current file system and hands it to `read`. A missing file
// gives false quietly; a damaged one that throws is logged.
template <typename Read> bool ReadMaskFile(const std::string& fileName, Read read) {
    QxFileSystem* files = CurrentFileSystem();
    if (!files || fileName.empty()) {
        return false;
    }
    try {
        QxScopedFile file(files, files->Open(fileName, QxFileManager::kModeReadBinary));
        return file && read(*file.Get());
    } catch (const std::exception&) {
        LogString(
            ("An exception occured attempting to load alpha mask: " + fileName + "\n").c_str());
        return false;
    }
}

// One decoded picture as a mask; a picture that gives none is logged.
std::unique_ptr<QxImage> MaskOf(const QxImage& picture, const std::string& fileName) {
    auto mask = std::make_unique<QxImage>();
    if (!QxAlphaMask::FromPicture(picture, *mask)) {
        LogString(("Unusable alpha mask: " + fileName + "\n").c_str());
        return nullptr;
    }
    return mask;
}

} // namespace

bool QxAlphaMask::FromPicture(const QxImage& picture, QxImage& mask) {
    if (!picture.HasPixels() || picture.width <= 0 || picture.height <= 0) {
        return false;
    }
    const int bytes = picture.BytesPerPixel();
    if (picture.bitsPerPixel == 8 && !picture.HasPalette()) {
        return false;
    }
    if (picture.bitsPerPixel != 8 && picture.bitsPerPixel != 24 && picture.bitsPerPixel != 32) {
        return false;
    }
    if (!mask.Create(picture.width, picture.height, 8)) {
        return false;
    }
    mask.name = picture.name;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* in = picture.Row(y);
        std::uint8_t* out = mask.Row(y);
        for (int x = 0; x < picture.width; ++x, in += bytes) {
            if (bytes == 1) {
                const QxColour& c = picture.palette[*in];
                out[x] = Grey(c.red, c.green, c.blue);
            } else {
                out[x] = Grey(in[2], in[1], in[0]);
            }
        }
    }
    return true;
}

std::unique_ptr<QxImage> QxAlphaMask::Load(const std::string& fileName) {
    std::unique_ptr<QxImage> mask;
    ReadMaskFile(fileName, [&](QxFile& file) {
        QxImage picture;
        if (QxBitmapFile::Read(file, picture, fileName)) {
            mask = MaskOf(picture, fileName);
        }
        return mask != nullptr;
    });
    return mask;
}

std::vector<std::unique_ptr<QxImage>> QxAlphaMask::LoadList(const std::string& fileName) {
    std::vector<std::unique_ptr<QxImage>> masks;
    const bool read = ReadMaskFile(fileName, [&](QxFile& file) {
        std::vector<QxImage> frames;
        if (!QxImageListFile::Read(file, frames, fileName)) {
            return false;
        }
        for (const QxImage& frame : frames) {
            auto mask = MaskOf(frame, fileName);
            if (!mask) {
                return false;
            }
            masks.push_back(std::move(mask));
        }
        return true;
    });
    // One unusable frame spoils the list.
    if (!read) {
        masks.clear();
    }
    return masks;
}

std::vector<std::unique_ptr<QxImage>> QxAlphaMask::LoadByName(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    for (char& c : extension) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    if (extension == "img") {
        return LoadList(fileName);
    }
    std::vector<std::unique_ptr<QxImage>> masks;
    if (auto mask = Load(fileName)) {
        masks.push_back(std::move(mask));
    }
    return masks;
}
