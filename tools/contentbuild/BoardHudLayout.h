#pragma once
// Where the game screen's parts sit (screen pixels). The side bar picture is painted
// around these places and content/data/hud/stdgame.ent puts the elements on them; the
// two must agree.

namespace hud {

// The board: 8 x 8 cells of 56 pixels with its top-left corner here.
inline constexpr int kBoardX = 16, kBoardY = 16, kBoardSize = 448;

// The side panel.
inline constexpr int kPanelLeft = 484, kPanelRight = 632, kPanelTop = 8, kPanelBottom = 472;
inline constexpr int kPanelCentre = (kPanelLeft + kPanelRight) / 2; // 558

// Level number plate and the window the number is drawn in.
inline constexpr int kLevelTop = 16, kLevelBottom = 46;
inline constexpr int kLevelWindowLeft = 584, kLevelWindowRight = 624;
// Score caption and the window of its seven digits (18 x 26, one pixel apart).
inline constexpr int kScoreCaption = 54, kScoreTop = 64, kScoreBottom = 98;
inline constexpr int kDigitWidth = 18, kDigitHeight = 26, kDigits = 7, kDigitGap = 1;
inline constexpr int kScoreX =
    kPanelCentre - (kDigits * kDigitWidth + (kDigits - 1) * kDigitGap) / 2;
inline constexpr int kScoreY = 68;
// The clock: the dial and the row of seven lights under it.
inline constexpr int kClockTop = 104, kClockBottom = 228;
inline constexpr int kDialSize = 96, kDialX = kPanelCentre - kDialSize / 2, kDialY = 106;
inline constexpr int kLightSize = 16, kLightGap = 3, kLights = 7, kLightY = 207;
inline constexpr int kLightX =
    kPanelCentre - (kLights * kLightSize + (kLights - 1) * kLightGap) / 2;
// The coin tray.
inline constexpr int kCoinsCaption = 236, kCoinsTop = 246, kCoinsBottom = 316;
inline constexpr int kCoinsX = 490, kCoinsWidth = 136, kCoinsHeight = 66;
inline constexpr int kCoinWidth = 28, kCoinHeight = 14;
// The lives row.
inline constexpr int kLivesCaption = 324, kLivesTop = 334, kLivesBottom = 360, kLifeY = 337;
inline constexpr int kLifeSize = 20;
// The mascot's window.
inline constexpr int kMascotTop = 368, kMascotBottom = 466;
inline constexpr int kMascotWidth = 96, kMascotHeight = 92;
inline constexpr int kMascotX = kPanelCentre - kMascotWidth / 2, kMascotY = 372;

} // namespace hud
