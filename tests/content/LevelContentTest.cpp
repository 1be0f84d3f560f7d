// The standard level set: every level of the list loads, its objects come to life and
// run, the levels together use every kind of board object, and each level can be won:
// the start cell is open, every cell where a coin or the exit can appear is reached
// from it, and collecting the coins (half as many again, for those knocked off by the
// roaming balls) and reaching the exit at the ball's slowest pace fits the level time.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/BoardContentSupport.h"
#include "engine/gui/QxEntity2DGUIElement.h"
#include "engine/screen/QxPng.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityBasicPost.h"
#include "game/objects/PyxEntityGameObject.h"
#include "game/objects/PyxGameEvents.h"

namespace boardcontent {
namespace {

constexpr const char* kLevelSet = "levels/rondelix.lst";

struct ListEntry {
    std::string file;
    std::string name;
};

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t& at) {
    std::uint32_t v = 0;
    if (at + 4 <= b.size())
        std::memcpy(&v, b.data() + at, 4);
    at += 4;
    return v;
}

std::string Str(const std::vector<std::uint8_t>& b, std::size_t& at) {
    const std::uint32_t n = U32(b, at);
    std::string s;
    if (at + n <= b.size())
        s.assign(reinterpret_cast<const char*>(b.data() + at), n);
    at += n;
    return s;
}

// The level list: a header block (format 1), a word, the count, then one block per
// entry holding the file name, two texts and a number.
std::vector<ListEntry> ReadList(const std::vector<std::uint8_t>& bytes) {
    std::vector<ListEntry> entries;
    std::size_t at = 0;
    const std::uint32_t header = U32(bytes, at);
    std::size_t h = at;
    if (header < 12 || U32(bytes, h) != 1)
        return entries;
    at += header;
    U32(bytes, at);
    const std::uint32_t count = U32(bytes, at);
    for (std::uint32_t i = 0; i < count && at < bytes.size(); ++i) {
        const std::uint32_t length = U32(bytes, at);
        std::size_t e = at;
        ListEntry entry;
        entry.file = Str(bytes, e);
        Str(bytes, e);
        entry.name = Str(bytes, e);
        entries.push_back(entry);
        at += length;
    }
    return entries;
}

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
        registry_->LoadAll();
        entries_ = ReadList(FileBytes(kLevelSet));
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

    std::vector<ListEntry> entries_;
    QuietRules rules_;
};

TEST_F(LevelContentTest, TheListNamesTwentyFourLevelsInOrder) {
    ASSERT_EQ(entries_.size(), 24u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        char expected[48];
        std::snprintf(expected, sizeof expected, "levels/level%02zu.lvl", i + 1);
        EXPECT_EQ(entries_[i].file, expected);
        EXPECT_FALSE(entries_[i].name.empty());
        names.insert(entries_[i].name);
    }
    EXPECT_EQ(names.size(), entries_.size()) << "level names repeat";
}

TEST_F(LevelContentTest, EveryLevelLoadsAndItsObjectsComeToLifeAndRun) {
    ASSERT_FALSE(entries_.empty());
    for (const ListEntry& entry : entries_) {
        SCOPED_TRACE(entry.file);
        std::unique_ptr<PyxLevel> level = Load(entry.file);
        rules_.level = level.get();
        EXPECT_EQ(level->Properties().LevelName, entry.name);
        for (std::int32_t i = 0; i < level->CellCount(); ++i)
            EXPECT_NE(level->TileAt(i), nullptr) << "cell " << i;
        level->ActivateObjects(false);
        EXPECT_TRUE(level->IsActive());
        for (const PyxLevelObjectRecord& record : level->Objects())
            EXPECT_NE(record.entity, nullptr) << record.className << " - " << record.typeName;
        // A released ball appears at a free cell.
        if (level->Properties().BallsReleased > 0) {
            EXPECT_NE(level->SpawnStartBall(true), nullptr);
        }
        for (int frame = 0; frame < 60; ++frame) {
            level->Update(16.0f);
            level->Draw();
        }
        rules_.level = nullptr;
    }
    EXPECT_TRUE(BrokenNameLines(Log()).empty()) << Log();
}

// ---- winnability ------------------------------------------------------------------------

struct Grid {
    int columns = 0, rows = 0;
    std::vector<bool> floor;   // a plain floor cell: coins and the exit may appear there
    std::vector<bool> blocked; // a ball never rolls into it (posts, gears, deflectors, the orb)
    int start = 0;
};

