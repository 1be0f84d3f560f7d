// Sets shared as one archive: a set goes out and comes back with the same level bytes,
// and hostile archives are listed as damaged, each with its reason, without a crash and
// without a file written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <utility>

#include "engine/files/QxArchiveFolder.h"
#include "engine/files/QxArchiveWriter.h"
#include "engine/files/QxBuffer.h"
#include "game/editor/PyxLevelDraft.h"
#include "game/editor/PyxLevelSets.h"
#include "game/editor/PyxMyLevels.h"
#include "game/editor/PyxPlayableSets.h"
#include "game/editor/PyxSetExport.h"
#include "game/editor/PyxSharedSet.h"
#include "support/ServiceFixture.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Part = PyxEditorPart;

Bytes Saved(PyxLevel& level) {
    QxBuffer out;
    EXPECT_TRUE(level.SaveLevel(out));
    return {out.GetData(), out.GetData() + out.Tell()};
}

Bytes ListBytes(const std::vector<std::string>& files) {
    PyxLevelList list;
    for (const std::string& file : files) {
        list.Entries().push_back({file, "Shown " + file, "", 0});
    }
    QxBuffer out;
    EXPECT_TRUE(list.Write(out));
    return {out.GetData(), out.GetData() + out.Tell()};
}

class SharedSetTest : public testsupport::ServiceFixture {
protected:
    SharedSetTest() : ServiceFixture("sharedset", {false, false, false, false, true}) {}
    void SetUp() override {
        ServiceFixture::SetUp();
        for (const char* type : {"floor", "floorb", "floorc"}) {
            ASSERT_TRUE(Define(std::string("class PyxBitmapTile\ntype ") + type + "\n"));
        }
        ASSERT_TRUE(Define("class PyxSinkTile\ntype trap\nIsTrap 1\n"));
        ASSERT_TRUE(Define("class PyxSinkTile\ntype exit\n"));
        folder_ = PyxMyLevelsFolder();
    }

    static Bytes Level(Part part, const std::string& name) {
        PyxLevelDraft draft;
        draft.Paint(2, 2, part);
        draft.Paint(5, 6, Part::Trap);
        PyxLevelDraft::Settings settings = draft.Current().settings;
        settings.name = name;
        draft.SetSettings(settings);
        return draft.LevelBytes();
    }
    // A level the editor makes, with one more object record or a tile put in place.
    static Bytes Altered(const std::string& className, const std::string& typeName, bool tile) {
        PyxLevelDraft draft;
        std::unique_ptr<PyxLevel> level = draft.BuildLevel();
        if (tile) {
            level->PlaceTile(className, typeName, 16, 16, 0);
        } else {
            level->AddObjectAt(84.0f, 84.0f, className, typeName, false);
        }
        return Saved(*level);
    }
    // A level with a tile type the game does not know, of a class it knows.
    static Bytes Unknown() {
        Bytes bytes = Altered("PyxBitmapTile", "floorc", true);
        const std::string from = "floorc";
        const auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
        EXPECT_NE(at, bytes.end());
        std::copy_n("lavals", from.size(), at);
        return bytes;
    }
    std::string WriteArchive(const std::string& name,
                             const std::vector<std::pair<std::string, Bytes>>& entries) const {
        QxArchiveWriter writer;
        for (const auto& [entry, bytes] : entries) {
            EXPECT_TRUE(writer.AddEntry(entry, bytes));
        }
        QxBuffer out;
        EXPECT_TRUE(writer.Write(out));
        std::string error;
        EXPECT_TRUE(PyxReplaceFile(folder_ + name, {out.GetData(), out.Tell()}, error));
        return folder_ + name;
    }
    // Every file below the test's folder but the log, with its size.
    std::set<std::pair<std::string, std::uintmax_t>> Snapshot() const {
        std::set<std::pair<std::string, std::uintmax_t>> files;
        for (const auto& entry : fs::recursive_directory_iterator(Root())) {
            if (entry.is_regular_file() && entry.path().filename() != "log.txt") {
                files.emplace(entry.path().string(), entry.file_size());
            }
        }
        return files;
    }

    std::string folder_;
    std::string error_;
};

