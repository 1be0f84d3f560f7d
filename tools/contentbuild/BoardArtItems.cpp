// Items and effects on the board: the spinning silver coin, the power award, the puff
// of smoke, the lens flare of a lost life, the claw that carries the player's ball,
// and the game's mouse cursor with its steering frames.
#include <cmath>
#include <vector>

#include "BoardPaint.h"
#include "ContentBuild.h"

namespace {

constexpr float kS = float(kBoardScale);
constexpr float kPi = 3.14159265f;

const PaintColour kSilver = PaintColour::Rgb(206, 212, 220);
const PaintColour kSilverDark = PaintColour::Rgb(96, 104, 118);

// A coin turned by `angle` about its upright axis (a half turn shows every side, as
// both faces are the same).
PaintCanvas CoinFrame(float angle, int size, float radius) {
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    const float r = radius * kS;
    const float squash = std::abs(std::cos(angle));
    const float rx = std::max(r * squash, 0.6f * kS);
    const float edge = 2.4f * kS * std::sin(angle);
    // The rim, seen as the coin turns: a band of ellipses between the two faces.
    for (int i = 0; i <= 12; ++i) {
        const float x = c + edge * (0.5f - float(i) / 12.0f);
        const float t = float(i) / 12.0f;
        big.FillShape(SdfEllipse(x, c, rx, r), [=](float px, float) {
            // Reeding on the rim.
            const float groove = std::sin(px * 1.6f) * 0.5f + 0.5f;
            return Mix(Mix(kSilverDark, kSilver, 0.35f + 0.3f * t), kSilverDark, groove * 0.25f);
        });
    }
    const float fx = c - edge * 0.5f;
    if (squash > 0.05f) {
        const PaintSdf face = SdfEllipse(fx, c, rx, r);
        big.FillShape(face, [=](float x, float y) {
            const float u = (x - fx) / rx, v = (y - c) / r;
            const float light = BoardClamp(0.55f - 0.45f * (u * squash + v) * 0.7f);
            PaintColour col = Mix(kSilverDark, kSilver, light);
            col = Lighten(col, BoardSmooth(0.75f, 1.0f, light) * 0.5f);
            // A raised ring and a star in the middle.
            const float d = std::sqrt(u * u + v * v);
            if (std::abs(d - 0.74f) < 0.06f) {
                col = Darken(col, 0.2f);
            }
            const float a = std::atan2(v, u) + kPi / 2.0f;
            const float k = std::cos(std::fmod(a + 10.0f * kPi, 2.0f * kPi / 5.0f) - kPi / 5.0f);
            const float starR = 0.2f + 0.28f * BoardClamp((k - 0.81f) / 0.19f);
            if (d < starR) {
                col = Mix(col, Lighten(kSilver, 0.5f), 0.6f);
            }
            return col;
        });
        big.Bevel(face, 1.2f * kS * squash + 0.2f, 0.6f, 0.5f);
    }
    // A glint that flashes as the face turns to the light.
    const float flash = std::pow(squash, 8.0f);
    PaintSoftEllipse(big, fx - rx * 0.35f, c - r * 0.4f, 2.0f * kS, 2.0f * kS, 1.5f * kS,
                     PaintColour::Rgb(255, 255, 255).WithAlpha(0.8f * flash));
    PaintShadowUnder(big, 1.5f * kS, 2.0f * kS, 1.5f * kS, 0.5f);
    return Reduce(big);
}

// The power award: a ruby orb with a golden bolt, its glow pulsing, sparks circling.
PaintCanvas PowerFrame(float phase) {
    const int size = 40;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    const float pulse = 0.5f + 0.5f * std::sin(2.0f * kPi * phase);
    PaintSoftEllipse(big, c, c, (14.0f + 3.0f * pulse) * kS, (14.0f + 3.0f * pulse) * kS, 4.0f * kS,
                     palette::kEmber.WithAlpha(0.35f + 0.25f * pulse));
    PaintSoftEllipse(big, c + 1.5f * kS, c + 2.5f * kS, 10.5f * kS, 10.5f * kS, 2.0f * kS,
                     palette::kNearBlack.WithAlpha(0.45f));
    SphereLook look;
    look.shininess = 50.0f;
    look.rimColour = PaintColour::Rgb(255, 180, 120);
    look.rim = 0.45f;
    PaintSphere(
        big, c, c, 11.0f * kS,
        [](float, float ny, float) {
            return Mix(PaintColour::Rgb(180, 30, 34), PaintColour::Rgb(240, 90, 70),
                       BoardClamp(0.5f - 0.5f * ny));
        },
        look);
    // The bolt.
    const float u = kS;
    const PaintSdf bolt = SdfPolygon({{c + 2.0f * u, c - 8.0f * u},
                                      {c - 4.0f * u, c + 1.0f * u},
                                      {c - 0.5f * u, c + 1.0f * u},
                                      {c - 2.5f * u, c + 8.0f * u},
                                      {c + 4.0f * u, c - 1.5f * u},
                                      {c + 0.5f * u, c - 1.5f * u}});
    PaintCanvas mark(big.Width(), big.Height());
    mark.FillShape(bolt,
                   FillLinear(c, c - 8.0f * u, c, c + 8.0f * u,
                              {{0.0f, PaintColour::Rgb(255, 248, 200)}, {1.0f, palette::kGold}}));
    mark.DropShadow(0.8f * u, 1.0f * u, 0.8f * u, palette::kNearBlack.WithAlpha(0.5f));
    big.Draw(mark, 0, 0);
    for (int i = 0; i < 3; ++i) {
        const float a = 2.0f * kPi * (phase + float(i) / 3.0f);
        const float x = c + std::cos(a) * 15.5f * kS, y = c + std::sin(a) * 15.5f * kS;
        PaintSoftEllipse(big, x, y, 1.5f * kS, 1.5f * kS, 1.2f * kS,
                         PaintColour::Rgb(255, 230, 160).WithAlpha(0.95f));
    }
    return Reduce(big);
}

// A puff of smoke `t` of the way through its life (0 to 1); empty at the end.
PaintCanvas SmokeFrame(float t) {
    const int size = 96;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    const float fade = std::pow(1.0f - t, 1.4f);
    if (fade <= 0.01f) {
        return Reduce(big);
    }
    PaintRandom random(99);
    SphereLook look;
    look.specular = 0.05f;
    look.sheen = 0.05f;
    look.rim = 0.0f;
    look.ambient = 0.6f;
    look.diffuse = 0.5f;
    for (int i = 0; i < 10; ++i) {
        const float a = float(i) * 2.0f * kPi / 9.0f + random.Range(-0.3f, 0.3f);
        // The last puff stays in the middle.
        const float reach = i == 9 ? 0.0f : random.Range(0.7f, 1.1f);
        const float d = (4.0f + 26.0f * std::sqrt(t) * reach) * kS;
        const float r = (7.0f + 12.0f * t) * kS * random.Range(0.8f, 1.2f);
        PaintCanvas puff(big.Width(), big.Height());
        PaintSphere(
            puff, c + std::cos(a) * d, c + std::sin(a) * d - 6.0f * t * kS, r,
            [](float, float, float) { return PaintColour::Rgb(226, 220, 206); }, look);
        big.Draw(puff, 0, 0, fade * 0.9f);
    }
    return Reduce(big);
}

// A lens flare flashing up and dying away over `t` from 0 to 1.
PaintCanvas FlareFrame(float t) {
    const int size = 96;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    const float power = std::pow(std::sin(kPi * t), 0.7f);
    if (power <= 0.01f) {
        return Reduce(big);
    }
    PaintSoftEllipse(big, c, c, (8.0f + 26.0f * t) * kS, (8.0f + 26.0f * t) * kS, 6.0f * kS,
                     palette::kGold.WithAlpha(0.35f * power));
    PaintCanvas ring(big.Width(), big.Height());
    ring.FillShape(SdfRing(SdfCircle(c, c, (6.0f + 34.0f * t) * kS), 1.2f * kS),
                   FillSolid(PaintColour::Rgb(255, 236, 190)));
    big.Draw(ring, 0, 0, 0.6f * (1.0f - t));
    for (int i = 0; i < 8; ++i) {
        const float a = float(i) * kPi / 4.0f + t * 0.6f;
        const float len = (i % 2 == 0 ? 40.0f : 24.0f) * power * kS;
        PaintCanvas ray(big.Width(), big.Height());
        ray.FillShape(SdfSegment(c, c, c + std::cos(a) * len, c + std::sin(a) * len, 1.2f * kS),
                      FillRadial(c, c, len,
                                 {{0.0f, PaintColour::Rgb(255, 255, 240)},
                                  {1.0f, palette::kGold.WithAlpha(0.0f)}}));
        big.Draw(ray, 0, 0, power);
    }
    PaintSoftEllipse(big, c, c, 5.0f * power * kS, 5.0f * power * kS, 3.0f * kS,
                     PaintColour::Rgb(255, 255, 250).WithAlpha(power));
    return Reduce(big);
}

// The claw `open` of the way open (0 closed round the ball, 1 wide open). The picture
// is centred on the claw's centre; the ball hangs 221 pixels lower, so the fingers
// reach that far down and the cable runs up out of the top.
PaintCanvas ClawFrame(float open) {
    const int width = 96, height = 500;
    PaintCanvas big(width * kBoardScale, height * kBoardScale);
    const float c = width * kS / 2.0f;
    const float ballY = (250.0f + 221.0f) * kS;
    const float headTop = ballY - 70.0f * kS;
    PaintCanvas parts(big.Width(), big.Height());
    // The cable.
    const PaintSdf cable = [=](float x, float y) {
        return std::max(std::abs(x - c) - 1.6f * kS, y - headTop);
    };
    parts.FillShape(cable, FillLinear(c - 1.6f * kS, 0, c + 1.6f * kS, 0,
                                      {{0.0f, PaintColour::Rgb(200, 206, 210)},
                                       {0.5f, PaintColour::Rgb(120, 126, 134)},
                                       {1.0f, PaintColour::Rgb(50, 54, 60)}}));
    // The fingers, hinged under the head.
    for (int side = -1; side <= 1; side += 2) {
        const float hx = c + float(side) * 9.0f * kS, hy = headTop + 30.0f * kS;
        const float swing = -float(side) * open * 0.7f;
        auto at = [=](float lx, float ly) {
            const float x = lx * float(side), y = ly;
            const float ca = std::cos(swing), sa = std::sin(swing);
            return std::pair<float, float>{hx + (x * ca - y * sa) * kS,
                                           hy + (x * sa + y * ca) * kS};
        };
        const std::pair<float, float> joints[] = {at(0, 0), at(10, 14), at(16, 34), at(14, 52),
                                                  at(6, 62)};
        for (int j = 0; j + 1 < 5; ++j) {
            const PaintSdf bone = SdfSegment(joints[j].first, joints[j].second, joints[j + 1].first,
                                             joints[j + 1].second, (3.4f - 0.4f * float(j)) * kS);
            parts.FillShape(bone, FillBrass(c, headTop, 60.0f * kS, 0.9f));
            parts.Bevel(bone, 2.0f * kS, 0.6f, 0.5f);
        }
        SphereLook look;
        look.rim = 0.0f;
        PaintSphere(
            parts, joints[0].first, joints[0].second, 3.2f * kS,
            [](float, float, float) { return PaintColour::Rgb(110, 116, 124); }, look);
    }
    // The head.
    const PaintSdf head =
        SdfRoundRect(c - 18.0f * kS, headTop, c + 18.0f * kS, headTop + 30.0f * kS, 7.0f * kS);
    parts.FillShape(head, FillBrass(c, headTop + 10.0f * kS, 24.0f * kS));
    parts.Bevel(head, 3.0f * kS, 0.7f, 0.6f);
    parts.FillShape(SdfRoundRect(c - 12.0f * kS, headTop + 20.0f * kS, c + 12.0f * kS,
                                 headTop + 24.0f * kS, 2.0f * kS),
                    FillSolid(palette::kBrassShadow), 0.8f);
    PaintSoftEllipse(parts, c, headTop + 11.0f * kS, 3.6f * kS, 3.6f * kS, 2.0f * kS,
                     Mix(palette::kEmber, palette::kLeaf, open).WithAlpha(0.9f));
    parts.FillShape(SdfCircle(c - 1.0f * kS, headTop + 10.0f * kS, 1.2f * kS),
                    FillSolid(PaintColour::Rgb(255, 255, 240)), 0.8f);
    parts.DropShadow(3.0f * kS, 4.0f * kS, 3.0f * kS, palette::kNearBlack.WithAlpha(0.45f));
    big.Draw(parts, 0, 0);
    return Reduce(big);
}

// The cursor: frame 0 points; frames 1 to 4 show the steering direction (up, right,
// down, left) while the button is held, 5 to 8 the same while it is not. The
// direction is taken from the middle of the picture.
PaintCanvas CursorFrame(int frame) {
    const int size = 32;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float u = kS;
    PaintCanvas art(big.Width(), big.Height());
    if (frame == 0) {
        const PaintSdf arrow = SdfPolygon({{1.5f * u, 1.5f * u},
                                           {1.5f * u, 21.0f * u},
                                           {6.5f * u, 16.5f * u},
                                           {10.0f * u, 24.5f * u},
                                           {13.5f * u, 23.0f * u},
                                           {10.0f * u, 15.0f * u},
                                           {16.5f * u, 15.0f * u}});
        art.FillShape(SdfOffset(arrow, 1.0f * u), FillSolid(palette::kNearBlack));
        art.FillShape(
            arrow, FillLinear(0, 0, 12.0f * u, 24.0f * u,
                              {{0.0f, PaintColour::Rgb(255, 250, 236)}, {1.0f, palette::kGold}}));
    } else {
        const int direction = (frame - 1) % 4; // 0 up, 1 right, 2 down, 3 left
        const bool held = frame <= 4;
        const float c = 16.0f * u;
        const PaintSdf badge = SdfCircle(c, c, 10.5f * u);
        art.FillShape(SdfOffset(badge, 1.0f * u), FillSolid(palette::kNearBlack));
        if (held) {
            art.FillShape(badge, FillBrass(c, c, 10.5f * u, 1.1f));
        } else {
            art.FillShape(badge, FillSolid(palette::kDeepTeal.WithAlpha(0.75f)));
        }
        art.FillShape(SdfRing(badge, 0.7f * u), FillSolid(palette::kGold));
        const float dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
        const float ax = dx[direction], ay = dy[direction];
        const float px = -ay, py = ax;
        const PaintSdf head =
            SdfPolygon({{c + ax * 7.5f * u, c + ay * 7.5f * u},
                        {c - ax * 1.0f * u + px * 6.0f * u, c - ay * 1.0f * u + py * 6.0f * u},
                        {c - ax * 1.0f * u - px * 6.0f * u, c - ay * 1.0f * u - py * 6.0f * u}});
        const PaintSdf tail = SdfSegment(c - ax * 6.0f * u, c - ay * 6.0f * u, c, c, 2.0f * u);
        art.FillShape(SdfUnion(head, tail),
                      FillSolid(held ? palette::kNearBlack : palette::kCream));
        // The point the pad under the pointer is raised at.
        art.FillShape(
            SdfPolygon({{0.5f * u, 0.5f * u}, {6.0f * u, 1.5f * u}, {1.5f * u, 6.0f * u}}),
            FillSolid(palette::kCream));
    }
    art.DropShadow(1.5f * u, 2.0f * u, 1.5f * u, palette::kNearBlack.WithAlpha(0.5f));
    big.Draw(art, 0, 0);
    return Reduce(big);
}

void BuildItems(ContentOut& out) {
    constexpr int kCoinFrames = 12;
    std::vector<PaintCanvas> coin;
    for (int i = 0; i < kCoinFrames; ++i) {
        coin.push_back(CoinFrame(kPi * float(i) / float(kCoinFrames), 32, 12.0f));
    }
    WriteSpriteList(out, "board/images/coin", coin);

    constexpr int kPowerFrames = 16;
    std::vector<PaintCanvas> power;
    for (int i = 0; i < kPowerFrames; ++i) {
        power.push_back(PowerFrame(float(i) / float(kPowerFrames)));
    }
    WriteSpriteList(out, "board/images/power", power);

    constexpr int kSmokeFrames = 15;
    std::vector<PaintCanvas> smoke;
    for (int i = 0; i < kSmokeFrames; ++i) {
        smoke.push_back(SmokeFrame(float(i) / float(kSmokeFrames - 1)));
    }
    WriteSpriteList(out, "board/images/smoke", smoke);

    constexpr int kFlareFrames = 17;
    std::vector<PaintCanvas> flare;
    for (int i = 0; i < kFlareFrames; ++i) {
        flare.push_back(FlareFrame(float(i) / float(kFlareFrames - 1)));
    }
    WriteSpriteList(out, "board/images/flare", flare);

    constexpr int kClawFrames = 10;
    std::vector<PaintCanvas> claw;
    for (int i = 0; i < kClawFrames; ++i) {
        claw.push_back(ClawFrame(float(i) / float(kClawFrames - 1)));
    }
    WriteSpriteList(out, "board/images/claw", claw);

    std::vector<PaintCanvas> cursor;
    for (int i = 0; i < 9; ++i) {
        cursor.push_back(CursorFrame(i));
    }
    WriteSpriteList(out, "board/images/cursor", cursor);

    BoardPreview(
        "items",
        {coin[0], coin[3], coin[5], power[0], power[6], smoke[2], smoke[8], flare[4], flare[10]},
        PaintColour::Rgb(30, 96, 106), 3);
    BoardPreview("claw",
                 {claw[0].Crop(0, 380, 96, 120), claw[5].Crop(0, 380, 96, 120),
                  claw[9].Crop(0, 380, 96, 120)},
                 PaintColour::Rgb(30, 96, 106), 3);
    BoardPreview("cursor", cursor, PaintColour::Rgb(30, 96, 106), 3);
}

} // namespace

CONTENT_STEP(10, "board-items", BuildItems);
