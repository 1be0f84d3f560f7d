#pragma once
// The scene that shows the high-score table and takes the name of a new entry. On
// creation it inserts the entry that the finished game left behind; when that makes
// the table it opens the name dialog, and when the dialog closes the entry gets the
// name (and the name is remembered for next time). The game's high-score menu
// derives from it and adds its navigation and the level column.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/QxEntity2DScene.h"
#include "engine/gui/QxHighScore.h"
#include "engine/gui/QxHighScoreTable.h"

class QxEntity2DGUIText;

// Left by the game rules when a game ends: the entry to insert (owned; the next
// high-score scene takes care of it), two lines of congratulation, and the file of the
// table it goes into when that is not the program's own (a level set of the player's).
extern std::unique_ptr<QxHighScore> g_pendingHighScore;
extern std::string g_highScoreMessage1;
extern std::string g_highScoreMessage2;
extern std::string g_pendingHighScoreTable;

class QxEntityHighScoreScene;

class QxEntityHighScoreSceneType
    : public QxEntityTypeOf<QxEntityHighScoreSceneType, QxEntityHighScoreScene,
                            QxEntity2DSceneType> {
public:
    static constexpr int kRows = 10;

    explicit QxEntityHighScoreSceneType(QxDefinition* definition);

    // The named parts, once the type has loaded (null when missing).
    QxEntity2DGUIElement* NameElement(int row) const;
    QxEntity2DGUIElement* ScoreElement(int row) const;
    QxEntity2DGUIElement* Congrats() const;
    QxEntity2DGUIElement* Congrats2() const;
    QxEntity2DGUIElement* Done() const;
    QxEntity2DGUIElement* Arrow() const;
    QxEntity2DGUIElement* Hourglass() const;

private:
    static QxEntity2DGUIElement* ElementOf(const ElementRecord* record);

    std::array<ElementRecord*, kRows> m_names{};
    std::array<ElementRecord*, kRows> m_scores{};
    ElementRecord* m_congrats = nullptr;
    ElementRecord* m_congrats2 = nullptr;
    ElementRecord* m_done = nullptr;
    ElementRecord* m_arrow = nullptr;
    ElementRecord* m_hourglass = nullptr;
};

class QxEntityHighScoreScene : public QxEntity2DScene {
public:
    // The dialog id of the name entry.
    static constexpr std::int32_t kNameDialogId = 2;
    // The name stored when the player leaves the name empty.
    static constexpr const char* kEmptyName = "QFS";

    explicit QxEntityHighScoreScene(QxEntityHighScoreSceneType* type);
    // Destroys the pending entry.
    ~QxEntityHighScoreScene() override;

    bool Update(float ms) override;
    // Enter, when no dialog takes it, finishes the entry.
    bool OnKey(int code) override;
    // A click that no dialog takes finishes the entry. Answers whether a dialog took
    // it, so subclasses go on to their own buttons otherwise.
    bool OnMouseUp(QxPoint mouse, int button) override;
    // The name dialog's name becomes the new entry's name; the entry is finished.
    bool OnDialogClosed(QxEntity2DGUIElement* dialog) override;

    // Ends the name entry: an empty name becomes "QFS", the entry is no longer new,
    // and its name is remembered as the last high-score name.
    virtual void FinishEntry();
    // Opens the modal name dialog offering the given name.
    virtual void ShowNameEntry(const std::string& defaultName);

    bool IsEnteringName() const { return m_enteringName; }
    int NewIndex() const { return m_newIndex; }

    QxEntityHighScoreSceneType* HighScoreType() const {
        return static_cast<QxEntityHighScoreSceneType*>(Type());
    }

protected:
    // The table shown: the one the pending entry named, else the program's.
    QxHighScoreTable& Table() { return m_ownTable ? *m_ownTable : g_highScoreTable; }

    // Fills the ten rows from the table shown: name and score texts (and the
    // level texts a subclass passes), empty texts for rows without an entry, and
    // "Arrow" beside this visit's new entry (off screen when there is none).
    void ShowTableRows(const std::array<QxEntity2DGUIElement*, 10>* levelTexts = nullptr);

private:
    bool m_enteringName = false;
    int m_newIndex = -1;
    QxHighScore* m_newEntry = nullptr; // lives in the table
    bool m_needsNameDialog = false;
    std::unique_ptr<QxHighScoreTable> m_ownTable;
};

// The engine's scene is not in the program's registration table (the game registers
// its menu, which derives from it); this prototype serves tools and tests.
using QxEntityHighScoreScenePrototype = QxTypePrototype<QxEntityHighScoreSceneType>;
