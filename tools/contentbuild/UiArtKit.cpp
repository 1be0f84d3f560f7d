#include "UiArtKit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "app/QxScreenSize.h"

namespace {

using namespace palette;

// Faces are opened once per face and size.
const PaintFont& FontAt(const std::string& face, int pixelSize) {
    static std::map<std::pair<std::string, int>, std::unique_ptr<PaintFont>> fonts;
    auto& slot = fonts[{face, pixelSize}];
    if (!slot) {
        slot = std::make_unique<PaintFont>(PaintFontPath(face), pixelSize, false);
    }
    return *slot;
}

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

} // namespace

// A sphere-shaded ball: the colour lit from the upper left with a specular spot.
void PaintBall(PaintCanvas& canvas, float cx, float cy, float r, const PaintColour& base) {
    canvas.FillShape(SdfCircle(cx, cy, r), [&](float x, float y) {
        const float nx = (x - cx) / r;
        const float ny = (y - cy) / r;
        const float nz2 = 1.0f - nx * nx - ny * ny;
        const float nz = nz2 > 0 ? std::sqrt(nz2) : 0.0f;
        const float lit = Clamp01(-0.5f * nx - 0.55f * ny + 0.67f * nz);
        PaintColour c = Mix(Darken(base, 0.75f), base, std::pow(lit, 0.8f));
        // A warm bounce light on the lower right rim.
        const float rim = Clamp01((nx * 0.6f + ny * 0.8f) - 0.55f) * 1.6f;
        c = Mix(c, Lighten(kBrass, 0.1f), rim * 0.5f);
        const float gloss = std::pow(Clamp01(-0.42f * nx - 0.5f * ny + 0.76f * nz), 40.0f);
        return Mix(c, PaintColour{1, 1, 1, 1}, Clamp01(gloss * 1.2f));
    });
    // A soft secondary highlight.
    canvas.FillShape(
        SdfEllipse(cx - r * 0.35f, cy - r * 0.5f, r * 0.42f, r * 0.22f),
        FillRadial(cx - r * 0.35f, cy - r * 0.5f, r * 0.42f,
                   {{0.0f, PaintColour{1, 1, 1, 0.35f}}, {1.0f, PaintColour{1, 1, 1, 0.0f}}}));
}

PaintCanvas UiReduce(const PaintCanvas& canvas) {
    return canvas.Downsample(kUiScale);
}

float UiTextWidth(const UiTextStyle& style, const std::string& text) {
    const int px = int(std::lround(style.size * kUiScale));
    const PaintFont& font = FontAt(style.face, px);
    return (float(font.Measure(text)) + style.tracking * kUiScale * float(text.size())) /
           float(kUiScale);
}

void UiDrawText(PaintCanvas& canvas, const UiTextStyle& style, const std::string& text, float x,
                float baseline, int align, float scale) {
    const int px = int(std::lround(style.size * scale));
    const PaintFont& font = FontAt(style.face, px);
    const float width = float(font.Measure(text)) + style.tracking * scale * float(text.size());
    float pen = x * scale;
    if (align == 1) {
        pen -= width * 0.5f;
    } else if (align == 2) {
        pen -= width;
    }
    // The text is painted on a canvas of its own size (with room for the outline and
    // the shadow) and then placed.
    const int pad =
        int(std::ceil((style.outline + style.shadowOffset + 3 * style.shadowBlur + 2) * scale));
    const int left = int(std::floor(pen)) - pad;
    const int top = int(std::lround(baseline * scale)) - font.Ascender() - pad;
    const int w = int(std::ceil(width)) + 2 * pad + int(scale);
    const int h = font.LineHeight() + 2 * pad;
    const int penX = int(std::lround(pen)) - left;
    const int base = int(std::lround(baseline * scale)) - top;
    PaintMask mask(w, h);
    if (style.tracking == 0.0f) {
        font.DrawText(mask, text, penX, base);
    } else {
        float at = float(penX);
        for (char c : text) {
            const std::string one(1, c);
            font.DrawText(mask, one, int(std::lround(at)), base);
            at += float(font.Measure(one)) + style.tracking * scale;
        }
    }
    PaintCanvas layer(w, h);
    if (style.outline > 0.0f) {
        PaintMask outline = mask.Dilated(int(std::lround(style.outline * scale)));
        layer.FillMask(outline, FillSolid(style.outlineColour));
    }
    const float capTop = float(base) - float(font.Ascender()) * 0.75f;
    layer.FillMask(
        mask, FillLinear(0, capTop, 0, float(base), {{0.0f, style.top}, {1.0f, style.bottom}}));
    if (style.shadowAlpha > 0.0f) {
        layer.DropShadow(style.shadowOffset * scale, style.shadowOffset * scale,
                         style.shadowBlur * scale, kNearBlack.WithAlpha(style.shadowAlpha));
    }
    canvas.Draw(layer, left, top);
}

