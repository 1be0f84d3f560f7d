#include "game/rules/PyxLevelCheck.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <string>
#include <utility>

#include "app/QxGlobals.h"
#include "engine/entity/QxEntityRegistry.h"
#include "game/field/PyxEntityTileBase.h"
#include "game/field/PyxLevel.h"
#include "game/objects/PyxEntityBallBase.h"
#include "game/objects/PyxEntityBasicPost.h"
#include "game/objects/PyxEntityPostBase.h"
#include "game/screens/PyxEntity2DGUIClock.h"

namespace {

// Coins a steady player takes for every coin the exit needs: the other balls knock
// some off the stack on the way.
constexpr double kCoinsPerCoinNeeded = 1.5;

// What the check knows of one cell of the board.
struct Cell {
    bool floor = false;   // a plain floor tile: balls roll on it, coins and the exit go there
    bool trap = false;    // a sink that costs a life
    bool sink = false;    // any other sink
    bool blocked = false; // a post or gear stands at its centre and sends balls back
    bool upPost = false;  // something that is up when play begins stands there
    bool taken = false;   // an award or ball is listed by its tile: no coin goes there
};

// The record's type: its object's, or, for a level whose objects are only records,
// the registry's. Null for a type the registry does not know.
const PyxEntityGameObjectType* TypeOf(const PyxLevelObjectRecord& record) {
    const QxEntityBaseType* type = nullptr;
    if (record.entity) {
        type = record.entity->Type();
    } else if (g_registry) {
        type = g_registry->FindType(record.className, record.typeName);
    }
    return dynamic_cast<const PyxEntityGameObjectType*>(type);
}

// A pad the player raises only while holding the button over it, or one that starts
// down and stays so: balls roll over it when play begins.
bool StartsDown(const PyxEntityGameObjectType& type) {
    const auto* basic = dynamic_cast<const PyxEntityBasicPostType*>(&type);
    return basic && (basic->UserChange() || !basic->DefaultUp());
}

// A plate with a diagonal normal turns a ball by a right angle (and lets it over from
// behind), so the ball goes on into a neighbouring cell instead of coming back.
bool TurnsBalls(const PyxEntityGameObjectType& type) {
    const auto* post = dynamic_cast<const PyxEntityPostBaseType*>(&type);
    return post && post->IsRect() && post->Normal().x != 0.0f && post->Normal().y != 0.0f;
}

std::vector<Cell> ReadBoard(const PyxLevel& level) {
    const std::int32_t columns = level.Columns();
    const std::int32_t rows = level.Rows();
    const float width = float(level.TileWidth());
    const float height = float(level.TileHeight());
    std::vector<Cell> cells(std::size_t(std::max(0, level.CellCount())));
    for (std::size_t index = 0; index < cells.size(); ++index) {
        if (PyxEntityTileBase* tile = level.TileAt(std::int32_t(index))) {
            const std::uint32_t bits = tile->KindBits();
            cells[index].trap = (bits & kTileTrap) != 0;
            cells[index].sink = (bits & kTileSink) != 0;
            cells[index].floor = (bits & kTileFloor) != 0 && (bits & (kTileSink | kTileTrap)) == 0;
        }
    }
    if (width <= 0.0f || height <= 0.0f) {
        return cells;
    }
    for (const PyxLevelObjectRecord& record : level.Objects()) {
        const PyxEntityGameObjectType* type = TypeOf(record);
        if (!type) {
            continue;
        }
        const float x = record.startX;
        const float y = record.startY;
        if (type->HasTypeFlags(kTypeAward | kTypeBall)) {
            // Listed by every tile whose cell, widened by the margin, strictly holds the
            // start point: the free-cell search skips all of them.
            const float margin = PyxLevel::kTileListMargin;
            for (std::int32_t row = 0; row < rows; ++row) {
                for (std::int32_t col = 0; col < columns; ++col) {
                    if (x > float(col) * width - margin && x < float(col + 1) * width + margin &&
                        y > float(row) * height - margin && y < float(row + 1) * height + margin) {
                        cells[std::size_t(row * columns + col)].taken = true;
                    }
                }
            }
        }
        // The rails stand just outside the board and stop nothing on it.
        if (!type->HasTypeFlags(kTypePost) || !(x >= 0.0f && y >= 0.0f) ||
            x >= float(columns) * width || y >= float(rows) * height) {
            continue;
        }
        Cell& cell =
            cells[std::size_t(std::int32_t(y / height) * columns + std::int32_t(x / width))];
        if (!StartsDown(*type)) {
            cell.upPost = true;
            cell.blocked = cell.blocked || !TurnsBalls(*type);
        }
    }
    return cells;
}

// Shortest distances in cells from one cell to every other, -1 where the ball never
// gets. A ball rolls between neighbouring floor cells; it goes up to a post's cell
// (and takes a coin lying there) but bounces back instead of rolling through it.
std::vector<std::int32_t> Distances(const std::vector<Cell>& cells, std::int32_t columns,
                                    std::int32_t from) {
    std::vector<std::int32_t> distance(cells.size(), -1);
    const std::int32_t rows = columns > 0 ? std::int32_t(cells.size()) / columns : 0;
    std::deque<std::int32_t> queue{from};
    distance[std::size_t(from)] = 0;
    while (!queue.empty()) {
        const std::int32_t here = queue.front();
        queue.pop_front();
        if (here != from && cells[std::size_t(here)].blocked) {
            continue;
        }
        const std::int32_t col = here % columns;
        const std::int32_t row = here / columns;
        const std::int32_t steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
            const std::int32_t c = col + step[0];
            const std::int32_t r = row + step[1];
            if (c < 0 || r < 0 || c >= columns || r >= rows) {
                continue;
            }
            const std::int32_t next = r * columns + c;
            if (cells[std::size_t(next)].floor && distance[std::size_t(next)] < 0) {
                distance[std::size_t(next)] = distance[std::size_t(here)] + 1;
                queue.push_back(next);
            }
        }
    }
    return distance;
}

