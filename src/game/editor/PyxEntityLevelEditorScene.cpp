#include "game/editor/PyxEntityLevelEditorScene.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/QxGlobals.h"
#include "app/QxInputEvent.h"
#include "app/QxMouseState.h"
#include "app/QxScreenSize.h"
#include "engine/files/QxLog.h"
#include "engine/gui/QxDialogInterface.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/screen/QxScreen2D.h"
#include "game/editor/PyxEditorLayout.h"
#include "game/editor/PyxEditorLevelCheck.h"
#include "game/editor/PyxMyLevels.h"
#include "game/screens/PyxOfferedGame.h"
#include "game/screens/PyxSceneSupport.h"

namespace {

using namespace editor;

constexpr const char* kSlotNames[] = {
    "IconFloor", "IconFloorB", "IconFloorC", "IconTrap",  "IconPost",  "IconLift",  "IconGear",
    "IconDefl7", "IconDefl9",  "IconDefl3",  "IconDefl1", "IconPower", "IconBonus", "IconStart"};
constexpr const char* kFontKeys[] = {"LabelFontEnt", "ValueFontEnt", "TextFontEnt"};
constexpr const char* kStartKeys[] = {"StartRightEnt", "StartDownEnt", "StartLeftEnt",
                                      "StartUpEnt"};

// Typed characters of the keyboard shortcuts; Ctrl+Z and Ctrl+Y type these codes.
constexpr int kCtrlY = 25;
constexpr int kCtrlZ = 26;
constexpr int kBackspace = 8;
constexpr std::int32_t kNameLimit = 32;
// Tooltips open below the pointer, clear of its picture.
constexpr std::int32_t kTooltipDrop = 22;

const QxColour kHighlight{255, 214, 120};
const QxColour kProblemMark{230, 72, 56};
const QxColour kWarningMark{240, 180, 60};
const QxColour kShade{0, 0, 0, 150};
const QxColour kValueTint{255, 220, 140};
const QxColour kSelectedRow{64, 150, 150, 90};
// The lists over the board are shaded to black, which a tint cannot lighten.
const QxColour kChosenLine{24, 78, 92};

constexpr QxRect kBoardRect{kBoardX, kBoardX + kBoardCells* kCellSize, kBoardY,
                            kBoardY + kBoardCells* kCellSize};

QxRect CellRect(std::int32_t col, std::int32_t row) {
    return QxRect{kBoardX + col * kCellSize, kBoardX + (col + 1) * kCellSize,
                  kBoardY + row * kCellSize, kBoardY + (row + 1) * kCellSize};
}

QxRect SlotRect(std::size_t slot) {
    const int col = static_cast<int>(slot) % kPaletteColumns;
    const int row = static_cast<int>(slot) / kPaletteColumns;
    return QxRect{kPaletteLeft + col * kSlotWidth, kPaletteLeft + (col + 1) * kSlotWidth,
                  kPaletteTop + row * kSlotHeight, kPaletteTop + (row + 1) * kSlotHeight};
}

QxRect RowRect(std::int32_t row) {
    return QxRect{kPanelLeft + 2, kPanelRight - 2, kRowsTop + row * kRowHeight,
                  kRowsTop + (row + 1) * kRowHeight};
}

bool Inside(const QxRect& rect, QxPoint point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

// The cell under a screen point, or false off the board.
bool CellAt(QxPoint point, std::int32_t& col, std::int32_t& row) {
    if (!Inside(kBoardRect, point)) {
        return false;
    }
    col = (point.x - kBoardX) / kCellSize;
    row = (point.y - kBoardY) / kCellSize;
    return true;
}

// A frame of the given thickness just inside the rectangle.
void Frame(const QxRect& r, int thickness, const QxColour& colour) {
    if (g_screen == nullptr) {
        return;
    }
    g_screen->FillRect({r.left, r.right, r.top, r.top + thickness}, colour);
    g_screen->FillRect({r.left, r.right, r.bottom - thickness, r.bottom}, colour);
    g_screen->FillRect({r.left, r.left + thickness, r.top, r.bottom}, colour);
    g_screen->FillRect({r.right - thickness, r.right, r.top, r.bottom}, colour);
}

void Text(QxEntity2DGUIFont* font, const std::string& text, int x, int y, int justify,
          const QxColour* tint = nullptr) {
    if (font != nullptr) {
        font->DrawString(text, QxPoint{x, y}, justify, 255, tint);
    }
}

std::size_t SlotOf(PyxEditorPart part) {
    const auto parts = PyxEditorParts();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i].part == part) {
            return i;
        }
    }
    return 0;
}

constexpr QxRect kNamePlate{kPanelLeft, kPanelRight, kNameTop, kNameBottom};

// The list of saved levels over the board: a line each from kListTop, as many as fit.
constexpr QxRect kListBox{kBoardRect.left + 40, kBoardRect.right - 40, kBoardRect.top + 40,
                          kBoardRect.bottom - 40};
constexpr int kListTop = kListBox.top + 30, kListLine = 16;
constexpr std::size_t kListShown = 19;

// The first line listed keeps the chosen one in view.
std::size_t FirstListed(std::size_t chosen, std::size_t shown = kListShown) {
    return chosen >= shown ? chosen - shown + 1 : 0;
}

// The way from the Open list to the level sets, at its top right.
constexpr QxRect kSetsTag{kListBox.right - 96, kListBox.right - 6, kListBox.top + 5,
                          kListBox.top + 23};