PaintCanvas UiBackdrop(uint32_t seed) {
    constexpr int kScale = 2;
    const int w = kScreenWidth * kScale;
    const int h = kScreenHeight * kScale;
    PaintCanvas canvas(w, h);
    const float s = float(kScale);
    // A pool of light in the upper middle over the deep teal.
    canvas.FillShape([](float, float) { return -1.0f; },
                     FillRadial(320 * s, 170 * s, 560 * s,
                                {{0.0f, PaintColour::Rgb(26, 82, 96)},
                                 {0.45f, PaintColour::Rgb(15, 50, 64)},
                                 {1.0f, kNight}}));
    // Soft discs of light, out of focus.
    PaintRandom random(seed);
    for (int i = 0; i < 16; ++i) {
        const float cx = random.Range(0, kScreenWidth) * s;
        const float cy = random.Range(0, kScreenHeight) * s;
        const float r = random.Range(18, 70) * s;
        const PaintColour c = (i % 3 == 0) ? kBrass : kSeaGlass;
        const float a = random.Range(0.03f, 0.08f);
        canvas.FillShape(SdfCircle(cx, cy, r), FillRadial(cx, cy, r,
                                                          {{0.0f, c.WithAlpha(a * 0.6f)},
                                                           {0.8f, c.WithAlpha(a)},
                                                           {1.0f, c.WithAlpha(a * 0.3f)}}));
    }
    // A faint diamond lattice, like lanes on a table, strongest near the light.
    const float spacing = 48 * s;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float px = float(x) + 0.5f;
            const float py = float(y) + 0.5f;
            const float u = std::fmod(std::abs(px + py), spacing);
            const float v = std::fmod(std::abs(px - py + 4000.0f), spacing);
            const float du = std::min(u, spacing - u);
            const float dv = std::min(v, spacing - v);
            const float line = Clamp01(1.2f - std::min(du, dv) / s);
            if (line <= 0) {
                continue;
            }
            const float fall =
                Clamp01(1.0f - std::hypot(px / s - 320, (py / s - 200) * 1.3f) / 420);
            canvas.Blend(x, y, kSeaGlass, line * 0.07f * fall);
        }
    }
    // Vignette.
    canvas.FillShape([](float, float) { return -1.0f; },
                     FillRadial(320 * s, 240 * s, 460 * s,
                                {{0.0f, kNight.WithAlpha(0.0f)},
                                 {0.7f, kNight.WithAlpha(0.15f)},
                                 {1.0f, kNight.WithAlpha(0.6f)}}));
    canvas.Grain(seed ^ 0xA5A5u, 0.012f);
    return canvas.Downsample(kScale);
}

namespace {

// Where the logo's lettering lies on its canvas (at kUiScale): "R", a ball for the
// "O", then "NDELIX", centred, on one baseline.
struct LogoLayout {
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 112;
    const PaintFont* font = nullptr;
    float left = 0;
    float baseline = 0;
    float capHeight = 0;
    float ballX = 0;
    float ballY = 0;
    float ballR = 0;
    float tailX = 0;

