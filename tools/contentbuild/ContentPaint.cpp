#include "ContentPaint.h"

#include <algorithm>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "ContentBuild.h"

namespace {

float Clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

float Smoothstep(float edge0, float edge1, float x) {
    const float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

// Thresholds of an 8x8 ordered dither, 0 to 63.
constexpr uint8_t kBayer[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                                  {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                                  {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                                  {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

// One channel (0 to 1) as a 5-bit level, dithered by the pixel's place.
int Level5(float value, int x, int y) {
    const float threshold = (kBayer[y & 7][x & 7] + 0.5f) / 64.0f;
    const int level = int(std::floor(Clamp01(value) * 31.0f + threshold));
    return std::clamp(level, 0, 31);
}

// The byte that the screen reads back as the same 5-bit level.
uint8_t Byte5(int level) {
    return uint8_t((level * 255 + 15) / 31);
}

struct Levels {
    int r, g, b;
};

// Quantised colour of a visible pixel; never all zero (that is the colour key).
Levels VisibleLevels(const PaintColour& c, int x, int y) {
    Levels l{Level5(c.r, x, y), Level5(c.g, x, y), Level5(c.b, x, y)};
    if (l.r == 0 && l.g == 0 && l.b == 0) {
        l = {1, 1, 1};
    }
    return l;
}

void SetGreyPalette(QxImage& image) {
    for (int i = 0; i < QxImage::kPaletteSize; ++i) {
        image.palette[size_t(i)] = QxColour(uint8_t(i), uint8_t(i), uint8_t(i), 255);
    }
}

PaintColour StopsAt(const std::vector<PaintStop>& stops, float t) {
    if (stops.empty()) {
        return {};
    }
    if (t <= stops.front().at) {
        return stops.front().colour;
    }
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const float span = stops[i].at - stops[i - 1].at;
            const float f = span > 0 ? (t - stops[i - 1].at) / span : 1.0f;
            return Mix(stops[i - 1].colour, stops[i].colour, f);
        }
    }
    return stops.back().colour;
}

// One horizontal and one vertical running-box pass of the given half width.
void BoxBlur(std::vector<float>& v, int w, int h, int r) {
    if (r <= 0) {
        return;
    }
    std::vector<float> tmp(v.size());
    const float scale = 1.0f / float(2 * r + 1);
    for (int y = 0; y < h; ++y) {
        const float* row = v.data() + size_t(y) * size_t(w);
        float sum = 0;
        for (int i = -r; i <= r; ++i) {
            sum += (i >= 0 && i < w) ? row[i] : 0.0f;
        }
        for (int x = 0; x < w; ++x) {
            tmp[size_t(y) * size_t(w) + size_t(x)] = sum * scale;
            const int out = x - r;
            const int in = x + r + 1;
            sum += (in < w ? row[in] : 0.0f) - (out >= 0 ? row[out] : 0.0f);
        }
    }
    for (int x = 0; x < w; ++x) {
        float sum = 0;
        for (int i = -r; i <= r; ++i) {
            sum += (i >= 0 && i < h) ? tmp[size_t(i) * size_t(w) + size_t(x)] : 0.0f;
        }
        for (int y = 0; y < h; ++y) {
            v[size_t(y) * size_t(w) + size_t(x)] = sum * scale;
            const int out = y - r;
            const int in = y + r + 1;
            sum += (in < h ? tmp[size_t(in) * size_t(w) + size_t(x)] : 0.0f) -
                   (out >= 0 ? tmp[size_t(out) * size_t(w) + size_t(x)] : 0.0f);
        }
    }
}

} // namespace

// ---- colours ---------------------------------------------------------------------

PaintColour Mix(const PaintColour& a, const PaintColour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

PaintColour Lighten(const PaintColour& c, float amount) {
    return Mix(c, PaintColour{1, 1, 1, c.a}, amount);
}

PaintColour Darken(const PaintColour& c, float amount) {
    return Mix(c, PaintColour{0, 0, 0, c.a}, amount);
}

uint32_t PaintRandom::Next() {
    uint32_t x = m_state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    m_state = x;
    return x;
}

float PaintRandom::Unit() {
    return float(Next() >> 8) / float(1u << 24);
}

float PaintRandom::Range(float low, float high) {
    return low + (high - low) * Unit();
}

// ---- masks -----------------------------------------------------------------------

PaintMask::PaintMask(int width, int height, float value)
    : m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_values(size_t(m_width) * size_t(m_height), value) {}

float PaintMask::Sample(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return 0.0f;
    }
    return At(x, y);
}

void PaintMask::Blur(float radius) {
    // Three box passes approximate a Gaussian of the same spread.
    const int r = std::max(0, int(std::lround(radius / 1.7f)));
    for (int pass = 0; pass < 3; ++pass) {
        BoxBlur(m_values, m_width, m_height, r);
    }
}

PaintMask PaintMask::Shifted(int dx, int dy) const {
    PaintMask out(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            out.At(x, y) = Sample(x - dx, y - dy);
        }
    }
    return out;
}

PaintMask PaintMask::Dilated(int radius) const {
    PaintMask out(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            float best = 0;
            for (int j = -radius; j <= radius; ++j) {
                for (int i = -radius; i <= radius; ++i) {
                    if (i * i + j * j <= radius * radius) {
                        best = std::max(best, Sample(x + i, y + j));
                    }
                }
            }
            out.At(x, y) = best;
        }
    }
    return out;
}

void PaintMask::Multiply(const PaintMask& other) {
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            At(x, y) *= other.Sample(x, y);
        }
    }
}

