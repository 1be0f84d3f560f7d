#pragma once
// The game screen's background, shared with the level editor's screen: the table, the
// board's brass frame and the empty side panel, painted at kBarScale times the screen's
// size, and the sunken windows and captions the side panel is furnished with.

#include <string>

#include "ContentPaint.h"

inline constexpr int kBarScale = 2;
inline constexpr float kB = float(kBarScale);

// A rounded box in screen pixels, at the bar's scale.
PaintSdf HudBox(float left, float top, float right, float bottom, float radius);
// A sunken window: dark inside, its upper left wall in shadow, a thin lit lower edge.
void HudRecess(PaintCanvas& bar, float left, float top, float right, float bottom, float radius,
               const PaintColour& inside);
// A caption centred on centreX with its baseline at baseline (screen pixels).
void HudCaption(PaintCanvas& bar, const PaintFont& font, const std::string& text, float centreX,
                float baseline, const PaintColour& colour);
// The table, the board's frame and the side panel, with nothing in it yet.
PaintCanvas HudTable();