// The set window has the Open list's box, lower by a line of the notice, which tells how
// each of its actions went; its buttons, four a row, stand at its foot.
constexpr QxRect kSetBox{kListBox.left, kListBox.right, kListBox.top + 16, kListBox.bottom + 16};
constexpr int kSetListTop = kSetBox.top + 30;
constexpr int kActionColumns = 4, kActionWidth = 84, kActionStep = 88, kActionHeight = 18,
              kActionRowStep = 22;
constexpr std::size_t kSetLinesShown = 17;

QxRect ActionRect(std::size_t index, std::size_t count) {
    const int rows = static_cast<int>((count + kActionColumns - 1) / kActionColumns);
    const int row = static_cast<int>(index) / kActionColumns;
    const int col = static_cast<int>(index) % kActionColumns;
    const int top = kSetBox.bottom - 8 - (rows - row) * kActionRowStep;
    const int left = kSetBox.left + 10 + col * kActionStep;
    return QxRect{left, left + kActionWidth, top, top + kActionHeight};
}

// The notice's text in lines that fit the width, broken after a space or a '/' (a
// path is shown whole).
std::vector<std::string> NoticeLines(const QxEntity2DGUIFont* font, const std::string& text,
                                     int width) {
    std::vector<std::string> lines;
    std::string line;
    std::string word;
    const auto fits = [&](const std::string& candidate) {
        return font == nullptr || static_cast<int>(font->TextWidth(candidate, false)) <= width;
    };
    const auto flush = [&] {
        if (!line.empty() && !fits(line + word)) {
            lines.push_back(line);
            line.clear();
        }
        line += word;
        word.clear();
    };
    for (const char c : text) {
        word.push_back(c);
        if (c == ' ' || c == '/') {
            flush();
        }
    }
    flush();
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

} // namespace

// ---- type -------------------------------------------------------------------------------

PyxEntityLevelEditorSceneType::PyxEntityLevelEditorSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_try = AddNamedElement("Try", definition);
    m_save = AddNamedElement("Save", definition);
    m_open = AddNamedElement("Open", definition);
    m_new = AddNamedElement("New", definition);
    m_undo = AddNamedElement("Undo", definition);
    m_redo = AddNamedElement("Redo", definition);
    m_check = AddNamedElement("Check", definition);
    m_menu = AddNamedElement("Menu", definition);
    m_name = AddNamedElement("Name", definition);
    for (std::size_t i = 0; i < kPaletteSlots; ++i) {
        m_icons[i] = AddNamedElement(kSlotNames[i], definition);
    }
    if (definition == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kFontKeys); ++i) {
        definition->ReadKey(kFontKeys[i], m_fontRefs[i]);
    }
    for (std::size_t i = 0; i < kStartMarkers; ++i) {
        definition->ReadKey(kStartKeys[i], m_startRefs[i]);
    }
}

bool PyxEntityLevelEditorSceneType::Load(bool reload) {
    if (IsLoaded()) {
        return true;
    }
    for (std::size_t i = 0; i < std::size(m_fonts); ++i) {
        if (!m_fonts[i]) {
            m_fonts[i] = QxCreateGUIElement(m_fontRefs[i]);
        }
    }
    for (std::size_t i = 0; i < kStartMarkers; ++i) {
        if (!m_startMarkers[i]) {
            m_startMarkers[i] = QxCreateGUIElement(m_startRefs[i]);
        }
    }
    const bool loaded = QxEntity2DSceneType::Load(reload);
    // The icons sit in the palette's slots whatever the definition says.
    for (std::size_t i = 0; i < kPaletteSlots; ++i) {
        if (QxEntity2DGUIElement* icon = NamedElement(m_icons[i])) {
            const QxRect slot = SlotRect(i);
            icon->SetPosition({slot.left + (kSlotWidth - kIconSize) / 2,
                               slot.top + (kSlotHeight - kIconSize) / 2});
        }
    }
    return loaded;
}

bool PyxEntityLevelEditorSceneType::Unload() {
    for (auto& font : m_fonts) {
        font.reset();
    }
    for (auto& marker : m_startMarkers) {
        marker.reset();
    }
    return QxEntity2DSceneType::Unload();
}

QxEntity2DGUIFont* PyxEntityLevelEditorSceneType::LabelFont() const {
    return dynamic_cast<QxEntity2DGUIFont*>(m_fonts[0].get());
}

QxEntity2DGUIFont* PyxEntityLevelEditorSceneType::ValueFont() const {
    return dynamic_cast<QxEntity2DGUIFont*>(m_fonts[1].get());
}

QxEntity2DGUIFont* PyxEntityLevelEditorSceneType::TextFont() const {
    return dynamic_cast<QxEntity2DGUIFont*>(m_fonts[2].get());
}

QxEntity2DGUIElement* PyxEntityLevelEditorSceneType::StartMarker(std::int32_t dirX,
                                                                 std::int32_t dirY) const {
    std::size_t index = 0; // right
    if (dirY > 0) {
        index = 1;
    } else if (dirX < 0) {
        index = 2;
    } else if (dirY < 0) {
        index = 3;
    }
    return m_startMarkers[index].get();
}

// ---- scene --------------------------------------------------------------------------------

PyxEntityLevelEditorScene::PyxEntityLevelEditorScene(PyxEntityLevelEditorSceneType* type)
    : QxEntity2DScene(type) {
    type->Load(false);
    AllowFullScreenKey(true);
    SetElementJustify(type->m_name, 3);
    Rebuild();
}

PyxEntityLevelEditorScene::~PyxEntityLevelEditorScene() {
    if (GameEvents() == this) {
        SetGameEvents(nullptr);
    }
}

