// The editor's level-set window driven as a player drives it, key by key: sets made,
// filled (only with saved levels), ordered, renamed and deleted, Escape stepping back
// one view at a time, and every change and failure said in the log.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/QxInputEvent.h"
#include "game/editor/PyxEditorSetPanel.h"
#include "game/editor/PyxMyLevels.h"
#include "support/ServiceFixture.h"

namespace {

namespace fs = std::filesystem;
using View = PyxEditorSetPanel::View;
using Reply = PyxEditorSetPanel::Reply;

constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kBackspace = 8;

class EditorSetPanelTest : public testsupport::ServiceFixture {
protected:
    EditorSetPanelTest() : ServiceFixture("setpanel", {false, false, false, false, false}) {}
    void SetUp() override {
        ServiceFixture::SetUp();
        folder_ = PyxMyLevelsFolder();
        exported_ = PyxExportedSetsFolder();
        for (const char* level : {"a.lvl", "b.lvl"}) {
            testsupport::WriteText(folder_ + level, "level bytes");
        }
        saved_.savedPath = folder_ + "a.lvl";
        saved_.name = "Alpha";
        panel_.Open(folder_, exported_);
    }
    Reply Keys(const std::string& keys, const PyxEditorSetPanel::Edited& edited = {}) {
        Reply reply = Reply::Ignored;
        for (const char c : keys) {
            reply = panel_.OnKey(c, edited);
        }
        return reply;
    }
    std::vector<std::string> Files(const std::string& set) const {
        std::vector<PyxLevelEntry> entries;
        std::string error;
        EXPECT_TRUE(PyxLevelSets(folder_).Read(set, entries, error)) << error;
        std::vector<std::string> files;
        for (const PyxLevelEntry& entry : entries) {
            files.push_back(entry.fileName + "=" + entry.second);
        }
        return files;
    }

