#pragma once
// The 8-byte input events the window and the main loop queue for the game object.

#include <cstdint>

enum class QxInputKind : std::uint32_t {
    Tick = 1,      // value: frame time in tenths of a millisecond
    MouseMove = 2, // value: x in the low, y in the high signed 16-bit half
    LeftDown = 3,
    LeftUp = 4,
    RightDown = 5,
    RightUp = 6,
    MiddleDown = 7,
    MiddleUp = 8,
    KeyDown = 9, // value: a QxKey code (256 and up) or a sign-extended character byte
    KeyUp = 10,  // value: a QxKey code
    Deactivated = 11,
    Activated = 12,
    // value: the wheel's signed turn, 120 a notch (the desktop's unit), positive away
    // from the player (up the page). Later than the first twelve, so recordings made
    // before it read as they did.
    MouseWheel = 13,
};

// Key codes. Characters below 256 share KeyDown with them; the range tells them apart.
struct QxKey {
    enum : std::int32_t {
        Up = 256,
        Down = 257,
        Right = 258,
        Left = 259,
        Control = 260,
        Shift = 261,
        F1 = 268,
        F2 = 269,
        F3 = 270,
        F4 = 271,
        F5 = 272,
        F6 = 273,
        F7 = 274,
        F8 = 275,
        F9 = 276,
        F10 = 277,
        F11 = 278,
        F12 = 279,
        // Added after the first table; the codes above keep their numbers.
        PageUp = 280,
        PageDown = 281,
        Home = 282,
        End = 283,
    };
};

struct QxInputEvent {
    // One notch of a mouse wheel.
    static constexpr std::int32_t kWheelNotch = 120;

    QxInputKind kind{}; // 0: no event
    std::uint32_t value = 0;

    static constexpr QxInputEvent Make(QxInputKind kind, std::uint32_t value = 0) {
        return QxInputEvent{kind, value};
    }
    static constexpr QxInputEvent MouseMove(std::int16_t x, std::int16_t y) {
        return QxInputEvent{QxInputKind::MouseMove,
                            static_cast<std::uint16_t>(x) |
                                (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16)};
    }

    static constexpr QxInputEvent MouseWheel(std::int32_t turn) {
        return QxInputEvent{QxInputKind::MouseWheel, static_cast<std::uint32_t>(turn)};
    }

    // The value of a key event: a key code or a (possibly negative) character.
    constexpr std::int32_t Code() const { return static_cast<std::int32_t>(value); }
    // The value of a wheel event: the signed turn.
    constexpr std::int32_t WheelTurn() const { return static_cast<std::int32_t>(value); }
    constexpr std::int32_t MouseX() const {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
    }
    constexpr std::int32_t MouseY() const {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value >> 16));
    }
};

static_assert(sizeof(QxInputEvent) == 8, "input events are 8-byte values");
