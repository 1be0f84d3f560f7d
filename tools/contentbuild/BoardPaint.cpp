#include "BoardPaint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/screen/QxPng.h"

namespace {

// Light from the upper left and a little from the front; the viewer looks down z.
constexpr float kLx = -0.52f, kLy = -0.60f, kLz = 0.61f;

} // namespace

float BoardClamp(float v, float low, float high) {
    return v < low ? low : (v > high ? high : v);
}

float BoardSmooth(float edge0, float edge1, float x) {
    const float t = BoardClamp((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float BoardDiffuse(float nx, float ny, float nz) {
    return std::max(0.0f, nx * kLx + ny * kLy + nz * kLz);
}

float BoardSpecular(float nx, float ny, float nz, float shininess) {
    // Blinn half vector between the light and the viewer (0, 0, 1).
    float hx = kLx, hy = kLy, hz = kLz + 1.0f;
    const float len = std::sqrt(hx * hx + hy * hy + hz * hz);
    hx /= len;
    hy /= len;
    hz /= len;
    const float d = std::max(0.0f, nx * hx + ny * hy + nz * hz);
    return std::pow(d, shininess);
}

void PaintSphere(PaintCanvas& canvas, float cx, float cy, float radius, const SphereAlbedo& albedo,
                 const SphereLook& look, float opacity) {
    PaintSpheroid(canvas, cx, cy, radius, radius, albedo, look, opacity);
}

void PaintSpheroid(PaintCanvas& canvas, float cx, float cy, float rx, float ry,
                   const SphereAlbedo& albedo, const SphereLook& look, float opacity) {
    const float radius = std::min(rx, ry);
    const int x0 = std::max(0, int(cx - rx - 2));
    const int x1 = std::min(canvas.Width() - 1, int(cx + rx + 2));
    const int y0 = std::max(0, int(cy - ry - 2));
    const int y1 = std::min(canvas.Height() - 1, int(cy + ry + 2));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float u = (float(x) + 0.5f - cx) / rx;
            const float v = (float(y) + 0.5f - cy) / ry;
            const float d = std::sqrt(u * u + v * v);
            const float coverage = BoardClamp(0.5f - (d - 1.0f) * radius);
            if (coverage <= 0.0f) {
                continue;
            }
            const float du = d > 1.0f ? u / d : u;
            const float dv = d > 1.0f ? v / d : v;
            const float nz = std::sqrt(std::max(0.0f, 1.0f - du * du - dv * dv));
            const PaintColour base = albedo(du, dv, nz);
            const float shade = look.ambient + look.diffuse * BoardDiffuse(du, dv, nz);
            const float gloss = look.specular * BoardSpecular(du, dv, nz, look.shininess) +
                                look.sheen * BoardSpecular(du, dv, nz, 4.0f);
            const float rim = look.rim * std::pow(1.0f - nz, 3.0f) * BoardClamp(0.3f + dv);
            PaintColour c{base.r * shade + gloss + rim * look.rimColour.r,
                          base.g * shade + gloss + rim * look.rimColour.g,
                          base.b * shade + gloss + rim * look.rimColour.b, base.a};
            c.r = BoardClamp(c.r);
            c.g = BoardClamp(c.g);
            c.b = BoardClamp(c.b);
            canvas.Blend(x, y, c, coverage * opacity);
        }
    }
}

void PaintSoftEllipse(PaintCanvas& canvas, float cx, float cy, float rx, float ry, float soft,
                      const PaintColour& colour) {
    const int x0 = std::max(0, int(cx - rx - soft - 2));
    const int x1 = std::min(canvas.Width() - 1, int(cx + rx + soft + 2));
    const int y0 = std::max(0, int(cy - ry - soft - 2));
    const int y1 = std::min(canvas.Height() - 1, int(cy + ry + soft + 2));
    const float rmin = std::min(rx, ry);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float u = (float(x) + 0.5f - cx) / rx;
            const float v = (float(y) + 0.5f - cy) / ry;
            const float d = (std::sqrt(u * u + v * v) - 1.0f) * rmin;
            const float a = 1.0f - BoardSmooth(-soft, soft, d);
            if (a > 0.0f) {
                canvas.Blend(x, y, colour, a);
            }
        }
    }
}

