#include "game/screens/PyxEntityPlayMyLevelsScene.h"

#include <algorithm>
#include <iterator>

#include "app/QxGlobals.h"
#include "app/QxInputEvent.h"
#include "app/QxScreenSize.h"
#include "engine/files/QxLog.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/gui/QxEntity2DGUIFont.h"
#include "engine/screen/QxScreen2D.h"
#include "game/editor/PyxMyLevels.h"
#include "game/screens/PyxOfferedGame.h"
#include "game/screens/PyxSceneSupport.h"

namespace {

constexpr const char* kFontKeys[] = {"TitleFontEnt", "TextFontEnt", "NoteFontEnt"};

// The two panels of the background (tools/contentbuild/UiScreens.cpp paints them).
constexpr QxRect kSetsBox{24, 284, 70, 410};
constexpr QxRect kLevelsBox{296, 616, 70, 410};
constexpr int kSetRowsTop = 100, kSetRowHeight = 30;
constexpr std::size_t kSetRowsShown = 10;
constexpr int kLevelsTop = 142, kLevelLine = 16, kLevelsBottom = 386;
constexpr int kPad = 12;

const QxColour kTitle{255, 214, 120};
const QxColour kDamaged{240, 128, 104};
const QxColour kChosenRow{30, 88, 100};

void Text(QxEntity2DGUIFont* font, const std::string& text, int x, int y,
          const QxColour* tint = nullptr) {
    if (font != nullptr) {
        font->DrawString(text, QxPoint{x, y}, 1, 255, tint);
    }
}

std::string Fit(QxEntity2DGUIFont* font, const std::string& text, int width) {
    if (font == nullptr || static_cast<int>(font->TextWidth(text, false)) <= width) {
        return text;
    }
    return font->FitPrefix(text, width - static_cast<int>(font->TextWidth("...", false))) + "...";
}

// The text broken at spaces into lines of at most width pixels.
std::vector<std::string> Wrap(QxEntity2DGUIFont* font, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string word = text.substr(start, end - start);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && font != nullptr &&
            static_cast<int>(font->TextWidth(longer, false)) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        start = end + 1;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::string LevelCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " level" : " levels");
}

// The note under a set's row.
std::string RowNote(const PyxPlayableSet& playable) {
    const std::string kind = playable.shared ? "shared, " : "";
    if (!playable.Playable()) {
        return kind + "cannot be played";
    }
    const std::size_t usable = playable.UsableLevels();
    const std::size_t all = playable.set.levels.size();
    return kind + (usable == all ? LevelCount(all)
                                 : std::to_string(usable) + " of " + LevelCount(all) + " playable");
}

bool Inside(const QxRect& rect, QxPoint point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

std::size_t FirstShown(std::size_t chosen) {
    return chosen >= kSetRowsShown ? chosen - kSetRowsShown + 1 : 0;
}

} // namespace

// ---- type -------------------------------------------------------------------------------

PyxEntityPlayMyLevelsSceneType::PyxEntityPlayMyLevelsSceneType(QxDefinition* definition)
    : QxEntityTypeOf(definition) {
    m_play = AddNamedElement("Play", definition);
    m_back = AddNamedElement("Back", definition);
    if (definition == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kFontKeys); ++i) {
        definition->ReadKey(kFontKeys[i], m_fontRefs[i]);
    }
}

bool PyxEntityPlayMyLevelsSceneType::Load(bool reload) {
    if (IsLoaded()) {
        return true;
    }
    for (std::size_t i = 0; i < std::size(m_fonts); ++i) {
        if (!m_fonts[i]) {
            m_fonts[i] = QxCreateGUIElement(m_fontRefs[i]);
        }
    }
    return QxEntity2DSceneType::Load(reload);
}

bool PyxEntityPlayMyLevelsSceneType::Unload() {
    for (auto& font : m_fonts) {
        font.reset();
    }
    return QxEntity2DSceneType::Unload();
}

QxEntity2DGUIFont* PyxEntityPlayMyLevelsSceneType::TitleFont() const {
    return dynamic_cast<QxEntity2DGUIFont*>(m_fonts[0].get());
}

QxEntity2DGUIFont* PyxEntityPlayMyLevelsSceneType::TextFont() const {
    return dynamic_cast<QxEntity2DGUIFont*>(m_fonts[1].get());
}

QxEntity2DGUIFont* PyxEntityPlayMyLevelsSceneType::NoteFont() const {
    return dynamic_cast<QxEntity2DGUIFont*>(m_fonts[2].get());
}

