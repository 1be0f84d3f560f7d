#pragma once
// Where the level editor's parts sit on the screen (pixels). The content builder paints
// the editor's background around these places, content/data/ui/editor/leveleditor.ent
// puts the buttons on them and the editor scene draws and hit-tests with them; all
// three must agree.

namespace editor {

// The board, as in a game.
inline constexpr int kBoardX = 16, kBoardY = 16, kCellSize = 56, kBoardCells = 8;
// The side panel's windows span this.
inline constexpr int kPanelLeft = 488, kPanelRight = 628;
// The level's name plate.
inline constexpr int kNameTop = 14, kNameBottom = 40;
// The palette: four columns of slots, each showing a part's icon.
inline constexpr int kPartsCaption = 56; // baseline of its caption
inline constexpr int kPaletteLeft = 490, kPaletteTop = 62;
inline constexpr int kPaletteColumns = 4, kPaletteRows = 4;
inline constexpr int kSlotWidth = 34, kSlotHeight = 36, kIconSize = 28;
// The level's settings, one a row.
inline constexpr int kLevelCaption = 224;
inline constexpr int kRowsTop = 232, kRows = 8, kRowHeight = 16;
inline constexpr int kRowLabelX = 494, kRowValueX = 622;
// The buttons: two columns of four.
inline constexpr int kButtonsTop = 372, kButtonRowStep = 24;
inline constexpr int kButtonLeft = 491, kButtonColumnStep = 70;
inline constexpr int kButtonWidth = 64, kButtonHeight = 20, kButtonMargin = 4;

} // namespace editor