std::string Plural(std::int32_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

PyxLevelProblem Problem(PyxLevelProblem::Severity severity, std::string text,
                        std::vector<std::int32_t> cells = {}) {
    return {severity, std::move(text), std::move(cells)};
}

// The mean, over the cells a steady player may stand on after taking a coin, of the walk
// to the nearest of `coins` coins lying on other free cells drawn at random.
double MeanWalkToNearestCoin(const std::vector<std::vector<std::int32_t>>& walks,
                             std::int32_t coins) {
    double sum = 0.0;
    for (std::vector<std::int32_t> walk : walks) {
        std::sort(walk.begin(), walk.end());
        const auto n = std::int32_t(walk.size());
        const std::int32_t k = std::clamp(coins, 1, std::max(1, n));
        // The chance that the i-th nearest cell holds the nearest coin:
        // C(n - 1 - i, k - 1) / C(n, k), each from the one before.
        double chance = double(k) / double(std::max(1, n));
        for (std::int32_t i = 0; i < n && chance > 0.0; ++i) {
            sum += chance * walk[std::size_t(i)];
            chance *= i + 1 < n ? double(n - i - k) / double(n - i - 1) : 0.0;
        }
    }
    return walks.empty() ? 0.0 : sum / double(walks.size());
}

// Seconds a steady player takes to win, or a negative value when there is nowhere to
// go. The model: the player heads for the nearest of the coins on the board, so every
// coin costs the mean shortest walk to the nearest of that many coins on free cells;
// the exit costs the mean walk to a free cell (or back to the start when the exit opens
// there); the ball rolls at its slowest pace all the way. Counting the mean walk
// between any two free cells per coin instead would ignore the player's choice and
// about double the time, more than a steady player on a maze of posts ever needs.
double SteadyPlayerSeconds(const PyxLevel& level, const std::vector<Cell>& cells,
                           const std::vector<std::int32_t>& freeCells, std::int32_t start) {
    std::vector<std::vector<std::int32_t>> walks;
    std::int64_t total = 0;
    std::int64_t pairs = 0;
    std::int64_t toStart = 0;
    for (const std::int32_t from : freeCells) {
        const std::vector<std::int32_t> distance = Distances(cells, level.Columns(), from);
        std::vector<std::int32_t>& walk = walks.emplace_back();
        for (const std::int32_t to : freeCells) {
            if (to != from && distance[std::size_t(to)] > 0) {
                walk.push_back(distance[std::size_t(to)]);
                total += distance[std::size_t(to)];
                ++pairs;
            }
        }
        toStart += std::max(0, distance[std::size_t(start)]);
    }
    if (pairs == 0) {
        return -1.0;
    }
    const PyxLevelProperties& p = level.Properties();
    const double exitWalk = p.ExitAtRandomTile ? double(total) / double(pairs)
                                               : double(toStart) / double(freeCells.size());
    const double cellsWalked =
        kCoinsPerCoinNeeded * p.CoinsNeeded * MeanWalkToNearestCoin(walks, p.CoinsOnBoard) +
        exitWalk;
    const double cellPixels = (level.TileWidth() + level.TileHeight()) / 2.0;
    return cellsWalked * cellPixels / PyxEntityBallBase::kLowSpeed / 1000.0;
}

} // namespace

