#pragma once
// A direction or an offset on the board, in board pixels.

struct PyxVector {
    float x = 0.0f;
    float y = 0.0f;

    bool operator==(const PyxVector&) const = default;
};