void PaintShadowUnder(PaintCanvas& canvas, float dx, float dy, float blur, float alpha) {
    canvas.DropShadow(dx, dy, blur, palette::kNearBlack.WithAlpha(alpha));
}

void PaintLight(PaintCanvas& canvas, const PaintMask& mask, const PaintColour& colour,
                float amount) {
    PaintCanvas light(canvas.Width(), canvas.Height());
    light.FillMask(mask, FillSolid(colour), amount);
    // Only where the canvas is already painted.
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const float a = light.Alpha(x, y) * canvas.Alpha(x, y);
            if (a > 0.0f) {
                canvas.Blend(x, y, colour, a);
            }
        }
    }
}

PaintFill FillBrass(float cx, float cy, float radius, float brightness) {
    return [=](float x, float y) {
        const float u = (x - cx) / radius;
        const float v = (y - cy) / radius;
        // Light falls from the upper left across the face.
        const float t = BoardClamp(0.5f - 0.42f * (u + v) * 0.7071f);
        PaintColour c = Mix(palette::kBrassShadow, palette::kBrass, BoardSmooth(0.0f, 0.65f, t));
        c = Mix(c, palette::kGold, BoardSmooth(0.6f, 1.0f, t));
        // Concentric brushing.
        const float ring = std::sin(std::sqrt(u * u + v * v) * 61.0f) * 0.5f + 0.5f;
        c = Lighten(c, ring * 0.05f);
        c.r = BoardClamp(c.r * brightness);
        c.g = BoardClamp(c.g * brightness);
        c.b = BoardClamp(c.b * brightness);
        return c;
    };
}

PaintColour FeltAt(const PaintColour& base, float x, float y, uint32_t seed) {
    // Hash of the pixel: fibre noise that tiles with the picture's own size only.
    uint32_t h = uint32_t(int(x)) * 73856093u ^ uint32_t(int(y)) * 19349663u ^ (seed * 83492791u);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    const float n = float(h & 0xFFFF) / 65535.0f - 0.5f;
    return {BoardClamp(base.r + n * 0.035f), BoardClamp(base.g + n * 0.035f),
            BoardClamp(base.b + n * 0.035f), 1.0f};
}

QxImage ToKeyed16(const PaintCanvas& canvas, const PaintColour& matte, const std::string& name) {
    PaintCanvas keyed(canvas.Width(), canvas.Height());
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const PaintColour c = canvas.Get(x, y);
            if (c.a >= 0.5f) {
                keyed.Blend(x, y, Mix(matte, c.WithAlpha(1.0f), c.a).WithAlpha(1.0f), 1.0f);
            }
        }
    }
    return ToImage16(keyed, name);
}

PaintCanvas Reduce(const PaintCanvas& big) {
    return big.Downsample(kBoardScale);
}

void BoardPreview(const std::string& name, const std::vector<PaintCanvas>& pictures,
                  const PaintColour& background, int zoom) {
    const char* folder = std::getenv("RONDELIX_ART_PREVIEW");
    if (!folder || pictures.empty()) {
        return;
    }
    const int gap = 4;
    int width = gap;
    int height = 0;
    for (const PaintCanvas& p : pictures) {
        width += p.Width() * zoom + gap;
        height = std::max(height, p.Height() * zoom);
    }
    height += 2 * gap;
    std::vector<uint16_t> pixels(size_t(width) * size_t(height), 0);
    auto put = [&](int x, int y, const PaintColour& c) {
        const auto level = [](float v) { return uint16_t(BoardClamp(v) * 31.0f + 0.5f); };
        pixels[size_t(y) * size_t(width) + size_t(x)] =
            uint16_t(level(c.r) << 10 | level(c.g) << 5 | level(c.b));
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            put(x, y, background);
        }
    }
    int left = gap;
    for (const PaintCanvas& p : pictures) {
        for (int y = 0; y < p.Height() * zoom; ++y) {
            for (int x = 0; x < p.Width() * zoom; ++x) {
                const PaintColour c = p.Get(x / zoom, y / zoom);
                put(left + x, gap + y, Mix(background, c.WithAlpha(1.0f), c.a));
            }
        }
        left += p.Width() * zoom + gap;
    }
    SavePng(std::string(folder) + "/" + name + ".png", pixels.data(), width, height, width * 2);
}