void PaintMask::Invert() {
    for (float& v : m_values) {
        v = 1.0f - v;
    }
}

// ---- shapes ----------------------------------------------------------------------

PaintSdf SdfCircle(float cx, float cy, float radius) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

PaintSdf SdfRoundRect(float left, float top, float right, float bottom, float radius) {
    const float cx = (left + right) * 0.5f;
    const float cy = (top + bottom) * 0.5f;
    const float hx = (right - left) * 0.5f - radius;
    const float hy = (bottom - top) * 0.5f - radius;
    return [=](float x, float y) {
        const float qx = std::abs(x - cx) - hx;
        const float qy = std::abs(y - cy) - hy;
        const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

PaintSdf SdfEllipse(float cx, float cy, float rx, float ry) {
    return [=](float x, float y) {
        const float k = std::hypot((x - cx) / rx, (y - cy) / ry);
        return (k - 1.0f) * std::min(rx, ry);
    };
}

PaintSdf SdfSegment(float x0, float y0, float x1, float y1, float halfWidth) {
    return [=](float x, float y) {
        const float dx = x1 - x0;
        const float dy = y1 - y0;
        const float len2 = dx * dx + dy * dy;
        float t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0f;
        t = Clamp01(t);
        return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - halfWidth;
    };
}

PaintSdf SdfPolygon(std::vector<std::pair<float, float>> points) {
    return [pts = std::move(points)](float x, float y) {
        if (pts.size() < 3) {
            return 1e9f;
        }
        float best = 1e30f;
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto [xi, yi] = pts[i];
            const auto [xj, yj] = pts[j];
            const float ex = xi - xj;
            const float ey = yi - yj;
            const float len2 = ex * ex + ey * ey;
            float t = len2 > 0 ? ((x - xj) * ex + (y - yj) * ey) / len2 : 0.0f;
            t = Clamp01(t);
            best = std::min(best, std::hypot(x - (xj + t * ex), y - (yj + t * ey)));
            if (((yi > y) != (yj > y)) && (x < (xj - xi) * (y - yi) / (yj - yi) + xi)) {
                inside = !inside;
            }
        }
        return inside ? -best : best;
    };
}

PaintSdf SdfUnion(PaintSdf a, PaintSdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

PaintSdf SdfSubtract(PaintSdf a, PaintSdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

PaintSdf SdfIntersect(PaintSdf a, PaintSdf b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

PaintSdf SdfRing(PaintSdf shape, float halfWidth) {
    return [=](float x, float y) { return std::abs(shape(x, y)) - halfWidth; };
}

PaintSdf SdfOffset(PaintSdf shape, float by) {
    return [=](float x, float y) { return shape(x, y) - by; };
}

// ---- paints ----------------------------------------------------------------------

PaintFill FillSolid(PaintColour colour) {
    return [=](float, float) { return colour; };
}

PaintFill FillLinear(float x0, float y0, float x1, float y1, std::vector<PaintStop> stops) {
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float len2 = std::max(1e-6f, dx * dx + dy * dy);
    return [=, s = std::move(stops)](float x, float y) {
        return StopsAt(s, ((x - x0) * dx + (y - y0) * dy) / len2);
    };
}

PaintFill FillRadial(float cx, float cy, float radius, std::vector<PaintStop> stops) {
    return [=, s = std::move(stops)](float x, float y) {
        return StopsAt(s, std::hypot(x - cx, y - cy) / std::max(1e-6f, radius));
    };
}

// ---- canvas ----------------------------------------------------------------------

PaintCanvas::PaintCanvas(int width, int height)
    : m_width(std::max(0, width)), m_height(std::max(0, height)),
      m_px(size_t(m_width) * size_t(m_height) * 4, 0.0f) {}

PaintColour PaintCanvas::Get(int x, int y) const {
    const size_t i = Index(x, y);
    const float a = m_px[i + 3];
    if (a <= 0.0f) {
        return {0, 0, 0, 0};
    }
    return {m_px[i] / a, m_px[i + 1] / a, m_px[i + 2] / a, a};
}

PaintMask PaintCanvas::AlphaMask() const {
    PaintMask mask(m_width, m_height);
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            mask.At(x, y) = Alpha(x, y);
        }
    }
    return mask;
}

void PaintCanvas::Clear(PaintColour colour) {
    for (size_t i = 0; i < m_px.size(); i += 4) {
        m_px[i] = colour.r * colour.a;
        m_px[i + 1] = colour.g * colour.a;
        m_px[i + 2] = colour.b * colour.a;
        m_px[i + 3] = colour.a;
    }
}

void PaintCanvas::Blend(int x, int y, const PaintColour& colour, float coverage) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return;
    }
    const float a = Clamp01(colour.a * coverage);
    if (a <= 0.0f) {
        return;
    }
    const size_t i = Index(x, y);
    const float keep = 1.0f - a;
    m_px[i] = colour.r * a + m_px[i] * keep;
    m_px[i + 1] = colour.g * a + m_px[i + 1] * keep;
    m_px[i + 2] = colour.b * a + m_px[i + 2] * keep;
    m_px[i + 3] = a + m_px[i + 3] * keep;
}

