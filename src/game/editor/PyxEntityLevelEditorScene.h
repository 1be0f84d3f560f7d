#pragma once
// The level editor: the board at its place in a game, with a side panel holding the
// palette of parts, the level's settings and the editor's buttons. The player paints
// parts onto cells (click or drag; right-click or drag erases), picks parts with the
// wheel or the keys, undoes and redoes every change, names the level, checks whether it
// can be won, tries it as a one-level game with the real rules and saves it to the
// player's "Levels/" folder. Everything works from the keyboard too:
//
//   arrows move the cell; Space paints, Backspace or X erases; [ and ] pick the part;
//   Home and End pick a setting, - and + change it; N names the level; T tries it,
//   S saves, O opens, C checks, L manages level sets; Ctrl+Z and Ctrl+Y undo and redo; Tab and
//   Enter reach the buttons; Escape closes what is open, else goes back to the main menu.
//
// The level being built belongs to the scene's type, so it is still there after a try
// or a visit to the menu, for as long as the program runs.
//
// Its type reads, beside the named elements (the buttons "Try", "Save", "Open", "New",
// "Undo", "Redo", "Check", "Menu", the name plate "Name" and the palette's icons
// "Icon<Part>"): "LabelFontEnt", "ValueFontEnt" and "TextFontEnt" (fonts of the settings'
// labels, their values and the lists over the board) and "StartRightEnt",
// "StartDownEnt", "StartLeftEnt", "StartUpEnt" (the start cell's marker by direction).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/QxEntity2DScene.h"
#include "game/editor/PyxEditorPalette.h"
#include "game/editor/PyxEditorRows.h"
#include "game/editor/PyxEditorSetPanel.h"
#include "game/editor/PyxLevelDraft.h"
#include "game/objects/PyxGameEvents.h"
#include "game/rules/PyxLevelCheck.h"

class QxEntity2DGUIFont;
class PyxEntityLevelEditorScene;

class PyxEntityLevelEditorSceneType
    : public QxEntityTypeOf<PyxEntityLevelEditorSceneType, PyxEntityLevelEditorScene,
                            QxEntity2DSceneType> {
public:
    static constexpr std::size_t kPaletteSlots = 14;
    static constexpr std::size_t kStartMarkers = 4; // right, down, left, up

    explicit PyxEntityLevelEditorSceneType(QxDefinition* definition);

    bool Load(bool reload) override;
    bool Unload() override;

    ElementRecord* m_try = nullptr;
    ElementRecord* m_save = nullptr;
    ElementRecord* m_open = nullptr;
    ElementRecord* m_new = nullptr;
    ElementRecord* m_undo = nullptr;
    ElementRecord* m_redo = nullptr;
    ElementRecord* m_check = nullptr;
    ElementRecord* m_menu = nullptr;
    ElementRecord* m_name = nullptr;
    std::array<ElementRecord*, kPaletteSlots> m_icons{};

    QxEntity2DGUIFont* LabelFont() const;
    QxEntity2DGUIFont* ValueFont() const;
    QxEntity2DGUIFont* TextFont() const;
    QxEntity2DGUIElement* StartMarker(std::int32_t dirX, std::int32_t dirY) const;

    // What the player is building, and where the editor stands in it.
    PyxLevelDraft m_draft;
    std::string m_savedPath; // the file this level was opened from or last saved to
    PyxEditorPart m_part = PyxEditorPart::Floor;
    PyxEditorRow m_row = PyxEditorRow::LevelTime;
    std::int32_t m_cursorCol = 3;
    std::int32_t m_cursorRow = 4;

private:
    QxEntityRef m_fontRefs[3];
    QxEntityRef m_startRefs[kStartMarkers];
    std::unique_ptr<QxEntity2DGUIElement> m_fonts[3];
    std::unique_ptr<QxEntity2DGUIElement> m_startMarkers[kStartMarkers];
};

class PyxEntityLevelEditorScene : public QxEntity2DScene, public PyxGameEvents {
public:
    static constexpr std::int32_t kReplaceDialogId = 1;
    static constexpr std::int32_t kDeleteSetDialogId = 2;
    static constexpr float kNoticeMs = 4000.0f;

    explicit PyxEntityLevelEditorScene(PyxEntityLevelEditorSceneType* type);
    ~PyxEntityLevelEditorScene() override;

    bool Update(float ms) override;
    bool DrawOverlay() override;
    bool OnMouseDown(QxPoint mouse, int button) override;
    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnRightButton(QxPoint mouse, bool down) override;
    bool OnMouseWheel(QxPoint mouse, std::int32_t turn) override;
    bool OnKey(int code) override;
    bool OnKeyUp(int code) override;
    bool OnDialogClosed(QxEntity2DGUIElement* dialog) override;

    // The board being built, as the board's objects ask for it while they are drawn.
    PyxLevel* Level() override { return m_preview.get(); }

    // For tests and the runner: what the editor shows.
    const std::vector<PyxLevelProblem>& Problems() const { return m_problems; }
    const std::string& Notice() const { return m_notice; }

private:
    enum class Panel { None, Problems, Open, Sets };

    PyxEntityLevelEditorSceneType* EditorType() const {
        return static_cast<PyxEntityLevelEditorSceneType*>(Type());
    }
    PyxLevelDraft& Draft() const { return EditorType()->m_draft; }

    // After every change of the level: the board drawn anew, the check run again.
    void Rebuild();
    void ShowNotice(const std::string& text);
    void MoveCursor(std::int32_t col, std::int32_t row);
    void PaintAt(std::int32_t col, std::int32_t row);
    void EraseAt(std::int32_t col, std::int32_t row);
    void SelectPart(std::int32_t step);
    void SelectPartAt(std::size_t slot);
    void SelectRow(std::int32_t step);
    void StepRow(PyxEditorRow row, std::int32_t step);
    void Undo();
    void Redo();
    void NewLevel();
    void StartNaming();
    void FinishNaming(bool keep);
    void Try();
    void Save();
    void WriteLevel();
    void ShowOpenList();
    void OpenChosen();
    void ToggleProblems();
    bool HandleOpenListKey(int code);
    void ShowSets();
    PyxEditorSetPanel::Edited EditedLevel() const;
    void SetPanelReply(PyxEditorSetPanel::Reply reply);
    bool SetPanelClick(QxPoint mouse);
    bool PressButtonAt(QxPoint mouse);
    void ShowTooltips(QxPoint mouse);

    void DrawBoard();
    void DrawMarks();
    void DrawPanel();
    void DrawProblems();
    void DrawOpenList();
    void DrawSetPanel();
    void DrawNotice();

    std::unique_ptr<PyxLevel> m_preview;
    std::vector<PyxLevelProblem> m_problems;
    Panel m_panel = Panel::None;
    std::vector<std::string> m_openFiles;
    std::size_t m_openIndex = 0;
    PyxEditorSetPanel m_sets;
    std::string m_notice;
    float m_noticeMs = 0.0f;
    bool m_painting = false;
    bool m_erasing = false;
    std::int32_t m_strokeCell = -1;
    bool m_controlHeld = false;
    bool m_naming = false;
    QxPoint m_lastMouse{-1, -1};
};

using PyxEntityLevelEditorScenePrototype = QxTypePrototype<PyxEntityLevelEditorSceneType>;
