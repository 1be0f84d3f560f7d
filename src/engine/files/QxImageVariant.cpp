#include "engine/files/QxImageVariant.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "engine/files/QxImage.h"

std::string QxImageCacheKey(const std::string& name, uint32_t flags, bool imageList) {
    std::string key = name;
    for (char& c : key) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (flags & kImageMirror) {
        key += "_H";
    }
    if (flags & kImageFlip) {
        key += "_V";
    }
    if (flags & kImageHalvePalette) {
        key += "_HB";
    }
    if (imageList && (flags & kImageDither)) {
        key += "_D";
    }
    return key;
}

namespace {

void Flip(QxImage& image) {
    const size_t pitch = image.Pitch();
    std::vector<uint8_t> row(pitch);
    for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
        std::memcpy(row.data(), image.Row(top), pitch);
        std::memcpy(image.Row(top), image.Row(bottom), pitch);
        std::memcpy(image.Row(bottom), row.data(), pitch);
    }
}

void Mirror(QxImage& image) {
    const size_t bytes = static_cast<size_t>(image.BytesPerPixel());
    for (int y = 0; y < image.height; ++y) {
        uint8_t* row = image.Row(y);
        for (int left = 0, right = image.width - 1; left < right; ++left, --right) {
            std::swap_ranges(row + left * bytes, row + (left + 1) * bytes, row + right * bytes);
        }
    }
}

void HalvePalette(QxImage& image) {
    for (QxColour& c : image.palette) {
        c.blue >>= 1;
        c.green >>= 1;
        c.red >>= 1;
        c.alpha >>= 1;
    }
}

} // namespace

void QxApplyImageVariant(QxImage& image, uint32_t flags) {
    if (!image.HasPixels()) {
        return;
    }
    if (flags & kImageFlip) {
        Flip(image);
    }
    if (flags & kImageMirror) {
        Mirror(image);
    }
    if ((flags & kImageHalvePalette) && image.bitsPerPixel == 8) {
        HalvePalette(image);
    }
}
