// The balls drawn from pictures: the three roaming balls with faces (a squashing body
// and a list of eyes each), the spiked ball of the powered player and the golden bonus
// orb. The player's own glass marble is rendered by the game from the board behind it.
#include <cmath>
#include <vector>

#include "BoardFace.h"
#include "BoardPaint.h"
#include "ContentBuild.h"

namespace {

constexpr float kS = float(kBoardScale);
constexpr float kPi = 3.14159265f;

// A glossy ball that squashes and stretches a little as it rolls; `phase` 0 to 1.
PaintCanvas BodyFrame(const PaintColour& colour, float phase) {
    const int size = 56;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    const float wobble = std::sin(2.0f * kPi * phase);
    const float rx = (24.0f + 0.9f * wobble) * kS;
    const float ry = (24.0f - 0.9f * wobble) * kS;
    const float cy = c + 0.9f * wobble * kS - 1.0f * kS; // the bottom stays on the floor
    PaintSoftEllipse(big, c + 2.0f * kS, c + 3.0f * kS + 20.0f * kS * 0.25f, rx * 0.9f, ry * 0.55f,
                     3.0f * kS, palette::kNearBlack.WithAlpha(0.5f));
    SphereLook look;
    look.shininess = 48.0f;
    look.specular = 0.75f;
    look.rim = 0.3f;
    look.rimColour = Lighten(colour, 0.5f);
    PaintSpheroid(
        big, c, cy, rx, ry,
        [&](float nx, float ny, float nz) {
            // A lighter belly band low on the ball and a faint darker crown.
            PaintColour base =
                Mix(colour, Lighten(colour, 0.35f), BoardSmooth(0.25f, 0.85f, ny) * 0.6f);
            base = Mix(base, Darken(colour, 0.2f), BoardSmooth(-0.4f, -0.9f, ny) * 0.5f);
            (void)nx;
            (void)nz;
            return base;
        },
        look);
    return Reduce(big);
}

// The colour the eyes sit on, for matting their keyed edges.
PaintColour FaceColour(const PaintColour& colour) {
    return Mix(colour, Lighten(colour, 0.25f), 0.4f);
}

void BuildCharacter(ContentOut& out, const std::string& name, const PaintColour& colour,
                    std::vector<PaintCanvas>& preview) {
    constexpr int kFrames = 8;
    std::vector<PaintCanvas> body;
    for (int i = 0; i < kFrames; ++i) {
        body.push_back(BodyFrame(colour, float(i) / float(kFrames)));
    }
    WriteSpriteList(out, "board/images/ball" + name, body);

    const PaintColour face = FaceColour(colour);
    std::vector<QxImage> eyes;
    std::vector<PaintCanvas> eyePictures;
    for (int e = 0; e < kFaceExpressions; ++e) {
        for (int g = 0; g < kFaceGazes; ++g) {
            const PaintCanvas eye = Reduce(PaintEyes(e, g, 1.0f, face));
            eyes.push_back(ToKeyed16(eye, face, "eyes" + name + std::to_string(e * 5 + g)));
            eyePictures.push_back(eye);
        }
    }
    out.WriteImageList("board/images/eyes" + name + ".imst", eyes);
    // A face as the game puts it together, for the preview.
    PaintCanvas shown = body[0];
    shown.Draw(eyePictures[1 * 5 + 1], 14, 15);
    preview.push_back(shown);
    PaintCanvas sad = body[3];
    sad.Draw(eyePictures[4 * 5 + 4], 10, 19);
    preview.push_back(sad);
    PaintCanvas happy = body[5];
    happy.Draw(eyePictures[0 * 5 + 3], 10, 10);
    preview.push_back(happy);
}

// The powered player: an ember ball ringed by ten steel spikes that turn.
PaintCanvas SpikedFrame(float angle) {
    const int size = 60;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    PaintCanvas spikes(big.Width(), big.Height());
    for (int i = 0; i < 10; ++i) {
        const float a = angle + float(i) * 2.0f * kPi / 10.0f;
        const float ca = std::cos(a), sa = std::sin(a);
        const float tipR = 28.5f * kS, baseR = 17.0f * kS, half = 4.2f * kS;
        const PaintSdf spike =
            SdfPolygon({{c + ca * tipR, c + sa * tipR},
                        {c + ca * baseR - sa * half, c + sa * baseR + ca * half},
                        {c + ca * baseR + sa * half, c + sa * baseR - ca * half}});
        spikes.FillShape(spike, [=](float x, float y) {
            // Lit on the side facing the light.
            const float side = ((x - c) * -sa + (y - c) * ca) / half; // -1 to 1 across the spike
            const float lit = BoardClamp(0.55f + 0.45f * side * (ca * -0.7f - sa * -0.7f) -
                                         0.3f * (ca + sa) * 0.5f);
            return Mix(PaintColour::Rgb(70, 66, 72), PaintColour::Rgb(235, 230, 220), lit);
        });
    }
    spikes.DropShadow(2.0f * kS, 2.5f * kS, 2.0f * kS, palette::kNearBlack.WithAlpha(0.5f));
    big.Draw(spikes, 0, 0);
    SphereLook look;
    look.rimColour = palette::kGold;
    look.rim = 0.4f;
    look.shininess = 40.0f;
    PaintSphere(
        big, c, c, 19.0f * kS,
        [](float nx, float ny, float nz) {
            // Glowing cracks of ember in a dark shell.
            const float vein = std::sin(nx * 7.0f + std::sin(ny * 5.0f + nz * 3.0f) * 2.0f) +
                               std::sin(ny * 6.5f - std::sin(nx * 4.0f) * 2.2f + nz * 2.0f);
            PaintColour shell = Mix(PaintColour::Rgb(70, 16, 12), PaintColour::Rgb(150, 40, 24),
                                    BoardClamp(0.5f - ny));
            return Mix(shell, PaintColour::Rgb(255, 190, 70),
                       BoardSmooth(0.35f, 0.0f, std::abs(vein)) * 0.95f);
        },
        look);
    return Reduce(big);
}

// The golden bonus orb with an engraved star and a gleam turning around it.
PaintCanvas BonusFrame(float phase) {
    const int size = 56;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    PaintSoftEllipse(big, c + 2.0f * kS, c + 3.5f * kS, 21.0f * kS, 19.0f * kS, 3.0f * kS,
                     palette::kNearBlack.WithAlpha(0.5f));
    PaintSoftEllipse(big, c, c, 24.0f * kS, 24.0f * kS, 3.0f * kS, palette::kGold.WithAlpha(0.28f));
    SphereLook look;
    look.shininess = 60.0f;
    look.rimColour = PaintColour::Rgb(255, 240, 200);
    look.rim = 0.35f;
    const float gleam = 2.0f * kPi * phase;
    std::vector<std::pair<float, float>> points;
    for (int i = 0; i < 10; ++i) {
        const float a = -kPi / 2.0f + float(i) * kPi / 5.0f;
        const float r = (i % 2 == 0) ? 0.56f : 0.23f;
        points.push_back({std::cos(a) * r, std::sin(a) * r});
    }
    const PaintSdf star = SdfPolygon(points);
    PaintSphere(
        big, c, c, 21.0f * kS,
        [&](float nx, float ny, float nz) {
            PaintColour gold = Mix(palette::kBrassShadow, palette::kGold,
                                   BoardClamp(0.55f - 0.6f * (nx + ny) * 0.7f));
            // A five-pointed star on the front.
            const float d = star(nx, ny);
            gold =
                Mix(gold, PaintColour::Rgb(255, 246, 210), 0.55f * BoardSmooth(0.03f, -0.03f, d));
            gold = Mix(gold, palette::kBrassShadow,
                       0.5f * BoardSmooth(0.06f, 0.0f, std::abs(d)) *
                           BoardClamp(0.5f + 0.5f * (nx + ny)));
            // A band of light sweeping round.
            const float band = std::cos(std::atan2(nz, nx) * 1.0f - gleam);
            return Lighten(gold, BoardSmooth(0.85f, 1.0f, band) * 0.35f);
        },
        look);
    return Reduce(big);
}

void BuildBalls(ContentOut& out) {
    std::vector<PaintCanvas> preview;
    BuildCharacter(out, "red", PaintColour::Rgb(214, 70, 52), preview);
    BuildCharacter(out, "green", PaintColour::Rgb(92, 184, 96), preview);
    BuildCharacter(out, "violet", PaintColour::Rgb(142, 92, 206), preview);

    constexpr int kSpikeFrames = 16;
    std::vector<PaintCanvas> spiked;
    for (int i = 0; i < kSpikeFrames; ++i) {
        spiked.push_back(SpikedFrame(float(i) * 2.0f * kPi / 10.0f / float(kSpikeFrames)));
    }
    WriteSpriteList(out, "board/images/spiked", spiked);
    preview.push_back(spiked[0]);

    constexpr int kBonusFrames = 16;
    std::vector<PaintCanvas> bonus;
    for (int i = 0; i < kBonusFrames; ++i) {
        bonus.push_back(BonusFrame(float(i) / float(kBonusFrames)));
    }
    WriteSpriteList(out, "board/images/bonus", bonus);
    preview.push_back(bonus[0]);
    preview.push_back(bonus[5]);
    BoardPreview("balls", preview, PaintColour::Rgb(30, 96, 106), 3);
}

} // namespace

CONTENT_STEP(10, "board-balls", BuildBalls);
