// The backgrounds of the menu screens and the panels of the boxes. Positions here
// match the element positions in content/data/ui/*.ent and LoadingScene.ent; when one
// moves, the other must follow.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ContentBuild.h"
#include "ContentPaint.h"
#include "UiArtKit.h"
#include "app/QxScreenSize.h"

namespace {

using namespace palette;

constexpr uint32_t kBackdropSeed = 0x70D3u;

UiTextStyle HeadingStyle(float size) {
    UiTextStyle style;
    style.face = "DejaVuSerif-Bold.ttf";
    style.size = size;
    style.top = PaintColour::Rgb(255, 240, 190);
    style.bottom = PaintColour::Rgb(214, 148, 56);
    style.shadowAlpha = 0.7f;
    style.shadowOffset = 2.0f;
    style.shadowBlur = 2.0f;
    style.outline = 0.8f;
    style.outlineColour = PaintColour::Rgb(10, 26, 34);
    return style;
}

UiTextStyle SmallStyle(float size, const PaintColour& colour) {
    UiTextStyle style;
    style.face = "DejaVuSans.ttf";
    style.size = size;
    style.top = style.bottom = colour;
    style.shadowAlpha = 0.5f;
    return style;
}

// Every screen starts from the same backdrop and most show the logo: paint each once.
const PaintCanvas& Backdrop() {
    static const PaintCanvas backdrop = UiBackdrop(kBackdropSeed);
    return backdrop;
}

const PaintCanvas& Logo() {
    static const PaintCanvas logo = UiLogo();
    return logo;
}

// Screen-sized canvas at kUiScale for sharp text and lines, with the backdrop under.
struct Screen {
    PaintCanvas backdrop = Backdrop();
    PaintCanvas overlay{kScreenWidth * kUiScale, (kScreenHeight * kUiScale)};

