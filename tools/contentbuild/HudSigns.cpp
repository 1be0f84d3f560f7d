// Signs the game screen shows over its side bar: the loudspeaker struck through that
// stands in the mascot's window while the sounds are off (hud/soundoff.ent).
#include "ContentBuild.h"
#include "ContentPaint.h"
#include "UiArtKit.h"

namespace {

// A 28 x 24 plate: dark glass in a brass rim, a cream loudspeaker and an ember cross.
PaintCanvas PaintSoundOff() {
    const float s = kUiScale;
    const float w = 28 * s, h = 24 * s;
    PaintCanvas canvas{int(w), int(h)};
    PaintCanvas plate(canvas.Width(), canvas.Height());
    const PaintSdf face = SdfRoundRect(1 * s, 1 * s, w - 2 * s, h - 2 * s, 5 * s);
    plate.FillShape(face,
                    FillLinear(0, 0, 0, h, {{0.0f, palette::kDeepTeal}, {1.0f, palette::kNight}}));
    plate.FillShape(SdfRing(face, 0.8f * s), FillSolid(palette::kBrass));
    plate.Bevel(face, 1.5f * s, 0.35f, 0.35f);
    plate.DropShadow(1 * s, 1 * s, 1 * s, palette::kNearBlack.WithAlpha(0.55f));
    canvas.Draw(plate, 0, 0);

    // The loudspeaker: a box and its cone, facing right.
    const PaintSdf speaker = SdfUnion(
        SdfRoundRect(5 * s, 9 * s, 9 * s, 15 * s, 0.8f * s),
        SdfPolygon({{8.5f * s, 9 * s}, {14 * s, 5 * s}, {14 * s, 19 * s}, {8.5f * s, 15 * s}}));
    canvas.FillShape(speaker, FillSolid(palette::kCream));
    // The cross where the sound would come out.
    const PaintSdf cross = SdfUnion(SdfSegment(16.5f * s, 8.5f * s, 23 * s, 15.5f * s, 1.2f * s),
                                    SdfSegment(16.5f * s, 15.5f * s, 23 * s, 8.5f * s, 1.2f * s));
    canvas.FillShape(cross, FillSolid(palette::kEmber));
    return UiReduce(canvas);
}

void BuildSigns(ContentOut& out) {
    WriteSprite(out, "hud/images/soundoff", PaintSoundOff());
}

} // namespace

CONTENT_STEP(10, "hud-signs", BuildSigns);
