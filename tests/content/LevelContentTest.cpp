// The standard level set: the list names the levels in order, the levels get harder
// and together use every kind of board object, and each keeps the winnability rules
// with no warning. (That each level can be won is played out in BoardGameTest.)
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "content/BoardContentSupport.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxGameEvents.h"
#include "game/rules/PyxLevelCheck.h"
#include "game/rules/PyxLevelList.h"

namespace boardcontent {
namespace {

class QuietRules : public PyxGameEvents {
public:
    PyxLevel* Level() override { return level; }
    PyxLevel* level = nullptr;
};

class LevelContentTest : public DataSetTest {
protected:
    void SetUp() override {
        DataSetTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        Registry().LoadAll();
        list_.Load("levels/rondelix.lst");
        SetGameEvents(&rules_);
    }
    void TearDown() override {
        SetGameEvents(nullptr);
        DataSetTest::TearDown();
    }

    std::unique_ptr<PyxLevel> Load(const std::string& file) {
        auto level = std::make_unique<PyxLevel>();
        const std::vector<std::uint8_t> bytes = FileBytes(file);
        QxBuffer buffer;
        buffer.Allocate(std::uint32_t(bytes.size()), 0);
        if (!bytes.empty())
            std::memcpy(buffer.GetData(), bytes.data(), bytes.size());
        EXPECT_EQ(level->LoadLevel(buffer), 1) << file << ": " << level->ErrorText();
        return level;
    }

    PyxLevelList list_;
    QuietRules rules_;
};

TEST_F(LevelContentTest, TwentyFourLevelsInOrderGetHarderAndTogetherUseEveryBoardObject) {
    ASSERT_EQ(list_.Entries().size(), 24u);
    std::set<std::string> names;
    std::set<std::string> objects;
    std::set<int> intervals;
    std::set<bool> exits;
    bool traps = false, raised = false, fixed = false;
    int lastCoins = 0, lastBalls = 0;
    for (const PyxLevelEntry& entry : list_.Entries()) {
        SCOPED_TRACE(entry.fileName);
        char expected[48];
        std::snprintf(expected, sizeof expected, "levels/level%02zu.lvl", names.size() + 1);
        EXPECT_EQ(entry.fileName, expected);
        names.insert(entry.second);
        std::unique_ptr<PyxLevel> level = Load(entry.fileName);
        const PyxLevelProperties& p = level->Properties();
        EXPECT_EQ(p.LevelName, entry.second);
        EXPECT_GE(p.CoinsNeeded, lastCoins);
        EXPECT_GE(p.BallsReleased, lastBalls);
        lastCoins = p.CoinsNeeded;
        lastBalls = p.BallsReleased;
        if (p.BallsReleased > 0)
            intervals.insert(p.ReleaseInterval);
        exits.insert(p.ExitAtRandomTile);
        for (std::int32_t i = 0; i < level->CellCount(); ++i)
            traps = traps || (level->TileAt(i) && (level->TileAt(i)->KindBits() & 4u) != 0);
        for (const PyxLevelObjectRecord& record : level->Objects()) {
            objects.insert(record.className);
            if (record.typeName == "boardlift")
                raised = true;
            if (record.typeName == "boardpost")
                fixed = true;
        }
    }
    for (const char* name : {"PyxBasicPost", "PyxAnimPost", "PyxPickupBall", "PyxAnimAward",
                             "PyxBallCarrier", "PyxAnimExplosion"})
        EXPECT_TRUE(objects.count(name)) << name;
    EXPECT_TRUE(traps);
    EXPECT_TRUE(raised);
    EXPECT_TRUE(fixed);
    EXPECT_GE(intervals.size(), 4u);
    EXPECT_EQ(exits.size(), 2u) << "exits both at random and at the start cell";
    EXPECT_EQ(names.size(), list_.Entries().size()) << "level names repeat";
}

TEST_F(LevelContentTest, EveryLevelKeepsTheWinnabilityRulesWithoutAWarning) {
    ASSERT_EQ(list_.Entries().size(), 24u);
    for (const PyxLevelEntry& entry : list_.Entries()) {
        SCOPED_TRACE(entry.fileName);
        std::unique_ptr<PyxLevel> level = Load(entry.fileName);
        for (const PyxLevelProblem& problem : PyxCheckLevel(*level))
            ADD_FAILURE() << problem.text;
    }
}

} // namespace
} // namespace boardcontent