void PyxEntityLevelEditorScene::Rebuild() {
    // The board's objects find their level through the game's events while they are
    // made and drawn; the editor stands in for the game for that long only.
    PyxGameEvents* game = GameEvents();
    SetGameEvents(this);
    m_preview = Draft().BuildLevel();
    if (m_preview) {
        m_preview->ActivateObjects(false);
        m_problems = PyxCheckLevel(*m_preview);
    } else {
        m_problems = {{PyxLevelProblem::Severity::Error, "The board's parts cannot be made.", {}}};
    }
    SetGameEvents(game == this ? nullptr : game);
    if (!m_naming) {
        SetElementText(EditorType()->m_name, Draft().Current().settings.name);
    }
}

void PyxEntityLevelEditorScene::ShowNotice(const std::string& text) {
    m_notice = text;
    m_noticeMs = kNoticeMs;
}

// ---- the frame ----------------------------------------------------------------------------

bool PyxEntityLevelEditorScene::Update(float ms) {
    // The whole screen is drawn again every frame: the board, its marks, the lists over
    // it and the tooltips change in more ways than dirty areas follow without traces,
    // and an editor has the processor to spare.
    if (g_screen != nullptr) {
        g_screen->MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, false);
    }
    const QxPoint mouse{g_mouseState.x, g_mouseState.y};
    if (!IsModal()) {
        // A mouse that has not moved leaves the cell where the keys put it.
        std::int32_t col = 0, row = 0;
        if ((mouse.x != m_lastMouse.x || mouse.y != m_lastMouse.y) && CellAt(mouse, col, row)) {
            MoveCursor(col, row);
        }
        if (m_painting && g_mouseState.leftButton == 0) {
            m_painting = false; // the button came up while the window was away
        }
        if ((m_painting || m_erasing) && CellAt(mouse, col, row) &&
            row * PyxLevelDraft::kColumns + col != m_strokeCell) {
            if (m_painting) {
                PaintAt(col, row);
            } else {
                EraseAt(col, row);
            }
        }
        ShowTooltips(mouse);
    }
    m_lastMouse = mouse;
    if (m_noticeMs > 0.0f) {
        m_noticeMs -= ms;
        if (m_noticeMs <= 0.0f) {
            m_notice.clear();
        }
    }
    if (m_naming) { // the caret blinks
    }
    PyxEntityLevelEditorSceneType* type = EditorType();
    if (QxEntity2DGUIElement* undo = NamedElement(type->m_undo)) {
        undo->SetDisabled(!Draft().CanUndo());
    }
    if (QxEntity2DGUIElement* redo = NamedElement(type->m_redo)) {
        redo->SetDisabled(!Draft().CanRedo());
    }
    return QxEntity2DScene::Update(ms);
}

void PyxEntityLevelEditorScene::ShowTooltips(QxPoint mouse) {
    PyxEntityLevelEditorSceneType* type = EditorType();
    const auto parts = PyxEditorParts();
    for (std::size_t i = 0; i < parts.size() && i < type->m_icons.size(); ++i) {
        if (Inside(SlotRect(i), mouse)) {
            // To the pointer's left: the panel is at the screen's right edge.
            const std::string tip = std::string(parts[i].label) + ": " + parts[i].tooltip;
            const QxEntity2DGUIFont* font = type->ValueFont();
            const auto width = static_cast<std::int32_t>(font ? font->TextWidth(tip, false) : 0);
            ShowTooltip(NamedElement(type->m_icons[i]), mouse.x - width - kTooltipDrop,
                        mouse.y + kTooltipDrop, tip);
            return;
        }
    }
    // The tips of the windows over the board stay on the screen, however long.
    const auto windowTip = [&](const std::string& tip) {
        const QxEntity2DGUIFont* font = type->ValueFont();
        const auto width = static_cast<std::int32_t>(font ? font->TextWidth(tip, false) : 0);
        ShowTooltip(NamedElement(type->m_open),
                    std::max(0, std::min(mouse.x, kScreenWidth - width - 16)),
                    mouse.y + kTooltipDrop, tip);
    };
    if (m_panel == Panel::Open && Inside(kSetsTag, mouse)) {
        windowTip("Make, fill, order and export your level sets (L)");
        return;
    }
    if (m_panel == Panel::Sets) {
        const auto& actions = m_sets.Actions();
        for (std::size_t i = 0; i < actions.size(); ++i) {
            if (Inside(ActionRect(i, actions.size()), mouse)) {
                windowTip(actions[i].tip);
                return;
            }
        }
    }
    const struct {
        const QxEntity2DSceneType::ElementRecord* record;
        const char* text;
    } buttons[] = {
        {type->m_try, "Play this level now (T)"},
        {type->m_save, "Save it to your levels (S)"},
        {type->m_open, "Open one of your levels (O), or your level sets (L)"},
        {type->m_new, "Start a new level"},
        {type->m_undo, "Undo the last change (Ctrl+Z)"},
        {type->m_redo, "Redo what was undone (Ctrl+Y)"},
        {type->m_check, "List what keeps it from being won (C)"},
        {type->m_menu, "Back to the main menu (Esc)"},
    };
    if (Inside(kNamePlate, mouse)) {
        ShowTooltip(NamedElement(type->m_name), mouse.x, mouse.y + kTooltipDrop,
                    "Click or press N to name the level");
        return;
    }
    for (const auto& button : buttons) {
        QxEntity2DGUIElement* element = NamedElement(button.record);
        if (element != nullptr && Inside(element->GetRect(), mouse)) {
            ShowTooltip(element, mouse.x, mouse.y + kTooltipDrop, button.text);
            return;
        }
    }
}