bool Blocks(const PyxLevelObjectRecord& record) {
    const QxEntityBaseType* type = g_registry->FindType(record.className, record.typeName);
    if (const auto* post = dynamic_cast<const PyxEntityBasicPostType*>(type))
        return post->DefaultUp() && !post->UserChange();
    return record.className == "PyxAnimPost" || record.className == "PyxPickupBall";
}

Grid GridOf(const PyxLevel& level) {
    Grid grid;
    grid.columns = level.Columns();
    grid.rows = level.Rows();
    const int cells = grid.columns * grid.rows;
    grid.floor.assign(std::size_t(cells), false);
    grid.blocked.assign(std::size_t(cells), false);
    for (int i = 0; i < cells; ++i) {
        PyxEntityTileBase* tile = level.TileAt(i);
        grid.floor[std::size_t(i)] = tile && (tile->KindBits() & 1u) != 0;
        grid.blocked[std::size_t(i)] = !grid.floor[std::size_t(i)];
    }
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        const int col = int(std::floor(record.startX / float(level.TileWidth())));
        const int row = int(std::floor(record.startY / float(level.TileHeight())));
        if (col < 0 || row < 0 || col >= grid.columns || row >= grid.rows)
            continue;
        if (Blocks(record))
            grid.blocked[std::size_t(row * grid.columns + col)] = true;
    }
    const PyxLevelProperties& p = level.Properties();
    grid.start = p.StartRow * grid.columns + p.StartCol;
    return grid;
}

// Cells to roll from `from` to every cell; a blocked cell counts as reached from the
// side (a coin there is touched, an exit there takes the cell's tile and its posts
// with it). -1 where there is no way.
std::vector<int> Distances(const Grid& grid, int from) {
    std::vector<int> distance(grid.floor.size(), -1);
    std::deque<int> queue{from};
    distance[std::size_t(from)] = 0;
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        const int col = cell % grid.columns, row = cell / grid.columns;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
            const int c = col + step[0], r = row + step[1];
            if (c < 0 || r < 0 || c >= grid.columns || r >= grid.rows)
                continue;
            const int next = r * grid.columns + c;
            if (distance[std::size_t(next)] >= 0)
                continue;
            distance[std::size_t(next)] = distance[std::size_t(cell)] + 1;
            if (!grid.blocked[std::size_t(next)])
                queue.push_back(next);
        }
    }
    return distance;
}

// Seconds a steady player needs: coins appear at random floor cells, the player rolls
// to the nearest at the slowest pace (0.14 pixels per millisecond) and loses time at
// every turn; after `coins` coins, the way to the exit.
double SecondsToWin(const Grid& grid, const PyxLevelProperties& p, int coins, std::uint32_t seed) {
    const double cellsPerSecond = 0.14 * 1000.0 / 56.0;
    const double turnSeconds = 0.35;
    std::vector<int> freeCells;
    for (std::size_t i = 0; i < grid.floor.size(); ++i)
        if (grid.floor[i] && int(i) != grid.start)
            freeCells.push_back(int(i));
    std::uint32_t state = seed | 1u;
    auto next = [&state](std::size_t n) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return std::size_t(state % n);
    };
    std::vector<int> onBoard;
    int at = grid.start;
    double seconds = 0.0;
    for (int taken = 0; taken < coins; ++taken) {
        while (int(onBoard.size()) < std::max(1, p.CoinsOnBoard))
            onBoard.push_back(freeCells[next(freeCells.size())]);
        const std::vector<int> distance = Distances(grid, at);
        std::size_t best = 0;
        for (std::size_t i = 1; i < onBoard.size(); ++i)
            if (distance[std::size_t(onBoard[i])] < distance[std::size_t(onBoard[best])])
                best = i;
        const int d = distance[std::size_t(onBoard[best])];
        if (d < 0)
            return 1e9;
        seconds += double(d) / cellsPerSecond + turnSeconds;
        at = grid.blocked[std::size_t(onBoard[best])] ? at : onBoard[best];
        onBoard.erase(onBoard.begin() + std::ptrdiff_t(best));
    }
    const int exit = p.ExitAtRandomTile ? freeCells[next(freeCells.size())] : grid.start;
    const int d = Distances(grid, at)[std::size_t(exit)];
    return d < 0 ? 1e9 : seconds + double(d) / cellsPerSecond;
}

