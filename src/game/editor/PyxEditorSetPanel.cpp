#include "game/editor/PyxEditorSetPanel.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "app/QxInputEvent.h"
#include "engine/files/QxLog.h"
#include "game/editor/PyxMyLevels.h"
#include "game/editor/PyxSetExport.h"
#include "game/field/PyxLevel.h"

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kBackspace = 8;

using Action = PyxEditorSetPanel::Action;

const std::vector<Action> kSetsActions = {
    {"New", 'N', "Make a new set (N)"},
    {"Open", kEnter, "Show the chosen set's levels (Enter)"},
    {"Add this", 'A', "Add the level you are editing to the chosen set (A)"},
    {"Rename", 'R', "Give the chosen set another name (R)"},
    {"Delete", 'D', "Delete the chosen set; its levels stay (D)"},
    {"Export", 'E', "Write the chosen set to one file to share (E)"},
};
const std::vector<Action> kLevelsActions = {
    {"Add this", 'A', "Add the level you are editing (A)"},
    {"Add saved", 'L', "Add one of your saved levels (L)"},
    {"Up", '[', "Play the chosen level earlier ([)"},
    {"Down", ']', "Play the chosen level later (])"},
    {"Remove", 'X', "Take the chosen level out of the set; its file stays (X)"},
    {"Rename", 'R', "Give the set another name (R)"},
    {"Delete", 'D', "Delete the set; its levels stay (D)"},
    {"Export", 'E', "Write the set to one file to share (E)"},
};
const std::vector<Action> kAddActions = {
    {"Add", kEnter, "Add the chosen level to the set (Enter)"},
    {"Back", kEscape, "Back to the set (Esc)"},
};
const std::vector<Action> kNamingActions = {
    {"OK", kEnter, "Keep this name (Enter)"},
    {"Cancel", kEscape, "Keep the set as it was (Esc)"},
};
const std::vector<Action> kNoActions;

int Upper(int code) {
    return code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
}

std::string Plural(std::size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// The name a saved level shows in a set: its own, else its file's.
std::string LevelNameOf(const std::string& path) {
    PyxLevel level;
    std::string error;
    if (PyxReadLevelFile(path, level, error) && !level.Properties().LevelName.empty()) {
        return level.Properties().LevelName;
    }
    return std::filesystem::path(path).stem().string();
}

} // namespace

void PyxEditorSetPanel::Open(const std::string& levelsFolder, const std::string& exportFolder) {
    m_folder = levelsFolder;
    m_exportFolder = exportFolder;
    m_chosen = 0;
    ShowSets();
}

void PyxEditorSetPanel::ShowSets() {
    const std::string keep = m_set;
    m_view = View::Sets;
    Refresh();
    const auto found = std::find(m_sets.begin(), m_sets.end(), keep);
    Choose(found != m_sets.end() ? static_cast<std::size_t>(found - m_sets.begin()) : m_chosen);
}

void PyxEditorSetPanel::ShowLevels(const std::string& set) {
    m_set = set;
    m_view = View::Levels;
    m_chosen = 0;
    Refresh();
}

void PyxEditorSetPanel::Refresh() {
    m_lines.clear();
    if (m_folder.empty()) {
        return;
    }
    const PyxLevelSets sets(m_folder);
    std::string error;
    switch (m_view) {
    case View::Sets:
        m_sets = sets.List();
        for (const std::string& name : m_sets) {
            std::vector<PyxLevelEntry> entries;
            const bool sound = sets.Read(name, entries, error);
            m_lines.push_back(name + "  (" + (sound ? Plural(entries.size(), "level") : "damaged") +
                              ")");
        }
        break;
    case View::Levels:
        m_entries.clear();
        if (!sets.Read(m_set, m_entries, error)) {
            Failed("Cannot read set " + m_set, error);
        }
        for (std::size_t i = 0; i < m_entries.size(); ++i) {
            m_lines.push_back(std::to_string(i + 1) + ". " + m_entries[i].second + "  (" +
                              m_entries[i].fileName + ")");
        }
        break;
    case View::AddSaved:
        m_savedFiles = PyxListLevelFiles(m_folder);
        m_lines = m_savedFiles;
        break;
    case View::Naming:
    case View::Closed:
        break;
    }
    Choose(m_chosen);
}

void PyxEditorSetPanel::Choose(std::size_t index) {
    m_chosen = m_lines.empty() ? 0 : std::min(index, m_lines.size() - 1);
}

std::string PyxEditorSetPanel::TargetSet() const {
    if (m_view == View::Levels || m_view == View::AddSaved) {
        return m_set;
    }
    return m_chosen < m_sets.size() ? m_sets[m_chosen] : std::string();
}

