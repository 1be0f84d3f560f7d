#include "BoardFace.h"

#include <cmath>

#include "BoardPaint.h"

namespace {

constexpr float kPi = 3.14159265f;
const PaintColour kInk = PaintColour::Rgb(22, 20, 30);
const PaintColour kWhite = PaintColour::Rgb(250, 244, 232);

struct Eye {
    float x, y; // centre
    float side; // -1 for the left eye, +1 for the right one
};

void Stroke(PaintCanvas& c, float x0, float y0, float x1, float y1, float w) {
    c.FillShape(SdfSegment(x0, y0, x1, y1, w), FillSolid(kInk));
}

void White(PaintCanvas& c, const Eye& e, float rx, float ry, float s) {
    const PaintSdf eye = SdfEllipse(e.x, e.y, rx, ry);
    c.FillShape(SdfOffset(eye, 0.9f * s), FillSolid(kInk));
    c.FillShape(
        eye,
        FillLinear(0, e.y - ry, 0, e.y + ry,
                   {{0.0f, PaintColour::Rgb(200, 196, 190)}, {0.35f, kWhite}, {1.0f, kWhite}}));
}

void Pupil(PaintCanvas& c, float x, float y, float r, float s) {
    c.FillShape(SdfCircle(x, y, r),
                FillRadial(x - r * 0.3f, y - r * 0.3f, r * 1.2f,
                           {{0.0f, PaintColour::Rgb(60, 66, 96)}, {1.0f, kInk}}));
    c.FillShape(SdfCircle(x - r * 0.35f, y - r * 0.4f, r * 0.34f + 0.3f * s), FillSolid(kWhite));
}

} // namespace

PaintCanvas PaintEyes(int expression, int gaze, float scale, const PaintColour& face) {
    const float s = scale * float(kBoardScale);
    const int w = int(std::lround(36.0f * scale)) * kBoardScale;
    const int h = int(std::lround(20.0f * scale)) * kBoardScale;
    PaintCanvas c(w, h);
    const float cx = float(w) / 2.0f;
    const float cy = 10.5f * s;
    const Eye eyes[2] = {{cx - 8.6f * s, cy, -1.0f}, {cx + 8.6f * s, cy, 1.0f}};
    float gx = 0, gy = 0;
    switch (gaze) {
    case 1:
        gx = 2.4f;
        gy = 0.6f;
        break;
    case 2:
        gx = -2.4f;
        gy = 0.6f;
        break;
    case 3:
        gy = -2.6f;
        break;
    case 4:
        gy = 2.8f;
        break;
    default:
        break;
    }
    for (const Eye& e : eyes) {
        switch (expression) {
        case 0: { // happy: closed, smiling arcs
            const PaintSdf arc =
                SdfIntersect(SdfRing(SdfCircle(e.x, e.y + 3.5f * s, 5.2f * s), 1.1f * s),
                             [&](float, float y) { return y - (e.y + 2.5f * s); });
            c.FillShape(arc, FillSolid(kInk));
            break;
        }
        case 2: // excited: wide open, small pupils
            White(c, e, 7.2f * s, 8.8f * s, s);
            Pupil(c, e.x + gx * 1.1f * s, e.y + gy * 1.1f * s, 2.6f * s, s);
            break;
        case 3: { // hurt: squeezed shut
            const float dx = -e.side * 4.5f * s;
            Stroke(c, e.x - dx, e.y - 4.0f * s, e.x + dx, e.y, 1.1f * s);
            Stroke(c, e.x + dx, e.y, e.x - dx, e.y + 4.0f * s, 1.1f * s);
            break;
        }
        case 4: { // sad: lids drooping at the outer side, looking down
            White(c, e, 6.5f * s, 8.0f * s, s);
            Pupil(c, e.x + gx * 0.8f * s, e.y + (gy * 0.6f + 2.2f) * s, 3.2f * s, s);
            const float outer = e.x + e.side * 8.0f * s, inner = e.x - e.side * 8.0f * s;
            const float yo = e.y - 1.0f * s, yi = e.y - 6.5f * s;
            const PaintSdf lid =
                SdfIntersect(SdfOffset(SdfEllipse(e.x, e.y, 6.5f * s, 8.0f * s), 1.0f * s),
                             [=](float x, float y) {
                                 const float t = (x - inner) / (outer - inner);
                                 return y - (yi + (yo - yi) * t);
                             });
            c.FillShape(lid, FillSolid(Darken(face, 0.15f)));
            Stroke(c, inner, yi - 0.2f * s, outer, yo - 0.2f * s, 0.9f * s);
            break;
        }
        case 5: { // dizzy: spirals
            White(c, e, 6.5f * s, 8.0f * s, s);
            for (int i = 0; i < 60; ++i) {
                const float t0 = float(i) / 60.0f, t1 = float(i + 1) / 60.0f;
                const float a0 = t0 * 4.0f * kPi * e.side, a1 = t1 * 4.0f * kPi * e.side;
                const float r0 = t0 * 5.2f * s, r1 = t1 * 5.2f * s;
                Stroke(c, e.x + std::cos(a0) * r0, e.y + std::sin(a0) * r0 * 1.15f,
                       e.x + std::cos(a1) * r1, e.y + std::sin(a1) * r1 * 1.15f, 0.7f * s);
            }
            break;
        }
        default: // calm
            White(c, e, 6.5f * s, 8.0f * s, s);
            Pupil(c, e.x + gx * s, e.y + gy * s, 3.4f * s, s);
            break;
        }
    }
    return c;
}