void PaintCanvas::FillShape(const PaintSdf& shape, const PaintFill& fill, float opacity) {
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const float px = float(x) + 0.5f;
            const float py = float(y) + 0.5f;
            const float coverage = Clamp01(0.5f - shape(px, py));
            if (coverage > 0.0f) {
                Blend(x, y, fill(px, py), coverage * opacity);
            }
        }
    }
}

void PaintCanvas::FillMask(const PaintMask& mask, const PaintFill& fill, float opacity) {
    const int w = std::min(m_width, mask.Width());
    const int h = std::min(m_height, mask.Height());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float coverage = mask.At(x, y);
            if (coverage > 0.0f) {
                Blend(x, y, fill(float(x) + 0.5f, float(y) + 0.5f), coverage * opacity);
            }
        }
    }
}

void PaintCanvas::Draw(const PaintCanvas& other, int x, int y, float opacity) {
    for (int j = 0; j < other.m_height; ++j) {
        const int ty = y + j;
        if (ty < 0 || ty >= m_height) {
            continue;
        }
        for (int i = 0; i < other.m_width; ++i) {
            const int tx = x + i;
            if (tx < 0 || tx >= m_width) {
                continue;
            }
            const size_t s = other.Index(i, j);
            const float a = other.m_px[s + 3] * opacity;
            if (a <= 0.0f) {
                continue;
            }
            const size_t d = Index(tx, ty);
            const float keep = 1.0f - a;
            for (int c = 0; c < 3; ++c) {
                m_px[d + size_t(c)] =
                    other.m_px[s + size_t(c)] * opacity + m_px[d + size_t(c)] * keep;
            }
            m_px[d + 3] = a + m_px[d + 3] * keep;
        }
    }
}