    LogoLayout() {
        const float s = kUiScale;
        font = &FontAt("DejaVuSerif-Bold.ttf", int(66 * s));
        capHeight = float(font->Render('N').top);
        ballR = capHeight * 0.56f;
        const float gap = 3 * s;
        const float total =
            float(font->Measure("R")) + gap + 2 * ballR + gap + float(font->Measure("NDELIX"));
        left = (kWidth * s - total) * 0.5f;
        baseline = 84 * s;
        ballX = left + float(font->Measure("R")) + gap + ballR;
        ballY = baseline - ballR;
        tailX = ballX + ballR + gap;
    }

    PaintMask Letters() const {
        PaintMask letters(int(kWidth * kUiScale), int(kHeight * kUiScale));
        font->DrawText(letters, "R", int(left), int(baseline));
        font->DrawText(letters, "NDELIX", int(tailX), int(baseline));
        return letters;
    }
};

} // namespace

PaintCanvas UiLogo() {
    const float s = kUiScale;
    const LogoLayout logo;
    PaintCanvas canvas(int(LogoLayout::kWidth * s), int(LogoLayout::kHeight * s));
    const PaintMask letters = logo.Letters();
    const float baseline = logo.baseline;
    const float capHeight = logo.capHeight;

    PaintCanvas layer(canvas.Width(), canvas.Height());
    // A dark outline, then the gold letters, bevelled.
    PaintMask outline = letters;
    outline.Blur(3 * s);
    for (float& v : outline.Values()) {
        v = Clamp01(v * 4.0f);
    }
    layer.FillMask(outline, FillSolid(PaintColour::Rgb(10, 26, 34)));
    layer.FillMask(letters, FillLinear(0, baseline - capHeight, 0, baseline,
                                       {{0.0f, PaintColour::Rgb(255, 244, 200)},
                                        {0.45f, kGold},
                                        {0.55f, PaintColour::Rgb(236, 176, 80)},
                                        {1.0f, PaintColour::Rgb(168, 104, 34)}}));
    layer.BevelMask(letters, 2.5f * s, 0.55f, 0.55f);
    // The ball, with a dark ring like the outline.
    layer.FillShape(SdfCircle(logo.ballX, logo.ballY, logo.ballR + 2.2f * s),
                    FillSolid(PaintColour::Rgb(10, 26, 34)));
    PaintBall(layer, logo.ballX, logo.ballY, logo.ballR, kEmber);
    layer.DropShadow(3 * s, 4 * s, 5 * s, kNearBlack.WithAlpha(0.65f));
    canvas.Draw(layer, 0, 0);

    UiTextStyle tag;
    tag.face = "DejaVuSans-Bold.ttf";
    tag.size = 12;
    tag.top = kMuted;
    tag.bottom = Darken(kMuted, 0.1f);
    tag.tracking = 2.5f;
    UiDrawText(canvas, tag, "ROLL  \xB7  COLLECT  \xB7  ESCAPE", LogoLayout::kWidth * 0.5f, 106, 1);
    return UiReduce(canvas);
}

PaintMask UiLogoLettering() {
    const LogoLayout logo;
    PaintMask fine = logo.Letters();
    // The ball stands in for the "O", so it glows with the letters.
    const PaintSdf ball = SdfCircle(logo.ballX, logo.ballY, logo.ballR);
    for (int y = 0; y < fine.Height(); ++y) {
        for (int x = 0; x < fine.Width(); ++x) {
            const float inside = Clamp01(0.5f - ball(float(x) + 0.5f, float(y) + 0.5f));
            fine.At(x, y) = std::max(fine.At(x, y), inside);
        }
    }
    PaintMask reduced(LogoLayout::kWidth, LogoLayout::kHeight);
    for (int y = 0; y < reduced.Height(); ++y) {
        for (int x = 0; x < reduced.Width(); ++x) {
            float sum = 0;
            for (int dy = 0; dy < kUiScale; ++dy) {
                for (int dx = 0; dx < kUiScale; ++dx) {
                    sum += fine.At(x * kUiScale + dx, y * kUiScale + dy);
                }
            }
            reduced.At(x, y) = sum / float(kUiScale * kUiScale);
        }
    }
    return reduced;
}

