// The cells of the board: three felt floors (one per third of the level set), the
// trap pit and the exit portal. Cells are opaque 56 x 56 pictures; every cell carries
// a quarter of a brass stud in each corner, so the studs of four neighbours make one
// whole stud at every crossing of the grid, whatever the cells are.
#include <cmath>

#include "BoardPaint.h"
#include "ContentBuild.h"

namespace {

constexpr int kCell = 56;
constexpr int kBig = kCell * kBoardScale;
constexpr float kPi = 3.14159265f;

void PaintCornerStuds(PaintCanvas& big) {
    const float r = 4.6f * kBoardScale;
    SphereLook look;
    look.rim = 0.0f;
    look.shininess = 24.0f;
    const float corners[4][2] = {
        {0, 0}, {float(kBig), 0}, {0, float(kBig)}, {float(kBig), float(kBig)}};
    for (const auto& c : corners) {
        PaintSoftEllipse(big, c[0] + 3.0f, c[1] + 4.0f, r, r, 3.0f * kBoardScale * 0.5f,
                         palette::kNearBlack.WithAlpha(0.45f));
        PaintSphere(
            big, c[0], c[1], r,
            [](float nx, float ny, float) {
                return Mix(palette::kBrass, palette::kGold, BoardClamp(0.5f - 0.5f * (nx + ny)));
            },
            look);
    }
}

// A felt cushion with a groove around it, lit from the upper left.
PaintCanvas Floor(const PaintColour& base, uint32_t seed) {
    PaintCanvas big(kBig, kBig);
    const PaintColour groove = Darken(base, 0.55f);
    big.Clear(groove);
    const float inset = 1.2f * kBoardScale;
    const PaintSdf cushion =
        SdfRoundRect(inset, inset, kBig - inset, kBig - inset, 6.0f * kBoardScale);
    big.FillShape(cushion, [&](float x, float y) {
        // A faint pool of light towards the upper left of each cell.
        const float t = BoardClamp(1.0f - (x + y) / (2.0f * kBig));
        PaintColour c = Mix(Darken(base, 0.08f), Lighten(base, 0.06f), t);
        return FeltAt(c, x / 2.0f, y / 2.0f, seed);
    });
    big.Bevel(cushion, 3.5f * kBoardScale, 0.35f, 0.45f);
    // A small sunken mark at the centre shows the crossing of the lanes.
    const float c = kBig / 2.0f;
    big.FillShape(SdfCircle(c, c, 2.2f * kBoardScale), FillSolid(Darken(base, 0.22f)));
    big.FillShape(SdfRing(SdfCircle(c + 2.0f, c + 2.0f, 2.2f * kBoardScale), 1.5f),
                  FillSolid(Lighten(base, 0.18f)), 0.6f);
    PaintCornerStuds(big);
    return Reduce(big);
}

// The iron plate that holds a pit or a portal, with the rim's shadow in it.
PaintCanvas Plate(const PaintColour& metal) {
    PaintCanvas big(kBig, kBig);
    big.Clear(Darken(metal, 0.6f));
    const float inset = 1.2f * kBoardScale;
    const PaintSdf plate =
        SdfRoundRect(inset, inset, kBig - inset, kBig - inset, 6.0f * kBoardScale);
    big.FillShape(plate, FillLinear(0, 0, kBig, kBig,
                                    {{0.0f, Lighten(metal, 0.18f)}, {1.0f, Darken(metal, 0.25f)}}));
    big.Grain(7, 0.04f);
    big.Bevel(plate, 3.0f * kBoardScale, 0.35f, 0.5f);
    return big;
}

void PaintRim(PaintCanvas& big, float radius, float width) {
    const float c = kBig / 2.0f;
    const PaintSdf ring = SdfRing(SdfCircle(c, c, radius), width / 2.0f);
    // The rim throws a shadow onto the plate.
    PaintCanvas shade(kBig, kBig);
    shade.FillShape(ring, FillSolid(palette::kNearBlack));
    shade.DropShadow(2.0f * kBoardScale, 2.5f * kBoardScale, 2.5f * kBoardScale,
                     palette::kNearBlack.WithAlpha(0.6f));
    PaintCanvas rim(kBig, kBig);
    rim.FillShape(ring, FillBrass(c, c, radius + width));
    rim.Bevel(ring, width * 0.5f, 0.8f, 0.6f);
    rim.DropShadow(1.5f * kBoardScale, 2.0f * kBoardScale, 2.0f * kBoardScale,
                   palette::kNearBlack.WithAlpha(0.55f));
    big.Draw(rim, 0, 0);
}

PaintCanvas TrapFrame(int frame, int frames) {
    PaintCanvas big = Plate(PaintColour::Rgb(58, 54, 56));
    const float c = kBig / 2.0f;
    const float pit = 19.0f * kBoardScale;
    // Three arms repeat every third of a turn.
    const float turn = 2.0f * kPi / 3.0f * float(frame) / float(frames);
    big.FillShape(SdfCircle(c, c, pit), [&](float x, float y) {
        const float dx = x - c, dy = y - c;
        const float r = std::sqrt(dx * dx + dy * dy) / pit;
        const float a = std::atan2(dy, dx);
        // Three arms of embers spiralling down into the dark.
        const float arm = std::sin(3.0f * (a + turn) + 7.0f * std::log(r + 0.08f));
        const float glow = BoardSmooth(0.2f, 1.0f, arm) * BoardSmooth(0.05f, 0.7f, r) *
                           (1.0f - BoardSmooth(0.85f, 1.0f, r) * 0.3f);
        PaintColour depth =
            Mix(palette::kNearBlack, PaintColour::Rgb(70, 14, 10), BoardSmooth(0.0f, 1.0f, r));
        depth = Mix(depth, palette::kEmber, glow * 0.75f);
        // The far wall of the pit catches the light of the embers.
        return Mix(depth, PaintColour::Rgb(255, 150, 70), glow * glow * 0.35f * r);
    });
    // Inner shadow under the rim, deepest on the upper left.
    PaintCanvas inner(kBig, kBig);
    inner.FillShape(SdfSubtract(SdfCircle(c, c, pit),
                                SdfCircle(c + 3.0f * kBoardScale, c + 3.0f * kBoardScale, pit)),
                    FillSolid(palette::kNearBlack));
    PaintMask m = inner.AlphaMask();
    m.Blur(2.0f * kBoardScale);
    PaintMask pitMask(kBig, kBig);
    {
        PaintCanvas p(kBig, kBig);
        p.FillShape(SdfCircle(c, c, pit), FillSolid(palette::kNearBlack));
        pitMask = p.AlphaMask();
    }
    m.Multiply(pitMask);
    big.FillMask(m, FillSolid(palette::kNearBlack), 0.85f);
    PaintRim(big, pit + 1.5f * kBoardScale, 3.4f * kBoardScale);
    PaintCornerStuds(big);
    return Reduce(big);
}

PaintCanvas ExitFrame(int frame, int frames) {
    PaintCanvas big = Plate(PaintColour::Rgb(40, 70, 62));
    const float c = kBig / 2.0f;
    const float hole = 19.0f * kBoardScale;
    const float phase = float(frame) / float(frames);
    big.FillShape(SdfCircle(c, c, hole), [&](float x, float y) {
        const float dx = x - c, dy = y - c;
        const float r = std::sqrt(dx * dx + dy * dy) / hole;
        const float a = std::atan2(dy, dx);
        // Rings of light rising out of the portal, and a slow swirl.
        const float rings = 0.5f + 0.5f * std::cos(2.0f * kPi * (r * 3.0f - phase * 1.0f) * 1.0f);
        const float swirl = 0.5f + 0.5f * std::sin(4.0f * a - 2.0f * kPi * phase + r * 6.0f);
        PaintColour col = Mix(PaintColour::Rgb(10, 46, 40), palette::kLeaf, 0.35f + 0.45f * rings);
        col = Mix(col, PaintColour::Rgb(210, 255, 220), BoardSmooth(0.55f, 0.0f, r) * 0.9f);
        col = Lighten(col, swirl * 0.12f * r);
        return col;
    });
    PaintRim(big, hole + 1.5f * kBoardScale, 3.4f * kBoardScale);
    // A sparkle turning over the centre.
    const float s = 0.5f + 0.5f * std::sin(2.0f * kPi * phase);
    const float ang = kPi * phase;
    for (int k = 0; k < 2; ++k) {
        const float a = ang + float(k) * kPi / 2.0f;
        const float len = (6.0f + 5.0f * s) * kBoardScale;
        big.FillShape(SdfSegment(c - std::cos(a) * len, c - std::sin(a) * len,
                                 c + std::cos(a) * len, c + std::sin(a) * len, 0.6f * kBoardScale),
                      FillSolid(PaintColour::Rgb(240, 255, 240)), 0.8f);
    }
    PaintSoftEllipse(big, c, c, 3.0f * kBoardScale, 3.0f * kBoardScale, 2.0f * kBoardScale,
                     PaintColour::Rgb(255, 255, 255).WithAlpha(0.9f));
    PaintCornerStuds(big);
    return Reduce(big);
}

void WriteOpaque(ContentOut& out, const std::string& name, const PaintCanvas& canvas) {
    out.WriteBitmap(name, ToOpaque(canvas, palette::kNearBlack, name));
}

void WriteOpaqueList(ContentOut& out, const std::string& name,
                     const std::vector<PaintCanvas>& frames) {
    std::vector<QxImage> images;
    for (size_t i = 0; i < frames.size(); ++i) {
        images.push_back(ToImage16(frames[i], name + std::to_string(i)));
    }
    out.WriteImageList(name, images);
}

void BuildTiles(ContentOut& out) {
    // The player's glass marble shows the floor through it, lightened: the felts are
    // dark enough for it to stand out on each (tests/content/LevelContentTest.cpp
    // measures it). The teal is deeper than the palette's teal for that reason.
    const PaintCanvas floorA = Floor(PaintColour::Rgb(14, 60, 72), 11);
    const PaintCanvas floorB = Floor(PaintColour::Rgb(36, 58, 108), 23);
    const PaintCanvas floorC = Floor(PaintColour::Rgb(92, 42, 78), 37);
    WriteOpaque(out, "board/images/floor.bmp", floorA);
    WriteOpaque(out, "board/images/floorb.bmp", floorB);
    WriteOpaque(out, "board/images/floorc.bmp", floorC);

    constexpr int kFrames = 16;
    std::vector<PaintCanvas> trap, exit;
    for (int i = 0; i < kFrames; ++i) {
        trap.push_back(TrapFrame(i, kFrames));
        exit.push_back(ExitFrame(i, kFrames));
    }
    WriteOpaqueList(out, "board/images/trap.imst", trap);
    WriteOpaqueList(out, "board/images/exit.imst", exit);
    BoardPreview("tiles", {floorA, floorB, floorC, trap[0], trap[5], exit[0], exit[5]},
                 palette::kNight, 3);
}

} // namespace

CONTENT_STEP(10, "board-tiles", BuildTiles);