    void Panel(int x, int y, int w, int h, float radius) {
        const PaintCanvas panel = UiPanel(w, h, radius, true);
        backdrop.Draw(panel, x - 10, y - 10);
    }
    void Place(const PaintCanvas& picture, int x, int y) { backdrop.Draw(picture, x, y); }
    void Text(const UiTextStyle& style, const std::string& text, float x, float baseline,
              int align) {
        UiDrawText(overlay, style, text, x, baseline, align);
    }
    // A thin gold rule with a small diamond in the middle, under a heading.
    void Ornament(float centreX, float y, float halfWidth) {
        const float s = kUiScale;
        // Painted around the origin of a small canvas, then placed.
        const float ox = centreX - halfWidth - 4;
        const float oy = y - 10;
        PaintCanvas layer(int((2 * halfWidth + 8) * s), int(20 * s));
        centreX -= ox;
        y -= oy;
        layer.FillShape(SdfRoundRect((centreX - halfWidth) * s, (y - 0.6f) * s,
                                     (centreX + halfWidth) * s, (y + 0.6f) * s, 0.6f * s),
                        FillLinear((centreX - halfWidth) * s, 0, (centreX + halfWidth) * s, 0,
                                   {{0.0f, kGold.WithAlpha(0.0f)},
                                    {0.5f, kGold.WithAlpha(0.9f)},
                                    {1.0f, kGold.WithAlpha(0.0f)}}));
        const PaintSdf diamond = SdfPolygon({{(centreX - 6) * s, y * s},
                                             {centreX * s, (y - 4) * s},
                                             {(centreX + 6) * s, y * s},
                                             {centreX * s, (y + 4) * s}});
        layer.FillShape(diamond,
                        FillLinear(0, (y - 4) * s, 0, (y + 4) * s,
                                   {{0.0f, PaintColour::Rgb(255, 244, 200)}, {1.0f, kBrass}}));
        layer.DropShadow(1 * s, 1 * s, 1 * s, kNearBlack.WithAlpha(0.6f));
        overlay.Draw(layer, int(ox * s), int(oy * s));
    }
    PaintCanvas Finish() {
        PaintCanvas result = backdrop;
        result.Draw(UiReduce(overlay), 0, 0);
        return result;
    }
};

// A sunken trough (the loading bar's and the name field's).
PaintCanvas Trough(int w, int h) {
    const float s = kUiScale;
    PaintCanvas canvas(int((w + 4) * s), int((h + 4) * s));
    const float l = 2 * s, t = 2 * s, r = (w + 2) * s, b = (h + 2) * s;
    const float rad = std::min(h * 0.5f, 8.0f) * s;
    const PaintSdf outer = SdfRoundRect(l, t, r, b, rad);
    canvas.FillShape(outer,
                     FillLinear(0, t, 0, b, {{0.0f, kBrassShadow}, {1.0f, Lighten(kGold, 0.1f)}}));
    const PaintSdf inner = SdfRoundRect(l + 2 * s, t + 2 * s, r - 2 * s, b - 2 * s, rad - 2 * s);
    canvas.FillShape(inner, FillLinear(0, t, 0, b,
                                       {{0.0f, PaintColour::Rgb(4, 14, 20)},
                                        {1.0f, PaintColour::Rgb(16, 44, 54)}}));
    canvas.FillShape(SdfSubtract(inner, SdfRoundRect(l + 2 * s, t + 4.5f * s, r - 2 * s, b + 6 * s,
                                                     rad - 2 * s)),
                     FillSolid(kNearBlack.WithAlpha(0.4f)));
    return UiReduce(canvas);
}

void WriteOpaque(ContentOut& out, const std::string& base, const PaintCanvas& canvas) {
    out.WriteBitmap(base + ".bmp", ToOpaque(canvas, kNight, base));
}

void BuildLoading(ContentOut& out) {
    Screen screen;
    screen.Place(Logo(), 110, 112);
    screen.Text(SmallStyle(14, kCream), "Loading ...", 320, 290, 1);
    screen.Place(Trough(360, 16), 138, 298); // the bar itself sits at 144, 303
    screen.Text(SmallStyle(11, kMuted), "A Quillfern Studio game", 320, 462, 1);
    WriteOpaque(out, "ui/images/bg_loading", screen.Finish());
}

// The main menu's title burns: the logo is a sprite of its own over a fire element,
// and the fire is fed by a burn image of the lettering. The fire's rectangle and the
// logo's place are in content/data/ui/menu/mainmenu.ent.
constexpr int kMenuLogoX = 110;
constexpr int kMenuLogoY = 18;
constexpr int kMenuFireX = 110;
constexpr int kMenuFireY = 0;
constexpr int kMenuFireWidth = 420;
constexpr int kMenuFireHeight = 100;
// Heat stamped along the letters' upper rims every frame, kRim pixels deep. It varies
// smoothly along the rims, from kRimCool to kRimHot over kTongue pixels, so the flames
// rise as tongues of different heights rather than as a copy of the lettering.
constexpr int kRim = 3;
constexpr float kRimCool = 110.0f;
constexpr float kRimHot = 240.0f;
constexpr int kTongue = 7;
constexpr uint32_t kTongueSeed = 0xF1A3u;

// A smooth, repeatable wobble from 0 to 1 along x: random values every kTongue
// pixels, eased between.
std::vector<float> TongueProfile(int width) {
    PaintRandom random(kTongueSeed);
    std::vector<float> knots(size_t(width / kTongue + 2));
    for (float& knot : knots) {
        knot = random.Unit();
    }
    std::vector<float> profile(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) {
        const int k = x / kTongue;
        const float t = float(x % kTongue) / float(kTongue);
        const float ease = t * t * (3.0f - 2.0f * t);
        profile[size_t(x)] = knots[size_t(k)] + (knots[size_t(k + 1)] - knots[size_t(k)]) * ease;
    }
    return profile;
}

QxImage TitleBurnImage() {
    const PaintMask letters = UiLogoLettering();
    QxImage image;
    image.Create(kMenuFireWidth, kMenuFireHeight, 8);
    image.name = "ui/images/logo_burn";
    for (int i = 0; i < 256; ++i) {
        image.palette[size_t(i)] = QxColour(uint8_t(i), uint8_t(i), uint8_t(i));
    }
    const int dx = kMenuLogoX - kMenuFireX;
    const int dy = kMenuLogoY - kMenuFireY;
    const std::vector<float> tongues = TongueProfile(kMenuFireWidth);
    auto solid = [&](int lx, int ly) {
        return lx >= 0 && ly >= 0 && lx < letters.Width() && ly < letters.Height() &&
               letters.At(lx, ly) > 0.5f;
    };
    for (int y = 0; y < kMenuFireHeight; ++y) {
        uint8_t* row = image.Row(y);
        for (int x = 0; x < kMenuFireWidth; ++x) {
            const int lx = x - dx;
            const int ly = y - dy;
            // Inside a letter, with open air at most kRim pixels above.
            if (!solid(lx, ly)) {
                continue;
            }
            for (int up = 1; up <= kRim; ++up) {
                if (!solid(lx, ly - up)) {
                    row[x] =
                        uint8_t(std::lround(kRimCool + (kRimHot - kRimCool) * tongues[size_t(x)]));
                    break;
                }
            }
        }
    }
    return image;
}

void BuildMenu(ContentOut& out) {
    Screen screen;
    WriteSprite(out, "ui/images/logo", Logo());
    out.WriteBitmap("ui/images/logo_burn.bmp", TitleBurnImage());
    screen.Panel(176, kMenuButtonTop - 14, 288,
                 (kMenuButtons - 1) * kMenuButtonStep + kMenuButtonHeight + 28, 14);
    screen.Place(UiRollingBall(), -6, 318);
    screen.Place(UiCoinStack(), 514, 300);
    screen.Text(SmallStyle(11, kMuted), "\xA9 Quillfern Studio", 8, 470, 0);
    WriteOpaque(out, "ui/images/bg_menu", screen.Finish());
}

void BuildSettings(ContentOut& out) {
    const float s = kUiScale;
    Screen screen;
    screen.Text(HeadingStyle(34), "Settings", 320, 58, 1);
    screen.Ornament(320, 70, 110);
    screen.Panel(140, 84, 360, 310, 14);
    // Row separators half way between the rows.
    for (int row = 1; row < kSettingsRows; ++row) {
        const int y = kSettingsRowTop + row * kSettingsRowStep - kSettingsRowStep / 2;
        PaintCanvas line(300 * kUiScale, 2 * kUiScale);
        line.FillShape(SdfRoundRect(0, 0, 300.0f * s, 1.0f * s, 0.5f * s),
                       FillLinear(0, 0, 300.0f * s, 0,
                                  {{0.0f, kBrass.WithAlpha(0.0f)},
                                   {0.5f, kBrass.WithAlpha(0.45f)},
                                   {1.0f, kBrass.WithAlpha(0.0f)}}));
        screen.overlay.Draw(line, 170 * kUiScale, y * kUiScale);
    }
    // The grooves the volume bars fill; an empty one still shows how far it could go.
    for (int row : kSettingsVolumeRows) {
        const float cy = float(kSettingsRowTop + row * kSettingsRowStep);
        const float l = kVolumeBarX - 3.0f, r = kVolumeBarX + kVolumeBarWidth + 3.0f;
        const float t = cy - kVolumeBarHeight / 2.0f - 3.0f,
                    b = cy + kVolumeBarHeight / 2.0f + 3.0f;
        screen.overlay.FillShape(
            SdfRoundRect(l * s, t * s, r * s, b * s, 6 * s),
            FillLinear(0, t * s, 0, b * s, {{0.0f, kBrassShadow}, {1.0f, Lighten(kBrass, 0.2f)}}));
        screen.overlay.FillShape(
            SdfRoundRect((l + 1.5f) * s, (t + 1.5f) * s, (r - 1.5f) * s, (b - 1.5f) * s, 4.5f * s),
            FillLinear(
                0, t * s, 0, b * s,
                {{0.0f, PaintColour::Rgb(6, 22, 30)}, {1.0f, PaintColour::Rgb(18, 58, 70)}}));
    }
    screen.Text(SmallStyle(11, kMuted), "Esc leaves without changing anything", 320, 382, 1);
    WriteOpaque(out, "ui/images/bg_settings", screen.Finish());
}

// The instructions are a text file shown by a list box, which ends a line at a
// carriage return only and cuts longer lines at its width itself. The source is
// written with plain line feeds, one paragraph a line; the archive gets the same text
// with carriage returns (replacing the verbatim copy of the source).
void WriteInstructions(ContentOut& out) {
    const std::string name = "ui/text/instructions.txt";
    std::ifstream in(out.Sources() / "data" / name, std::ios::binary);
    const std::string source((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    if (source.empty()) {
        out.Fail("the instructions " + name + " are missing or empty");
        return;
    }
    std::string text;
    for (const char c : source) {
        if (c == '\r') {
            continue;
        }
        if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    // A last line without its carriage return would not be shown.
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0) {
        text += "\r\n";
    }
    out.WriteText(name, text);
}

void BuildHelp(ContentOut& out) {
    Screen screen;
    screen.Text(HeadingStyle(32), "How to Play", 320, 50, 1);
    // The list box of content/data/ui/menu/instructions.ent lies on this panel.
    screen.Panel(24, 62, 592, 360, 14);
    WriteOpaque(out, "ui/images/bg_help", screen.Finish());
    WriteInstructions(out);
}

// The gold capitals over a table's columns or a list.
UiTextStyle ColumnHeadStyle(float size) {
    UiTextStyle head;
    head.face = "DejaVuSans-Bold.ttf";
    head.size = size;
    head.top = kGold;
    head.bottom = kBrass;
    head.tracking = 1.0f;
    return head;
}

void BuildMyLevels(ContentOut& out) {
    Screen screen;
    screen.Text(HeadingStyle(32), "Play My Levels", 320, 50, 1);
    // The scene draws its rows onto these (content/data/ui/mylevels/mylevels.ent).
    screen.Panel(24, 70, 260, 340, 12);
    screen.Panel(296, 70, 320, 340, 12);
    screen.Text(ColumnHeadStyle(11), "SETS", 36, 90, 0);
    WriteOpaque(out, "ui/images/bg_mylevels", screen.Finish());
}

void BuildScores(ContentOut& out) {
    Screen screen;
    screen.Text(HeadingStyle(36), "High Scores", 320, 60, 1);
    screen.Ornament(320, 80, 150);
    // Table: rows of 15 pixels from y 227 (the scene lays them out there).
    screen.Panel(24, 192, 592, 196, 12);
    const float s = kUiScale;
    for (int row = 0; row < 10; ++row) {
        const float top = float(227 + 15 * row);
        PaintCanvas stripe(int(572 * s), int(15 * s));
        stripe.FillShape(
            SdfRoundRect(0, 0.5f * s, 572 * s, 14.5f * s, 3 * s),
            FillSolid(row % 2 == 0 ? kSeaGlass.WithAlpha(0.10f) : PaintColour{0, 0, 0, 0.0f}));
        screen.overlay.Draw(stripe, int(34 * s), int((top + 1) * s));
        UiTextStyle rank = SmallStyle(11, kMuted);
        screen.Text(rank, std::to_string(row + 1) + ".", 84, top + 13, 2);
    }
    const UiTextStyle head = ColumnHeadStyle(12);
    screen.Text(head, "NAME", 92, 218, 0);
    screen.Text(head, "LEVEL", 420, 218, 1);
    screen.Text(head, "SCORE", 590, 218, 2);
    WriteOpaque(out, "ui/images/bg_scores", screen.Finish());
}

// Box panels drawn over a box's whole rectangle (the box's frame is underneath).
PaintCanvas BoxPanel(int w, int h) {
    PaintCanvas panel = UiPanel(w, h, 6, false);
    // The frame under the panel fills square corners: give the corners the rim's
    // colour so the box looks square-cornered on purpose.
    PaintCanvas under(w, h);
    under.Clear(kBrassShadow);
    panel.DrawUnder(under, 0, 0);
    return panel;
}

PaintCanvas QuestionBadge() {
    const float s = kUiScale;
    PaintCanvas canvas(int(44 * s), int(44 * s));
    const float c = 21 * s;
    const float r = 17 * s;
    canvas.FillShape(SdfCircle(c, c, r + 2 * s), FillSolid(PaintColour::Rgb(10, 26, 34)));
    canvas.FillShape(SdfCircle(c, c, r), FillRadial(c - 6 * s, c - 7 * s, r * 1.6f,
                                                    {{0.0f, PaintColour::Rgb(255, 236, 170)},
                                                     {0.5f, kBrass},
                                                     {1.0f, kBrassShadow}}));
    canvas.Bevel(SdfCircle(c, c, r), 3 * s, 0.5f, 0.5f);
    UiTextStyle mark;
    mark.face = "DejaVuSerif-Bold.ttf";
    mark.size = 24;
    mark.top = mark.bottom = PaintColour::Rgb(24, 40, 44);
    mark.shadowAlpha = 0.0f;
    UiDrawText(canvas, mark, "?", 21, 30, 1);
    canvas.DropShadow(1 * s, 2 * s, 2 * s, kNearBlack.WithAlpha(0.6f));
    return UiReduce(canvas);
}

// The panel of message boxes (content/data/ui/dialogs/uiframe.ent). The frame fits it
// to any box: the picture's quarters go to the box's corners and a strip of its
// middle repeats between them, so everything that varies lies within half the picture
// of an edge and the middle row and column are the same all along. A title band of
// kDialogTitleBand pixels (the frame's TitleHeight) ends in a brass rule; the picture
// reaches kDialogMargin beyond the box for the shadow.
constexpr int kDialogWidth = 288;
constexpr int kDialogHeight = 208;
constexpr int kDialogMargin = 8;
constexpr int kDialogTitleBand = 34;

PaintCanvas DialogPanel() {
    const float s = kUiScale;
    const int m = kDialogMargin;
    PaintCanvas canvas(int((kDialogWidth + 2 * m) * s), int((kDialogHeight + 2 * m) * s));
    PaintCanvas layer(canvas.Width(), canvas.Height());
    const float l = m * s, t = m * s;
    const float r = (m + kDialogWidth) * s, b = (m + kDialogHeight) * s;
    const float h = b - t;
    // The rim: light along the top, dark along the bottom, plain brass between (a
    // gradient over the whole height would not survive the middle's repeat).
    const float edge = 28 * s / h;
    const PaintSdf outer = SdfRoundRect(l, t, r, b, 11 * s);
    layer.FillShape(outer, FillLinear(0, t, 0, b,
                                      {{0.0f, Lighten(kGold, 0.25f)},
                                       {edge, kBrass},
                                       {1.0f - edge, kBrass},
                                       {1.0f, kBrassShadow}}));
    layer.Bevel(outer, 1.5f * s, 0.5f, 0.5f);
    // Dark glass: a lit title band, then one colour down to the bottom.
    const float inset = 3 * s;
    const PaintSdf inner = SdfRoundRect(l + inset, t + inset, r - inset, b - inset, 8 * s);
    const float band = (kDialogTitleBand * s) / h;
    layer.FillShape(inner, FillLinear(0, t, 0, b,
                                      {{0.0f, PaintColour::Rgb(30, 82, 96)},
                                       {band, PaintColour::Rgb(18, 56, 70)},
                                       {band + 0.001f, PaintColour::Rgb(12, 40, 52)},
                                       {1.0f, PaintColour::Rgb(12, 40, 52)}}));
    layer.FillShape(SdfRing(inner, 1.2f * s), FillSolid(kNearBlack.WithAlpha(0.35f)));
    // The rule under the title, fading out towards both ends.
    const float ruleY = t + kDialogTitleBand * s;
    const float fade = 36 * s / (r - l);
    layer.FillShape(
        SdfRoundRect(l + 10 * s, ruleY - 0.6f * s, r - 10 * s, ruleY + 0.6f * s, 0.6f * s),
        FillLinear(l, 0, r, 0,
                   {{0.0f, kGold.WithAlpha(0.0f)},
                    {fade, kGold.WithAlpha(0.75f)},
                    {1.0f - fade, kGold.WithAlpha(0.75f)},
                    {1.0f, kGold.WithAlpha(0.0f)}}));
    layer.DropShadow(2 * s, 4 * s, 5 * s, kNearBlack.WithAlpha(0.6f));
    canvas.Draw(layer, 0, 0);
    return UiReduce(canvas);
}

void BuildBoxes(ContentOut& out) {
    WriteSprite(out, "ui/images/panel_dialog", DialogPanel());
    // Hint box: 400 x 200; the don't-show check box and "Got it" sit on the bottom
    // strip below y 150.
    {
        PaintCanvas panel = BoxPanel(400, 200);
        panel.Draw(QuestionBadge(), 10, 10);
        PaintCanvas strip(400 * kUiScale, 200 * kUiScale);
        strip.FillShape(SdfRoundRect(12.0f * kUiScale, 150.0f * kUiScale, 388.0f * kUiScale,
                                     151.0f * kUiScale, 0.5f * kUiScale),
                        FillLinear(12.0f * kUiScale, 0, 388.0f * kUiScale, 0,
                                   {{0.0f, kBrass.WithAlpha(0.0f)},
                                    {0.5f, kBrass.WithAlpha(0.5f)},
                                    {1.0f, kBrass.WithAlpha(0.0f)}}));
        panel.Draw(UiReduce(strip), 0, 0);
        WriteSprite(out, "ui/images/panel_hint", panel);
    }
    // Name box: 360 x 116 with the name field at 24, 70 (216 x 28).
    {
        PaintCanvas panel = BoxPanel(360, 116);
        PaintCanvas text(360 * kUiScale, 116 * kUiScale);
        UiTextStyle head = HeadingStyle(21);
        head.shadowOffset = 1.5f;
        UiDrawText(text, head, "New High Score!", 180, 34, 1);
        UiDrawText(text, SmallStyle(12, kMuted), "Type your name and press Enter", 180, 56, 1);
        panel.Draw(UiReduce(text), 0, 0);
        panel.Draw(Trough(216, 28), 22, 68);
        WriteSprite(out, "ui/images/panel_name", panel);
    }
}

} // namespace

CONTENT_STEP(10, "ui-screens-loading", BuildLoading);
CONTENT_STEP(10, "ui-screens-menu", BuildMenu);
CONTENT_STEP(10, "ui-screens-settings", BuildSettings);
CONTENT_STEP(10, "ui-screens-help", BuildHelp);
CONTENT_STEP(10, "ui-screens-scores", BuildScores);
CONTENT_STEP(10, "ui-screens-mylevels", BuildMyLevels);
CONTENT_STEP(10, "ui-boxes", BuildBoxes);