PaintCanvas UiRollingBall() {
    const float s = kUiScale;
    const int w = 180, h = 90;
    PaintCanvas canvas(int(w * s), int(h * s));
    const float laneY = 70 * s;
    // The lane: a soft groove with a lit lower lip.
    canvas.FillShape(SdfRoundRect(4 * s, laneY - 2 * s, (w - 4) * s, laneY + 2 * s, 2 * s),
                     FillLinear(4 * s, 0, (w - 4) * s, 0,
                                {{0.0f, kNight.WithAlpha(0.0f)},
                                 {0.3f, kNight.WithAlpha(0.55f)},
                                 {1.0f, kNight.WithAlpha(0.55f)}}));
    canvas.FillShape(SdfRoundRect(4 * s, laneY + 2 * s, (w - 4) * s, laneY + 3 * s, 0.5f * s),
                     FillLinear(4 * s, 0, (w - 4) * s, 0,
                                {{0.0f, kSeaGlass.WithAlpha(0.0f)},
                                 {0.4f, kSeaGlass.WithAlpha(0.35f)},
                                 {1.0f, kSeaGlass.WithAlpha(0.35f)}}));
    const float r = 26 * s;
    const float bx = 136 * s;
    const float by = laneY - r + 1 * s;
    // The trail: streaks of the ball's colour fading behind it.
    for (int i = 0; i < 3; ++i) {
        const float y = by + (float(i) - 1.0f) * 9 * s;
        const float half = (4.0f - float(std::abs(i - 1)) * 1.5f) * s;
        canvas.FillShape(SdfRoundRect(20 * s, y - half, bx, y + half, half),
                         FillLinear(20 * s, 0, bx, 0,
                                    {{0.0f, kEmber.WithAlpha(0.0f)},
                                     {1.0f, Lighten(kEmber, 0.3f).WithAlpha(0.45f)}}));
    }
    // Contact shadow, then the ball.
    canvas.FillShape(
        SdfEllipse(bx + 4 * s, laneY + 1 * s, r * 0.9f, 4 * s),
        FillRadial(bx + 4 * s, laneY + 1 * s, r * 0.9f,
                   {{0.0f, kNearBlack.WithAlpha(0.6f)}, {1.0f, kNearBlack.WithAlpha(0.0f)}}));
    PaintBall(canvas, bx, by, r, kEmber);
    return UiReduce(canvas);
}

PaintCanvas UiCoinStack() {
    const float s = kUiScale;
    const int w = 96, h = 104;
    PaintCanvas canvas(int(w * s), int(h * s));
    const float cx = 48 * s;
    const float rx = 34 * s, ry = 12 * s, thick = 6 * s;
    // Bottom coin first; each one a little off the one below.
    const float offsets[] = {0.0f, 3.0f, -2.0f, 2.5f, -1.0f, 1.5f};
    const int count = 6;
    for (int i = 0; i < count; ++i) {
        const float x = cx + offsets[i] * s;
        const float top = (86 - float(i) * 11) * s;
        const PaintSdf side = SdfUnion(SdfEllipse(x, top + thick, rx, ry),
                                       SdfRoundRect(x - rx, top, x + rx, top + thick, 0.0f));
        canvas.FillShape(side, FillLinear(x - rx, 0, x + rx, 0,
                                          {{0.0f, kBrassShadow},
                                           {0.35f, Lighten(kGold, 0.2f)},
                                           {0.7f, kBrass},
                                           {1.0f, Darken(kBrassShadow, 0.3f)}}));
        // Milled edge: fine vertical lines on the side band.
        for (int k = 0; k < 24; ++k) {
            const float u = -1.0f + (float(k) + 0.5f) / 12.0f;
            const float lx = x + u * rx;
            canvas.FillShape(
                SdfIntersect(side, SdfSegment(lx, top, lx, top + thick + ry, 0.3f * s)),
                FillSolid(kBrassShadow.WithAlpha(0.35f)));
        }
        const PaintSdf face = SdfEllipse(x, top, rx, ry);
        canvas.FillShape(
            face,
            FillRadial(x - rx * 0.3f, top - ry * 0.4f, rx * 1.3f,
                       {{0.0f, PaintColour::Rgb(255, 246, 200)}, {0.5f, kGold}, {1.0f, kBrass}}));
        canvas.FillShape(SdfRing(SdfEllipse(x, top, rx * 0.72f, ry * 0.72f), 0.8f * s),
                         FillSolid(kBrassShadow.WithAlpha(0.55f)));
    }
    canvas.DropShadow(3 * s, 4 * s, 4 * s, kNearBlack.WithAlpha(0.5f));
    return UiReduce(canvas);
}