std::vector<PyxLevelProblem> PyxCheckLevel(const PyxLevel& level) {
    using Severity = PyxLevelProblem::Severity;
    std::vector<PyxLevelProblem> problems;
    const PyxLevelProperties& p = level.Properties();
    const std::int32_t columns = level.Columns();
    const std::vector<Cell> cells = ReadBoard(level);

    std::int32_t start = -1;
    if (p.StartCol < 0 || p.StartRow < 0 || p.StartCol >= columns || p.StartRow >= level.Rows()) {
        problems.push_back(Problem(Severity::Error, "The start cell lies off the board."));
    } else {
        start = p.StartRow * columns + p.StartCol;
        const Cell& cell = cells[std::size_t(start)];
        if (cell.trap) {
            problems.push_back(Problem(Severity::Error, "The start cell is a trap.", {start}));
        } else if (cell.sink) {
            problems.push_back(Problem(Severity::Error, "The start cell is an exit.", {start}));
        } else if (!cell.floor) {
            problems.push_back(Problem(Severity::Error, "The start cell has no floor.", {start}));
        } else if (cell.upPost) {
            // The claw puts the ball down on whatever stands there; a pad that is down
            // is rolled over like floor, but a post, gear or plate would throw the ball
            // about before the player could steer it.
            problems.push_back(
                Problem(Severity::Error, "A post stands on the start cell.", {start}));
        }
        if (!cell.floor) {
            start = -1;
        }
    }
    if (p.CoinsNeeded < 1) {
        problems.push_back(
            Problem(Severity::Error, "No coins are needed: the exit opens at once."));
    }
    if (p.CoinsOnBoard < 1) {
        problems.push_back(
            Problem(Severity::Error, "No coin ever appears, so the exit never opens."));
    }

    std::vector<std::int32_t> freeCells;
    if (start >= 0) {
        const std::vector<std::int32_t> reached = Distances(cells, columns, start);
        std::vector<std::int32_t> unreached;
        const bool startKept = p.ExitMode == 1 && !p.ExitAtRandomTile;
        for (std::int32_t index = 0; index < std::int32_t(cells.size()); ++index) {
            const Cell& cell = cells[std::size_t(index)];
            if (!cell.floor) {
                continue;
            }
            if (reached[std::size_t(index)] < 0) {
                unreached.push_back(index);
            } else if (!cell.taken && !(startKept && index == start)) {
                freeCells.push_back(index);
            }
        }
        if (!unreached.empty()) {
            problems.push_back(Problem(
                Severity::Error,
                Plural(std::int32_t(unreached.size()), "floor cell cannot", "floor cells cannot") +
                    " be reached from the start.",
                unreached));
        }
        // One cell more than the coins: for the exit to open on, or, with the exit at
        // the start, for a coin to appear on while the others lie where they are.
        const std::int64_t needed = std::int64_t(p.CoinsOnBoard) + 1;
        const auto found = std::int64_t(freeCells.size());
        if (p.CoinsOnBoard >= 1 && found < needed) {
            const std::string coins = Plural(p.CoinsOnBoard, "coin", "coins");
            const std::string text =
                p.ExitAtRandomTile ? coins + " and the exit need " + std::to_string(needed) +
                                         " free cells, not " + std::to_string(found) + "."
                                   : coins + (p.CoinsOnBoard == 1 ? " needs " : " need ") +
                                         std::to_string(needed) + " free cells to move, not " +
                                         std::to_string(found) + ".";
            problems.push_back(Problem(Severity::Error, text, freeCells));
        }
    }

    // Time only tells on a board that can be won at all.
    if (problems.empty()) {
        const double needed = SteadyPlayerSeconds(level, cells, freeCells, start);
        // The clock never runs faster than its shortest period: a level time of 0 is
        // the shortest clock, not none.
        const double clock = PyxEntity2DGUIClock::PeriodForLevel(p.LevelTime) *
                             PyxEntity2DGUIClock::kTicksPerLevel / 1000.0;
        if (needed > clock) {
            problems.push_back(Problem(
                Severity::Warning,
                "A steady player needs about " + std::to_string(std::int64_t(std::ceil(needed))) +
                    " s; the clock gives " + std::to_string(std::llround(clock)) + " s."));
        }
    }
    return problems;
}

bool PyxLevelIsWinnable(const std::vector<PyxLevelProblem>& problems) {
    return std::none_of(problems.begin(), problems.end(), [](const PyxLevelProblem& problem) {
        return problem.severity == PyxLevelProblem::Severity::Error;
    });
}
