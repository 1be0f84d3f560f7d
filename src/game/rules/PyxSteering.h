#pragma once
// How the player points the ball: the mouse direction around the ball with its dead
// zones, and the order in which newly held directions become turn requests.

#include <cstdint>

#include "game/field/PyxVector.h"

// Steering directions; the cursor shows the same numbers (plus 4 while the button is
// up).
enum PyxSteerDirection : std::int32_t {
    kSteerNone = 0,
    kSteerUp = 1,
    kSteerRight = 2,
    kSteerDown = 3,
    kSteerLeft = 4,
};

struct PyxSteering {
    // Closer to the ball's centre than this, the mouse points nowhere.
    static constexpr float kMouseRadius = 30.0f;
    // The pointer's hot spot and the ball's centre relative to their drawing corners.
    static constexpr std::int32_t kCursorCentre = 16;
    static constexpr std::int32_t kBallCentre = 25;

    // The direction of a mouse offset from the ball's centre (dx right, dy up): none
    // within the radius and within 0.08 radians of a diagonal.
    static PyxSteerDirection MouseDirection(float dx, float dy);
    // The same from the ball's drawing corner and the mouse position on screen.
    static PyxSteerDirection MouseDirectionFrom(std::int32_t ballDrawX, std::int32_t ballDrawY,
                                                std::int32_t mouseX, std::int32_t mouseY);
};

// The four arrow states of one frame (keys or the held mouse button), in the order
// left, right, up, down.
struct PyxHeldArrows {
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;

    // The first direction, in the order left, right, up, down, that is held now but
    // was not in `previous`; (0, 0) when there is none.
    PyxVector NewTurn(const PyxHeldArrows& previous) const;
    // Adds the direction as held.
    void Hold(PyxSteerDirection direction);
    bool operator==(const PyxHeldArrows&) const = default;
};
