// Sticks rest up to about a quarter of their travel off centre and wander as they are
// held, so the stick presses an arrow only past half its travel and lets it go only
// once back inside the resting zone or swung ten degrees past the diagonal.

#include "platform/Gamepad.h"

#include <utility>

namespace platform {
namespace {

constexpr int kPress = 16384;
constexpr int kKeep = 10000;
// The held arrow's push against the strongest other one, in tenths: 7 keeps it up to
// 55 degrees off its own axis.
constexpr int kKeepTenths = 7;

// Desktop virtual keys of up, down, left and right, in the order of GamepadKeys' flags.
constexpr std::array<std::uint32_t, 4> kArrowKeys = {VirtualKey::Up, VirtualKey::Down,
                                                     VirtualKey::Left, VirtualKey::Right};
constexpr std::array<StickArrow, 4> kArrows = {StickArrow::Up, StickArrow::Down, StickArrow::Left,
                                               StickArrow::Right};

// How far the stick pushes towards each arrow (negative: away from it).
std::array<int, 4> Pushes(int x, int y) {
    return {-y, y, -x, x};
}

} // namespace

StickArrow StickArrowOf(int x, int y, StickArrow held) {
    const std::array<int, 4> push = Pushes(x, y);
    std::size_t best = 0;
    for (std::size_t i = 1; i < push.size(); ++i) {
        if (push[i] > push[best]) {
            best = i;
        }
    }
    for (std::size_t i = 0; i < kArrows.size(); ++i) {
        if (kArrows[i] == held && push[i] >= kKeep && push[i] * 10 >= push[best] * kKeepTenths) {
            return held;
        }
    }
    return push[best] >= kPress ? kArrows[best] : StickArrow::None;
}

std::vector<WindowMessage> GamepadKeys::Update(const GamepadState& now, void* window) {
    m_stick = StickArrowOf(now.stickX, now.stickY, m_stick);
    const std::array<bool, 4> pad = {now.up, now.down, now.left, now.right};
    std::array<bool, 4> held{};
    for (std::size_t i = 0; i < held.size(); ++i) {
        held[i] = pad[i] || m_stick == kArrows[i];
    }

    std::vector<WindowMessage> out;
    // Releases go first, so swinging from one arrow to another reads as a new press.
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (m_held[i] && !held[i]) {
            out.push_back({window, InputMessage::KeyUp, kArrowKeys[i], 0});
        }
    }
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (!m_held[i] && held[i]) {
            out.push_back({window, InputMessage::KeyDown, kArrowKeys[i], 0});
        }
    }
    // Enter, Escape and "p" type characters, which arrive only as presses.
    const std::array<std::pair<bool, bool>, 3> buttons = {
        {{m_previous.a, now.a}, {m_previous.b, now.b}, {m_previous.start, now.start}}};
    constexpr std::array<std::uint32_t, 3> kCharacters = {13, 27, 'p'};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (!buttons[i].first && buttons[i].second) {
            out.push_back({window, kMessageChar, kCharacters[i], 0});
        }
    }
    m_held = held;
    m_previous = now;
    return out;
}

std::vector<WindowMessage> GamepadKeys::Release(void* window) {
    return Update(GamepadState{}, window);
}

} // namespace platform