// ---- scene ------------------------------------------------------------------------------

PyxEntityPlayMyLevelsScene::PyxEntityPlayMyLevelsScene(PyxEntityPlayMyLevelsSceneType* type)
    : QxEntity2DScene(type) {
    type->Load(false);
    AllowFullScreenKey(true);
    const std::string folder = PyxMyLevelsFolder();
    if (!folder.empty()) {
        m_sets = PyxFindPlayableSets(folder);
    }
    // The first set that plays is chosen, so Enter plays at once.
    const auto playable = std::find_if(m_sets.begin(), m_sets.end(),
                                       [](const PyxPlayableSet& set) { return set.Playable(); });
    m_chosen = playable == m_sets.end() ? 0 : std::size_t(playable - m_sets.begin());
    LogPrintf("Play My Levels - %u sets in %s", unsigned(m_sets.size()), folder.c_str());
    FocusOn(NamedElement(type->m_play));
}

bool PyxEntityPlayMyLevelsScene::Update(float ms) {
    // Drawn whole every frame, as the lists over a painted panel leave no background of
    // their own to restore; a list screen has the processor to spare.
    if (g_screen != nullptr) {
        g_screen->MarkDirty(QxRect{0, kScreenWidth, 0, kScreenHeight}, false);
    }
    return QxEntity2DScene::Update(ms);
}

bool PyxEntityPlayMyLevelsScene::DrawOverlay() {
    DrawSetList();
    DrawChosenSet();
    return QxEntity2DScene::DrawOverlay();
}

void PyxEntityPlayMyLevelsScene::DrawSetList() {
    PyxEntityPlayMyLevelsSceneType* type = SetsType();
    const int width = kSetsBox.Width() - 2 * kPad;
    if (m_sets.empty()) {
        int y = kSetRowsTop;
        for (const std::string& line :
             Wrap(type->TextFont(),
                  "No sets yet. Make levels in Make Levels, save them and put them into a "
                  "set there; sets shared with you go into the folder:",
                  width)) {
            Text(type->TextFont(), line, kSetsBox.left + kPad, y);
            y += kLevelLine;
        }
        for (const std::string& line : Wrap(type->NoteFont(), PyxMyLevelsFolder(), width)) {
            Text(type->NoteFont(), line, kSetsBox.left + kPad, y + 4, &kTitle);
            y += kLevelLine - 2;
        }
        return;
    }
    const std::size_t first = FirstShown(m_chosen);
    int y = kSetRowsTop;
    for (std::size_t i = first; i < m_sets.size() && i < first + kSetRowsShown;
         ++i, y += kSetRowHeight) {
        const PyxPlayableSet& playable = m_sets[i];
        if (i == m_chosen && g_screen != nullptr) {
            g_screen->FillRect(
                {kSetsBox.left + 6, kSetsBox.right - 6, y - 3, y - 3 + kSetRowHeight - 2},
                kChosenRow);
        }
        const QxColour* tint = playable.Playable() ? nullptr : &kDamaged;
        Text(type->TextFont(), Fit(type->TextFont(), playable.set.name, width),
             kSetsBox.left + kPad, y, tint);
        Text(type->NoteFont(), RowNote(playable), kSetsBox.left + kPad, y + 14, tint);
    }
    if (m_sets.size() > kSetRowsShown) {
        Text(type->NoteFont(),
             std::to_string(m_chosen + 1) + " of " + std::to_string(m_sets.size()),
             kSetsBox.right - 60, kSetsBox.top + 12);
    }
}