bool PyxEntityLevelEditorScene::DrawOverlay() {
    DrawBoard();
    DrawMarks();
    DrawPanel();
    if (m_panel == Panel::Problems) {
        DrawProblems();
    } else if (m_panel == Panel::Open) {
        DrawOpenList();
    } else if (m_panel == Panel::Sets) {
        DrawSetPanel();
    }
    DrawNotice();
    return QxEntity2DScene::DrawOverlay();
}

void PyxEntityLevelEditorScene::DrawBoard() {
    if (!m_preview) {
        return;
    }
    PyxGameEvents* game = GameEvents();
    SetGameEvents(this);
    m_preview->Draw();
    SetGameEvents(game == this ? nullptr : game);
    const PyxLevelDraft::State& state = Draft().Current();
    QxEntity2DGUIElement* marker = EditorType()->StartMarker(state.startDirX, state.startDirY);
    const QxRect start = CellRect(state.startCol, state.startRow);
    QxDrawElementAt(marker, start.left, start.top);
}

void PyxEntityLevelEditorScene::DrawMarks() {
    if (m_panel == Panel::Problems) {
        for (const PyxLevelProblem& problem : m_problems) {
            const QxColour& colour =
                problem.severity == PyxLevelProblem::Severity::Error ? kProblemMark : kWarningMark;
            for (const std::int32_t cell : problem.cells) {
                if (cell >= 0 && cell < PyxLevelDraft::kCells) {
                    Frame(CellRect(cell % PyxLevelDraft::kColumns, cell / PyxLevelDraft::kColumns),
                          3, colour);
                }
            }
        }
    }
    const PyxEntityLevelEditorSceneType* type = EditorType();
    Frame(CellRect(type->m_cursorCol, type->m_cursorRow), 2, kHighlight);
}

void PyxEntityLevelEditorScene::DrawPanel() {
    const PyxEntityLevelEditorSceneType* type = EditorType();
    Frame(SlotRect(SlotOf(type->m_part)), 2, kHighlight);
    const PyxLevelDraft::Settings& settings = Draft().Current().settings;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(PyxEditorRow::Count); ++i) {
        const auto row = static_cast<PyxEditorRow>(i);
        const QxRect rect = RowRect(i);
        if (row == type->m_row && g_screen != nullptr) {
            g_screen->TintRect(rect.left, rect.top, rect.Width(), rect.Height(), kSelectedRow);
        }
        Text(type->LabelFont(), PyxEditorRowOf(row).label, kRowLabelX, rect.top + 2, 1);
        Text(type->ValueFont(), PyxEditorRowValue(settings, row), kRowValueX, rect.top + 2, 2,
             &kValueTint);
    }
}

void PyxEntityLevelEditorScene::DrawProblems() {
    QxEntity2DGUIFont* font = EditorType()->TextFont();
    std::vector<std::string> lines;
    for (const PyxLevelProblem& problem : m_problems) {
        lines.push_back(
            (problem.severity == PyxLevelProblem::Severity::Warning ? "Warning: " : "") +
            problem.text);
    }
    if (lines.empty()) {
        lines.push_back("No problems: this level can be won and saved.");
    }
    constexpr int kLine = 16;
    const int height = 12 + kLine * static_cast<int>(lines.size() + 1);
    const QxRect box{kBoardRect.left + 8, kBoardRect.right - 8, kBoardRect.bottom - 8 - height,
                     kBoardRect.bottom - 8};
    if (g_screen != nullptr) {
        g_screen->TintRect(box.left, box.top, box.Width(), box.Height(), kShade);
    }
    Frame(box, 1, kHighlight);
    int y = box.top + 6;
    Text(font,
         PyxLevelIsWinnable(m_problems) ? "Check: the level can be saved"
                                        : "Check: fix these to save the level",
         box.left + 10, y, 1, &kHighlight);
    for (const std::string& line : lines) {
        y += kLine;
        Text(font, line, box.left + 10, y, 1);
    }
}

void PyxEntityLevelEditorScene::DrawOpenList() {
    QxEntity2DGUIFont* font = EditorType()->TextFont();
    const QxRect& box = kListBox;
    if (g_screen != nullptr) {
        g_screen->TintRect(box.left, box.top, box.Width(), box.Height(), kShade);
    }
    Frame(box, 1, kHighlight);
    Text(font, "Open a level", box.left + 10, box.top + 8, 1, &kHighlight);
    const std::size_t first = FirstListed(m_openIndex);
    int y = kListTop;
    if (m_openFiles.empty()) {
        Text(font, "No levels saved yet.", box.left + 10, y, 1);
    }
    for (std::size_t i = first; i < m_openFiles.size() && i < first + kListShown;
         ++i, y += kListLine) {
        if (i == m_openIndex && g_screen != nullptr) {
            g_screen->FillRect({box.left + 4, box.right - 4, y - 2, y - 2 + kListLine},
                               kChosenLine);
        }
        Text(font, m_openFiles[i], box.left + 10, y, 1);
    }
    Text(font, "Enter opens, Esc closes", box.left + 10, box.bottom - 20, 1, &kHighlight);
    Frame(kSetsTag, 1, kHighlight);
    Text(font, "Sets (L)", (kSetsTag.left + kSetsTag.right) / 2, kSetsTag.top + 2, 3);
}

