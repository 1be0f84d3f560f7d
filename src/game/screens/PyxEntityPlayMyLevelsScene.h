#pragma once
// "Play My Levels": the player's own level sets and those shared with them, one row
// each on the left, the chosen set's levels on the right (a level that cannot be played
// says why, and so does a set). "Play Set" plays the chosen set's playable levels in
// order with the real rules; its results go to the set's own high-score table. The
// sets are read when the screen opens, so a set dropped into the level folder meanwhile
// shows on the next visit.
//
//   Up and Down (or the wheel, or a click) choose a set; Enter plays it; Tab reaches
//   the buttons; Escape goes back to the main menu.
//
// Its type reads, beside the buttons "Play" and "Back": "TitleFontEnt", "TextFontEnt"
// and "NoteFontEnt" (the fonts of titles, rows and the small notes under them).

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/QxEntity2DScene.h"
#include "game/editor/PyxPlayableSets.h"

class QxEntity2DGUIFont;
class PyxEntityPlayMyLevelsScene;

class PyxEntityPlayMyLevelsSceneType
    : public QxEntityTypeOf<PyxEntityPlayMyLevelsSceneType, PyxEntityPlayMyLevelsScene,
                            QxEntity2DSceneType> {
public:
    explicit PyxEntityPlayMyLevelsSceneType(QxDefinition* definition);

    bool Load(bool reload) override;
    bool Unload() override;

    ElementRecord* m_play = nullptr;
    ElementRecord* m_back = nullptr;

    QxEntity2DGUIFont* TitleFont() const;
    QxEntity2DGUIFont* TextFont() const;
    QxEntity2DGUIFont* NoteFont() const;

private:
    QxEntityRef m_fontRefs[3];
    std::unique_ptr<QxEntity2DGUIElement> m_fonts[3];
};

class PyxEntityPlayMyLevelsScene : public QxEntity2DScene {
public:
    explicit PyxEntityPlayMyLevelsScene(PyxEntityPlayMyLevelsSceneType* type);

    bool Update(float ms) override;
    bool DrawOverlay() override;
    bool OnMouseUp(QxPoint mouse, int button) override;
    bool OnMouseWheel(QxPoint mouse, std::int32_t turn) override;
    bool OnKey(int code) override;

    // For tests and the runner: what the screen lists.
    const std::vector<PyxPlayableSet>& Sets() const { return m_sets; }
    std::size_t Chosen() const { return m_chosen; }

private:
    PyxEntityPlayMyLevelsSceneType* SetsType() const {
        return static_cast<PyxEntityPlayMyLevelsSceneType*>(Type());
    }
    void Choose(std::size_t index);
    void PlayChosen();
    void DrawSetList();
    void DrawChosenSet();

    std::vector<PyxPlayableSet> m_sets;
    std::size_t m_chosen = 0;
    std::string m_notice; // why Play did nothing
};

using PyxEntityPlayMyLevelsScenePrototype = QxTypePrototype<PyxEntityPlayMyLevelsSceneType>;