void PyxEntityPlayMyLevelsScene::DrawChosenSet() {
    PyxEntityPlayMyLevelsSceneType* type = SetsType();
    QxEntity2DGUIFont* text = type->TextFont();
    QxEntity2DGUIFont* note = type->NoteFont();
    const int left = kLevelsBox.left + kPad;
    const int width = kLevelsBox.Width() - 2 * kPad;
    if (!m_notice.empty()) {
        Text(note, Fit(note, m_notice, width), left, kLevelsBottom + 8, &kDamaged);
    } else if (!m_sets.empty()) {
        Text(note, "Enter plays the set, Esc goes back", left, kLevelsBottom + 8);
    }
    if (m_chosen >= m_sets.size()) {
        return;
    }
    const PyxPlayableSet& playable = m_sets[m_chosen];
    Text(type->TitleFont(), Fit(type->TitleFont(), playable.set.name, width), left, 98, &kTitle);
    Text(note, playable.shared ? "Shared with you" : "Your own set", left, 120);
    int y = kLevelsTop;
    if (!playable.set.Usable()) {
        Text(text, "This set cannot be played:", left, y, &kDamaged);
        y += kLevelLine;
        for (const std::string& line : Wrap(text, playable.set.damage, width)) {
            if (y > kLevelsBottom - kLevelLine) {
                break;
            }
            Text(text, line, left, y);
            y += kLevelLine;
        }
        return;
    }
    const auto& levels = playable.set.levels;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const int lines = levels[i].Usable() ? 1 : 2;
        if (y + lines * kLevelLine > kLevelsBottom) {
            Text(note, "and " + std::to_string(levels.size() - i) + " more", left, y);
            break;
        }
        const std::string number = std::to_string(i + 1) + ". ";
        if (levels[i].Usable()) {
            Text(text, Fit(text, number + levels[i].name, width), left, y);
        } else {
            Text(text, Fit(text, number + levels[i].name + " (cannot be played)", width), left, y,
                 &kDamaged);
            Text(note, Fit(note, levels[i].damage, width - 16), left + 16, y + kLevelLine - 1);
        }
        y += lines * kLevelLine;
    }
}

void PyxEntityPlayMyLevelsScene::Choose(std::size_t index) {
    if (m_sets.empty()) {
        return;
    }
    m_chosen = std::min(index, m_sets.size() - 1);
    m_notice.clear();
}

void PyxEntityPlayMyLevelsScene::PlayChosen() {
    if (m_chosen >= m_sets.size()) {
        m_notice = "There is no set to play yet.";
        return;
    }
    const PyxPlayableSet& playable = m_sets[m_chosen];
    if (!playable.Playable()) {
        m_notice = "This set has no level that can be played.";
        return;
    }
    auto offer = std::make_unique<PyxOfferedGame>();
    offer->game = playable.Game();
    offer->returnClass = "PyxPlayMyLevels";
    offer->returnType = "mylevels";
    LogPrintf("Play My Levels - playing %s (%u levels)", playable.set.path.c_str(),
              unsigned(offer->game.levels.size()));
    PyxOfferGame(std::move(offer));
    GoToScene(*this, "PyxStdGame", "stdgame");
}

bool PyxEntityPlayMyLevelsScene::OnMouseUp(QxPoint mouse, int button) {
    if (QxEntity2DScene::OnMouseUp(mouse, button)) {
        return true;
    }
    PyxEntityPlayMyLevelsSceneType* type = SetsType();
    if (ClickNamed(type->m_play, mouse)) {
        PlayChosen();
    } else if (ClickNamed(type->m_back, mouse)) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
    } else if (Inside(kSetsBox, mouse) && mouse.y >= kSetRowsTop - 3) {
        const std::size_t row = std::size_t(mouse.y - (kSetRowsTop - 3)) / kSetRowHeight;
        const std::size_t index = FirstShown(m_chosen) + row;
        if (row < kSetRowsShown && index < m_sets.size()) {
            Choose(index);
        }
    } else {
        return false;
    }
    return true;
}

bool PyxEntityPlayMyLevelsScene::OnMouseWheel(QxPoint mouse, std::int32_t turn) {
    if (QxEntity2DScene::OnMouseWheel(mouse, turn)) {
        return true;
    }
    if (turn > 0 && m_chosen > 0) {
        Choose(m_chosen - 1);
    } else if (turn < 0) {
        Choose(m_chosen + 1);
    }
    return true;
}

bool PyxEntityPlayMyLevelsScene::OnKey(int code) {
    // The list takes the arrows before the buttons' focus would.
    if (!IsModal()) {
        switch (code) {
        case QxKey::Up:
            Choose(m_chosen > 0 ? m_chosen - 1 : 0);
            return true;
        case QxKey::Down:
            Choose(m_chosen + 1);
            return true;
        case QxKey::PageUp:
            Choose(m_chosen > kSetRowsShown ? m_chosen - kSetRowsShown : 0);
            return true;
        case QxKey::PageDown:
            Choose(m_chosen + kSetRowsShown);
            return true;
        case QxKey::Home:
            Choose(0);
            return true;
        case QxKey::End:
            Choose(m_sets.size());
            return true;
        default:
            break;
        }
    }
    if (QxEntity2DScene::OnKey(code)) {
        return true;
    }
    if (code == kSceneKeyEscape) {
        GoToScene(*this, "PyxMainMenu", "mainmenu");
        return true;
    }
    if (code == kSceneKeyEnter) {
        PlayChosen();
        return true;
    }
    return false;
}