void PyxEntityLevelEditorScene::DrawSetPanel() {
    QxEntity2DGUIFont* font = EditorType()->TextFont();
    const QxRect& box = kSetBox;
    if (g_screen != nullptr) {
        g_screen->TintRect(box.left, box.top, box.Width(), box.Height(), kShade);
    }
    Frame(box, 1, kHighlight);
    Text(font, m_sets.Title(), box.left + 10, box.top + 8, 1, &kHighlight);
    int y = kSetListTop;
    if (m_sets.CurrentView() == PyxEditorSetPanel::View::Naming) {
        Frame({box.left + 8, box.right - 8, y - 4, y + 16}, 1, kHighlight);
        Text(font, m_sets.Typed() + "_", box.left + 14, y, 1);
        Text(font, "Letters and digits are kept, the rest", box.left + 10, y + 30, 1);
        Text(font, "becomes '-'.", box.left + 10, y + 46, 1);
    } else {
        const std::vector<std::string>& lines = m_sets.Lines();
        if (lines.empty()) {
            Text(font, m_sets.EmptyText(), box.left + 10, y, 1);
        }
        const std::size_t first = FirstListed(m_sets.Chosen(), kSetLinesShown);
        for (std::size_t i = first; i < lines.size() && i < first + kSetLinesShown;
             ++i, y += kListLine) {
            if (i == m_sets.Chosen() && g_screen != nullptr) {
                g_screen->FillRect({box.left + 4, box.right - 4, y - 2, y - 2 + kListLine},
                                   kChosenLine);
            }
            Text(font, lines[i], box.left + 10, y, 1);
        }
    }
    const auto& actions = m_sets.Actions();
    QxEntity2DGUIFont* small = EditorType()->ValueFont();
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const QxRect rect = ActionRect(i, actions.size());
        if (g_screen != nullptr) {
            g_screen->FillRect(rect, kChosenLine);
        }
        Frame(rect, 1, kHighlight);
        Text(small, actions[i].label, (rect.left + rect.right) / 2, rect.top + 3, 3);
    }
    const bool naming = m_sets.CurrentView() == PyxEditorSetPanel::View::Naming;
    Text(small,
         naming ? "Type the name, Enter keeps it, Esc goes back" : "Arrows choose, Esc goes back",
         box.left + 10, ActionRect(0, actions.size()).top - 18, 1, &kHighlight);
}

void PyxEntityLevelEditorScene::DrawNotice() {
    if (m_notice.empty()) {
        return;
    }
    QxEntity2DGUIFont* font = EditorType()->TextFont();
    const std::vector<std::string> lines = NoticeLines(font, m_notice, kBoardRect.Width() - 16);
    const QxRect band{kBoardRect.left, kBoardRect.right, kBoardRect.top + 8,
                      kBoardRect.top + 14 + 16 * static_cast<int>(lines.size())};
    if (g_screen != nullptr) {
        g_screen->TintRect(band.left, band.top, band.Width(), band.Height(), kShade);
    }
    int y = band.top + 4;
    for (const std::string& line : lines) {
        Text(font, line, (band.left + band.right) / 2, y, 3, &kHighlight);
        y += 16;
    }
}

// ---- editing ------------------------------------------------------------------------------

void PyxEntityLevelEditorScene::MoveCursor(std::int32_t col, std::int32_t row) {
    PyxEntityLevelEditorSceneType* type = EditorType();
    col = std::clamp(col, 0, PyxLevelDraft::kColumns - 1);
    row = std::clamp(row, 0, PyxLevelDraft::kRows - 1);
    if (col == type->m_cursorCol && row == type->m_cursorRow) {
        return;
    }
    type->m_cursorCol = col;
    type->m_cursorRow = row;
}

void PyxEntityLevelEditorScene::PaintAt(std::int32_t col, std::int32_t row) {
    m_strokeCell = row * PyxLevelDraft::kColumns + col;
    MoveCursor(col, row);
    if (Draft().Paint(col, row, EditorType()->m_part)) {
        Rebuild();
    }
}

void PyxEntityLevelEditorScene::EraseAt(std::int32_t col, std::int32_t row) {
    m_strokeCell = row * PyxLevelDraft::kColumns + col;
    MoveCursor(col, row);
    if (Draft().Erase(col, row)) {
        Rebuild();
    }
}

void PyxEntityLevelEditorScene::SelectPart(std::int32_t step) {
    const auto count = static_cast<std::int32_t>(PyxEditorParts().size());
    const auto slot = static_cast<std::int32_t>(SlotOf(EditorType()->m_part));
    SelectPartAt(static_cast<std::size_t>(((slot + step) % count + count) % count));
}

void PyxEntityLevelEditorScene::SelectPartAt(std::size_t slot) {
    const auto parts = PyxEditorParts();
    if (slot < parts.size()) {
        EditorType()->m_part = parts[slot].part;
    }
}

void PyxEntityLevelEditorScene::SelectRow(std::int32_t step) {
    const auto count = static_cast<std::int32_t>(PyxEditorRow::Count);
    const auto row = static_cast<std::int32_t>(EditorType()->m_row);
    EditorType()->m_row = static_cast<PyxEditorRow>(((row + step) % count + count) % count);
}

void PyxEntityLevelEditorScene::StepRow(PyxEditorRow row, std::int32_t step) {
    EditorType()->m_row = row;
    const PyxLevelDraft::Settings next = PyxStepEditorRow(Draft().Current().settings, row, step);
    if (Draft().SetSettings(next)) {
        Rebuild();
    } else {
    }
}

void PyxEntityLevelEditorScene::Undo() {
    if (Draft().Undo()) {
        Rebuild();
    }
}

void PyxEntityLevelEditorScene::Redo() {
    if (Draft().Redo()) {
        Rebuild();
    }
}