TEST_F(LevelContentTest, EveryLevelCanBeWon) {
    ASSERT_FALSE(entries_.empty());
    for (const ListEntry& entry : entries_) {
        SCOPED_TRACE(entry.file + " " + entry.name);
        std::unique_ptr<PyxLevel> level = Load(entry.file);
        const PyxLevelProperties& p = level->Properties();
        const Grid grid = GridOf(*level);
        ASSERT_GE(p.StartCol, 0);
        ASSERT_LT(p.StartCol, grid.columns);
        ASSERT_GE(p.StartRow, 0);
        ASSERT_LT(p.StartRow, grid.rows);
        EXPECT_TRUE(grid.floor[std::size_t(grid.start)]) << "the start cell is not floor";
        EXPECT_FALSE(grid.blocked[std::size_t(grid.start)]) << "something stands on the start cell";
        const std::vector<int> distance = Distances(grid, grid.start);
        for (std::size_t i = 0; i < grid.floor.size(); ++i) {
            if (grid.floor[i]) {
                EXPECT_GE(distance[i], 0)
                    << "cell " << i % 8 << ", " << i / 8 << " cannot be reached";
            }
        }
        EXPECT_GT(p.CoinsNeeded, 0);
        EXPECT_GE(p.CoinsOnBoard, 1);
        EXPECT_GT(p.LevelTime, 0);
        // The armed bonus orb needs more than twelve coins to be armed before the exit.
        if (level->FindFirstPickupBall()) {
            EXPECT_GT(p.CoinsNeeded, 12);
        }
        double worst = 0.0;
        for (std::uint32_t seed = 1; seed <= 20; ++seed)
            worst =
                std::max(worst, SecondsToWin(grid, p, p.CoinsNeeded * 3 / 2, seed * 2654435761u));
        EXPECT_LE(worst, double(p.LevelTime)) << "the slowest of 20 games takes " << worst << " s";
        std::printf("%-26s coins %2d time %3d s, steady player at most %5.1f s\n",
                    (entry.file + " " + entry.name).c_str(), p.CoinsNeeded, p.LevelTime, worst);
    }
}