TEST_F(SharedSetTest, ASetGoesOutAndComesBackWithTheSameLevels) {
    const Bytes one = Level(Part::Post, "One");
    const Bytes two = Level(Part::Deflector7, "Two");
    ASSERT_FALSE(one.empty());
    ASSERT_TRUE(PyxReplaceFile(folder_ + "one.lvl", one, error_));
    ASSERT_TRUE(PyxReplaceFile(folder_ + "two.lvl", two, error_));
    ASSERT_TRUE(PyxReplaceFile(folder_ + "other.lvl", one, error_));
    const PyxLevelSets sets(folder_);
    ASSERT_TRUE(sets.Create("pair", error_));
    EXPECT_FALSE(PyxExportSet("pair", folder_ + "empty.qxa", error_)) << "no levels";
    ASSERT_TRUE(sets.Add("pair", "two.lvl", "Two", error_));
    ASSERT_TRUE(sets.Add("pair", "one.lvl", "One", error_));
    ASSERT_TRUE(PyxExportSet("pair", folder_ + "Our Pair.qxa", error_)) << error_;

    std::vector<QxArchiveEntry> stored;
    ASSERT_TRUE(ListArchive(folder_ + "Our Pair.qxa", stored, error_));
    std::vector<std::string> names;
    for (const QxArchiveEntry& entry : stored) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"set.lst", "two.lvl", "one.lvl"}));

    const std::vector<PyxSharedSet> shared = PyxListSharedSets(folder_);
    ASSERT_EQ(shared.size(), 1u);
    const PyxSharedSet& set = shared[0];
    EXPECT_EQ(set.name, "our-pair");
    ASSERT_TRUE(set.Usable()) << set.damage;
    ASSERT_EQ(set.levels.size(), 2u);
    EXPECT_EQ(set.levels[0].name, "Two");
    EXPECT_EQ(set.levels[0].bytes, two);
    EXPECT_EQ(set.levels[1].fileName, "one.lvl");
    EXPECT_EQ(set.levels[1].bytes, one);

    // A level the editor does not make is not shared.
    testsupport::WriteText(folder_ + "one.lvl", "spoilt");
    EXPECT_FALSE(PyxExportSet("pair", folder_ + "spoilt.qxa", error_));
    EXPECT_FALSE(fs::exists(folder_ + "spoilt.qxa"));
}

TEST_F(SharedSetTest, HostileLevelsAreDamagedEachWithItsReasonAndTheGoodOnesStay) {
    const Bytes good = Level(Part::Gear, "Good");
    const Bytes cut(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"good.lvl", ""},
        {"board/post.ent", "is a path"},
        {"x.ent", "is not a level file"},
        {"../good.lvl", "is a path"},
        {"/tmp/good.lvl", "is a path"},
        {"C:good.lvl", "is a path"},
        {"", "names no file"},
        {"missing.lvl", "holds no file missing.lvl"},
        {"vortex.lvl", "uses PyxVortex vortex, which the editor does not make"},
        {"exit.lvl", "uses PyxSinkTile exit, which the editor does not make"},
        {"unknown.lvl", "Tile entity not found: PyxBitmapTile - lavals"},
        {"cut.lvl", "runs past the end"},
        {"good.lvl", ""},
    };
    std::vector<std::string> files;
    for (const auto& [file, reason] : expected) {
        files.push_back(file);
    }
    const std::string path =
        WriteArchive("hostile.qxa", {{"set.lst", ListBytes(files)},
                                     {"good.lvl", good},
                                     {"board/post.ent", Bytes{'c', 'l', 'a', 's', 's'}},
                                     {"x.ent", Bytes{'x'}},
                                     {"vortex.lvl", Altered("PyxVortex", "vortex", false)},
                                     {"exit.lvl", Altered("PyxSinkTile", "exit", true)},
                                     {"unknown.lvl", Unknown()},
                                     {"cut.lvl", cut}});
    const auto before = Snapshot();
    const PyxSharedSet set = PyxReadSharedSet(path);
    EXPECT_EQ(Snapshot(), before) << "reading writes nothing";
    ASSERT_TRUE(set.Usable()) << set.damage;
    ASSERT_EQ(set.levels.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const PyxSharedLevel& level = set.levels[i];
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(level.fileName, expected[i].first);
        EXPECT_EQ(level.Usable(), expected[i].second.empty()) << level.damage;
        EXPECT_NE(level.damage.find(expected[i].second), std::string::npos) << level.damage;
        EXPECT_EQ(level.bytes, level.Usable() ? good : Bytes());
    }
    EXPECT_EQ(Registry().FindType("PyxBitmapTile", "lavals"), nullptr) << "never made up";
    EXPECT_NE(Log().find("hostile.qxa, level x.ent"), std::string::npos) << Log();
}

