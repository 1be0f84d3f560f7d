// shotcheck: tells whether a screenshot of the running game shows the expected screen.
//
//   shotcheck SHOT REFERENCE [--png OUT.png] [--min FRACTION] [--region X,Y,W,H]
//
// SHOT is an X window dump (xwd) or a PNG; REFERENCE is a 640 x 480 PNG of the same
// screen rendered by the headless runner. A shot of another size is taken to show the
// picture letterboxed, as the game draws it in a window of any shape. Both pictures
// are cut into 20 x 20 blocks; a block matches when its mean colour is close to the
// reference's. Animated parts (a fire, a pulsing button) differ from frame to frame,
// so the check asks for a share of matching blocks (default 0.9) rather than equality,
// and it fails outright for a blank (nearly uniform) shot.
// Exit code 0: the screen matches; 1: it does not; 2: a file could not be read.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/QxScreenSize.h"
#include "engine/screen/QxPng.h"
#include "platform/Letterbox.h"

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb; // 0xRRGGBB
};

uint32_t Big32(const std::vector<uint8_t>& bytes, size_t at) {
    return (uint32_t(bytes[at]) << 24) | (uint32_t(bytes[at + 1]) << 16) |
           (uint32_t(bytes[at + 2]) << 8) | uint32_t(bytes[at + 3]);
}

// Scales a masked field of a pixel to 0..255.
uint32_t Channel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) {
        ++shift;
    }
    const uint32_t max = mask >> shift;
    return ((pixel & mask) >> shift) * 255u / max;
}

// An X window dump in the true-colour Z format of 24 or 32 bits per pixel, which is
// what xwd writes for a 24-bit screen. False for anything else or a damaged file.
bool ReadXwd(const std::vector<uint8_t>& bytes, Picture& out, std::string& error) {
    if (bytes.size() < 100) {
        error = "too short for a window dump";
        return false;
    }
    const uint32_t headerSize = Big32(bytes, 0);
    const uint32_t version = Big32(bytes, 4);
    const uint32_t format = Big32(bytes, 8);
    const uint32_t width = Big32(bytes, 16);
    const uint32_t height = Big32(bytes, 20);
    const uint32_t byteOrder = Big32(bytes, 28);
    const uint32_t bitsPerPixel = Big32(bytes, 44);
    const uint32_t bytesPerLine = Big32(bytes, 48);
    const uint32_t masks[3] = {Big32(bytes, 56), Big32(bytes, 60), Big32(bytes, 64)};
    const uint32_t colours = Big32(bytes, 76);
    if (version != 7 || format != 2 || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        error = "not a true-colour window dump";
        return false;
    }
    if (width == 0 || height == 0 || width > 16384 || height > 16384 ||
        uint64_t(bytesPerLine) < uint64_t(width) * (bitsPerPixel / 8)) {
        error = "bad window dump size";
        return false;
    }
    const uint64_t pixelsAt = uint64_t(headerSize) + uint64_t(colours) * 12;
    if (pixelsAt + uint64_t(bytesPerLine) * height > bytes.size()) {
        error = "window dump cut short";
        return false;
    }
    out.width = int(width);
    out.height = int(height);
    out.rgb.resize(size_t(width) * height);
    const size_t step = bitsPerPixel / 8;
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = &bytes[size_t(pixelsAt) + size_t(y) * bytesPerLine];
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t pixel = 0;
            for (size_t i = 0; i < step; ++i) {
                const uint32_t b = row[x * step + i];
                pixel |= byteOrder == 0 ? b << (8 * i) : b << (8 * (step - 1 - i));
            }
            out.rgb[size_t(y) * width + x] = (Channel(pixel, masks[0]) << 16) |
                                             (Channel(pixel, masks[1]) << 8) |
                                             Channel(pixel, masks[2]);
        }
    }
    return true;
}

bool ReadPicture(const std::string& path, Picture& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open";
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    if (bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P') {
        std::vector<uint16_t> pixels;
        if (!LoadPng(path, &pixels, &out.width, &out.height)) {
            error = "damaged PNG";
            return false;
        }
        out.rgb.resize(pixels.size());
        for (size_t i = 0; i < pixels.size(); ++i) {
            const uint32_t p = pixels[i];
            out.rgb[i] =
                (Channel(p, 0x7C00) << 16) | (Channel(p, 0x03E0) << 8) | Channel(p, 0x001F);
        }
        return true;
    }
    return ReadXwd(bytes, out, error);
}

// The game's picture inside a shot of any size, at the reference's size.
Picture PictureIn(const Picture& shot, int width, int height) {
    if (shot.width == width && shot.height == height) {
        return shot;
    }
    const platform::LetterboxRect box =
        platform::FitPicture(shot.width, shot.height, width, height);
    Picture out;
    out.width = width;
    out.height = height;
    out.rgb.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int cx = 0, cy = 0;
            platform::PictureToClient(box, width, height, x, y, &cx, &cy);
            cx = std::clamp(cx, 0, shot.width - 1);
            cy = std::clamp(cy, 0, shot.height - 1);
            out.rgb[size_t(y) * size_t(width) + size_t(x)] =
                shot.rgb[size_t(cy) * size_t(shot.width) + size_t(cx)];
        }
    }
    return out;
}