void PaintCanvas::DrawUnder(const PaintCanvas& other, int x, int y) {
    for (int j = 0; j < other.m_height; ++j) {
        const int ty = y + j;
        if (ty < 0 || ty >= m_height) {
            continue;
        }
        for (int i = 0; i < other.m_width; ++i) {
            const int tx = x + i;
            if (tx < 0 || tx >= m_width) {
                continue;
            }
            const size_t s = other.Index(i, j);
            const size_t d = Index(tx, ty);
            const float keep = 1.0f - m_px[d + 3];
            for (int c = 0; c < 4; ++c) {
                m_px[d + size_t(c)] += other.m_px[s + size_t(c)] * keep;
            }
        }
    }
}

void PaintCanvas::Bevel(const PaintSdf& shape, float width, float highlight, float shadow) {
    if (width <= 0.0f) {
        return;
    }
    auto height = [&](float x, float y) { return Smoothstep(0.0f, width, -shape(x, y)); };
    // Light from the upper left, a little from the front.
    const float lx = -0.57f, ly = -0.57f, lz = 0.59f;
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const size_t i = Index(x, y);
            if (m_px[i + 3] <= 0.0f) {
                continue;
            }
            const float px = float(x) + 0.5f;
            const float py = float(y) + 0.5f;
            const float d = shape(px, py);
            if (d > 0.5f || d < -width - 1.0f) {
                continue;
            }
            const float gx = (height(px + 1, py) - height(px - 1, py)) * 0.5f * width;
            const float gy = (height(px, py + 1) - height(px, py - 1)) * 0.5f * width;
            const float nx = -gx, ny = -gy, nz = 1.0f;
            const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
            const float lit = (nx * lx + ny * ly + nz * lz) / len - lz;
            const float a = m_px[i + 3];
            const float coverage = Clamp01(0.5f - d);
            if (lit > 0) {
                const float k = Clamp01(lit * highlight * 1.6f) * coverage;
                for (int c = 0; c < 3; ++c) {
                    m_px[i + size_t(c)] += (a - m_px[i + size_t(c)]) * k;
                }
            } else {
                const float k = Clamp01(-lit * shadow * 1.6f) * coverage;
                for (int c = 0; c < 3; ++c) {
                    m_px[i + size_t(c)] *= 1.0f - k;
                }
            }
        }
    }
}

void PaintCanvas::BevelMask(const PaintMask& mask, float width, float highlight, float shadow) {
    if (width <= 0.0f) {
        return;
    }
    PaintMask height = mask;
    height.Blur(width);
    const float lx = -0.57f, ly = -0.57f, lz = 0.59f;
    const int w = std::min(m_width, mask.Width());
    const int h = std::min(m_height, mask.Height());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float coverage = mask.At(x, y);
            const size_t i = Index(x, y);
            if (coverage <= 0.0f || m_px[i + 3] <= 0.0f) {
                continue;
            }
            const float gx = (height.Sample(x + 1, y) - height.Sample(x - 1, y)) * 0.5f * width;
            const float gy = (height.Sample(x, y + 1) - height.Sample(x, y - 1)) * 0.5f * width;
            const float nx = -gx, ny = -gy, nz = 1.0f;
            const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
            const float lit = (nx * lx + ny * ly + nz * lz) / len - lz;
            const float a = m_px[i + 3];
            if (lit > 0) {
                const float k = Clamp01(lit * highlight * 1.6f) * coverage;
                for (int c = 0; c < 3; ++c) {
                    m_px[i + size_t(c)] += (a - m_px[i + size_t(c)]) * k;
                }
            } else {
                const float k = Clamp01(-lit * shadow * 1.6f) * coverage;
                for (int c = 0; c < 3; ++c) {
                    m_px[i + size_t(c)] *= 1.0f - k;
                }
            }
        }
    }
}

void PaintCanvas::DropShadow(float dx, float dy, float blur, const PaintColour& colour) {
    PaintMask mask = AlphaMask().Shifted(int(std::lround(dx)), int(std::lround(dy)));
    mask.Blur(blur);
    PaintCanvas under(m_width, m_height);
    under.FillMask(mask, FillSolid(colour));
    DrawUnder(under, 0, 0);
}

