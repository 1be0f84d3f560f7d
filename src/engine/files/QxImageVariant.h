#pragma once
// Variants of an image made at load time (mirrored, flipped, halved palette,
// dithered) and the cache keys they are stored under.
#include <cstdint>
#include <string>

struct QxImage;

// Variant flags, a bit set passed to every image load.
constexpr uint32_t kImageMirror = 2;       // "_H": each row reversed
constexpr uint32_t kImageFlip = 4;         // "_V": row order reversed
constexpr uint32_t kImageHalvePalette = 8; // "_HB": 8-bit palette components halved
constexpr uint32_t kImageDither = 16;      // "_D": error diffusion when the surface is made

// The name upper-cased letter by letter, followed by "_H", "_V", "_HB" and "_D" in
// that order for the flags set. Only image-list keys carry "_D".
std::string QxImageCacheKey(const std::string& name, uint32_t flags, bool imageList);

// Flip, then mirror, then halve the palette, as the flags ask. Halving touches only
// 8-bit images; the others run on any depth.
void QxApplyImageVariant(QxImage& image, uint32_t flags);