void PyxEditorSetPanel::Done(const std::string& said) {
    LogPrintf("Level sets - %s", said.c_str());
    // Said as a sentence on the screen: each starts with a verb.
    m_notice = said;
    m_notice[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(m_notice[0])));
}

void PyxEditorSetPanel::Failed(const std::string& what, const std::string& error) {
    m_notice = what + ": " + error;
    LogPrintf("Level sets - %s", m_notice.c_str());
}

std::string PyxEditorSetPanel::TakeNotice() {
    std::string notice;
    notice.swap(m_notice);
    return notice;
}

PyxEditorSetPanel::Reply PyxEditorSetPanel::OnLineClicked(std::size_t line, const Edited& edited) {
    if (line >= m_lines.size() || m_view == View::Naming) {
        return Reply::Ignored;
    }
    if (line == m_chosen) {
        return OnKey(kEnter, edited);
    }
    Choose(line);
    return Reply::Taken;
}

PyxEditorSetPanel::Reply PyxEditorSetPanel::OnKey(int code, const Edited& edited) {
    if (m_view == View::Closed) {
        return Reply::Ignored;
    }
    if (m_folder.empty() && code != kEscape) {
        m_notice = "There is no folder for your levels.";
        return Reply::Taken;
    }
    if (m_view == View::Naming) {
        if (code == kEnter) {
            FinishNaming();
        } else if (code == kEscape) {
            m_view = m_namingFrom;
            Refresh();
        } else if (code == kBackspace) {
            if (!m_typed.empty()) {
                m_typed.pop_back();
            }
        } else if (code >= 32 && code < 127 && m_typed.size() < kNameLimit) {
            m_typed.push_back(static_cast<char>(code));
        }
        return Reply::Taken; // a name being typed takes every key
    }
    switch (code) {
    case QxKey::Up:
        Choose(m_chosen > 0 ? m_chosen - 1 : 0);
        return Reply::Taken;
    case QxKey::Down:
        Choose(m_chosen + 1);
        return Reply::Taken;
    case kEscape:
        if (m_view == View::AddSaved) {
            m_view = View::Levels;
            m_chosen = m_entries.size();
            Refresh();
        } else if (m_view == View::Levels) {
            ShowSets();
        } else {
            m_view = View::Closed;
        }
        return Reply::Taken;
    default:
        break;
    }
    if (m_view == View::AddSaved) {
        if (code == kEnter || code == ' ') {
            AddSaved();
            return Reply::Taken;
        }
        return Reply::Ignored;
    }
    switch (Upper(code)) {
    case 'N':
        if (m_view == View::Sets) {
            StartNaming(false);
            return Reply::Taken;
        }
        break;
    case kEnter:
    case ' ':
        if (m_view == View::Sets && !TargetSet().empty()) {
            ShowLevels(TargetSet());
        }
        return Reply::Taken;
    case 'A':
        AddEdited(edited);
        return Reply::Taken;
    case 'L':
        if (m_view == View::Levels) {
            m_view = View::AddSaved;
            m_chosen = 0;
            Refresh();
            return Reply::Taken;
        }
        break;
    case '[':
        MoveChosen(-1);
        return Reply::Taken;
    case ']':
        MoveChosen(1);
        return Reply::Taken;
    case 'X':
    case kBackspace:
        RemoveChosen();
        return Reply::Taken;
    case 'R':
        if (!TargetSet().empty()) {
            StartNaming(true);
        }
        return Reply::Taken;
    case 'D':
        return TargetSet().empty() ? Reply::Taken : Reply::AskDelete;
    case 'E':
        Export();
        return Reply::Taken;
    default:
        break;
    }
    return Reply::Ignored;
}

void PyxEditorSetPanel::StartNaming(bool renaming) {
    m_renaming = renaming;
    if (renaming) {
        m_set = TargetSet();
        m_typed = m_set;
    } else {
        m_typed.clear();
    }
    m_namingFrom = m_view;
    m_view = View::Naming;
}

void PyxEditorSetPanel::FinishNaming() {
    if (m_typed.find_first_not_of(' ') == std::string::npos) {
        m_notice = "Type a name for the set, or Esc.";
        return;
    }
    const PyxLevelSets sets(m_folder);
    const std::string name = PyxLevelSets::SafeName(m_typed);
    std::string error;
    if (m_renaming) {
        if (name == m_set) {
            m_view = m_namingFrom;
            Refresh();
            return;
        }
        if (!sets.Rename(m_set, name, error)) {
            Failed("Set " + m_set + " not renamed", error);
            return; // still typing: the player can try another name
        }
        Done("renamed set " + m_set + " to " + name);
    } else {
        if (!sets.Create(name, error)) {
            Failed("Set " + name + " not made", error);
            return;
        }
        Done("made set " + name);
    }
    m_set = name;
    if (m_namingFrom == View::Levels) {
        ShowLevels(name);
    } else {
        ShowSets();
    }
}