void PaintCanvas::Glow(float radius, const PaintColour& colour) {
    PaintMask mask = AlphaMask();
    mask.Blur(radius);
    for (float& v : mask.Values()) {
        v = Clamp01(v * 1.6f);
    }
    PaintCanvas under(m_width, m_height);
    under.FillMask(mask, FillSolid(colour));
    DrawUnder(under, 0, 0);
}

void PaintCanvas::Grain(uint32_t seed, float amount) {
    PaintRandom random(seed);
    for (size_t i = 0; i < m_px.size(); i += 4) {
        const float n = (random.Unit() - 0.5f) * amount * m_px[i + 3];
        for (int c = 0; c < 3; ++c) {
            m_px[i + size_t(c)] = std::clamp(m_px[i + size_t(c)] + n, 0.0f, m_px[i + 3]);
        }
    }
}

PaintCanvas PaintCanvas::Downsample(int factor) const {
    if (factor <= 1) {
        return *this;
    }
    PaintCanvas out(m_width / factor, m_height / factor);
    const float scale = 1.0f / float(factor * factor);
    for (int y = 0; y < out.m_height; ++y) {
        for (int x = 0; x < out.m_width; ++x) {
            float sum[4] = {0, 0, 0, 0};
            for (int j = 0; j < factor; ++j) {
                for (int i = 0; i < factor; ++i) {
                    const size_t s = Index(x * factor + i, y * factor + j);
                    for (int c = 0; c < 4; ++c) {
                        sum[c] += m_px[s + size_t(c)];
                    }
                }
            }
            const size_t d = out.Index(x, y);
            for (int c = 0; c < 4; ++c) {
                out.m_px[d + size_t(c)] = sum[c] * scale;
            }
        }
    }
    return out;
}

PaintCanvas PaintCanvas::Crop(int x, int y, int width, int height) const {
    PaintCanvas out(width, height);
    for (int j = 0; j < height; ++j) {
        for (int i = 0; i < width; ++i) {
            const int sx = x + i;
            const int sy = y + j;
            if (sx < 0 || sy < 0 || sx >= m_width || sy >= m_height) {
                continue;
            }
            const size_t s = Index(sx, sy);
            const size_t d = out.Index(i, j);
            for (int c = 0; c < 4; ++c) {
                out.m_px[d + size_t(c)] = m_px[s + size_t(c)];
            }
        }
    }
    return out;
}

// ---- fonts -----------------------------------------------------------------------

struct PaintFont::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Int32 loadFlags = FT_LOAD_DEFAULT;
};

PaintFont::PaintFont(const std::string& path, int pixelSize, bool hinted)
    : m_impl(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&m_impl->library) != 0) {
        m_impl->library = nullptr;
        return;
    }
    if (FT_New_Face(m_impl->library, path.c_str(), 0, &m_impl->face) != 0) {
        m_impl->face = nullptr;
        return;
    }
    if (FT_Set_Pixel_Sizes(m_impl->face, 0, FT_UInt(pixelSize)) != 0) {
        return;
    }
    m_impl->loadFlags = hinted ? FT_LOAD_TARGET_LIGHT : FT_LOAD_NO_HINTING;
    m_ascender = int((m_impl->face->size->metrics.ascender + 63) >> 6);
    m_descender = int((-m_impl->face->size->metrics.descender + 63) >> 6);
    m_ok = true;
}

PaintFont::~PaintFont() {
    if (m_impl->face) {
        FT_Done_Face(m_impl->face);
    }
    if (m_impl->library) {
        FT_Done_FreeType(m_impl->library);
    }
}

PaintFont::Glyph PaintFont::Render(uint32_t character) const {
    Glyph glyph;
    if (!m_ok) {
        return glyph;
    }
    FT_Face face = m_impl->face;
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (FT_Load_Glyph(face, index, m_impl->loadFlags | FT_LOAD_RENDER) != 0) {
        return glyph;
    }
    const FT_GlyphSlot slot = face->glyph;
    glyph.advance = int((slot->advance.x + 32) >> 6);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.width == 0 || bitmap.rows == 0) {
        return glyph;
    }
    glyph.coverage = PaintMask(int(bitmap.width), int(bitmap.rows));
    const float levels = float(std::max(1, int(bitmap.num_grays) - 1));
    for (int y = 0; y < int(bitmap.rows); ++y) {
        const unsigned char* row =
            bitmap.pitch >= 0
                ? bitmap.buffer + size_t(y) * size_t(bitmap.pitch)
                : bitmap.buffer + size_t(int(bitmap.rows) - 1 - y) * size_t(-bitmap.pitch);
        for (int x = 0; x < int(bitmap.width); ++x) {
            glyph.coverage.At(x, y) = float(row[x]) / levels;
        }
    }
    return glyph;
}