TEST_F(SharedSetTest, ADamagedListOrArchiveDamagesTheWholeSet) {
    const Bytes good = Level(Part::Post, "Good");
    const Bytes list = ListBytes({"good.lvl"});
    std::vector<std::string> many(kPyxMaxSetLevels + 1, "good.lvl");
    const std::string sound = WriteArchive("sound.qxa", {{"set.lst", list}, {"good.lvl", good}});
    Bytes cutArchive = Bytes(fs::file_size(sound));
    {
        std::FILE* in = std::fopen(sound.c_str(), "rb");
        ASSERT_NE(in, nullptr);
        ASSERT_EQ(std::fread(cutArchive.data(), 1, cutArchive.size(), in), cutArchive.size());
        std::fclose(in);
    }
    cutArchive.resize(20);
    ASSERT_TRUE(PyxReplaceFile(folder_ + "cut.qxa", cutArchive, error_));
    testsupport::WriteText(folder_ + "text.qxa", "just text");
    WriteArchive("noset.qxa", {{"good.lvl", good}, {"LoadingScene.ent", Bytes{'x'}}});
    WriteArchive("cutlist.qxa",
                 {{"set.lst", Bytes(list.begin(), list.end() - 6)}, {"good.lvl", good}});
    WriteArchive("junklist.qxa", {{"set.lst", Bytes{1, 2, 3}}, {"good.lvl", good}});
    WriteArchive("empty.qxa", {{"set.lst", ListBytes({})}});
    WriteArchive("many.qxa", {{"set.lst", ListBytes(many)}, {"good.lvl", good}});
    fs::create_directory(folder_ + "folder.qxa");
    fs::remove(sound);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"cut", "the archive is damaged"},
        {"cutlist", "set.lst: the list is damaged after 0 entries"},
        {"empty", "holds no levels"},
        {"junklist", "not a level list"},
        {"many", "the list names 101 levels; a set holds at most 100"},
        {"noset", "holds no set.lst"},
        {"text", "not an archive"},
        {"missing", "no such file"},
    };
    const auto before = Snapshot();
    const std::vector<PyxSharedSet> sets = PyxListSharedSets(folder_, {folder_ + "missing.qxa"});
    EXPECT_EQ(Snapshot(), before);
    ASSERT_EQ(sets.size(), expected.size());
    for (std::size_t i = 0; i < sets.size(); ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(sets[i].name, expected[i].first);
        EXPECT_FALSE(sets[i].Usable());
        EXPECT_TRUE(sets[i].levels.empty());
        EXPECT_NE(sets[i].damage.find(expected[i].second), std::string::npos) << sets[i].damage;
    }
}

// What "Play My Levels" lists: the player's sets first, each level judged as a shared
// one's (a level file spoilt by hand is no safer), then the shared ones; a game of a
// set holds its usable levels in order and keeps the set's own table.
TEST_F(SharedSetTest, PlayableSetsKeepTheirUsableLevelsInOrderWithTheirOwnTable) {
    const Bytes one = Level(Part::Post, "One");
    const Bytes two = Level(Part::Gear, "Two");
    ASSERT_TRUE(PyxReplaceFile(folder_ + "one.lvl", one, error_));
    ASSERT_TRUE(PyxReplaceFile(folder_ + "two.lvl", two, error_));
    ASSERT_TRUE(
        PyxReplaceFile(folder_ + "vortex.lvl", Altered("PyxVortex", "vortex", false), error_));
    const PyxLevelSets sets(folder_);
    ASSERT_TRUE(sets.Write("mine",
                           {{"two.lvl", "Two", "", 0},
                            {"vortex.lvl", "Vortex", "", 0},
                            {"one.lvl", "One", "", 0},
                            {"gone.lvl", "Gone", "", 0}},
                           error_));
    ASSERT_TRUE(sets.Create("empty", error_));
    ASSERT_TRUE(sets.Write("pair", {{"one.lvl", "One", "", 0}, {"two.lvl", "Two", "", 0}}, error_));
    ASSERT_TRUE(PyxExportSet("pair", folder_ + "Theirs.qxa", error_)) << error_;
    ASSERT_TRUE(sets.Delete("pair", error_));
    testsupport::WriteText(folder_ + "broken.qxa", "not an archive");

    const std::vector<PyxPlayableSet> found = PyxFindPlayableSets(folder_);
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[0].set.name, "empty");
    EXPECT_FALSE(found[0].Playable());
    const PyxPlayableSet& mine = found[1];
    EXPECT_FALSE(mine.shared);
    ASSERT_TRUE(mine.Playable()) << mine.set.damage;
    ASSERT_EQ(mine.set.levels.size(), 4u);
    EXPECT_NE(mine.set.levels[1].damage.find("PyxVortex"), std::string::npos);
    EXPECT_NE(mine.set.levels[3].damage.find("gone.lvl"), std::string::npos);
    const PyxOwnGame game = mine.Game();
    ASSERT_EQ(game.levels.size(), 2u);
    EXPECT_EQ(game.levels[0].bytes, two);
    EXPECT_EQ(game.levels[1].bytes, one);
    EXPECT_EQ(game.scoresFile, sets.ScoresPath("mine"));
    EXPECT_TRUE(game.KeepsScores());

    EXPECT_TRUE(found[2].shared);
    EXPECT_EQ(found[2].set.name, "theirs");
    EXPECT_EQ(found[2].UsableLevels(), 2u);
    EXPECT_EQ(found[2].scoresFile, folder_ + "Theirs.qxa.rd");
    EXPECT_TRUE(found[3].shared);
    EXPECT_FALSE(found[3].Playable());
}

} // namespace
