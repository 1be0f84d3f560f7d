#pragma once
// A gamepad as the keyboard the game already understands: the D-pad and the left stick
// hold the arrow keys, A types Enter, B Escape and Start the pause key "p". The game,
// its recordings and its replays see nothing but key messages, so every screen that
// takes keys takes the pad, on every binding.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/MessagePump.h"

namespace platform {

// What a binding reads from one pad.
struct GamepadState {
    bool up = false; // the D-pad
    bool down = false;
    bool left = false;
    bool right = false;
    bool a = false;
    bool b = false;
    bool start = false;
    // The left stick from -32768 to 32767, x to the right and y downwards.
    int stickX = 0;
    int stickY = 0;
};

// The pad's own sense of where the stick points; the arrows it stands for.
enum class StickArrow { None, Up, Down, Left, Right };

// The stick's arrow given the arrow it held so far. A small push does nothing (the
// stick rests off centre), the arrow needs a firm push, is kept until the stick is well
// back towards the centre and past the diagonal, so a stick held near either line does
// not chatter between keys.
StickArrow StickArrowOf(int x, int y, StickArrow held);

// One pad's key messages: each change of what it reads becomes the key presses and
// releases that change, as the keyboard would send them, for the given window.
class GamepadKeys {
public:
    std::vector<WindowMessage> Update(const GamepadState& now, void* window);

    // The pad is gone: every arrow it held is released, so no key stays stuck down.
    std::vector<WindowMessage> Release(void* window);

private:
    GamepadState m_previous;
    StickArrow m_stick = StickArrow::None;
    std::array<bool, 4> m_held{}; // up, down, left, right: arrows whose press went out
};

} // namespace platform
