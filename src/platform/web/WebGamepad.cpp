#include "platform/web/WebGamepad.h"

#include <algorithm>
#include <cmath>

namespace platform::web {

GamepadState StandardPadState(const int* buttons, int buttonCount, const double* axes,
                              int axisCount) {
    auto button = [&](int i) { return i < buttonCount && buttons[i] != 0; };
    auto axis = [&](int i) {
        if (i >= axisCount || !std::isfinite(axes[i])) {
            return 0;
        }
        const double value = std::clamp(axes[i], -1.0, 1.0);
        return value < 0.0 ? int(value * 32768.0) : int(value * 32767.0);
    };
    GamepadState state;
    state.a = button(0);
    state.b = button(1);
    state.start = button(9);
    state.up = button(12);
    state.down = button(13);
    state.left = button(14);
    state.right = button(15);
    state.stickX = axis(0);
    state.stickY = axis(1);
    return state;
}

} // namespace platform::web
