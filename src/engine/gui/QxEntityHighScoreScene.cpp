#include "engine/gui/QxEntityHighScoreScene.h"

#include <algorithm>
#include <limits>
#include <string>

#include "app/GameSettings.h"
#include "app/QxScreenSize.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxDialogParts.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/gui/QxEntity2DGUIText.h"
#include "engine/gui/QxEntityDialogScene.h"
#include "engine/gui/QxEntityHighScoreInputScene.h"
#include "engine/gui/QxHighScoreTable.h"

std::unique_ptr<QxHighScore> g_pendingHighScore;
std::string g_highScoreMessage1;
std::string g_highScoreMessage2;
std::string g_pendingHighScoreTable;

namespace {

// Where a hidden "Arrow" waits.
constexpr QxPoint kArrowParked{-500, -500};

void SetText(QxEntity2DGUIElement* element, const std::string& text) {
    if (element != nullptr) {
        element->SetString(kPropText, text);
    }
}

constexpr std::int32_t kNoColumn = std::numeric_limits<std::int32_t>::max();

// Where a column begins when its text element shows `widest`, the widest text the
// column ever holds; kNoColumn without such a text.
std::int32_t ColumnLeft(QxEntity2DGUIElement* element, const char* widest) {
    auto* text = dynamic_cast<QxEntity2DGUIText*>(element);
    QxEntity2DGUIFont* font = text != nullptr ? text->GetFont() : nullptr;
    if (font == nullptr) {
        return kNoColumn;
    }
    const auto width = static_cast<std::int32_t>(font->TextWidth(widest, false));
    const std::int32_t x = text->GetPosition().x;
    switch (text->Justification()) {
    case kJustifyRight:
        return x - width;
    case kJustifyCentre:
        return x - width / 2;
    default:
        return x;
    }
}

// The name as far as it fits (left-justified, as names are) a space before the
// column that follows it: a long name would run over the level and the score.
std::string ClipToColumn(const std::string& name, QxEntity2DGUIElement* nameText,
                         std::int32_t nextColumn) {
    QxEntity2DGUIFont* font = nameText != nullptr ? nameText->GetFont() : nullptr;
    if (font == nullptr || nextColumn == kNoColumn) {
        return name;
    }
    const auto gap = static_cast<std::int32_t>(font->TextWidth(" ", true));
    // FitPrefix keeps strictly below its limit; a name may end right at the gap.
    return font->FitPrefix(name, nextColumn - nameText->GetPosition().x - gap + 1);
}

} // namespace

QxEntityHighScoreSceneType::QxEntityHighScoreSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    for (int row = 0; row < kRows; ++row) {
        const std::string number = std::to_string(row + 1);
        m_names[static_cast<size_t>(row)] = AddNamedElement("Name" + number, definition);
        m_scores[static_cast<size_t>(row)] = AddNamedElement("Score" + number, definition);
    }
    m_congrats = AddNamedElement("Congrats", definition);
    m_congrats2 = AddNamedElement("Congrats2", definition);
    m_done = AddNamedElement("Done", definition);
    m_arrow = AddNamedElement("Arrow", definition);
    m_hourglass = AddNamedElement("Hourglass", definition);
}

QxEntity2DGUIElement* QxEntityHighScoreSceneType::ElementOf(const ElementRecord* record) {
    return record != nullptr ? record->element.get() : nullptr;
}

QxEntity2DGUIElement* QxEntityHighScoreSceneType::NameElement(int row) const {
    return row >= 0 && row < kRows ? ElementOf(m_names[static_cast<size_t>(row)]) : nullptr;
}

QxEntity2DGUIElement* QxEntityHighScoreSceneType::ScoreElement(int row) const {
    return row >= 0 && row < kRows ? ElementOf(m_scores[static_cast<size_t>(row)]) : nullptr;
}

QxEntity2DGUIElement* QxEntityHighScoreSceneType::Congrats() const {
    return ElementOf(m_congrats);
}

QxEntity2DGUIElement* QxEntityHighScoreSceneType::Congrats2() const {
    return ElementOf(m_congrats2);
}

QxEntity2DGUIElement* QxEntityHighScoreSceneType::Done() const {
    return ElementOf(m_done);
}

QxEntity2DGUIElement* QxEntityHighScoreSceneType::Arrow() const {
    return ElementOf(m_arrow);
}

QxEntity2DGUIElement* QxEntityHighScoreSceneType::Hourglass() const {
    return ElementOf(m_hourglass);
}

QxEntityHighScoreScene::QxEntityHighScoreScene(QxEntityHighScoreSceneType* type)
    : QxEntity2DScene(type) {
    type->Load(false);
    for (QxEntity2DGUIElement* line : {type->Congrats(), type->Congrats2()}) {
        if (line != nullptr) {
            line->SetBool(kPropJustify, kJustifyCentre);
        }
    }
    SetText(type->Congrats(), g_highScoreMessage1);
    SetText(type->Congrats2(), g_highScoreMessage2);
    g_highScoreMessage1.clear();
    g_highScoreMessage2.clear();
    if (QxEntity2DGUIElement* hourglass = type->Hourglass()) {
        hourglass->SetVisible(false);
    }

    if (!g_pendingHighScoreTable.empty()) {
        // Read now, not kept: another program may have played the set since.
        m_ownTable = std::make_unique<QxHighScoreTable>();
        m_ownTable->Load(g_pendingHighScoreTable, PyxHighScore());
        g_pendingHighScoreTable.clear();
    }
    if (g_pendingHighScore) {
        m_newEntry = Table().Insert(*g_pendingHighScore, true);
        if (m_newEntry != nullptr) {
            m_newIndex = Table().IndexOfNew();
            m_enteringName = true;
            m_needsNameDialog = true;
            // On disk at once: a program killed during the name entry keeps the score.
            Table().SaveBack();
        }
    }
}

