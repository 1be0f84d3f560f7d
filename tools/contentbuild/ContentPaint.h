#pragma once
// Drawing helpers for generated art. Pictures are painted on a float canvas (usually
// at four times the stored size), shaded with signed-distance shapes, gradients,
// bevels and shadows, reduced, and finally quantised to the screen's 5 bits per
// channel with an ordered dither so gradients show no bands.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxImage.h"

class ContentOut;

// A straight (not premultiplied) colour, components 0 to 1.
struct PaintColour {
    float r = 0, g = 0, b = 0, a = 1;

    static PaintColour Rgb(int red, int green, int blue, float alpha = 1.0f) {
        return {red / 255.0f, green / 255.0f, blue / 255.0f, alpha};
    }
    PaintColour WithAlpha(float alpha) const { return {r, g, b, alpha}; }
};

PaintColour Mix(const PaintColour& a, const PaintColour& b, float t);
PaintColour Lighten(const PaintColour& c, float amount); // towards white
PaintColour Darken(const PaintColour& c, float amount);  // towards black

// The shared palette (see content/STYLE.md).
namespace palette {
inline const PaintColour kNight = PaintColour::Rgb(7, 21, 33);
inline const PaintColour kDeepTeal = PaintColour::Rgb(14, 46, 60);
inline const PaintColour kTeal = PaintColour::Rgb(24, 78, 92);
inline const PaintColour kSeaGlass = PaintColour::Rgb(64, 150, 150);
inline const PaintColour kBrassShadow = PaintColour::Rgb(120, 74, 26);
inline const PaintColour kBrass = PaintColour::Rgb(214, 156, 62);
inline const PaintColour kGold = PaintColour::Rgb(255, 214, 120);
inline const PaintColour kCream = PaintColour::Rgb(246, 234, 208);
inline const PaintColour kMuted = PaintColour::Rgb(170, 190, 186);
inline const PaintColour kEmber = PaintColour::Rgb(222, 88, 60);
inline const PaintColour kLeaf = PaintColour::Rgb(104, 196, 136);
inline const PaintColour kNearBlack = PaintColour::Rgb(8, 8, 8);
} // namespace palette

// A deterministic generator (xorshift) for texture noise; never seeded from a clock.
class PaintRandom {
public:
    explicit PaintRandom(uint32_t seed) : m_state(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next();
    float Unit(); // 0 to 1
    float Range(float low, float high);

private:
    uint32_t m_state;
};

// Coverage or alpha, one float per pixel.
class PaintMask {
public:
    PaintMask() = default;
    PaintMask(int width, int height, float value = 0.0f);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    float& At(int x, int y) { return m_values[size_t(y) * size_t(m_width) + size_t(x)]; }
    float At(int x, int y) const { return m_values[size_t(y) * size_t(m_width) + size_t(x)]; }
    // Zero outside.
    float Sample(int x, int y) const;

    // Gaussian-like blur (three box passes) of the given radius in pixels.
    void Blur(float radius);
    // Moves the content by (dx, dy) whole pixels.
    PaintMask Shifted(int dx, int dy) const;
    // Grows (radius > 0) by taking the maximum over a disc.
    PaintMask Dilated(int radius) const;
    void Multiply(const PaintMask& other);
    void Invert();

