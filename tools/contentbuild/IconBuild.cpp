// The program's icon: a brass-rimmed teal tile crossed by two lanes, with the ember
// ball rolling where they meet. Written as "icon/rondelix.png" (256 x 256) and
// "icon/rondelix-N.png" (48, 64 and 128) for the Linux desktop's hicolor theme, and as
// "icon/rondelix.ico" (16, 32, 48 and 256 pixels) for the Windows executable's resource.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <png.h>

#include "ContentBuild.h"
#include "ContentPaint.h"
#include "UiArtKit.h"

using namespace palette;

namespace {

constexpr int kSizes[] = {16, 32, 48, 256};
// Painted at each size rather than scaled down from 256, so the lanes stay sharp.
constexpr int kThemeSizes[] = {48, 64, 128};
constexpr int kPaintScale = 4;

PaintCanvas PaintIcon(int size) {
    const float s = float(size * kPaintScale) / 256.0f; // units of a 256-pixel icon
    PaintCanvas canvas(size * kPaintScale, size * kPaintScale);
    const auto tile = SdfRoundRect(10 * s, 10 * s, 246 * s, 246 * s, 44 * s);
    canvas.FillShape(tile, FillLinear(0, 10 * s, 0, 246 * s,
                                      {{0.0f, kTeal}, {0.55f, kDeepTeal}, {1.0f, kNight}}));
    // Two lanes crossing under the ball; small icons keep only their grooves.
    for (const auto& lane : {SdfRoundRect(30 * s, 150 * s, 226 * s, 170 * s, 10 * s),
                             SdfRoundRect(98 * s, 30 * s, 118 * s, 226 * s, 10 * s)}) {
        canvas.FillShape(lane, FillSolid(kNight.WithAlpha(0.7f)));
        canvas.FillShape(SdfRing(lane, 1.5f * s), FillSolid(kSeaGlass.WithAlpha(0.45f)));
    }
    canvas.FillShape(SdfRing(tile, 7 * s),
                     FillLinear(0, 10 * s, 0, 246 * s, {{0.0f, kGold}, {1.0f, kBrassShadow}}));
    canvas.Bevel(tile, 10 * s, 0.25f, 0.35f);
    // The ball's trail along the lower lane, then the ball.
    canvas.FillShape(SdfRoundRect(40 * s, 112 * s, 150 * s, 136 * s, 12 * s),
                     FillLinear(40 * s, 0, 150 * s, 0,
                                {{0.0f, kEmber.WithAlpha(0.0f)}, {1.0f, kEmber.WithAlpha(0.5f)}}));
    PaintBall(canvas, 158 * s, 120 * s, 48 * s, kEmber);
    return canvas.Downsample(kPaintScale);
}

// Straight 8-bit RGBA, rows top to bottom.
std::vector<uint8_t> Rgba(const PaintCanvas& canvas) {
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(canvas.Width()) * size_t(canvas.Height()) * 4);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const PaintColour c = canvas.Get(x, y);
            for (float v : {c.r, c.g, c.b, canvas.Alpha(x, y)}) {
                pixels.push_back(uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)));
            }
        }
    }
    return pixels;
}

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// A PNG file in memory; empty when libpng fails.
std::vector<uint8_t> EncodePng(const std::vector<uint8_t>& rgba, int width, int height) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (png == nullptr || info == nullptr) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(&rgba[size_t(y) * size_t(width) * 4]));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// An icon image as a 32-bit device-independent bitmap: the header gives twice the
// height (colour rows then the AND mask), rows bottom-up in BGRA.
std::vector<uint8_t> EncodeIconBitmap(const std::vector<uint8_t>& rgba, int size) {
    std::vector<uint8_t> out;
    PutU32(out, 40);
    PutU32(out, uint32_t(size));
    PutU32(out, uint32_t(size * 2));
    PutU16(out, 1);
    PutU16(out, 32);
    for (int i = 0; i < 6; ++i) {
        PutU32(out, 0);
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const uint8_t* p = &rgba[(size_t(y) * size_t(size) + size_t(x)) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    // The AND mask: rows of whole 32-bit words; alpha does the work, so all zero.
    const size_t maskRow = size_t((size + 31) / 32) * 4;
    out.insert(out.end(), maskRow * size_t(size), 0);
    return out;
}

void BuildIcon(ContentOut& out) {
    std::vector<std::vector<uint8_t>> images;
    for (int size : kSizes) {
        const std::vector<uint8_t> rgba = Rgba(PaintIcon(size));
        // The large image is stored compressed, as every current desktop reads it.
        images.push_back(size >= 256 ? EncodePng(rgba, size, size) : EncodeIconBitmap(rgba, size));
        if (images.back().empty()) {
            out.Fail("icon: cannot encode the " + std::to_string(size) + "-pixel image");
            return;
        }
        if (size == 256 && !out.WriteFile("icon/rondelix.png", images.back())) {
            return;
        }
    }
    for (int size : kThemeSizes) {
        const std::vector<uint8_t> png = EncodePng(Rgba(PaintIcon(size)), size, size);
        if (png.empty()) {
            out.Fail("icon: cannot encode the " + std::to_string(size) + "-pixel image");
            return;
        }
        if (!out.WriteFile("icon/rondelix-" + std::to_string(size) + ".png", png)) {
            return;
        }
    }
    std::vector<uint8_t> ico;
    PutU16(ico, 0);
    PutU16(ico, 1); // an icon, not a cursor
    PutU16(ico, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = kSizes[i];
        ico.push_back(uint8_t(size >= 256 ? 0 : size)); // 0 stands for 256
        ico.push_back(uint8_t(size >= 256 ? 0 : size));
        ico.push_back(0); // no palette
        ico.push_back(0);
        PutU16(ico, 1);  // planes
        PutU16(ico, 32); // bits per pixel
        PutU32(ico, uint32_t(images[i].size()));
        PutU32(ico, offset);
        offset += uint32_t(images[i].size());
    }
    for (const auto& image : images) {
        ico.insert(ico.end(), image.begin(), image.end());
    }
    out.WriteFile("icon/rondelix.ico", ico);
}

} // namespace

CONTENT_STEP(10, "icon", BuildIcon);
