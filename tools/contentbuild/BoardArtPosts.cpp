// What stands on the board: fixed brass posts, the pads the player raises, the turning
// gears, the four deflectors and the invisible plates and rails that do the bouncing
// where the picture belongs to something else (the deflector's effect, the frame).
#include <cmath>

#include "BoardPaint.h"
#include "ContentBuild.h"

namespace {

constexpr float kS = float(kBoardScale);
constexpr float kPi = 3.14159265f;

PaintColour Brass(float nx, float ny, float) {
    return Mix(palette::kBrass, palette::kGold, BoardClamp(0.45f - 0.55f * (nx + ny)));
}

// A brass dome on a dark collar, standing on the felt with its shadow.
PaintCanvas Post() {
    const int size = 36;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    PaintSoftEllipse(big, c + 2.5f * kS, c + 3.2f * kS, 12.5f * kS, 12.5f * kS, 2.5f * kS,
                     palette::kNearBlack.WithAlpha(0.55f));
    big.FillShape(SdfCircle(c, c, 13.0f * kS), FillSolid(PaintColour::Rgb(46, 34, 22)));
    big.FillShape(SdfRing(SdfCircle(c, c, 12.2f * kS), 0.8f * kS),
                  FillBrass(c, c, 13.0f * kS, 0.8f));
    SphereLook look;
    look.shininess = 30.0f;
    look.rim = 0.12f;
    PaintSphere(big, c - 0.6f * kS, c - 0.6f * kS, 10.6f * kS, Brass, look);
    // A groove around the top.
    big.FillShape(SdfRing(SdfCircle(c - 0.6f * kS, c - 0.6f * kS, 6.0f * kS), 0.45f * kS),
                  FillSolid(palette::kBrassShadow.WithAlpha(0.7f)));
    return Reduce(big);
}

// The pad lying flush in the felt, with four small lights around it.
PaintCanvas LiftDown() {
    const int size = 36;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    big.FillShape(SdfCircle(c, c, 13.0f * kS), FillSolid(PaintColour::Rgb(10, 26, 30)));
    big.FillShape(SdfCircle(c, c, 11.0f * kS), FillBrass(c, c, 11.0f * kS, 0.62f));
    big.Bevel(SdfCircle(c, c, 11.0f * kS), 1.6f * kS, 0.5f, 0.4f);
    // The groove's inner shadow falls on the pad's upper left.
    big.FillShape(SdfSubtract(SdfCircle(c, c, 11.0f * kS),
                              SdfCircle(c + 1.2f * kS, c + 1.2f * kS, 11.0f * kS)),
                  FillSolid(palette::kNearBlack), 0.5f);
    for (int i = 0; i < 4; ++i) {
        const float a = kPi / 4.0f + float(i) * kPi / 2.0f;
        const float x = c + std::cos(a) * 7.0f * kS;
        const float y = c + std::sin(a) * 7.0f * kS;
        PaintSoftEllipse(big, x, y, 1.6f * kS, 1.6f * kS, 1.2f * kS,
                         palette::kSeaGlass.WithAlpha(0.5f));
        big.FillShape(SdfCircle(x, y, 1.0f * kS), FillSolid(Lighten(palette::kSeaGlass, 0.35f)));
    }
    return Reduce(big);
}

// The pad raised: a brass post with a glowing sea-glass cap, casting a longer shadow.
PaintCanvas LiftUp() {
    const int size = 36;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    PaintSoftEllipse(big, c + 3.0f * kS, c + 4.0f * kS, 12.5f * kS, 12.5f * kS, 2.5f * kS,
                     palette::kNearBlack.WithAlpha(0.6f));
    PaintSoftEllipse(big, c, c, 14.0f * kS, 14.0f * kS, 2.0f * kS,
                     palette::kSeaGlass.WithAlpha(0.45f));
    big.FillShape(SdfCircle(c, c, 12.5f * kS), FillBrass(c, c, 12.5f * kS, 0.85f));
    big.Bevel(SdfCircle(c, c, 12.5f * kS), 2.0f * kS, 0.6f, 0.5f);
    SphereLook look;
    look.rimColour = PaintColour::Rgb(200, 255, 240);
    look.rim = 0.35f;
    look.shininess = 40.0f;
    PaintSphere(
        big, c - 0.5f * kS, c - 0.5f * kS, 8.5f * kS,
        [](float nx, float ny, float) {
            return Mix(PaintColour::Rgb(40, 130, 128), PaintColour::Rgb(150, 235, 220),
                       BoardClamp(0.5f - 0.5f * (nx + ny)));
        },
        look);
    return Reduce(big);
}

// A soft ring of light around a pad the pointer is over.
PaintCanvas LiftHighlight() {
    const int size = 36;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    PaintCanvas ring(big.Width(), big.Height());
    ring.FillShape(SdfRing(SdfCircle(c, c, 14.5f * kS), 1.0f * kS),
                   FillSolid(PaintColour::Rgb(170, 255, 235)));
    big.Draw(ring, 0, 0);
    big.Glow(2.5f * kS, palette::kSeaGlass.WithAlpha(0.8f));
    return Reduce(big);
}

// A brass cog of ten teeth and five round holes, turned by `angle`.
PaintCanvas GearFrame(float angle) {
    const int size = 44;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    const float tip = 17.0f * kS, root = 13.6f * kS;
    const PaintSdf cog = [=](float x, float y) {
        const float dx = x - c, dy = y - c;
        const float r = std::sqrt(dx * dx + dy * dy);
        const float a = std::atan2(dy, dx) - angle;
        // A tooth profile with sloping flanks: flat top, flat root.
        float f = std::fmod(a / (2.0f * kPi) * 10.0f, 1.0f);
        if (f < 0.0f) {
            f += 1.0f;
        }
        const float tri = std::abs(f - 0.5f) * 2.0f; // 0 at the tooth's middle
        const float profile = root + (tip - root) * BoardClamp((0.72f - tri) / 0.22f);
        return (r - profile) * 0.8f;
    };
    PaintSdf shape = SdfSubtract(cog, SdfCircle(c, c, 3.2f * kS));
    for (int i = 0; i < 5; ++i) {
        const float a = angle + float(i) * 2.0f * kPi / 5.0f;
        shape = SdfSubtract(
            shape, SdfCircle(c + std::cos(a) * 8.6f * kS, c + std::sin(a) * 8.6f * kS, 2.6f * kS));
    }
    big.FillShape(shape, FillBrass(c, c, tip, 0.95f));
    big.Bevel(shape, 1.8f * kS, 0.7f, 0.55f);
    // The hub: a darker boss with a bright axle.
    big.FillShape(SdfRing(SdfCircle(c, c, 5.2f * kS), 1.0f * kS), FillSolid(palette::kBrassShadow),
                  0.8f);
    SphereLook look;
    look.rim = 0.0f;
    PaintSphere(
        big, c, c, 2.6f * kS, [](float, float, float) { return PaintColour::Rgb(90, 96, 100); },
        look);
    PaintShadowUnder(big, 2.5f * kS, 3.2f * kS, 2.2f * kS, 0.55f);
    return Reduce(big);
}

// A deflector facing (nx, ny): a rubber lip across the cell's diagonal with a ramp
// rising to it from behind; a glint runs along the lip as `phase` goes from 0 to 1.
PaintCanvas DeflectorFrame(float nx, float ny, float phase) {
    const int size = 56;
    PaintCanvas big(size * kBoardScale, size * kBoardScale);
    const float c = size * kS / 2.0f;
    const float len = std::sqrt(nx * nx + ny * ny);
    nx /= len;
    ny /= len;
    const float tx = -ny, ty = nx; // along the lip
    const float half = 21.0f * kS;
    const float ax = c + tx * half, ay = c + ty * half;
    const float bx = c - tx * half, by = c - ty * half;
    const float px = c - nx * 19.0f * kS, py = c - ny * 19.0f * kS; // the low end of the ramp
    PaintCanvas ramp(big.Width(), big.Height());
    const PaintSdf wedge = SdfOffset(SdfPolygon({{ax, ay}, {bx, by}, {px, py}}), -1.0f * kS);
    ramp.FillShape(wedge, [=](float x, float y) {
        // Higher (lighter) towards the lip; chevrons point at it.
        const float d =
            ((x - c) * -nx + (y - c) * -ny) / (19.0f * kS); // 0 at the lip, 1 at the end
        PaintColour col =
            Mix(PaintColour::Rgb(150, 112, 60), PaintColour::Rgb(70, 50, 34), BoardClamp(d));
        const float along = ((x - c) * tx + (y - c) * ty) / kS;
        const float stripe = std::fmod(d * 15.0f + std::abs(along) * 0.45f + 100.0f, 4.0f);
        if (stripe < 1.4f) {
            col = Mix(col, palette::kGold, 0.35f * (1.0f - BoardClamp(d)));
        }
        return col;
    });
    ramp.Bevel(wedge, 1.5f * kS, 0.35f, 0.4f);
    big.Draw(ramp, 0, 0);
    // The lip: a rounded rubber bar with a brass core.
    const PaintSdf lip = SdfSegment(ax, ay, bx, by, 3.0f * kS);
    PaintCanvas bar(big.Width(), big.Height());
    bar.FillShape(lip, FillSolid(PaintColour::Rgb(96, 200, 186)));
    bar.Bevel(lip, 3.0f * kS, 0.9f, 0.6f);
    // The glint.
    const float gx = bx + (ax - bx) * phase, gy = by + (ay - by) * phase;
    PaintCanvas glint(big.Width(), big.Height());
    PaintSoftEllipse(glint, gx, gy, 4.0f * kS, 4.0f * kS, 3.0f * kS,
                     PaintColour::Rgb(230, 255, 250).WithAlpha(0.9f));
    PaintLight(bar, glint.AlphaMask(), PaintColour::Rgb(230, 255, 250), 0.9f);
    bar.DropShadow(-nx * 1.5f * kS + 1.5f * kS, -ny * 1.5f * kS + 2.0f * kS, 2.0f * kS,
                   palette::kNearBlack.WithAlpha(0.5f));
    big.Draw(bar, 0, 0);
    PaintShadowUnder(big, 1.5f * kS, 2.0f * kS, 2.0f * kS, 0.35f);
    return Reduce(big);
}

QxImage Empty(int width, int height, const std::string& name) {
    QxImage image;
    image.Create(width, height, 24);
    image.name = name;
    return image;
}

void BuildPosts(ContentOut& out) {
    const PaintCanvas post = Post();
    const PaintCanvas down = LiftDown();
    const PaintCanvas up = LiftUp();
    const PaintCanvas hi = LiftHighlight();
    WriteSprite(out, "board/images/post", post);
    WriteSprite(out, "board/images/liftdown", down);
    WriteSprite(out, "board/images/liftup", up);
    WriteSprite(out, "board/images/lifthi", hi);

    // Ten teeth and five holes repeat every fifth of a turn.
    constexpr int kGearFrames = 12;
    std::vector<PaintCanvas> gear;
    for (int i = 0; i < kGearFrames; ++i) {
        gear.push_back(GearFrame(float(i) * 2.0f * kPi / 5.0f / float(kGearFrames)));
    }
    WriteSpriteList(out, "board/images/gear", gear);

    constexpr int kGlintFrames = 16;
    const struct {
        const char* name;
        float nx, ny;
    } deflectors[] = {{"defl7", -1, -1}, {"defl9", 1, -1}, {"defl3", 1, 1}, {"defl1", -1, 1}};
    std::vector<PaintCanvas> preview{post, down, up, hi, gear[0], gear[4]};
    for (const auto& d : deflectors) {
        std::vector<PaintCanvas> frames;
        for (int i = 0; i < kGlintFrames; ++i) {
            // The glint crosses in the first half and rests in the second.
            const float t = float(i) / float(kGlintFrames / 2);
            frames.push_back(DeflectorFrame(d.nx, d.ny, t <= 1.0f ? t : 1.6f));
        }
        WriteSpriteList(out, std::string("board/images/") + d.name, frames);
        preview.push_back(frames[3]);
    }
    out.WriteBitmap("board/images/plate16.bmp", Empty(16, 16, "plate16"));
    out.WriteBitmap("board/images/railh.bmp", Empty(56, 12, "railh"));
    out.WriteBitmap("board/images/railv.bmp", Empty(12, 56, "railv"));
    BoardPreview("posts", preview, PaintColour::Rgb(30, 96, 106), 3);
}

} // namespace

CONTENT_STEP(10, "board-posts", BuildPosts);
