#pragma once
// The browser's mouse as the desktop's: positions on the scaled canvas in picture
// pixels, and wheel turns in the desktop's notches. Pure functions, checked without a
// browser.

#include <cstdint>

namespace platform::web {

// Where the canvas shows on the page, in CSS pixels (its bounding rectangle).
struct CanvasRect {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// A page position in picture pixels; positions off the canvas map beyond its edges, as a
// mouse outside a window does on the desktop. (0, 0) for a canvas with no size.
void PagePointToPicture(const CanvasRect& canvas, int pictureWidth, int pictureHeight, double pageX,
                        double pageY, int* x, int* y);

// DOM WheelEvent delta modes.
enum class WheelUnit : std::uint32_t { Pixel = 0, Line = 1, Page = 2 };

// A wheel event's vertical delta (positive: towards the player) as the desktop's turn
// (positive: away from the player, 120 a notch). A turn smaller than a notch still
// moves one notch, so a touchpad's small steps are not lost.
std::int32_t WheelTurn(double deltaY, WheelUnit unit);

} // namespace platform::web