int PaintFont::Measure(const std::string& text) const {
    if (!m_ok) {
        return 0;
    }
    int width = 0;
    FT_UInt previous = 0;
    for (unsigned char c : text) {
        const FT_UInt index = FT_Get_Char_Index(m_impl->face, c);
        if (previous && FT_HAS_KERNING(m_impl->face)) {
            FT_Vector kern{};
            FT_Get_Kerning(m_impl->face, previous, index, FT_KERNING_DEFAULT, &kern);
            width += int(kern.x >> 6);
        }
        width += Render(c).advance;
        previous = index;
    }
    return width;
}

void PaintFont::DrawText(PaintMask& mask, const std::string& text, int x, int baseline) const {
    if (!m_ok) {
        return;
    }
    FT_UInt previous = 0;
    for (unsigned char c : text) {
        const FT_UInt index = FT_Get_Char_Index(m_impl->face, c);
        if (previous && FT_HAS_KERNING(m_impl->face)) {
            FT_Vector kern{};
            FT_Get_Kerning(m_impl->face, previous, index, FT_KERNING_DEFAULT, &kern);
            x += int(kern.x >> 6);
        }
        const Glyph glyph = Render(c);
        for (int j = 0; j < glyph.coverage.Height(); ++j) {
            for (int i = 0; i < glyph.coverage.Width(); ++i) {
                const int tx = x + glyph.left + i;
                const int ty = baseline - glyph.top + j;
                if (tx >= 0 && ty >= 0 && tx < mask.Width() && ty < mask.Height()) {
                    float& v = mask.At(tx, ty);
                    v = std::min(1.0f, v + glyph.coverage.At(i, j));
                }
            }
        }
        x += glyph.advance;
        previous = index;
    }
}

std::string PaintFontPath(const std::string& fileName) {
    return "/usr/share/fonts/truetype/dejavu/" + fileName;
}

// ---- conversion ------------------------------------------------------------------

PaintSprite ToSprite(const PaintCanvas& canvas, const std::string& name) {
    PaintSprite sprite;
    const int w = canvas.Width();
    const int h = canvas.Height();
    sprite.colour.Create(w, h, 24);
    sprite.colour.name = name;
    sprite.mask.Create(w, h, 8);
    sprite.mask.name = name + "_a";
    SetGreyPalette(sprite.mask);
    for (int y = 0; y < h; ++y) {
        uint8_t* colourRow = sprite.colour.Row(y);
        uint8_t* maskRow = sprite.mask.Row(y);
        for (int x = 0; x < w; ++x) {
            const PaintColour c = canvas.Get(x, y);
            const int alpha = int(std::lround(Clamp01(c.a) * 255.0f));
            maskRow[x] = uint8_t(alpha);
            if (alpha == 0) {
                continue;
            }
            const Levels l = VisibleLevels(c, x, y);
            colourRow[x * 3] = Byte5(l.b);
            colourRow[x * 3 + 1] = Byte5(l.g);
            colourRow[x * 3 + 2] = Byte5(l.r);
        }
    }
    return sprite;
}

QxImage ToKeyed(const PaintCanvas& canvas, const PaintColour& matte, const std::string& name) {
    QxImage image;
    const int w = canvas.Width();
    const int h = canvas.Height();
    image.Create(w, h, 24);
    image.name = name;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < w; ++x) {
            const PaintColour c = canvas.Get(x, y);
            if (c.a < 0.5f) {
                continue;
            }
            const PaintColour over = Mix(matte, PaintColour{c.r, c.g, c.b, 1.0f}, c.a);
            const Levels l = VisibleLevels(over, x, y);
            row[x * 3] = Byte5(l.b);
            row[x * 3 + 1] = Byte5(l.g);
            row[x * 3 + 2] = Byte5(l.r);
        }
    }
    return image;
}

