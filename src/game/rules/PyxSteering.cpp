#include "game/rules/PyxSteering.h"

#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Angles of the four sectors, with a dead zone of 0.08 radians on each side of every
// diagonal.
constexpr double kRightAbove = 5.577787;
constexpr double kRightBelow = 0.705498;
constexpr double kUpFrom = 0.865498;
constexpr double kUpTo = 2.276194;
constexpr double kLeftFrom = 2.436194;
constexpr double kLeftTo = 3.846991;
constexpr double kDownFrom = 4.006991;
constexpr double kDownTo = 5.417787;

} // namespace

PyxSteerDirection PyxSteering::MouseDirection(float dx, float dy) {
    const double distance = std::sqrt(double(dx) * dx + double(dy) * dy);
    if (!(distance >= kMouseRadius)) {
        return kSteerNone;
    }
    double angle = std::atan2(double(dy), double(dx));
    if (angle < 0.0) {
        angle += kTwoPi;
    }
    if (angle > kRightAbove || angle < kRightBelow) {
        return kSteerRight;
    }
    if (angle >= kUpFrom && angle <= kUpTo) {
        return kSteerUp;
    }
    if (angle >= kLeftFrom && angle <= kLeftTo) {
        return kSteerLeft;
    }
    if (angle >= kDownFrom && angle <= kDownTo) {
        return kSteerDown;
    }
    return kSteerNone;
}

PyxSteerDirection PyxSteering::MouseDirectionFrom(std::int32_t ballDrawX, std::int32_t ballDrawY,
                                                  std::int32_t mouseX, std::int32_t mouseY) {
    const double dx = double(mouseX) + kCursorCentre - (double(ballDrawX) + kBallCentre);
    const double dy = double(ballDrawY) + kBallCentre - (double(mouseY) + kCursorCentre);
    return MouseDirection(float(dx), float(dy));
}

PyxVector PyxHeldArrows::NewTurn(const PyxHeldArrows& previous) const {
    if (left && !previous.left) {
        return {-1.0f, 0.0f};
    }
    if (right && !previous.right) {
        return {1.0f, 0.0f};
    }
    if (up && !previous.up) {
        return {0.0f, -1.0f};
    }
    if (down && !previous.down) {
        return {0.0f, 1.0f};
    }
    return {0.0f, 0.0f};
}

void PyxHeldArrows::Hold(PyxSteerDirection direction) {
    switch (direction) {
    case kSteerUp:
        up = true;
        break;
    case kSteerRight:
        right = true;
        break;
    case kSteerDown:
        down = true;
        break;
    case kSteerLeft:
        left = true;
        break;
    default:
        break;
    }
}