    std::vector<float>& Values() { return m_values; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<float> m_values;
};

using PaintSdf = std::function<float(float x, float y)>;        // < 0 inside, pixels
using PaintFill = std::function<PaintColour(float x, float y)>; // colour at a point

// Shapes: signed distance in pixels of the canvas they are drawn on.
PaintSdf SdfCircle(float cx, float cy, float radius);
PaintSdf SdfRoundRect(float left, float top, float right, float bottom, float radius);
PaintSdf SdfEllipse(float cx, float cy, float rx, float ry); // approximate distance
PaintSdf SdfSegment(float x0, float y0, float x1, float y1, float halfWidth);
PaintSdf SdfPolygon(std::vector<std::pair<float, float>> points); // any simple polygon
PaintSdf SdfUnion(PaintSdf a, PaintSdf b);
PaintSdf SdfSubtract(PaintSdf a, PaintSdf b); // a without b
PaintSdf SdfIntersect(PaintSdf a, PaintSdf b);
PaintSdf SdfRing(PaintSdf shape, float halfWidth); // a band along the outline
PaintSdf SdfOffset(PaintSdf shape, float by);      // grows by `by` pixels

// Paints.
PaintFill FillSolid(PaintColour colour);
struct PaintStop {
    float at;
    PaintColour colour;
};
PaintFill FillLinear(float x0, float y0, float x1, float y1, std::vector<PaintStop> stops);
PaintFill FillRadial(float cx, float cy, float radius, std::vector<PaintStop> stops);

// Premultiplied float RGBA picture.
class PaintCanvas {
public:
    PaintCanvas() = default;
    PaintCanvas(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Straight colour of a pixel (alpha 0 gives black).
    PaintColour Get(int x, int y) const;
    float Alpha(int x, int y) const { return m_px[Index(x, y) + 3]; }
    // Straight alpha of every pixel.
    PaintMask AlphaMask() const;

    void Clear(PaintColour colour);
    // Source-over blend of a colour at a coverage (0 to 1).
    void Blend(int x, int y, const PaintColour& colour, float coverage);
    // Fills a shape with a paint, anti-aliased over one pixel.
    void FillShape(const PaintSdf& shape, const PaintFill& fill, float opacity = 1.0f);
    // Paints through a coverage mask of the canvas's size.
    void FillMask(const PaintMask& mask, const PaintFill& fill, float opacity = 1.0f);
    // Places another canvas with its top-left corner at (x, y), source-over.
    void Draw(const PaintCanvas& other, int x, int y, float opacity = 1.0f);
    // Places another canvas under this one (destination-over).
    void DrawUnder(const PaintCanvas& other, int x, int y);

    // Light and shade on the inside of a shape as if its rim were rounded over
    // `width` pixels, lit from the upper left. Adds highlights and shadows.
    void Bevel(const PaintSdf& shape, float width, float highlight, float shadow);
    // The same for a shape given as coverage (text, for example): the rim is found by
    // blurring the mask over `width` pixels.
    void BevelMask(const PaintMask& mask, float width, float highlight, float shadow);
    // A soft shadow of the canvas's own alpha, offset and blurred, put underneath.
    void DropShadow(float dx, float dy, float blur, const PaintColour& colour);
    // A soft halo around the opaque parts, put underneath.
    void Glow(float radius, const PaintColour& colour);
    // Adds fine deterministic noise to the colour of opaque pixels (texture).
    void Grain(uint32_t seed, float amount);

    // Box-filtered reduction by a whole factor (premultiplied, so edges stay clean).
    PaintCanvas Downsample(int factor) const;
    // A copy of a rectangle.
    PaintCanvas Crop(int x, int y, int width, int height) const;

private:
    size_t Index(int x, int y) const { return (size_t(y) * size_t(m_width) + size_t(x)) * 4; }

    int m_width = 0;
    int m_height = 0;
    std::vector<float> m_px;
};

// A TrueType face from the system's font folder, rasterised with FreeType.
class PaintFont {
public:
    // path: a font file; pixelSize: the em size. Check Ok() before use.
    PaintFont(const std::string& path, int pixelSize, bool hinted = true);
    ~PaintFont();
    PaintFont(const PaintFont&) = delete;
    PaintFont& operator=(const PaintFont&) = delete;

    bool Ok() const { return m_ok; }
    int Ascender() const { return m_ascender; }   // pixels above the baseline
    int Descender() const { return m_descender; } // pixels below (positive)
    int LineHeight() const { return m_ascender + m_descender; }

    struct Glyph {
        int advance = 0;       // whole pixels
        int left = 0, top = 0; // bitmap offset from the pen (top: above baseline)
        PaintMask coverage;    // the glyph's own size
    };
    // The rendered glyph of a character (an empty coverage for blanks).
    Glyph Render(uint32_t character) const;
    // Width of a line in pixels (sum of advances with kerning).
    int Measure(const std::string& text) const;
    // Coverage of a line drawn into a mask with the baseline at y and the pen at x.
    void DrawText(PaintMask& mask, const std::string& text, int x, int baseline) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    bool m_ok = false;
    int m_ascender = 0;
    int m_descender = 0;
};

// The folder of the DejaVu faces.
std::string PaintFontPath(const std::string& fileName);

// ---- conversion to stored pictures ---------------------------------------------

// A 24-bit colour image (dithered to 5 bits per channel) and an 8-bit mask (grey
// palette; 0 transparent, 255 opaque). Pixels whose alpha rounds to 0 are stored as
// 0 (the colour key) in the colour image; every other pixel is at least near-black.
struct PaintSprite {
    QxImage colour;
    QxImage mask;
};
PaintSprite ToSprite(const PaintCanvas& canvas, const std::string& name);
// A keyed picture without a mask: pixels below half alpha become the colour key,
// the rest are composited over `matte` (the colour the picture usually sits on).
QxImage ToKeyed(const PaintCanvas& canvas, const PaintColour& matte, const std::string& name);
// An opaque picture (alpha ignored, composited over `under`).
QxImage ToOpaque(const PaintCanvas& canvas, const PaintColour& under, const std::string& name);
// A 16-bit frame for image lists (same quantisation as ToSprite) and its mask.
QxImage ToImage16(const PaintCanvas& canvas, const std::string& name);
QxImage ToMask8(const PaintCanvas& canvas, const std::string& name);

// Writes "<base>.bmp" and "<base>_a.bmp" (the alpha mask).
bool WriteSprite(ContentOut& out, const std::string& base, const PaintCanvas& canvas);
// Writes "<base>.imst" (16-bit frames) and "<base>_a.img" (their masks).
bool WriteSpriteList(ContentOut& out, const std::string& base,
                     const std::vector<PaintCanvas>& frames);

// Reads a written picture back to a canvas (for previews and tests).
PaintCanvas FromImage(const QxImage& colour, const QxImage* mask);