    std::string folder_;
    std::string exported_;
    PyxEditorSetPanel::Edited saved_;
    PyxEditorSetPanel panel_;
};

TEST_F(EditorSetPanelTest, ASetIsMadeFilledWithSavedLevelsAndOrdered) {
    EXPECT_EQ(fs::path(exported_).parent_path().parent_path(),
              fs::path(folder_).parent_path().parent_path())
        << "exports lie beside the level folder, not in it";
    EXPECT_EQ(panel_.Lines().size(), 0u);
    Keys("N");
    ASSERT_EQ(panel_.CurrentView(), View::Naming);
    Keys("Two Sets!");
    panel_.OnKey(kEnter, {});
    EXPECT_EQ(panel_.CurrentView(), View::Sets);
    EXPECT_EQ(panel_.TargetSet(), "two-sets");
    EXPECT_EQ(panel_.TakeNotice(), "Made set two-sets");

    // A level never saved, or changed since, stays out: the set holds files.
    Keys("A", {});
    EXPECT_NE(panel_.TakeNotice().find("Save the level first"), std::string::npos);
    PyxEditorSetPanel::Edited changed = saved_;
    changed.unsavedChanges = true;
    Keys("A", changed);
    EXPECT_NE(panel_.TakeNotice().find("Save your changes first"), std::string::npos);
    EXPECT_TRUE(Files("two-sets").empty());

    Keys("A", saved_);
    panel_.OnKey(kEnter, {});
    ASSERT_EQ(panel_.CurrentView(), View::Levels);
    Keys("L");
    ASSERT_EQ(panel_.CurrentView(), View::AddSaved);
    EXPECT_EQ(panel_.Lines(), (std::vector<std::string>{"a.lvl", "b.lvl"}));
    panel_.OnKey(QxKey::Down, {});
    panel_.OnKey(kEnter, {});
    EXPECT_EQ(panel_.CurrentView(), View::Levels);
    // A file that is no level keeps its file's name as the name shown.
    EXPECT_EQ(Files("two-sets"), (std::vector<std::string>{"a.lvl=Alpha", "b.lvl=b"}));
    EXPECT_EQ(panel_.Chosen(), 1u) << "the level added is the chosen one";

    Keys("[");
    EXPECT_EQ(Files("two-sets"), (std::vector<std::string>{"b.lvl=b", "a.lvl=Alpha"}));
    Keys("[");
    EXPECT_EQ(panel_.Chosen(), 0u);
    Keys("]]");
    EXPECT_EQ(Files("two-sets"), (std::vector<std::string>{"a.lvl=Alpha", "b.lvl=b"}));
    Keys("X");
    EXPECT_EQ(Files("two-sets"), (std::vector<std::string>{"a.lvl=Alpha"}));
    EXPECT_TRUE(fs::exists(folder_ + "b.lvl")) << "a level taken out stays";

    // Escape walks back: the saved levels, the set, the sets, closed.
    Keys("L");
    panel_.OnKey(kEscape, {});
    EXPECT_EQ(panel_.CurrentView(), View::Levels);
    panel_.OnKey(kEscape, {});
    EXPECT_EQ(panel_.CurrentView(), View::Sets);
    EXPECT_EQ(panel_.Lines(), (std::vector<std::string>{"two-sets  (1 level)"}));
    panel_.OnKey(kEscape, {});
    EXPECT_FALSE(panel_.IsOpen());
    for (const char* said :
         {"made set two-sets", "added a.lvl to set two-sets", "added b.lvl to set two-sets",
          "moved b.lvl to place 1", "took b.lvl out of set two-sets"}) {
        EXPECT_NE(Log().find(said), std::string::npos) << said << "\n" << Log();
    }
}

TEST_F(EditorSetPanelTest, RenameDeleteAndExportFailSafelyAndSayWhy) {
    std::string error;
    ASSERT_TRUE(PyxLevelSets(folder_).Create("one", error));
    ASSERT_TRUE(PyxLevelSets(folder_).Create("two", error));
    ASSERT_TRUE(PyxLevelSets(folder_).Add("one", "a.lvl", "Alpha", error));
    panel_.Open(folder_, exported_);
    ASSERT_EQ(panel_.TargetSet(), "one");

    // A name taken keeps the player typing; Escape keeps the set as it was.
    Keys("R");
    EXPECT_EQ(panel_.Typed(), "one");
    panel_.OnKey(kBackspace, {});
    panel_.OnKey(kBackspace, {});
    panel_.OnKey(kBackspace, {});
    Keys("two");
    panel_.OnKey(kEnter, {});
    EXPECT_EQ(panel_.CurrentView(), View::Naming);
    EXPECT_NE(panel_.TakeNotice().find("not renamed"), std::string::npos);
    panel_.OnKey(kEscape, {});
    EXPECT_EQ(Files("one"), (std::vector<std::string>{"a.lvl=Alpha"}));

    Keys("R");
    Keys(" Pair");
    panel_.OnKey(kEnter, {});
    EXPECT_EQ(PyxLevelSets(folder_).List(), (std::vector<std::string>{"one-pair", "two"}));
    EXPECT_EQ(panel_.TargetSet(), "one-pair");

    // Export refuses a set whose level is not one the editor makes: nothing written.
    Keys("E");
    EXPECT_NE(panel_.TakeNotice().find("not exported"), std::string::npos);
    EXPECT_FALSE(fs::exists(exported_ + "one-pair.qxa"));
    EXPECT_NE(Log().find("Level sets - Set one-pair not exported"), std::string::npos) << Log();

    // Delete asks first (the scene does); the levels stay.
    EXPECT_EQ(Keys("d"), Reply::AskDelete);
    EXPECT_TRUE(fs::exists(folder_ + "one-pair.lst"));
    panel_.DeleteChosenSet();
    EXPECT_FALSE(fs::exists(folder_ + "one-pair.lst"));
    EXPECT_TRUE(fs::exists(folder_ + "a.lvl"));
    EXPECT_EQ(panel_.Lines(), (std::vector<std::string>{"two  (0 levels)"}));

    // Clicking a line chooses it; clicking it again opens it.
    EXPECT_EQ(panel_.OnLineClicked(5, {}), Reply::Ignored);
    panel_.OnLineClicked(0, {});
    panel_.OnLineClicked(0, {});
    EXPECT_EQ(panel_.CurrentView(), View::Levels);
    EXPECT_EQ(Keys("EX"), Reply::Taken);
    EXPECT_NE(panel_.TakeNotice().find("holds no levels"), std::string::npos);
}

} // namespace