PaintCanvas UiPanel(int width, int height, float radius, bool withShadow) {
    const float s = kUiScale;
    const int margin = withShadow ? 10 : 0;
    PaintCanvas canvas(int((width + 2 * margin) * s), int((height + 2 * margin) * s));
    const float l = margin * s, t = margin * s;
    const float r = (margin + width) * s, b = (margin + height) * s;
    const float rad = radius * s;
    PaintCanvas layer(canvas.Width(), canvas.Height());
    // Brass rim.
    const PaintSdf outer = SdfRoundRect(l, t, r, b, rad);
    layer.FillShape(
        outer, FillLinear(l, t, r, b,
                          {{0.0f, Lighten(kGold, 0.2f)}, {0.5f, kBrass}, {1.0f, kBrassShadow}}));
    layer.Bevel(outer, 1.5f * s, 0.5f, 0.5f);
    // Dark glass inside.
    const float inset = 3 * s;
    const PaintSdf inner =
        SdfRoundRect(l + inset, t + inset, r - inset, b - inset, std::max(0.0f, rad - inset));
    layer.FillShape(inner, FillLinear(0, t, 0, b,
                                      {{0.0f, PaintColour::Rgb(20, 60, 74)},
                                       {1.0f, PaintColour::Rgb(9, 30, 42)}}));
    // Inner shadow under the rim, and a faint sheen on the upper part.
    layer.FillShape(SdfRing(inner, 1.2f * s), FillSolid(kNearBlack.WithAlpha(0.35f)));
    layer.FillShape(
        SdfIntersect(inner, SdfEllipse((l + r) * 0.5f, t, (r - l) * 0.7f,
                                       std::min(60 * s, (b - t) * 0.35f))),
        FillLinear(0, t, 0, t + std::min(60 * s, (b - t) * 0.35f),
                   {{0.0f, PaintColour{1, 1, 1, 0.06f}}, {1.0f, PaintColour{1, 1, 1, 0.0f}}}));
    if (withShadow) {
        layer.DropShadow(3 * s, 5 * s, 6 * s, kNearBlack.WithAlpha(0.55f));
    }
    canvas.Draw(layer, 0, 0);
    return UiReduce(canvas);
}

