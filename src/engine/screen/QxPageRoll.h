#pragma once
// The page roll between two whole frames of the back buffer: the new page comes in
// over the old one while a band at its edge shows the back of the rolling page, its
// lines bunched towards the fold.

#include <cstdint>

#include "engine/screen/QxSurface.h"

// Draws the roll at the given progress (0 to 1) into the screen, a locked 16-bit back
// buffer. The kind: 0 down from the top, 1 up from the bottom, 2 in from the right,
// any other the old page away to the right. False, with nothing drawn, when either
// frame is missing or differs from the screen in shape: the frames are meant to be
// copies of that very buffer.
bool QxDrawPageRoll(const QxSurfaceDesc& screen, const QxSurfaceDesc& oldFrame,
                    const QxSurfaceDesc& newFrame, std::int32_t kind, std::int32_t band,
                    double progress);
