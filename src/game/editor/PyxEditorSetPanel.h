#pragma once
// The level editor's window for the player's level sets, over the board. It walks
// through views: the sets; one set's levels; the saved levels to add to it; a name
// being typed for a new set or a renamed one. Every action has a key and a button in
// the window's foot, and a click on a button is its key pressed, so the mouse and the
// keyboard take one path. Escape steps back one view at a time.
//
// The panel only holds where the player is and calls the set model; the scene draws it
// from Lines() and Actions(), asks before a set is deleted (AskDelete) and shows
// Notice() after every action. Every change and every failure writes a log line.

#include <cstddef>
#include <string>
#include <vector>

#include "game/editor/PyxLevelSets.h"

class PyxEditorSetPanel {
public:
    enum class View { Closed, Sets, Levels, AddSaved, Naming };
    enum class Reply { Ignored, Taken, AskDelete };

    // A button of the window's foot: its face, its key and its tooltip.
    struct Action {
        const char* label;
        int key;
        const char* tip;
    };

    // The level being edited, as far as a set needs it: the file it was saved to
    // (empty when never saved), its name, and whether it changed since.
    struct Edited {
        std::string savedPath;
        std::string name;
        bool unsavedChanges = false;
    };

    static constexpr std::size_t kNameLimit = 40;

    // levelsFolder and exportFolder end in a separator.
    void Open(const std::string& levelsFolder, const std::string& exportFolder);
    void Close() { m_view = View::Closed; }
    bool IsOpen() const { return m_view != View::Closed; }
    View CurrentView() const { return m_view; }

    Reply OnKey(int code, const Edited& edited);
    // Chooses a listed line (as drawn from Lines()); a second click on the chosen line
    // acts as Enter.
    Reply OnLineClicked(std::size_t line, const Edited& edited);

    // What the window shows.
    std::string Title() const;
    const std::vector<std::string>& Lines() const { return m_lines; }
    std::string EmptyText() const;
    std::size_t Chosen() const { return m_chosen; }
    const std::string& Typed() const { return m_typed; }
    const std::vector<Action>& Actions() const;
    // The set the actions work on: the chosen line's in the sets view, else the one shown.
    std::string TargetSet() const;

    // After AskDelete, when the player said yes.
    void DeleteChosenSet();

    // The last action's outcome, for the editor's notice; taken once.
    std::string TakeNotice();

private:
    void Refresh();
    void ShowSets();
    void ShowLevels(const std::string& set);
    void Choose(std::size_t index);
    void StartNaming(bool renaming);
    void FinishNaming();
    void AddEdited(const Edited& edited);
    void AddSaved();
    void MoveChosen(int step);
    void RemoveChosen();
    void Export();
    void Done(const std::string& said);
    void Failed(const std::string& what, const std::string& error);

    View m_view = View::Closed;
    View m_namingFrom = View::Sets;
    bool m_renaming = false;
    std::string m_folder;
    std::string m_exportFolder;
    std::vector<std::string> m_sets;
    std::vector<std::string> m_savedFiles;
    std::vector<PyxLevelEntry> m_entries;
    std::vector<std::string> m_lines;
    std::size_t m_chosen = 0;
    std::string m_set; // the set whose levels are shown
    std::string m_typed;
    std::string m_notice;
};