void PyxEntityLevelEditorScene::NewLevel() {
    // One step like any other: Undo brings the old board back.
    Draft().Clear();
    EditorType()->m_savedPath.clear();
    m_panel = Panel::None;
    Rebuild();
    ShowNotice("A new level. Ctrl+Z brings the old one back.");
}

void PyxEntityLevelEditorScene::StartNaming() {
    QxEntity2DGUIElement* name = NamedElement(EditorType()->m_name);
    if (name == nullptr || m_naming) {
        return;
    }
    m_naming = true;
    name->SetBool(kPropEditing, 1);
}

void PyxEntityLevelEditorScene::FinishNaming(bool keep) {
    auto* name = dynamic_cast<QxEntity2DGUIText*>(NamedElement(EditorType()->m_name));
    if (name == nullptr || !m_naming) {
        return;
    }
    m_naming = false;
    name->SetBool(kPropEditing, 0);
    PyxLevelDraft::Settings settings = Draft().Current().settings;
    std::string text = name->Text().substr(0, kNameLimit);
    // A name of spaces only would save as "level.lvl" and show nothing.
    if (keep && text.find_first_not_of(' ') != std::string::npos && text != settings.name) {
        settings.name = text;
        Draft().SetSettings(settings);
    }
    Rebuild();
}

void PyxEntityLevelEditorScene::ToggleProblems() {
    m_panel = m_panel == Panel::Problems ? Panel::None : Panel::Problems;
}

void PyxEntityLevelEditorScene::Try() {
    std::vector<std::uint8_t> bytes = Draft().LevelBytes();
    if (bytes.empty()) {
        ShowNotice("This board cannot be played: its parts cannot be made.");
        return;
    }
    auto trial = std::make_unique<PyxOfferedGame>();
    trial->game.levels.push_back(PyxOwnLevel{"(level being tried)", std::move(bytes)});
    trial->returnClass = "PyxLevelEditor";
    trial->returnType = "leveleditor";
    PyxOfferGame(std::move(trial));
    GoToScene(*this, "PyxStdGame", "stdgame");
}

void PyxEntityLevelEditorScene::Save() {
    if (!PyxLevelIsWinnable(m_problems)) {
        LogPrintf("Level editor - not saved, the level cannot be won: %s",
                  m_problems.front().text.c_str());
        m_panel = Panel::Problems;
        ShowNotice("Not saved: the level cannot be won yet.");
        return;
    }
    const std::string folder = PyxMyLevelsFolder();
    if (folder.empty()) {
        ShowNotice("Not saved: there is no folder for your levels.");
        return;
    }
    const std::string path = folder + PyxLevelFileName(Draft().Current().settings.name);
    std::error_code ec;
    if (path != EditorType()->m_savedPath && std::filesystem::exists(path, ec)) {
        ShowQuestion(*this, "Replace level",
                     "A level saved as " + std::filesystem::path(path).filename().string() +
                         " is already there. Replace it?",
                     kReplaceDialogId);
        return;
    }
    WriteLevel();
}

void PyxEntityLevelEditorScene::WriteLevel() {
    const std::string path =
        PyxMyLevelsFolder() + PyxLevelFileName(Draft().Current().settings.name);
    std::unique_ptr<PyxLevel> level = Draft().BuildLevel();
    std::string error;
    if (!level || !PyxWriteLevelFile(path, *level, error)) {
        ShowNotice("Not saved: " + (level ? error : std::string("the parts cannot be made")));
        return;
    }
    EditorType()->m_savedPath = path;
    LogPrintf("Level editor - saved %s", path.c_str());
    ShowNotice("Saved as Levels/" + std::filesystem::path(path).filename().string());
}

void PyxEntityLevelEditorScene::ShowOpenList() {
    m_openFiles = PyxListLevelFiles(PyxMyLevelsFolder());
    m_openIndex = 0;
    const std::string current =
        std::filesystem::path(EditorType()->m_savedPath).filename().string();
    for (std::size_t i = 0; i < m_openFiles.size(); ++i) {
        if (m_openFiles[i] == current) {
            m_openIndex = i;
        }
    }
    m_panel = Panel::Open;
}

void PyxEntityLevelEditorScene::OpenChosen() {
    if (m_openIndex >= m_openFiles.size()) {
        return;
    }
    const std::string path = PyxMyLevelsFolder() + m_openFiles[m_openIndex];
    PyxLevel level;
    std::string error;
    if (!PyxReadLevelFile(path, level, error) || !Draft().LoadFrom(level, error)) {
        LogPrintf("Level editor - cannot open %s: %s", path.c_str(), error.c_str());
        ShowNotice("Cannot open " + m_openFiles[m_openIndex] + ": " + error);
        return;
    }
    LogPrintf("Level editor - opened %s", path.c_str());
    EditorType()->m_savedPath = path;
    m_panel = Panel::None;
    Rebuild();
    ShowNotice("Opened " + m_openFiles[m_openIndex]);
}

bool PyxEntityLevelEditorScene::HandleOpenListKey(int code) {
    switch (code) {
    case QxKey::Up:
        m_openIndex = m_openIndex > 0 ? m_openIndex - 1 : 0;
        break;
    case QxKey::Down:
        if (m_openIndex + 1 < m_openFiles.size()) {
            ++m_openIndex;
        }
        break;
    case kSceneKeyEnter:
    case ' ':
        OpenChosen();
        break;
    case 'l':
    case 'L':
        ShowSets();
        break;
    case kSceneKeyEscape:
        m_panel = Panel::None;
        break;
    default:
        return false;
    }
    return true;
}

