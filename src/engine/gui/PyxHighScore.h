#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/gui/QxHighScore.h"

class QxHighScoreTable;

// The game's high-score entry: name and score, plus the level reached. On file:
// name length (at most 255), name bytes, score, then one word holding the level in
// bits 0 to 29 and a flag in bits 30 and 31 (1 for every entry the program makes).
class PyxHighScore : public QxHighScore {
public:
    static constexpr uint32_t kMaxNameLength = 255;
    static constexpr uint32_t kLevelMask = 0x3FFFFFFF;
    // The level stored for a player who completed every level.
    static constexpr uint32_t kCompletedLevel = 9999;

    PyxHighScore() = default;
    PyxHighScore(std::string entryName, uint32_t entryScore, uint32_t entryLevel)
        : QxHighScore(std::move(entryName), entryScore), level(entryLevel & kLevelMask) {}

    bool Read(QxFile& file, uint32_t& sum, uint32_t& firstWord) override;
    bool Write(QxFile& file, uint32_t& sum) const override;
    std::unique_ptr<QxHighScore> Clone() const override;

    uint32_t Packed() const { return (level & kLevelMask) | (flag << 30); }

    uint32_t level = 0;
    uint32_t flag = 1;
};

// What one row of the high-score menu shows. Rows without an entry are empty.
struct PyxHighScoreRow {
    bool hasEntry = false;
    bool isNew = false; // the row the "Arrow" marks
    int y = 0;          // screen row of the texts
    std::string name;
    std::string level; // the number up to 24, "Completed" above
    std::string score;
};

// The level column's text for a player who completed every level, its widest text.
constexpr const char* kHighScoreCompletedText = "Completed";
// The widest text of the score column.
constexpr const char* kHighScoreWidestScore = "4294967295";

constexpr int kHighScoreRowTop = 227;
constexpr int kHighScoreRowStep = 15;
constexpr int kHighScoreArrowX = 34;

// The ten rows of the menu, filled from the table's real entries.
std::array<PyxHighScoreRow, 10> PyxHighScoreRows(const QxHighScoreTable& table);
