#pragma once
// A browser gamepad in its "standard" layout as the pad the desktop reads: A is button
// 0, B 1, Start 9, the D-pad 12 to 15 (up, down, left, right), the left stick axes 0 and
// 1. A pure function, checked without a browser.

#include "platform/Gamepad.h"

namespace platform::web {

// Buttons or axes the pad does not have read as released and centred; axes run from
// -1 to 1 (beyond that they are held at the ends).
GamepadState StandardPadState(const int* buttons, int buttonCount, const double* axes,
                              int axisCount);

} // namespace platform::web
