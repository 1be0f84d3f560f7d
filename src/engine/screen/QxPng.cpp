#include "engine/screen/QxPng.h"

#include <png.h>

#include "engine/files/QxLog.h"
#include "engine/screen/QxPixelFormat.h"

namespace {

constexpr int kMaxSide = 16384;

} // namespace

bool SavePng(const std::string& path, const uint16_t* pixels, int width, int height, int pitch) {
    if (pixels == nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        pitch < width * 2) {
        return false;
    }
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint16_t*>(
            reinterpret_cast<const uint8_t*>(pixels) + ptrdiff_t(y) * pitch);
        uint8_t* out = rgb.data() + size_t(y) * size_t(width) * 3;
        for (int x = 0; x < width; ++x, out += 3) {
            const uint32_t p = row[x];
            out[0] = QxWiden5((p >> 10) & 31);
            out[1] = QxWiden5((p >> 5) & 31);
            out[2] = QxWiden5(p & 31);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr) == 0) {
        LogPrintf("Unable to write PNG: %s (%s)", path.c_str(), image.message);
        png_image_free(&image);
        return false;
    }
    return true;
}

bool LoadPng(const std::string& path, std::vector<uint16_t>* pixels, int* width, int* height) {
    if (pixels == nullptr || width == nullptr || height == nullptr) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        png_image_free(&image);
        return false;
    }
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide ||
        image.height > kMaxSide) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    const int w = static_cast<int>(image.width);
    const int h = static_cast<int>(image.height);
    pixels->assign(size_t(w) * size_t(h), 0);
    for (size_t i = 0; i < pixels->size(); ++i) {
        const uint8_t* p = rgb.data() + i * 3;
        (*pixels)[i] =
            static_cast<uint16_t>(((p[0] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[2] >> 3));
    }
    *width = w;
    *height = h;
    return true;
}