void PyxEntityLevelEditorScene::ShowSets() {
    m_sets.Open(PyxMyLevelsFolder(), PyxExportedSetsFolder());
    m_panel = Panel::Sets;
}

PyxEditorSetPanel::Edited PyxEntityLevelEditorScene::EditedLevel() const {
    PyxEditorSetPanel::Edited edited;
    edited.savedPath = EditorType()->m_savedPath;
    edited.name = Draft().Current().settings.name;
    if (!edited.savedPath.empty()) {
        // The file holds what a save of the board now would write, or it is behind.
        std::vector<std::uint8_t> saved;
        std::string error;
        edited.unsavedChanges =
            !PyxReadWholeFile(edited.savedPath, kPyxMaxLevelBytes, saved, error) ||
            saved != Draft().LevelBytes();
    }
    return edited;
}

void PyxEntityLevelEditorScene::SetPanelReply(PyxEditorSetPanel::Reply reply) {
    if (reply == PyxEditorSetPanel::Reply::AskDelete) {
        ShowQuestion(*this, "Delete set",
                     "Delete the set " + m_sets.TargetSet() + "? Its levels stay.",
                     kDeleteSetDialogId);
    }
    if (std::string notice = m_sets.TakeNotice(); !notice.empty()) {
        ShowNotice(notice);
    }
    if (!m_sets.IsOpen()) {
        m_panel = Panel::None;
    }
}

bool PyxEntityLevelEditorScene::SetPanelClick(QxPoint mouse) {
    if (!Inside(kSetBox, mouse)) {
        return false;
    }
    const PyxEditorSetPanel::Edited edited = EditedLevel();
    const auto& actions = m_sets.Actions();
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (Inside(ActionRect(i, actions.size()), mouse)) {
            SetPanelReply(m_sets.OnKey(actions[i].key, edited));
            return true;
        }
    }
    const std::size_t shown = std::min(m_sets.Lines().size(), kSetLinesShown);
    if (mouse.y >= kSetListTop - 2 &&
        mouse.y < kSetListTop - 2 + static_cast<int>(shown) * kListLine) {
        const std::size_t line = FirstListed(m_sets.Chosen(), kSetLinesShown) +
                                 static_cast<std::size_t>(mouse.y - kSetListTop + 2) / kListLine;
        SetPanelReply(m_sets.OnLineClicked(line, edited));
    }
    return true;
}

// ---- input --------------------------------------------------------------------------------

bool PyxEntityLevelEditorScene::OnMouseDown(QxPoint mouse, int button) {
    if (QxEntity2DScene::OnMouseDown(mouse, button)) {
        return true;
    }
    if (m_naming) {
        FinishNaming(true);
    }
    std::int32_t col = 0, row = 0;
    if (m_panel == Panel::None && CellAt(mouse, col, row)) {
        m_painting = true;
        PaintAt(col, row);
        return true;
    }
    return false;
}

bool PyxEntityLevelEditorScene::OnMouseUp(QxPoint mouse, int button) {
    m_painting = false;
    if (QxEntity2DScene::OnMouseUp(mouse, button)) {
        return true;
    }
    if (m_panel == Panel::Sets && SetPanelClick(mouse)) {
        return true;
    }
    if (m_panel == Panel::Open && Inside(kSetsTag, mouse)) {
        ShowSets();
        return true;
    }
    if (m_panel == Panel::Open) {
        if (Inside(kListBox, mouse)) {
            const std::size_t index =
                FirstListed(m_openIndex) +
                static_cast<std::size_t>(std::max(0, mouse.y - kListTop + 2) / kListLine);
            if (mouse.y >= kListTop - 2 && index < m_openFiles.size()) {
                m_openIndex = index;
                OpenChosen();
            }
            return true;
        }
    }
    for (std::size_t i = 0; i < PyxEditorParts().size(); ++i) {
        if (Inside(SlotRect(i), mouse)) {
            SelectPartAt(i);
            return true;
        }
    }
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(PyxEditorRow::Count); ++i) {
        if (Inside(RowRect(i), mouse)) {
            StepRow(static_cast<PyxEditorRow>(i), 1);
            return true;
        }
    }
    return PressButtonAt(mouse);
}

bool PyxEntityLevelEditorScene::PressButtonAt(QxPoint mouse) {
    PyxEntityLevelEditorSceneType* type = EditorType();
    if (Inside(kNamePlate, mouse)) {
        StartNaming();
    } else if (ClickNamed(type->m_try, mouse)) {
        Try();
    } else if (ClickNamed(type->m_save, mouse)) {
        Save();
    } else if (ClickNamed(type->m_open, mouse)) {
        ShowOpenList();
    } else if (ClickNamed(type->m_new, mouse)) {
        NewLevel();
    } else if (ClickNamed(type->m_undo, mouse)) {
        Undo();
    } else if (ClickNamed(type->m_redo, mouse)) {
        Redo();
    } else if (ClickNamed(type->m_check, mouse)) {
        ToggleProblems();
    } else if (ClickNamed(type->m_menu, mouse)) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
    } else {
        return false;
    }
    return true;
}

bool PyxEntityLevelEditorScene::OnRightButton(QxPoint mouse, bool down) {
    // Ends a stroke whoever takes the release: a box may have opened meanwhile.
    if (!down) {
        m_erasing = false;
    }
    if (QxEntity2DScene::OnRightButton(mouse, down) || !down) {
        return true;
    }
    std::int32_t col = 0, row = 0;
    if (m_panel == Panel::None && CellAt(mouse, col, row)) {
        m_erasing = true;
        EraseAt(col, row);
        return true;
    }
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(PyxEditorRow::Count); ++i) {
        if (Inside(RowRect(i), mouse)) {
            StepRow(static_cast<PyxEditorRow>(i), -1);
            return true;
        }
    }
    return false;
}

