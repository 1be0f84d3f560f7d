// The level a player builds: painting and erasing parts, undo and redo, the settings'
// limits, the level it turns into (and back from), and the shipped levels, which must
// come back byte for byte from the editor.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <tuple>

#include "content/BoardContentSupport.h"
#include "engine/files/QxBuffer.h"
#include "game/editor/PyxLevelDraft.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevelText.h"
#include "support/ServiceFixture.h"

namespace {

using Part = PyxEditorPart;
using Record = std::tuple<std::string, std::string, float, float>;

std::vector<std::uint8_t> Saved(PyxLevel& level) {
    QxBuffer out;
    EXPECT_TRUE(level.SaveLevel(out));
    return {out.GetData(), out.GetData() + out.Tell()};
}

std::vector<Record> Records(const PyxLevel& level) {
    std::vector<Record> records;
    for (const PyxLevelObjectRecord& r : level.Objects()) {
        records.emplace_back(r.className, r.typeName, r.startX, r.startY);
    }
    return records;
}

class LevelDraftTest : public testsupport::ServiceFixture {
protected:
    LevelDraftTest() : ServiceFixture("editor", {false, false, false, false, true}) {}
    void SetUp() override {
        ServiceFixture::SetUp();
        for (const char* type : {"floor", "floorb", "floorc"}) {
            ASSERT_TRUE(Define(std::string("class PyxBitmapTile\ntype ") + type + "\n"));
        }
        ASSERT_TRUE(Define("class PyxSinkTile\ntype trap\nIsTrap 1\n"));
    }

