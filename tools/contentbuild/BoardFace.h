#pragma once
// Cartoon eyes shared by the roaming balls and the side bar's mascot. One picture per
// expression and gaze: frame = gaze + expression x 5, with gaze 0 ahead, 1 right,
// 2 left, 3 up, 4 down, and expressions 0 happy, 1 calm, 2 excited, 3 hurt, 4 sad,
// 5 dizzy (the order in which the balls and the rules number them).

#include "ContentPaint.h"

inline constexpr int kFaceExpressions = 6;
inline constexpr int kFaceGazes = 5;

// A pair of eyes `scale` times the size of a ball's (36 x 20 pixels), painted at
// kBoardScale times that; lids take the colour of the face around them.
PaintCanvas PaintEyes(int expression, int gaze, float scale, const PaintColour& face);