PaintCanvas UiButton(const UiButtonLook& look, const std::string& label, UiButtonState state) {
    const float s = kUiScale;
    const int m = look.margin;
    PaintCanvas canvas(int((look.width + 2 * m) * s), int((look.height + 2 * m) * s));
    const bool down = state == UiButtonState::Down;
    const bool hover = state == UiButtonState::Hover;
    const bool disabled = state == UiButtonState::Disabled;
    const float press = down ? 1.0f * s : 0.0f;
    const float l = m * s, t = m * s + press;
    const float r = (m + look.width) * s, b = (m + look.height) * s + press;
    const float rad = look.radius * s;
    PaintCanvas layer(canvas.Width(), canvas.Height());

    PaintColour rimLight = Lighten(kGold, 0.25f), rimMid = kBrass, rimDark = kBrassShadow;
    PaintColour faceTop = PaintColour::Rgb(36, 104, 116), faceBottom = PaintColour::Rgb(14, 52, 66);
    if (look.danger) {
        faceTop = PaintColour::Rgb(128, 50, 40);
        faceBottom = PaintColour::Rgb(66, 22, 20);
    }
    if (hover) {
        // Hover is also how the keyboard focus shows: it must stand out at a glance.
        faceTop = Lighten(faceTop, 0.24f);
        faceBottom = Lighten(faceBottom, 0.14f);
        rimLight = PaintColour::Rgb(255, 250, 220);
        rimMid = Lighten(kGold, 0.1f);
    } else if (down) {
        std::swap(faceTop, faceBottom);
        faceTop = Darken(faceTop, 0.2f);
        rimMid = Darken(kBrass, 0.1f);
    } else if (disabled) {
        faceTop = PaintColour::Rgb(58, 70, 74);
        faceBottom = PaintColour::Rgb(36, 44, 48);
        rimLight = PaintColour::Rgb(150, 150, 140);
        rimMid = PaintColour::Rgb(110, 108, 100);
        rimDark = PaintColour::Rgb(60, 58, 54);
    }
    const PaintSdf outer = SdfRoundRect(l, t, r, b, rad);
    layer.FillShape(outer, FillLinear(l, t, l + (r - l) * 0.3f, b,
                                      {{0.0f, rimLight}, {0.5f, rimMid}, {1.0f, rimDark}}));
    layer.Bevel(outer, 1.2f * s, 0.45f, 0.45f);
    const float inset = 2.5f * s;
    const PaintSdf face = SdfRoundRect(l + inset, t + inset, r - inset, b - inset, rad - inset);
    layer.FillShape(face, FillLinear(0, t, 0, b, {{0.0f, faceTop}, {1.0f, faceBottom}}));
    if (down) {
        // Pressed in: shadow along the top inside edge.
        layer.FillShape(SdfSubtract(face, SdfRoundRect(l + inset, t + inset + 3 * s, r - inset,
                                                       b + 8 * s, rad - inset)),
                        FillSolid(kNearBlack.WithAlpha(0.35f)));
    } else {
        // Gloss on the upper half.
        const float mid = (t + b) * 0.5f;
        layer.FillShape(
            SdfIntersect(face, SdfRoundRect(l + inset + 2 * s, t + inset + 1 * s, r - inset - 2 * s,
                                            mid, rad - inset - 2 * s)),
            FillLinear(0, t, 0, mid,
                       {{0.0f, PaintColour{1, 1, 1, disabled ? 0.06f : 0.16f}},
                        {1.0f, PaintColour{1, 1, 1, 0.02f}}}));
    }
    UiTextStyle text;
    text.size = look.labelSize;
    text.top = kCream;
    text.bottom = Mix(kCream, kGold, 0.3f);
    if (hover) {
        text.top = PaintColour::Rgb(255, 250, 230);
        text.bottom = kGold;
    } else if (down) {
        text.top = Darken(kCream, 0.1f);
        text.bottom = Mix(kCream, kBrass, 0.4f);
    } else if (disabled) {
        text.top = text.bottom = PaintColour::Rgb(140, 146, 144);
        text.shadowAlpha = 0.35f;
    }
    const PaintFont& font = FontAt(text.face, int(std::lround(text.size * s)));
    const float capHeight = float(font.Render('H').top) / s;
    const float baseline = (t / s) + look.height * 0.5f + capHeight * 0.5f;
    UiDrawText(layer, text, label, m + look.width * 0.5f, baseline, 1);
    if (hover) {
        layer.Glow(4.5f * s, kGold.WithAlpha(0.75f));
    }
    layer.DropShadow(0, (down ? 1.0f : 2.5f) * s, 3 * s, kNearBlack.WithAlpha(0.55f));
    canvas.Draw(layer, 0, 0);
    return UiReduce(canvas);
}