void PyxEditorSetPanel::AddEdited(const Edited& edited) {
    const std::string set = TargetSet();
    if (set.empty()) {
        m_notice = "Make a set first (N).";
        return;
    }
    if (edited.savedPath.empty()) {
        m_notice = "Save the level first (S): a set holds saved levels.";
        return;
    }
    if (edited.unsavedChanges) {
        m_notice = "Save your changes first (S): a set holds the saved file.";
        return;
    }
    const std::string file = std::filesystem::path(edited.savedPath).filename().string();
    std::string error;
    if (!PyxLevelSets(m_folder).Add(set, file, edited.name, error)) {
        Failed(file + " not added to set " + set, error);
        return;
    }
    Done("added " + file + " to set " + set);
    if (m_view == View::Levels) {
        m_chosen = m_lines.size();
    }
    Refresh();
}

void PyxEditorSetPanel::AddSaved() {
    if (m_chosen >= m_savedFiles.size()) {
        return;
    }
    const std::string file = m_savedFiles[m_chosen];
    std::string error;
    if (!PyxLevelSets(m_folder).Add(m_set, file, LevelNameOf(m_folder + file), error)) {
        Failed(file + " not added to set " + m_set, error);
        return;
    }
    Done("added " + file + " to set " + m_set);
    m_view = View::Levels;
    m_chosen = m_entries.size();
    Refresh();
}

void PyxEditorSetPanel::MoveChosen(int step) {
    if (m_view != View::Levels || m_entries.empty()) {
        return;
    }
    if ((step < 0 && m_chosen == 0) || (step > 0 && m_chosen + 1 >= m_entries.size())) {
        return;
    }
    const std::size_t to = step < 0 ? m_chosen - 1 : m_chosen + 1;
    std::string error;
    if (!PyxLevelSets(m_folder).Move(m_set, m_chosen, to, error)) {
        Failed("Level not moved in set " + m_set, error);
        return;
    }
    Done("moved " + m_entries[m_chosen].fileName + " to place " + std::to_string(to + 1) +
         " in set " + m_set);
    m_chosen = to;
    Refresh();
}

void PyxEditorSetPanel::RemoveChosen() {
    if (m_view != View::Levels || m_chosen >= m_entries.size()) {
        return;
    }
    const std::string file = m_entries[m_chosen].fileName;
    std::string error;
    if (!PyxLevelSets(m_folder).Remove(m_set, m_chosen, error)) {
        Failed(file + " not taken out of set " + m_set, error);
        return;
    }
    Done("took " + file + " out of set " + m_set + "; the level stays");
    Refresh();
}

void PyxEditorSetPanel::DeleteChosenSet() {
    const std::string set = TargetSet();
    if (set.empty()) {
        return;
    }
    std::string error;
    if (!PyxLevelSets(m_folder).Delete(set, error)) {
        Failed("Set " + set + " not deleted", error);
        return;
    }
    Done("deleted set " + set + "; its levels stay");
    m_set.clear();
    ShowSets();
}

void PyxEditorSetPanel::Export() {
    const std::string set = TargetSet();
    if (set.empty()) {
        m_notice = "Make a set first (N).";
        return;
    }
    if (m_exportFolder.empty()) {
        Failed("Set " + set + " not exported", "there is no folder to write it to");
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(m_exportFolder, ec);
    const std::string path = m_exportFolder + set + ".qxa";
    std::string error;
    if (ec) {
        Failed("Set " + set + " not exported", m_exportFolder + ": " + ec.message());
    } else if (!PyxExportSet(set, path, error)) {
        Failed("Set " + set + " not exported", error);
    } else {
        Done("exported set " + set + " to " + path);
    }
}

std::string PyxEditorSetPanel::Title() const {
    switch (m_view) {
    case View::Sets:
        return "Your level sets";
    case View::Levels:
        return "Set " + m_set + ": played in this order";
    case View::AddSaved:
        return "Add a saved level to " + m_set;
    case View::Naming:
        return m_renaming ? "A new name for " + m_set : "Name the new set";
    case View::Closed:
        break;
    }
    return {};
}

std::string PyxEditorSetPanel::EmptyText() const {
    switch (m_view) {
    case View::Sets:
        return "No sets yet: New (N) makes one.";
    case View::Levels:
        return "No levels yet: A adds this one, L a saved one.";
    case View::AddSaved:
        return "No levels saved yet.";
    default:
        return {};
    }
}

const std::vector<Action>& PyxEditorSetPanel::Actions() const {
    switch (m_view) {
    case View::Sets:
        return kSetsActions;
    case View::Levels:
        return kLevelsActions;
    case View::AddSaved:
        return kAddActions;
    case View::Naming:
        return kNamingActions;
    case View::Closed:
        break;
    }
    return kNoActions;
}