QxEntityHighScoreScene::~QxEntityHighScoreScene() {
    g_pendingHighScore.reset();
}

bool QxEntityHighScoreScene::Update(float ms) {
    if (QxEntity2DGUIElement* line = HighScoreType()->Congrats2()) {
        line->SetBool(kPropJustify, kJustifyCentre);
    }
    if (m_needsNameDialog) {
        const bool result = QxEntity2DScene::Update(0.0f);
        if (m_enteringName && m_newEntry != nullptr) {
            ShowNameEntry(m_newEntry->name);
        }
        m_needsNameDialog = false;
        return result;
    }
    return QxEntity2DScene::Update(ms);
}

bool QxEntityHighScoreScene::OnKey(int code) {
    if (QxEntity2DScene::OnKey(code)) {
        return true;
    }
    if (code == kKeyEnter) {
        FinishEntry();
        return true;
    }
    return false;
}

bool QxEntityHighScoreScene::OnMouseUp(QxPoint mouse, int button) {
    if (QxEntity2DScene::OnMouseUp(mouse, button)) {
        return true;
    }
    FinishEntry();
    return false;
}

bool QxEntityHighScoreScene::OnDialogClosed(QxEntity2DGUIElement* dialog) {
    auto* box = dynamic_cast<QxEntityDialogScene*>(dialog);
    if (box != nullptr && box->DialogId() == kNameDialogId && m_enteringName &&
        m_newEntry != nullptr) {
        if (auto* content = dynamic_cast<QxEntityHighScoreInputScene*>(box->ContentScene())) {
            m_newEntry->name = content->Name();
        }
    }
    FinishEntry();
    return true;
}

void QxEntityHighScoreScene::FinishEntry() {
    if (!m_enteringName) {
        return;
    }
    if (m_newEntry != nullptr) {
        if (m_newEntry->name.empty()) {
            m_newEntry->name = kEmptyName;
        }
        m_newEntry->isNew = false;
        g_lastHighscoreName = m_newEntry->name;
        Table().SaveBack();
    }
    m_enteringName = false;
}

void QxEntityHighScoreScene::ShowNameEntry(const std::string& defaultName) {
    if (g_registry == nullptr) {
        return;
    }
    std::unique_ptr<QxEntityDialogScene> dialog = QxCreatePart<QxEntityDialogScene>(
        QxEntityRef{"QxDialogScene", "scoreinputbox"}, kKindDialogBox);
    if (!dialog) {
        dialog = QxCreatePart<QxEntityDialogScene>(QxEntityRef{"QxDialogScene", "inputbox"},
                                                   kKindDialogBox);
    }
    if (!dialog) {
        return;
    }
    QxEntity2DScene* content = dialog->ContentScene();
    if (content != nullptr && content->Type()->IsKind(kKindHighScoreInputScene)) {
        if (auto* nameEntry = dynamic_cast<QxEntityHighScoreInputScene*>(content)) {
            nameEntry->SetName(defaultName);
        }
    }
    // Centred as the scene's message and input boxes are; nothing else would place it.
    const QxRect rect = dialog->GetRect();
    dialog->SetPosition(
        QxPoint{(kScreenWidth - rect.Width()) >> 1, (kScreenHeight - rect.Height()) >> 1});
    AddDialog(kNameDialogId, std::move(dialog), &QxEntity2DScene::DefaultCloseCallback, nullptr,
              true);
}

void QxEntityHighScoreScene::ShowTableRows(
    const std::array<QxEntity2DGUIElement*, 10>* levelTexts) {
    QxEntityHighScoreSceneType* type = HighScoreType();
    QxEntity2DGUIElement* arrow = type->Arrow();
    if (arrow != nullptr) {
        arrow->SetPosition(kArrowParked);
    }
    const auto rows = PyxHighScoreRows(Table());
    for (int row = 0; row < QxEntityHighScoreSceneType::kRows; ++row) {
        const PyxHighScoreRow& line = rows[static_cast<size_t>(row)];
        QxEntity2DGUIElement* level =
            levelTexts != nullptr ? (*levelTexts)[static_cast<size_t>(row)] : nullptr;
        const std::int32_t nextColumn =
            std::min(ColumnLeft(level, kHighScoreCompletedText),
                     ColumnLeft(type->ScoreElement(row), kHighScoreWidestScore));
        SetText(type->NameElement(row),
                ClipToColumn(line.name, type->NameElement(row), nextColumn));
        SetText(type->ScoreElement(row), line.score);
        SetText(level, line.level);
        for (QxEntity2DGUIElement* text :
             {type->NameElement(row), type->ScoreElement(row), level}) {
            if (text != nullptr) {
                text->SetPosition(QxPoint{text->GetPosition().x, line.y});
            }
        }
        // The scene remembers the new row, so the mark stays once the name is in.
        if (row == m_newIndex && arrow != nullptr) {
            arrow->SetPosition(QxPoint{kHighScoreArrowX, line.y});
        }
    }
}
