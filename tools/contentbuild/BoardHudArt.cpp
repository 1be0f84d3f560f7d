// The game screen around the board: the background with the board's brass frame and
// the side panel (level, score, clock, coins, lives and the mascot's window), the
// score digits, the clock dial and its lights, the coins of the tray, the life marble,
// the mascot and the jaws that close between levels.
#include <cmath>
#include <vector>

#include "BoardFace.h"
#include "BoardHudArt.h"
#include "BoardHudLayout.h"
#include "BoardPaint.h"
#include "ContentBuild.h"
#include "app/QxScreenSize.h"

// ---- the side bar ---------------------------------------------------------------------

PaintSdf HudBox(float left, float top, float right, float bottom, float radius) {
    return SdfRoundRect(left * kB, top * kB, right * kB, bottom * kB, radius * kB);
}

void HudRecess(PaintCanvas& bar, float left, float top, float right, float bottom, float radius,
               const PaintColour& inside) {
    const PaintSdf box = HudBox(left, top, right, bottom, radius);
    bar.FillShape(SdfOffset(box, 1.0f * kB), FillSolid(palette::kBrassShadow.WithAlpha(0.8f)));
    bar.FillShape(box, FillLinear(0, top * kB, 0, bottom * kB,
                                  {{0.0f, Darken(inside, 0.25f)}, {1.0f, inside}}));
    PaintCanvas shade(bar.Width(), bar.Height());
    shade.FillShape(SdfSubtract(box, HudBox(left + 3, top + 4, right + 2, bottom + 2, radius)),
                    FillSolid(palette::kNearBlack));
    PaintMask m = shade.AlphaMask();
    m.Blur(3.0f * kB);
    PaintCanvas inner(bar.Width(), bar.Height());
    inner.FillShape(box, FillSolid(palette::kNearBlack));
    m.Multiply(inner.AlphaMask());
    bar.FillMask(m, FillSolid(palette::kNearBlack), 0.7f);
    bar.FillShape(SdfIntersect(SdfRing(box, 0.6f * kB),
                               [=](float x, float y) {
                                   return (left + top) * kB + 40.0f * kB - x - y +
                                          (right - left + bottom - top) * kB * 0.5f;
                               }),
                  FillSolid(PaintColour::Rgb(120, 170, 170)), 0.0f);
}

void HudCaption(PaintCanvas& bar, const PaintFont& font, const std::string& text, float centreX,
                float baseline, const PaintColour& colour) {
    PaintMask mask(bar.Width(), bar.Height());
    const int width = font.Measure(text);
    font.DrawText(mask, text, int(centreX * kB) - width / 2, int(baseline * kB));
    PaintCanvas ink(bar.Width(), bar.Height());
    ink.FillMask(mask, FillSolid(colour));
    ink.DropShadow(1.0f * kB, 1.0f * kB, 1.0f * kB, palette::kNearBlack.WithAlpha(0.7f));
    bar.Draw(ink, 0, 0);
}