    // A draft with every part of the palette on it and roaming balls.
    static PyxLevelDraft Busy() {
        PyxLevelDraft draft;
        std::int32_t cell = 0;
        for (const PyxEditorPartInfo& info : PyxEditorParts()) {
            draft.Paint(cell % 8, cell / 8, info.part);
            cell += 3;
        }
        draft.Erase(1, 7);
        draft.Erase(1, 7);
        draft.SetSettings({.name = "Busy \"board\"",
                           .roamingBalls = 4,
                           .ballType = "boardviolet",
                           .ballSpeed = 2.3f,
                           .exitAtRandomCell = false});
        return draft;
    }
};

TEST_F(LevelDraftTest, PaintPutsPartsOnCellsAndEraseTakesObjectThenTile) {
    PyxLevelDraft draft;
    EXPECT_EQ(draft.Cell(7, 7), (PyxDraftCell{Part::Floor, Part::None}));
    EXPECT_TRUE(draft.Paint(2, 1, Part::Post));
    EXPECT_FALSE(draft.Paint(2, 1, Part::Post)) << "no change";
    EXPECT_TRUE(draft.Paint(2, 1, Part::FloorC));
    EXPECT_EQ(draft.Cell(2, 1), (PyxDraftCell{Part::FloorC, Part::Post}));
    EXPECT_TRUE(draft.Paint(2, 1, Part::Trap));
    EXPECT_EQ(draft.Cell(2, 1), (PyxDraftCell{Part::Trap, Part::None}));
    EXPECT_TRUE(draft.Paint(2, 1, Part::Deflector9));
    EXPECT_EQ(draft.Cell(2, 1), (PyxDraftCell{Part::Floor, Part::Deflector9}));

    EXPECT_TRUE(draft.Erase(2, 1));
    EXPECT_EQ(draft.Cell(2, 1), (PyxDraftCell{Part::Floor, Part::None}));
    EXPECT_TRUE(draft.Erase(2, 1));
    EXPECT_EQ(draft.Cell(2, 1), (PyxDraftCell{}));
    EXPECT_FALSE(draft.Erase(2, 1));
    EXPECT_TRUE(draft.Paint(2, 1, Part::Bonus));
    EXPECT_EQ(draft.Cell(2, 1), (PyxDraftCell{Part::Floor, Part::Bonus}));

    const PyxLevelDraft::State before = draft.Current();
    EXPECT_FALSE(draft.Paint(8, 0, Part::Post));
    EXPECT_FALSE(draft.Paint(0, -1, Part::Post));
    EXPECT_FALSE(draft.Paint(0, 0, Part::None));
    EXPECT_FALSE(draft.Erase(0, 8));
    EXPECT_EQ(draft.Cell(-1, 0), PyxDraftCell{});
    EXPECT_EQ(draft.Current(), before);
}

TEST_F(LevelDraftTest, StartMovesOrTurnsAQuarterClockwise) {
    PyxLevelDraft draft;
    const auto heading = [&draft] {
        return std::pair(draft.Current().startDirX, draft.Current().startDirY);
    };
    EXPECT_EQ(heading(), std::pair(1, 0));
    for (const auto& next :
         {std::pair(0, 1), std::pair(-1, 0), std::pair(0, -1), std::pair(1, 0)}) {
        EXPECT_TRUE(draft.Paint(3, 4, Part::Start));
        EXPECT_EQ(heading(), next);
    }
    EXPECT_TRUE(draft.Paint(3, 4, Part::Start));
    EXPECT_TRUE(draft.Paint(6, 2, Part::Start));
    EXPECT_EQ(draft.Current().startCol, 6);
    EXPECT_EQ(draft.Current().startRow, 2);
    EXPECT_EQ(heading(), std::pair(0, 1)) << "moving keeps the heading";
    EXPECT_EQ(draft.Cell(6, 2), (PyxDraftCell{Part::Floor, Part::None}));
}

TEST_F(LevelDraftTest, UndoAndRedoStepThroughChangesAndANewChangeDropsRedo) {
    PyxLevelDraft draft;
    EXPECT_FALSE(draft.Undo());
    draft.Paint(0, 0, Part::Gear);
    const PyxLevelDraft::State afterGear = draft.Current();
    draft.Paint(1, 0, Part::Trap);
    const PyxLevelDraft::State afterTrap = draft.Current();
    draft.Erase(0, 0);
    ASSERT_TRUE(draft.Undo());
    ASSERT_TRUE(draft.Undo());
    EXPECT_EQ(draft.Current(), afterGear);
    ASSERT_TRUE(draft.Redo());
    EXPECT_EQ(draft.Current(), afterTrap);
    EXPECT_TRUE(draft.CanRedo());
    draft.Paint(5, 5, Part::Power);
    EXPECT_FALSE(draft.CanRedo());
    EXPECT_FALSE(draft.Redo());
    ASSERT_TRUE(draft.Undo());
    EXPECT_EQ(draft.Current(), afterTrap);

    draft.Clear();
    EXPECT_EQ(draft.Current(), PyxLevelDraft().Current());
    ASSERT_TRUE(draft.Undo());
    EXPECT_EQ(draft.Current(), afterTrap);
    PyxLevelDraft fresh;
    fresh.Clear();
    EXPECT_FALSE(fresh.CanUndo()) << "clearing a new level changes nothing";
}

TEST_F(LevelDraftTest, UndoKeepsOnlyTheLatestSteps) {
    PyxLevelDraft draft;
    PyxLevelDraft::Settings settings;
    const std::size_t changes = PyxLevelDraft::kUndoSteps + 50;
    for (std::size_t i = 1; i <= changes; ++i) {
        settings.levelTime = 100 + std::int32_t(i);
        ASSERT_TRUE(draft.SetSettings(settings));
    }
    std::size_t undone = 0;
    while (draft.Undo()) {
        ++undone;
    }
    EXPECT_EQ(undone, PyxLevelDraft::kUndoSteps);
    EXPECT_EQ(draft.Current().settings.levelTime, 150);
    EXPECT_TRUE(draft.Redo());
    EXPECT_EQ(draft.Current().settings.levelTime, 151);
}

TEST_F(LevelDraftTest, SettingsAreKeptInsideTheirLimits) {
    using Settings = PyxLevelDraft::Settings;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(PyxLevelDraft::Clamped({"", 9, 0, -4, -1, "boardblue", 0, nan, false}),
              (Settings{"", 10, 1, 1, 0, "boardgreen", 1, 0.5f, false}));
    const Settings high{"x", 601, 100, 21, 21, "boardred", 61, 4.04f, true};
    const Settings highClamped{"x", 600, 99, 20, 20, "boardred", 60, 4.0f, true};
    EXPECT_EQ(PyxLevelDraft::Clamped(high), highClamped);
    EXPECT_EQ(PyxLevelDraft::Clamped({.ballSpeed = 2.26f}).ballSpeed, 2.3f) << "in tenths";

    PyxLevelDraft draft;
    EXPECT_FALSE(draft.SetSettings(Settings{}));
    EXPECT_TRUE(draft.SetSettings(high));
    EXPECT_EQ(draft.Current().settings, highClamped);
    EXPECT_FALSE(draft.SetSettings(highClamped));
}

TEST_F(LevelDraftTest, TheLevelHasClawPartsRowByRowThenRailsAndTheSettings) {
    PyxLevelDraft draft;
    draft.Paint(5, 2, Part::Deflector3);
    draft.Paint(0, 3, Part::Post);
    draft.Paint(7, 7, Part::Trap);
    draft.Erase(1, 1);
    draft.Paint(2, 6, Part::Start);
    const std::unique_ptr<PyxLevel> level = draft.BuildLevel();
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(std::make_tuple(level->Columns(), level->Rows(), level->TileWidth(),
                              level->TileHeight(), level->BorderX(), level->BorderY()),
              std::make_tuple(8, 8, 56, 56, 16, 16));
    EXPECT_EQ(level->TileAt(9), nullptr);
    EXPECT_EQ(level->TileAt(63)->Type()->TypeName(), "trap");
    EXPECT_EQ(level->TileAt(62)->Type()->TypeName(), "floor");
    EXPECT_EQ(std::pair(level->TileAt(62)->X(), level->TileAt(62)->Y()), std::pair(352, 408));

    const std::vector<Record> records = Records(*level);
    ASSERT_EQ(records.size(), 4u + 32u);
    EXPECT_EQ(records[0], Record("PyxBallCarrier", "boardclaw", 140, -200));
    EXPECT_EQ(records[1], Record("PyxBasicPost", "boarddefl3", 308, 140));
    EXPECT_EQ(records[2], Record("PyxAnimExplosion", "boarddefl3art", 308, 140));
    EXPECT_EQ(records[3], Record("PyxBasicPost", "boardpost", 28, 196));
    EXPECT_EQ(records[4], Record("PyxBasicPost", "boardrailtop", 28, -6));
    EXPECT_EQ(records[11], Record("PyxBasicPost", "boardrailtop", 420, -6));
    EXPECT_EQ(records[12], Record("PyxBasicPost", "boardrailbottom", 28, 454));
    EXPECT_EQ(records[20], Record("PyxBasicPost", "boardrailleft", -6, 28));
    EXPECT_EQ(records[28], Record("PyxBasicPost", "boardrailright", 454, 28));
    EXPECT_EQ(records[35], Record("PyxBasicPost", "boardrailright", 454, 420));

    // A level without roaming balls leaves their properties empty, as the first
    // shipped level does; random exits need no ExitMode.
    const PyxLevelProperties& none = level->Properties();
    EXPECT_EQ(std::tie(none.BallsReleased, none.ReleaseInterval, none.SpawnFlags, none.ExitMode),
              std::make_tuple(0, 0, 0u, 0u));
    EXPECT_EQ(none.BallClass + none.BallType, "");
    EXPECT_EQ(none.BallSpeed, 0.0f);
    EXPECT_EQ(std::tie(none.StartCol, none.StartRow, none.StartDirX, none.StartDirY),
              std::make_tuple(2, 6, 1, 0));
    EXPECT_EQ(none.LevelName, "My Level");

    draft.SetSettings({.roamingBalls = 2,
                       .ballType = "boardred",
                       .releaseInterval = 7,
                       .ballSpeed = 2.5f,
                       .exitAtRandomCell = false});
    const PyxLevelProperties roaming = draft.BuildLevel()->Properties();
    EXPECT_EQ(std::tie(roaming.BallsReleased, roaming.ReleaseInterval, roaming.SpawnFlags,
                       roaming.ExitMode, roaming.ExitAtRandomTile),
              std::make_tuple(3, 7, 0x7Fu, 1u, false));
    EXPECT_EQ(roaming.BallClass + " " + roaming.BallType, "PyxCharacterBall boardred");
    EXPECT_EQ(roaming.BallSpeed, 2.5f);
}

TEST_F(LevelDraftTest, LevelBytesSurviveTheTextForm) {
    const PyxLevelDraft draft = Busy();
    const std::vector<std::uint8_t> bytes = draft.LevelBytes();
    ASSERT_FALSE(bytes.empty());
    const std::string text = PyxLevelText::Write(*draft.BuildLevel());
    PyxLevel read;
    std::string error;
    ASSERT_TRUE(PyxLevelText::Read(text, read, error)) << error;
    EXPECT_EQ(Saved(read), bytes) << text;
    EXPECT_EQ(text.find("TileCorner"), std::string::npos) << "tiles sit at their cells' corners";
}

TEST_F(LevelDraftTest, ALevelOfPalettePartsComesBackWithWhatTheEditorDoesNotShow) {
    const PyxLevelDraft busy = Busy();
    std::unique_ptr<PyxLevel> level = busy.BuildLevel();
    level->Properties().SpawnFlags = 0x61;
    level->Properties().BallsToWin = 4;
    level->Properties().ReservedFloat3 = 0.25f;
    // The picture before its deflector, the rails and the claw anywhere: all the same.
    ASSERT_EQ(level->Objects()[5].typeName, "boarddefl7art");
    std::swap(level->Objects()[4], level->Objects()[5]);
    std::swap(level->Objects()[0], level->Objects().back());

    PyxLevelDraft draft;
    std::string error;
    ASSERT_TRUE(draft.LoadFrom(*level, error)) << error;
    EXPECT_EQ(draft.Current().cells, busy.Current().cells);
    EXPECT_EQ(draft.Current().settings, busy.Current().settings);
    EXPECT_EQ(std::tie(draft.Current().startCol, draft.Current().startDirY),
              std::tie(busy.Current().startCol, busy.Current().startDirY));
    const PyxLevelProperties rebuilt = draft.BuildLevel()->Properties();
    EXPECT_EQ(rebuilt, level->Properties());

    ASSERT_TRUE(draft.Undo());
    EXPECT_EQ(draft.Current(), PyxLevelDraft().Current());

    level->Properties().ReservedFloat1 = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE(draft.LoadFrom(*level, error)) << error;
    EXPECT_FALSE(draft.Paint(0, 0, Part::Floor)) << "a kept NaN is no change of the board";
}

TEST_F(LevelDraftTest, ALevelTheEditorCannotMakeIsRefusedWithTheReason) {
    ASSERT_TRUE(Define("class PyxSinkTile\ntype exit\n"));
    PyxLevelDraft draft;
    draft.Paint(4, 4, Part::Lift);
    const PyxLevelDraft::State before = draft.Current();
    const auto refusal = [&draft, &before](const PyxLevel& level) {
        std::string error;
        EXPECT_FALSE(draft.LoadFrom(level, error));
        EXPECT_EQ(draft.Current(), before);
        EXPECT_TRUE(draft.Undo());
        EXPECT_FALSE(draft.CanUndo()) << "no step was added";
        EXPECT_TRUE(draft.Redo());
        return error;
    };

    std::unique_ptr<PyxLevel> foreign = PyxLevelDraft().BuildLevel();
    foreign->AddObjectAt(84.0f, 84.0f, "PyxVortex", "spin", false);
    foreign->AddObjectAt(140.0f, 84.0f, "PyxTeleport", "gate", false);
    EXPECT_EQ(refusal(*foreign), "The level holds a part the editor cannot make: PyxVortex spin");

    std::unique_ptr<PyxLevel> exit = PyxLevelDraft().BuildLevel();
    exit->PlaceTile("PyxSinkTile", "exit", 72, 16, 1);
    EXPECT_EQ(refusal(*exit), "The level holds a part the editor cannot make: PyxSinkTile exit");

    PyxLevel wide;
    wide.SetupGrid(9, 8, 56, 56, 16, 16);
    EXPECT_NE(refusal(wide).find("9 x 8"), std::string::npos);

    std::unique_ptr<PyxLevel> offCentre = PyxLevelDraft().BuildLevel();
    offCentre->AddObjectAt(30.0f, 28.0f, "PyxBasicPost", "boardpost", false);
    EXPECT_NE(refusal(*offCentre).find("boardpost at (30, 28)"), std::string::npos);

    std::unique_ptr<PyxLevel> stray = PyxLevelDraft().BuildLevel();
    stray->AddObjectAt(28.0f, 28.0f, "PyxBasicPost", "boarddefl1", false);
    stray->AddObjectAt(28.0f, 28.0f, "PyxAnimExplosion", "boarddefl7art", false);
    EXPECT_NE(refusal(*stray).find("picture without its deflector"), std::string::npos);

    std::unique_ptr<PyxLevel> crowded = PyxLevelDraft().BuildLevel();
    crowded->AddObjectAt(28.0f, 28.0f, "PyxAnimPost", "boardgear", false);
    crowded->AddObjectAt(28.0f, 28.0f, "PyxAnimAward", "boardpower", false);
    EXPECT_NE(refusal(*crowded).find("two parts on one cell"), std::string::npos);

    std::unique_ptr<PyxLevel> balls = PyxLevelDraft().BuildLevel();
    balls->Properties().BallsReleased = 2;
    balls->Properties().BallClass = "PyxCharacterBall";
    balls->Properties().BallType = "boardspiked";
    EXPECT_NE(refusal(*balls).find("boardspiked"), std::string::npos);
}

// The shipped levels are made of palette parts only, so the editor opens each and
// writes it back unchanged.
class ShippedLevelDraftTest : public boardcontent::DataSetTest {};

TEST_F(ShippedLevelDraftTest, EveryShippedLevelOpensAndRebuildsByteForByte) {
    Registry().LoadAll();
    for (int n = 1; n <= 24; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "levels/level%02d.lvl", n);
        SCOPED_TRACE(name);
        const std::vector<std::uint8_t> shipped = FileBytes(name);
        ASSERT_FALSE(shipped.empty());
        QxBuffer buffer;
        buffer.Allocate(std::uint32_t(shipped.size()), 0);
        std::memcpy(buffer.GetData(), shipped.data(), shipped.size());
        PyxLevel level;
        level.SetKeepObjectsAsRecords(true);
        ASSERT_EQ(level.LoadLevel(buffer), 1) << level.ErrorText();
        PyxLevelDraft draft;
        std::string error;
        ASSERT_TRUE(draft.LoadFrom(level, error)) << error;
        EXPECT_EQ(draft.LevelBytes(), shipped);
    }
}

} // namespace