bool PyxEntityLevelEditorScene::OnMouseWheel(QxPoint mouse, std::int32_t turn) {
    if (QxEntity2DScene::OnMouseWheel(mouse, turn)) {
        return true;
    }
    const std::int32_t notches = turn / QxInputEvent::kWheelNotch;
    if (notches == 0) {
        return false;
    }
    if (m_panel == Panel::Open) {
        return HandleOpenListKey(notches > 0 ? QxKey::Up : QxKey::Down);
    }
    if (m_panel == Panel::Sets) {
        SetPanelReply(m_sets.OnKey(notches > 0 ? QxKey::Up : QxKey::Down, EditedLevel()));
        return true;
    }
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(PyxEditorRow::Count); ++i) {
        if (Inside(RowRect(i), mouse)) {
            StepRow(static_cast<PyxEditorRow>(i), notches);
            return true;
        }
    }
    // Anywhere else the wheel walks the palette: up goes back.
    SelectPart(-notches);
    return true;
}

bool PyxEntityLevelEditorScene::OnKeyUp(int code) {
    if (code == QxKey::Control) {
        m_controlHeld = false;
    }
    return QxEntity2DScene::OnKeyUp(code);
}

bool PyxEntityLevelEditorScene::OnKey(int code) {
    if (IsModal()) {
        return QxEntity2DScene::OnKey(code);
    }
    if (code == QxKey::Control) {
        m_controlHeld = true;
        return true;
    }
    if (m_naming) {
        if (code == kSceneKeyEnter || code == kSceneKeyEscape) {
            FinishNaming(code == kSceneKeyEnter);
        } else if (auto* name =
                       dynamic_cast<QxEntity2DGUIText*>(NamedElement(EditorType()->m_name));
                   name != nullptr &&
                   (code >= 256 || name->Text().size() < kNameLimit || code == kBackspace)) {
            name->HandleKey(code);
        }
        return true;
    }
    if (m_panel == Panel::Open && HandleOpenListKey(code)) {
        return true;
    }
    if (m_panel == Panel::Sets) {
        // The window takes every key while it is open, so that no key edits the board
        // behind it unseen.
        const PyxEditorSetPanel::Reply reply = m_sets.OnKey(code, EditedLevel());
        if (reply == PyxEditorSetPanel::Reply::Ignored && (code == 's' || code == 'S')) {
            Save(); // a level must be saved before it goes into a set
        }
        SetPanelReply(reply);
        return true;
    }
    const bool control = m_controlHeld;
    if (code == kCtrlZ || (control && (code == 'z' || code == 'Z'))) {
        Undo();
        return true;
    }
    if (code == kCtrlY || (control && (code == 'y' || code == 'Y'))) {
        Redo();
        return true;
    }
    PyxEntityLevelEditorSceneType* type = EditorType();
    switch (code) {
    case QxKey::Up:
        MoveCursor(type->m_cursorCol, type->m_cursorRow - 1);
        return true;
    case QxKey::Down:
        MoveCursor(type->m_cursorCol, type->m_cursorRow + 1);
        return true;
    case QxKey::Left:
        MoveCursor(type->m_cursorCol - 1, type->m_cursorRow);
        return true;
    case QxKey::Right:
        MoveCursor(type->m_cursorCol + 1, type->m_cursorRow);
        return true;
    case ' ':
        PaintAt(type->m_cursorCol, type->m_cursorRow);
        return true;
    case kBackspace:
    case 'x':
    case 'X':
        EraseAt(type->m_cursorCol, type->m_cursorRow);
        return true;
    case '[':
        SelectPart(-1);
        return true;
    case ']':
        SelectPart(1);
        return true;
    case QxKey::Home:
        SelectRow(-1);
        return true;
    case QxKey::End:
        SelectRow(1);
        return true;
    case '-':
        StepRow(type->m_row, -1);
        return true;
    case '+':
    case '=':
        StepRow(type->m_row, 1);
        return true;
    case 'n':
    case 'N':
        StartNaming();
        return true;
    case 't':
    case 'T':
        Try();
        return true;
    case 's':
    case 'S':
        Save();
        return true;
    case 'o':
    case 'O':
        ShowOpenList();
        return true;
    case 'l':
    case 'L':
        ShowSets();
        return true;
    case 'c':
    case 'C':
        ToggleProblems();
        return true;
    case kSceneKeyEscape:
        if (m_panel != Panel::None) {
            m_panel = Panel::None;
        } else {
            GoToScene(*this, "PyxMainMenu", "mainmenu");
        }
        return true;
    default:
        break;
    }
    // Tab and Enter reach the buttons.
    if (QxEntity2DScene::OnKey(code)) {
        return true;
    }
    return false;
}

bool PyxEntityLevelEditorScene::OnDialogClosed(QxEntity2DGUIElement* dialog) {
    const auto* box = dynamic_cast<const QxDialogInterface*>(dialog);
    if (box != nullptr && box->DialogId() == kReplaceDialogId &&
        box->Answer() == kAnswerYesButton) {
        WriteLevel();
    }
    if (box != nullptr && box->DialogId() == kDeleteSetDialogId &&
        box->Answer() == kAnswerYesButton) {
        m_sets.DeleteChosenSet();
        SetPanelReply(PyxEditorSetPanel::Reply::Taken);
    }
    return true;
}