PaintCanvas HudTable() {
    using namespace hud;
    PaintCanvas bar(kScreenWidth * kBarScale, kScreenHeight * kBarScale);
    // The table: deep teal under a soft light, darker towards the corners, with a fine
    // diagonal weave.
    bar.FillShape([](float, float) { return -1.0f; },
                  [&](float x, float y) {
                      const float u = x / bar.Width() - 0.4f, v = y / bar.Height() - 0.45f;
                      const float light = BoardClamp(1.0f - (u * u + v * v) * 2.2f);
                      PaintColour c = Mix(palette::kNight, palette::kDeepTeal, light);
                      const float weave =
                          std::sin((x + y) * 0.5f / kB) * std::sin((x - y) * 0.5f / kB);
                      return Lighten(c, 0.025f * weave);
                  });
    // The board's brass frame with its shadow.
    {
        PaintCanvas frame(bar.Width(), bar.Height());
        const PaintSdf outer = HudBox(4, 4, 476, 476, 12);
        const PaintSdf rail = SdfSubtract(outer, HudBox(14, 14, 466, 466, 4));
        frame.FillShape(rail, FillBrass(240 * kB, 240 * kB, 300 * kB));
        frame.Bevel(rail, 4.0f * kB, 0.7f, 0.6f);
        frame.FillShape(SdfRing(HudBox(9, 9, 471, 471, 8), 0.5f * kB),
                        FillSolid(palette::kBrassShadow), 0.6f);
        frame.DropShadow(4.0f * kB, 5.0f * kB, 5.0f * kB, palette::kNearBlack.WithAlpha(0.6f));
        bar.Draw(frame, 0, 0);
        bar.FillShape(HudBox(14, 14, 466, 466, 4), FillSolid(palette::kNearBlack));
    }
    // The side panel.
    {
        PaintCanvas panel(bar.Width(), bar.Height());
        const PaintSdf body = HudBox(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, 12);
        panel.FillShape(
            body, FillLinear(0, kPanelTop * kB, 0, kPanelBottom * kB,
                             {{0.0f, Lighten(palette::kTeal, 0.08f)}, {1.0f, palette::kDeepTeal}}));
        panel.Grain(5, 0.02f);
        const PaintSdf trim = SdfRing(SdfOffset(body, -2.0f * kB), 2.0f * kB);
        panel.FillShape(trim, FillBrass(558 * kB, 240 * kB, 250 * kB));
        panel.Bevel(trim, 2.0f * kB, 0.7f, 0.6f);
        panel.DropShadow(4.0f * kB, 5.0f * kB, 5.0f * kB, palette::kNearBlack.WithAlpha(0.6f));
        bar.Draw(panel, 0, 0);
    }
    return bar;
}