TEST_F(LevelContentTest, TheLevelsGetHarderAndTogetherUseEveryBoardObject) {
    ASSERT_FALSE(entries_.empty());
    std::set<std::string> objects;
    std::set<int> intervals;
    std::set<bool> exits;
    bool traps = false, raised = false, fixed = false;
    int lastCoins = 0, lastBalls = 0;
    for (const ListEntry& entry : entries_) {
        SCOPED_TRACE(entry.file);
        std::unique_ptr<PyxLevel> level = Load(entry.file);
        const PyxLevelProperties& p = level->Properties();
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
}

// CIE L*a*b* of an sRGB colour (D65), for colour differences as the eye sees them.
std::array<double, 3> Lab(int red, int green, int blue) {
    auto linear = [](int c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const double r = linear(red), g = linear(green), b = linear(blue);
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    const double x = f((0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047);
    const double y = f(0.2126 * r + 0.7152 * g + 0.0722 * b);
    const double z = f((0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883);
    return {116.0 * y - 16.0, 500.0 * (x - y), 200.0 * (y - z)};
}

// The back buffer's colours, one Lab triple per pixel.
std::vector<std::array<double, 3>> ScreenLab() {
    std::vector<std::array<double, 3>> lab;
    QxSurfaceDesc desc{};
    if (!g_screen->LockBackBuffer(&desc))
        return lab;
    const QxPixelFormat& format = g_screen->PixelFormat();
    for (int y = 0; y < desc.height; ++y)
        for (int x = 0; x < desc.width; ++x) {
            const std::uint32_t pixel = *reinterpret_cast<const std::uint16_t*>(
                desc.pixels + std::size_t(y) * std::size_t(desc.pitch) + std::size_t(x) * 2);
            lab.push_back(Lab(format.red.Unpack(pixel), format.green.Unpack(pixel),
                              format.blue.Unpack(pixel)));
        }
    g_screen->UnlockBackBuffer();
    return lab;
}

// Draws the side bar and a level's board as the game screen shows them, with the
// player's ball on its start cell; with RONDELIX_SHOTS naming a folder the pictures are
// kept there. The ball must stand out from the floor it rolls on: over its disc the
// colour differs from the board drawn without it by a CIE76 difference of 20 or more
// in the median (2 is just noticeable), and by 10 or more at nine in ten pixels of its
// rim, so its outline shows all round.
TEST_F(LevelContentTest, TheBoardIsDrawnOnEveryLevelAndThePlayersBallStandsOut) {
    std::unique_ptr<QxEntityBase> bar = registry_->Create("sprite", "hudsidebar", kKindAny);
    ASSERT_NE(bar, nullptr);
    auto* sideBar = dynamic_cast<QxEntity2DGUIElement*>(bar.get());
    ASSERT_NE(sideBar, nullptr);
    sideBar->Type()->Load(false);
    for (const ListEntry& entry : entries_) {
        SCOPED_TRACE(entry.file);
        std::unique_ptr<PyxLevel> level = Load(entry.file);
        rules_.level = level.get();
        level->ActivateObjects(false);
        // The player's ball as the rules make it: the level's own, or the glass marble.
        const PyxLevelProperties& p = level->Properties();
        PyxEntityGameObject* player = level->FindFirstBall();
        if (!player)
            player = level->SpawnBall(0, p.StartCol, p.StartRow, 1.0f, 0.0f, 0.0f,
                                      "PyxRenderedBall", "renderball", true);
        ASSERT_NE(player, nullptr);
        if (p.BallsReleased > 0)
            level->SpawnStartBall(true);
        for (int frame = 0; frame < 30; ++frame)
            level->Update(16.0f);
        player->PlaceAtCell(p.StartCol, p.StartRow);
        player->Update(0.0f);
        player->ClearFlags(kObjectInFrame);
        level->Draw();
        const std::vector<std::array<double, 3>> floor = ScreenLab();
        player->AddFlags(kObjectInFrame);
        g_screen->MarkDirty(QxRect{0, 640, 0, 480}, true);
        sideBar->Draw();
        level->Draw();
        const std::vector<std::array<double, 3>> ball = ScreenLab();
        std::int32_t w = 0, h = 0;
        player->GetSize(w, h);
        const int cx = player->DrawX() + w / 2, cy = player->DrawY() + h / 2;
        const int radius = std::min(w, h) / 2 - 2;
        std::vector<double> disc;
        int rim = 0, rimSeen = 0;
        for (int y = cy - radius; y <= cy + radius; ++y)
            for (int x = cx - radius; x <= cx + radius; ++x) {
                const double r = std::hypot(x - cx, y - cy);
                if (r > radius)
                    continue;
                const auto& a = ball[std::size_t(y * 640 + x)];
                const auto& b = floor[std::size_t(y * 640 + x)];
                const double difference = std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
                disc.push_back(difference);
                if (r >= 0.8 * radius) {
                    ++rim;
                    rimSeen += difference >= 10.0 ? 1 : 0;
                }
            }
        ASSERT_FALSE(disc.empty());
        std::nth_element(disc.begin(), disc.begin() + std::ptrdiff_t(disc.size() / 2), disc.end());
        EXPECT_GE(disc[disc.size() / 2], 20.0) << "the ball blends into the floor";
        EXPECT_GE(rimSeen * 10, rim * 9) << rimSeen << " of " << rim << " rim pixels show";
        std::printf("%-20s ball over the floor: median difference %4.1f, rim shown %3d %%\n",
                    entry.file.c_str(), disc[disc.size() / 2], rimSeen * 100 / rim);
        QxSurfaceDesc desc{};
        ASSERT_TRUE(screen_->LockBackBuffer(&desc));
        std::set<std::uint16_t> colours;
        for (int y = 16; y < 464; y += 7)
            for (int x = 16; x < 464; x += 7)
                colours.insert(*reinterpret_cast<const std::uint16_t*>(
                    desc.pixels + std::size_t(y) * std::size_t(desc.pitch) + std::size_t(x) * 2));
        if (const char* folder = std::getenv("RONDELIX_SHOTS")) {
            const std::string name = entry.file.substr(entry.file.find('/') + 1);
            SavePng(std::string(folder) + "/" + name + ".png",
                    reinterpret_cast<const std::uint16_t*>(desc.pixels), desc.width, desc.height,
                    desc.pitch);
        }
        screen_->UnlockBackBuffer();
        EXPECT_GT(colours.size(), 20u) << "the board looks empty";
        rules_.level = nullptr;
    }
}

} // namespace
} // namespace boardcontent
