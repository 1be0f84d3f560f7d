#include "platform/web/WebMouse.h"

#include <cmath>

namespace platform::web {
namespace {

constexpr std::int32_t kNotch = 120;
// Browsers scroll about this many CSS pixels for one notch of a mouse wheel, and three
// lines per notch.
constexpr double kPixelsPerNotch = 100.0;
constexpr double kLinesPerNotch = 3.0;
// Turns beyond this many notches at once are cut (a page delta, a flung touchpad).
constexpr double kMostNotches = 10.0;

} // namespace

void PagePointToPicture(const CanvasRect& canvas, int pictureWidth, int pictureHeight, double pageX,
                        double pageY, int* x, int* y) {
    if (!(canvas.width > 0.0) || !(canvas.height > 0.0)) {
        *x = 0;
        *y = 0;
        return;
    }
    *x = int(std::floor((pageX - canvas.left) * pictureWidth / canvas.width));
    *y = int(std::floor((pageY - canvas.top) * pictureHeight / canvas.height));
}

std::int32_t WheelTurn(double deltaY, WheelUnit unit) {
    if (!std::isfinite(deltaY) || deltaY == 0.0) {
        return 0;
    }
    double notches = deltaY;
    if (unit == WheelUnit::Pixel) {
        notches /= kPixelsPerNotch;
    } else if (unit == WheelUnit::Line) {
        notches /= kLinesPerNotch;
    } else {
        notches = deltaY > 0 ? kMostNotches : -kMostNotches;
    }
    notches = std::fmax(-kMostNotches, std::fmin(kMostNotches, notches));
    const double magnitude = std::fmax(1.0, std::round(std::fabs(notches)));
    return -std::int32_t(std::copysign(magnitude, notches)) * kNotch;
}

} // namespace platform::web
