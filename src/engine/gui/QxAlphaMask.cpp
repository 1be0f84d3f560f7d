#include "engine/gui/QxAlphaMask.h"

#include <exception>

#include "engine/files/QxBitmapFile.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxImageListFile.h"
#include "engine/files/QxLog.h"

namespace {

std::uint8_t Grey(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<std::uint8_t>((red * 30u + green * 59u + blue * 11u) / 100u);
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
    QxFileSystem* files = CurrentFileSystem();
    if (!files || fileName.empty()) {
        return nullptr;
    }
    try {
        QxScopedFile file(files, files->Open(fileName, QxFileManager::kModeReadBinary));
        if (!file) {
            return nullptr;
        }
        QxImage picture;
        if (!QxBitmapFile::Read(*file.Get(), picture, fileName)) {
            return nullptr;
        }
        auto mask = std::make_unique<QxImage>();
        if (!FromPicture(picture, *mask)) {
            LogString(("Unusable alpha mask: " + fileName + "\n").c_str());
            return nullptr;
        }
        return mask;
    } catch (const std::exception&) {
        LogString(
            ("An exception occured attempting to load alpha mask: " + fileName + "\n").c_str());
        return nullptr;
    }
}

std::vector<std::unique_ptr<QxImage>> QxAlphaMask::LoadList(const std::string& fileName) {
    std::vector<std::unique_ptr<QxImage>> masks;
    QxFileSystem* files = CurrentFileSystem();
    if (!files || fileName.empty()) {
        return masks;
    }
    try {
        QxScopedFile file(files, files->Open(fileName, QxFileManager::kModeReadBinary));
        if (!file) {
            return masks;
        }
        std::vector<QxImage> frames;
        if (!QxImageListFile::Read(*file.Get(), frames, fileName)) {
            return masks;
        }
        for (const QxImage& frame : frames) {
            auto mask = std::make_unique<QxImage>();
            if (!FromPicture(frame, *mask)) {
                LogString(("Unusable alpha mask: " + fileName + "\n").c_str());
                masks.clear();
                return masks;
            }
            masks.push_back(std::move(mask));
        }
    } catch (const std::exception&) {
        LogString(
            ("An exception occured attempting to load alpha mask: " + fileName + "\n").c_str());
        masks.clear();
    }
    return masks;
}