struct Region {
    int x = 0, y = 0, width = 0, height = 0;
};

void MeanOf(const Picture& picture, const Region& block, double mean[3]) {
    double sum[3] = {0, 0, 0};
    for (int y = block.y; y < block.y + block.height; ++y) {
        for (int x = block.x; x < block.x + block.width; ++x) {
            const uint32_t p = picture.rgb[size_t(y) * size_t(picture.width) + size_t(x)];
            sum[0] += (p >> 16) & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += p & 0xFF;
        }
    }
    const double n = double(block.width) * double(block.height);
    for (int i = 0; i < 3; ++i) {
        mean[i] = sum[i] / n;
    }
}

// Standard deviation of the brightness: near zero for a blank screen.
double Spread(const Picture& picture, const Region& region) {
    double sum = 0, squares = 0;
    for (int y = region.y; y < region.y + region.height; ++y) {
        for (int x = region.x; x < region.x + region.width; ++x) {
            const uint32_t p = picture.rgb[size_t(y) * size_t(picture.width) + size_t(x)];
            const double v = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
            sum += v;
            squares += v * v;
        }
    }
    const double n = double(region.width) * double(region.height);
    return std::sqrt(std::max(0.0, squares / n - (sum / n) * (sum / n))) / 3.0;
}

void SaveAsPng(const Picture& picture, const std::string& path) {
    std::vector<uint16_t> pixels(picture.rgb.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t p = picture.rgb[i];
        pixels[i] = uint16_t((((p >> 19) & 31) << 10) | (((p >> 11) & 31) << 5) | ((p >> 3) & 31));
    }
    SavePng(path, pixels.data(), picture.width, picture.height, picture.width * 2);
}

int Usage() {
    std::fprintf(stderr, "usage: shotcheck SHOT REFERENCE [--png OUT.png] [--min FRACTION] "
                         "[--region X,Y,W,H]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string shotPath = argv[1];
    const std::string referencePath = argv[2];
    std::string pngOut;
    double minimum = 0.9;
    Region region{0, 0, kScreenWidth, kScreenHeight};
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            return Usage();
        }
        const std::string value = argv[++i];
        if (option == "--png") {
            pngOut = value;
        } else if (option == "--min") {
            minimum = std::atof(value.c_str());
        } else if (option == "--region") {
            if (std::sscanf(value.c_str(), "%d,%d,%d,%d", &region.x, &region.y, &region.width,
                            &region.height) != 4) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }
    Picture shot, reference;
    std::string error;
    if (!ReadPicture(shotPath, shot, error)) {
        std::fprintf(stderr, "shotcheck: %s: %s\n", shotPath.c_str(), error.c_str());
        return 2;
    }
    if (!ReadPicture(referencePath, reference, error)) {
        std::fprintf(stderr, "shotcheck: %s: %s\n", referencePath.c_str(), error.c_str());
        return 2;
    }
    const Picture picture = PictureIn(shot, reference.width, reference.height);
    if (!pngOut.empty()) {
        SaveAsPng(picture, pngOut);
    }
    region.x = std::clamp(region.x, 0, reference.width - 1);
    region.y = std::clamp(region.y, 0, reference.height - 1);
    region.width = std::clamp(region.width, 1, reference.width - region.x);
    region.height = std::clamp(region.height, 1, reference.height - region.y);

    constexpr int kBlock = 20;
    constexpr double kTolerance = 20.0; // per channel, of 255
    int blocks = 0, matching = 0;
    for (int y = region.y; y + kBlock <= region.y + region.height; y += kBlock) {
        for (int x = region.x; x + kBlock <= region.x + region.width; x += kBlock) {
            const Region block{x, y, kBlock, kBlock};
            double a[3], b[3];
            MeanOf(picture, block, a);
            MeanOf(reference, block, b);
            ++blocks;
            if (std::abs(a[0] - b[0]) <= kTolerance && std::abs(a[1] - b[1]) <= kTolerance &&
                std::abs(a[2] - b[2]) <= kTolerance) {
                ++matching;
            }
        }
    }
    const double share = blocks > 0 ? double(matching) / double(blocks) : 0.0;
    const double spread = Spread(picture, region);
    const bool blank = spread < 4.0;
    const bool ok = !blank && share >= minimum;
    std::printf("%s: %d of %d blocks match (%.2f, need %.2f), spread %.1f%s -> %s\n",
                shotPath.c_str(), matching, blocks, share, minimum, spread, blank ? " (blank)" : "",
                ok ? "same screen" : "DIFFERENT SCREEN");
    return ok ? 0 : 1;
}