namespace {

constexpr float kPi = 3.14159265f;
const PaintColour kWindow = PaintColour::Rgb(8, 26, 36);
const PaintColour kMascotWindow = PaintColour::Rgb(18, 56, 68);

PaintCanvas SideBar() {
    using namespace hud;
    PaintCanvas bar = HudTable();
    const PaintFont caption(PaintFontPath("DejaVuSans-Bold.ttf"), 11 * kBarScale);
    const PaintFont label(PaintFontPath("DejaVuSans-Bold.ttf"), 14 * kBarScale);
    // Level.
    HudRecess(bar, 490, kLevelTop, 626, kLevelBottom, 6, palette::kDeepTeal);
    HudCaption(bar, label, "LEVEL", 533, 36, palette::kCream);
    HudRecess(bar, kLevelWindowLeft, kLevelTop + 3, kLevelWindowRight, kLevelBottom - 3, 5,
              kWindow);
    // Score.
    HudCaption(bar, caption, "SCORE", kPanelCentre, kScoreCaption + 8, palette::kMuted);
    HudRecess(bar, 488, kScoreTop, 628, kScoreBottom, 6, kWindow);
    // Clock, with a socket for every light.
    HudRecess(bar, 490, kClockTop, 626, kClockBottom, 8, Darken(palette::kDeepTeal, 0.2f));
    for (int i = 0; i < kLights; ++i) {
        const float x = float(kLightX + i * (kLightSize + kLightGap)) + kLightSize / 2.0f;
        const float y = float(kLightY) + kLightSize / 2.0f;
        bar.FillShape(SdfCircle(x * kB, y * kB, 8.5f * kB),
                      FillBrass(x * kB, y * kB, 9.0f * kB, 0.8f));
        bar.FillShape(SdfCircle(x * kB, y * kB, 7.0f * kB), FillSolid(palette::kNearBlack));
    }
    // Coins.
    HudCaption(bar, caption, "COINS", kPanelCentre, kCoinsCaption + 8, palette::kMuted);
    HudRecess(bar, 488, kCoinsTop, 628, kCoinsBottom, 6, kWindow);
    // Lives.
    HudCaption(bar, caption, "LIVES", kPanelCentre, kLivesCaption + 8, palette::kMuted);
    HudRecess(bar, 488, kLivesTop, 628, kLivesBottom, 6, kWindow);
    // The mascot's window: a flat colour its keyed picture is matted against.
    HudRecess(bar, 488, kMascotTop, 628, kMascotBottom, 10, kMascotWindow);
    bar.FillShape(HudBox(491, kMascotTop + 3, 625, kMascotBottom - 3, 8), FillSolid(kMascotWindow));
    return bar.Downsample(kBarScale);
}

// ---- pieces -----------------------------------------------------------------------------

constexpr float kS = float(kBoardScale);

PaintCanvas Digit(const PaintFont& font, char digit) {
    using namespace hud;
    PaintCanvas big(kDigitWidth * kBoardScale, kDigitHeight * kBoardScale);
    PaintMask mask(big.Width(), big.Height());
    const std::string text(1, digit);
    font.DrawText(mask, text, (big.Width() - font.Measure(text)) / 2, int(21.5f * kS));
    PaintCanvas ink(big.Width(), big.Height());
    ink.FillMask(mask, FillLinear(0, 4.0f * kS, 0, 22.0f * kS,
                                  {{0.0f, PaintColour::Rgb(255, 244, 196)},
                                   {0.5f, palette::kGold},
                                   {1.0f, palette::kBrass}}));
    ink.DropShadow(1.0f * kS, 1.5f * kS, 1.0f * kS, palette::kNearBlack.WithAlpha(0.8f));
    big.Draw(ink, 0, 0);
    return Reduce(big);
}

// The dial with its hand at `step` twelfths of a turn past twelve o'clock.
PaintCanvas DialFrame(int step) {
    using namespace hud;
    PaintCanvas big(kDialSize * kBoardScale, kDialSize * kBoardScale);
    const float c = kDialSize * kS / 2.0f;
    const PaintSdf bezel = SdfCircle(c, c, 46.5f * kS);
    big.FillShape(bezel, FillBrass(c, c, 46.5f * kS));
    big.Bevel(bezel, 3.0f * kS, 0.7f, 0.6f);
    const PaintSdf face = SdfCircle(c, c, 39.0f * kS);
    big.FillShape(SdfOffset(face, 1.0f * kS), FillSolid(palette::kBrassShadow));
    big.FillShape(face, FillRadial(c - 10.0f * kS, c - 12.0f * kS, 60.0f * kS,
                                   {{0.0f, PaintColour::Rgb(252, 246, 230)},
                                    {1.0f, PaintColour::Rgb(206, 194, 168)}}));
    for (int i = 0; i < 12; ++i) {
        const float a = float(i) * kPi / 6.0f;
        const float r0 = (i % 3 == 0 ? 29.0f : 32.0f) * kS, r1 = 36.0f * kS;
        big.FillShape(SdfSegment(c + std::sin(a) * r0, c - std::cos(a) * r0, c + std::sin(a) * r1,
                                 c - std::cos(a) * r1, (i % 3 == 0 ? 1.3f : 0.8f) * kS),
                      FillSolid(PaintColour::Rgb(60, 50, 44)));
    }
    // The elapsed part of the turn is tinted.
    const float angle = float(step) * kPi / 6.0f;
    PaintCanvas sweep(big.Width(), big.Height());
    sweep.FillShape(SdfCircle(c, c, 26.0f * kS), [=](float x, float y) {
        float a = std::atan2(x - c, -(y - c));
        if (a < 0) {
            a += 2.0f * kPi;
        }
        return a <= angle + 1e-3f && step > 0 ? palette::kLeaf.WithAlpha(0.35f)
                                              : PaintColour{0, 0, 0, 0};
    });
    big.Draw(sweep, 0, 0);
    PaintCanvas hand(big.Width(), big.Height());
    const float hx = c + std::sin(angle) * 33.0f * kS, hy = c - std::cos(angle) * 33.0f * kS;
    hand.FillShape(SdfSegment(c - std::sin(angle) * 7.0f * kS, c + std::cos(angle) * 7.0f * kS, hx,
                              hy, 1.8f * kS),
                   FillSolid(PaintColour::Rgb(26, 30, 44)));
    hand.FillShape(SdfCircle(hx, hy, 2.2f * kS), FillSolid(palette::kEmber));
    hand.DropShadow(1.0f * kS, 1.5f * kS, 1.0f * kS, palette::kNearBlack.WithAlpha(0.4f));
    big.Draw(hand, 0, 0);
    SphereLook look;
    look.rim = 0.0f;
    PaintSphere(
        big, c, c, 4.0f * kS, [](float, float, float) { return palette::kBrass; }, look);
    return Reduce(big);
}

PaintCanvas Light(bool on) {
    using namespace hud;
    PaintCanvas big(kLightSize * kBoardScale, kLightSize * kBoardScale);
    const float c = kLightSize * kS / 2.0f;
    SphereLook look;
    look.shininess = 40.0f;
    if (on) {
        PaintSoftEllipse(big, c, c, 7.5f * kS, 7.5f * kS, 1.0f * kS,
                         palette::kGold.WithAlpha(0.5f));
        look.ambient = 0.9f;
        look.rimColour = PaintColour::Rgb(255, 240, 180);
        PaintSphere(
            big, c, c, 6.2f * kS,
            [](float nx, float ny, float) {
                const float r = std::sqrt(nx * nx + ny * ny);
                return Mix(PaintColour::Rgb(255, 250, 210), PaintColour::Rgb(240, 160, 40), r);
            },
            look);
    } else {
        look.ambient = 0.5f;
        look.rim = 0.1f;
        PaintSphere(
            big, c, c, 6.2f * kS, [](float, float, float) { return PaintColour::Rgb(44, 40, 36); },
            look);
    }
    return Reduce(big);
}

// A coin of the tray seen from the side: its rim and a sliver of its face.
PaintCanvas TrayCoin(const PaintColour& metal, float opacity) {
    using namespace hud;
    PaintCanvas big(kCoinWidth * kBoardScale, kCoinHeight * kBoardScale);
    const float cx = kCoinWidth * kS / 2.0f;
    const float rx = 12.5f * kS, ry = 4.2f * kS;
    const float top = 5.0f * kS, bottom = 8.5f * kS;
    PaintCanvas coin(big.Width(), big.Height());
    const PaintSdf side =
        SdfUnion(SdfEllipse(cx, bottom, rx, ry), SdfRoundRect(cx - rx, top, cx + rx, bottom, 0.1f));
    coin.FillShape(side, [=](float x, float) {
        const float t = (x - (cx - rx)) / (2.0f * rx);
        const float groove = std::sin(x * 1.5f) * 0.5f + 0.5f;
        return Darken(Mix(Lighten(metal, 0.2f), Darken(metal, 0.45f), t), 0.12f * groove);
    });
    const PaintSdf face = SdfEllipse(cx, top, rx, ry);
    coin.FillShape(face, FillLinear(cx - rx, top - ry, cx + rx, top + ry,
                                    {{0.0f, Lighten(metal, 0.45f)}, {1.0f, Darken(metal, 0.1f)}}));
    coin.FillShape(SdfRing(SdfEllipse(cx, top, rx * 0.72f, ry * 0.72f), 0.35f * kS),
                   FillSolid(Darken(metal, 0.25f)), 0.7f);
    big.Draw(coin, 0, 0, opacity);
    return Reduce(big);
}

PaintCanvas Life() {
    using namespace hud;
    PaintCanvas big(kLifeSize * kBoardScale, kLifeSize * kBoardScale);
    const float c = kLifeSize * kS / 2.0f;
    SphereLook look;
    look.ambient = 0.5f;
    look.specular = 1.0f;
    look.shininess = 60.0f;
    look.rim = 0.6f;
    look.rimColour = PaintColour::Rgb(200, 255, 245);
    PaintSphere(
        big, c, c, 8.6f * kS,
        [](float nx, float ny, float) {
            // Clear glass over the dark tray: the tray shows through, lensed and tinted.
            return Mix(PaintColour::Rgb(30, 90, 96), PaintColour::Rgb(120, 200, 200),
                       BoardClamp(0.5f + 0.5f * (nx + ny) * 0.7f));
        },
        look);
    return Reduce(big);
}

// The mascot: a plump brass-and-cream creature with a lamp on a stalk; `phase` 0 to 1
// breathes it in and out.
PaintCanvas MascotFrame(float phase) {
    using namespace hud;
    PaintCanvas big(kMascotWidth * kBoardScale, kMascotHeight * kBoardScale);
    const float cx = kMascotWidth * kS / 2.0f;
    const float breathe = std::sin(kPi * phase);
    const float floorY = 88.0f * kS;
    const float rx = (36.0f + 1.2f * breathe) * kS, ry = (33.0f - 0.6f * breathe) * kS;
    const float cy = floorY - ry;
    PaintSoftEllipse(big, cx + 3.0f * kS, floorY, 30.0f * kS, 5.0f * kS, 3.0f * kS,
                     palette::kNearBlack.WithAlpha(0.5f));
    // Feet.
    for (int side = -1; side <= 1; side += 2) {
        SphereLook look;
        look.rim = 0.0f;
        PaintSpheroid(
            big, cx + float(side) * 16.0f * kS, floorY - 3.0f * kS, 8.0f * kS, 4.5f * kS,
            [](float, float, float) { return palette::kBrass; }, look);
    }
    // The stalk and its lamp, which glows brighter as the creature breathes in.
    const float top = cy - ry;
    big.FillShape(SdfSegment(cx, top + 4.0f * kS, cx + 4.0f * kS, top - 9.0f * kS, 1.2f * kS),
                  FillSolid(palette::kBrassShadow));
    PaintSoftEllipse(big, cx + 4.0f * kS, top - 11.0f * kS, (5.0f + 2.0f * breathe) * kS,
                     (5.0f + 2.0f * breathe) * kS, 2.0f * kS, palette::kGold.WithAlpha(0.45f));
    SphereLook lamp;
    lamp.ambient = 0.9f;
    PaintSphere(
        big, cx + 4.0f * kS, top - 11.0f * kS, 3.4f * kS,
        [](float, float, float) { return PaintColour::Rgb(255, 230, 150); }, lamp);
    SphereLook look;
    look.shininess = 30.0f;
    look.specular = 0.5f;
    look.rim = 0.3f;
    look.rimColour = palette::kSeaGlass;
    PaintSpheroid(
        big, cx, cy, rx, ry,
        [](float, float ny, float) {
            // Cream face and belly, brass crown.
            return Mix(PaintColour::Rgb(232, 208, 150), PaintColour::Rgb(250, 238, 210),
                       BoardSmooth(-0.6f, 0.2f, ny));
        },
        look);
    // Rosy cheeks.
    for (int side = -1; side <= 1; side += 2) {
        PaintSoftEllipse(big, cx + float(side) * 22.0f * kS, cy + 6.0f * kS, 5.0f * kS, 3.0f * kS,
                         2.0f * kS, palette::kEmber.WithAlpha(0.35f));
    }
    // A small smile.
    big.FillShape(SdfIntersect(SdfRing(SdfCircle(cx, cy + 4.0f * kS, 8.0f * kS), 0.9f * kS),
                               [=](float, float y) { return cy + 8.0f * kS - y; }),
                  FillSolid(PaintColour::Rgb(90, 50, 40)));
    return Reduce(big);
}

// The face colour under the mascot's eyes.
const PaintColour kMascotFace = PaintColour::Rgb(244, 228, 192);

// One jaw: an iron plate with a brass edge and a row of big teeth along its lower
// edge, one every 134 pixels so the two jaws (67 pixels apart) interlock. The jaws
// mirror each other about y = 40 + height / 2, so a height of 400 makes them meet
// over the middle of the screen.
PaintCanvas Jaw() {
    const int width = 720, height = 400;
    constexpr int scale = 2;
    const float k = float(scale);
    PaintCanvas big(width * scale, height * scale);
    const float plate = 336.0f * k;
    const float tip = 394.0f * k;
    PaintCanvas teeth(big.Width(), big.Height());
    for (int i = 0; i < 6; ++i) {
        const float x = (67.0f + 134.0f * float(i)) * k;
        // Wide enough that the teeth of the two jaws fill the gap between them.
        const PaintSdf tooth = SdfOffset(SdfPolygon({{x - 63.0f * k, plate - 10.0f * k},
                                                     {x + 63.0f * k, plate - 10.0f * k},
                                                     {x + 4.0f * k, tip},
                                                     {x - 4.0f * k, tip}}),
                                         3.0f * k);
        teeth.FillShape(tooth, FillLinear(x - 60.0f * k, plate, x + 60.0f * k, tip,
                                          {{0.0f, PaintColour::Rgb(255, 250, 236)},
                                           {1.0f, PaintColour::Rgb(196, 184, 160)}}));
        teeth.Bevel(tooth, 6.0f * k, 0.6f, 0.6f);
    }
    big.Draw(teeth, 0, 0);
    const PaintSdf body =
        SdfRoundRect(-20.0f * k, -20.0f * k, (width + 20.0f) * k, plate, 10.0f * k);
    PaintCanvas iron(big.Width(), big.Height());
    iron.FillShape(body, [=](float x, float y) {
        // Dark iron, lit towards its edge, with a faint riveted panel pattern.
        PaintColour c =
            Mix(PaintColour::Rgb(16, 26, 34), PaintColour::Rgb(58, 70, 78), BoardClamp(y / plate));
        const float panel = std::fmod(x / k + 33.0f, 134.0f);
        if (panel < 2.0f) {
            c = Darken(c, 0.35f);
        }
        return c;
    });
    iron.Grain(3, 0.03f);
    const PaintSdf edge = SdfIntersect(body, [=](float, float y) { return plate - 16.0f * k - y; });
    iron.FillShape(edge, FillBrass(360.0f * k, plate, 400.0f * k));
    iron.Bevel(edge, 4.0f * k, 0.7f, 0.6f);
    for (int i = 0; i < 11; ++i) {
        const float x = (33.0f + 67.0f * float(i)) * k;
        SphereLook look;
        look.rim = 0.0f;
        PaintSphere(
            iron, x, plate - 8.0f * k, 3.5f * k, [](float, float, float) { return palette::kGold; },
            look);
    }
    big.Draw(iron, 0, 0);
    return big.Downsample(scale);
}

void BuildHud(ContentOut& out) {
    using namespace hud;
    const PaintCanvas bar = SideBar();
    out.WriteBitmap("hud/images/sidebar.bmp", ToOpaque(bar, palette::kNight, "sidebar"));

    const PaintFont digits(PaintFontPath("DejaVuSans-Bold.ttf"), 23 * kBoardScale);
    std::vector<PaintCanvas> numbers;
    for (char d = '0'; d <= '9'; ++d) {
        numbers.push_back(Digit(digits, d));
    }
    WriteSpriteList(out, "hud/images/digits", numbers);

    std::vector<QxImage> dial;
    std::vector<PaintCanvas> dialPictures;
    for (int i = 0; i < 12; ++i) {
        // The last frame shows the hand back at twelve, where a light goes out.
        dialPictures.push_back(DialFrame(i + 1 == 12 ? 0 : i + 1));
        dial.push_back(ToImage16(dialPictures.back(), "dial" + std::to_string(i)));
    }
    out.WriteImageList("hud/images/clock.imst", dial);
    out.WriteBitmap("hud/images/clock_a.bmp", ToMask8(dialPictures.front(), "clock_a"));

    const PaintCanvas on = Light(true), off = Light(false);
    WriteSprite(out, "hud/images/lighton", on);
    WriteSprite(out, "hud/images/lightoff", off);

    const PaintCanvas coin = TrayCoin(PaintColour::Rgb(200, 208, 218), 1.0f);
    const PaintCanvas coinX = TrayCoin(PaintColour::Rgb(230, 120, 96), 1.0f);
    const PaintCanvas coinDark = TrayCoin(PaintColour::Rgb(70, 90, 100), 0.55f);
    WriteSprite(out, "hud/images/coin", coin);
    WriteSprite(out, "hud/images/coinx", coinX);
    WriteSprite(out, "hud/images/coindark", coinDark);

    const PaintCanvas life = Life();
    WriteSprite(out, "hud/images/life", life);

    constexpr int kBreaths = 8;
    std::vector<QxImage> body;
    std::vector<PaintCanvas> bodyPictures;
    for (int i = 0; i < kBreaths; ++i) {
        bodyPictures.push_back(MascotFrame(float(i) / float(kBreaths - 1)));
        body.push_back(ToKeyed16(bodyPictures.back(), kMascotWindow, "mascot" + std::to_string(i)));
    }
    out.WriteImageList("hud/images/mascot.imst", body);
    std::vector<QxImage> eyes;
    std::vector<PaintCanvas> eyePictures;
    for (int e = 0; e < kFaceExpressions; ++e) {
        for (int g = 0; g < kFaceGazes; ++g) {
            eyePictures.push_back(Reduce(PaintEyes(e, g, 1.35f, kMascotFace)));
            eyes.push_back(ToKeyed16(eyePictures.back(), kMascotFace,
                                     "mascoteyes" + std::to_string(e * 5 + g)));
        }
    }
    out.WriteImageList("hud/images/mascoteyes.imst", eyes);

    const PaintCanvas jaw = Jaw();
    out.WriteBitmap("hud/images/jaw.bmp", ToKeyed(jaw, palette::kNearBlack, "jaw"));

    if (std::getenv("RONDELIX_ART_PREVIEW")) {
        PaintCanvas screen = bar;
        for (int i = 0; i < 7; ++i) {
            screen.Draw(i < 5 ? on : off, kLightX + i * (kLightSize + kLightGap), kLightY);
        }
        screen.Draw(dialPictures[4], kDialX, kDialY);
        for (int i = 0; i < 7; ++i) {
            screen.Draw(numbers[size_t((i * 3) % 10)], kScoreX + i * (kDigitWidth + kDigitGap),
                        kScoreY);
        }
        for (int i = 0; i < 3; ++i) {
            screen.Draw(life, kPanelCentre - 34 + i * 26, kLifeY);
        }
        for (int s = 0; s < 3; ++s) {
            for (int i = 0; i < 6; ++i) {
                screen.Draw(i < 4 ? coin : coinDark, 502 + s * 40,
                            kCoinsTop + kCoinsHeight - kCoinHeight - i * 6 + 2);
            }
        }
        screen.Draw(bodyPictures[3], kMascotX, kMascotY);
        screen.Draw(eyePictures[1 * 5 + 2], kMascotX + 24, kMascotY + 30);
        BoardPreview("hud", {screen}, palette::kNight, 1);
        BoardPreview("hudparts",
                     {dialPictures[0], dialPictures[11], on, off, coin, coinX, coinDark, life,
                      bodyPictures[0], bodyPictures[7]},
                     palette::kDeepTeal, 3);
        BoardPreview("jaw", {jaw}, palette::kTeal, 1);
    }
}

} // namespace

CONTENT_STEP(10, "board-hud", BuildHud);