QxImage ToOpaque(const PaintCanvas& canvas, const PaintColour& under, const std::string& name) {
    QxImage image;
    const int w = canvas.Width();
    const int h = canvas.Height();
    image.Create(w, h, 24);
    image.name = name;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < w; ++x) {
            const PaintColour c = canvas.Get(x, y);
            const PaintColour over = Mix(under, PaintColour{c.r, c.g, c.b, 1.0f}, c.a);
            const Levels l = VisibleLevels(over, x, y);
            row[x * 3] = Byte5(l.b);
            row[x * 3 + 1] = Byte5(l.g);
            row[x * 3 + 2] = Byte5(l.r);
        }
    }
    return image;
}

QxImage ToImage16(const PaintCanvas& canvas, const std::string& name) {
    QxImage image;
    const int w = canvas.Width();
    const int h = canvas.Height();
    image.Create(w, h, 16);
    image.name = name;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < w; ++x) {
            const PaintColour c = canvas.Get(x, y);
            if (std::lround(Clamp01(c.a) * 255.0f) == 0) {
                continue;
            }
            const Levels l = VisibleLevels(c, x, y);
            // 5-6-5 words as the image-list reader takes them; the screen keeps the
            // top five bits of green.
            const uint16_t word = uint16_t((l.r << 11) | (((l.g << 1) | (l.g >> 4)) << 5) | l.b);
            row[x * 2] = uint8_t(word & 0xFF);
            row[x * 2 + 1] = uint8_t(word >> 8);
        }
    }
    return image;
}

QxImage ToMask8(const PaintCanvas& canvas, const std::string& name) {
    QxImage image;
    image.Create(canvas.Width(), canvas.Height(), 8);
    image.name = name;
    SetGreyPalette(image);
    for (int y = 0; y < canvas.Height(); ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < canvas.Width(); ++x) {
            row[x] = uint8_t(std::lround(Clamp01(canvas.Alpha(x, y)) * 255.0f));
        }
    }
    return image;
}

bool WriteSprite(ContentOut& out, const std::string& base, const PaintCanvas& canvas) {
    const PaintSprite sprite = ToSprite(canvas, base);
    return out.WriteBitmap(base + ".bmp", sprite.colour) &&
           out.WriteBitmap(base + "_a.bmp", sprite.mask);
}

bool WriteSpriteList(ContentOut& out, const std::string& base,
                     const std::vector<PaintCanvas>& frames) {
    std::vector<QxImage> colours;
    std::vector<QxImage> masks;
    for (size_t i = 0; i < frames.size(); ++i) {
        const std::string name = base + std::to_string(i);
        colours.push_back(ToImage16(frames[i], name));
        masks.push_back(ToMask8(frames[i], name + "_a"));
    }
    return out.WriteImageList(base + ".imst", colours) &&
           out.WriteImageList(base + "_a.img", masks);
}

PaintCanvas FromImage(const QxImage& colour, const QxImage* mask) {
    PaintCanvas canvas(colour.width, colour.height);
    for (int y = 0; y < colour.height; ++y) {
        for (int x = 0; x < colour.width; ++x) {
            float r = 0, g = 0, b = 0;
            bool key = false;
            const uint8_t* p = colour.Row(y) + size_t(x) * size_t(colour.BytesPerPixel());
            if (colour.bitsPerPixel == 24 || colour.bitsPerPixel == 32) {
                b = p[0] / 255.0f;
                g = p[1] / 255.0f;
                r = p[2] / 255.0f;
                key = (p[0] | p[1] | p[2]) < 8;
            } else if (colour.bitsPerPixel == 16) {
                const uint16_t word = uint16_t(p[0] | (p[1] << 8));
                r = float((word >> 11) & 31) / 31.0f;
                g = float((word >> 6) & 31) / 31.0f;
                b = float(word & 31) / 31.0f;
                key = word == 0;
            }
            float a = key ? 0.0f : 1.0f;
            if (mask && mask->bitsPerPixel == 8 && mask->width == colour.width &&
                mask->height == colour.height) {
                a = key ? 0.0f : mask->Row(y)[x] / 255.0f;
            }
            canvas.Blend(x, y, PaintColour{r, g, b, 1.0f}, a);
        }
    }
    return canvas;
}
