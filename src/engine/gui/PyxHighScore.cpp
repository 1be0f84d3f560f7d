#include "engine/gui/PyxHighScore.h"

#include <algorithm>

#include "engine/files/QxFile.h"
#include "engine/gui/QxHighScoreTable.h"

namespace {

// Bytes between the file's position and its end.
uint32_t Remaining(QxFile& file) {
    const uint32_t size = file.GetSize();
    const uint32_t position = file.Tell();
    return position < size ? size - position : 0;
}

} // namespace

bool PyxHighScore::Read(QxFile& file, uint32_t& sum, uint32_t& firstWord) {
    if (Remaining(file) < 4) {
        return false;
    }
    firstWord = file.ReadUInt32();
    const uint32_t length = firstWord;
    // A name of 256 bytes or more is no name this program wrote: the file is
    // damaged (at the end of a sound file this word is the checksum instead).
    if (length > kMaxNameLength || Remaining(file) < length + 8) {
        return false;
    }
    std::string text(length, '\0');
    if (length > 0 && file.ReadBytes(length, text.data()) != length) {
        return false;
    }
    const uint32_t entryScore = file.ReadUInt32();
    const uint32_t packed = file.ReadUInt32();
    name = std::move(text);
    score = entryScore;
    level = packed & kLevelMask;
    flag = packed >> 30;
    sum += length + entryScore + packed;
    return true;
}

bool PyxHighScore::Write(QxFile& file, uint32_t& sum) const {
    // A longer name (one offered from an edited setting, say) is cut rather than
    // written as a length that no reader accepts.
    const auto length = static_cast<uint32_t>(std::min<size_t>(name.size(), kMaxNameLength));
    bool ok = file.WriteUInt32(length) == 4;
    ok = ok && (length == 0 || file.WriteBytes(length, name.data()) == length);
    ok = ok && file.WriteUInt32(score) == 4;
    ok = ok && file.WriteUInt32(Packed()) == 4;
    sum += length + score + Packed();
    return ok;
}

std::unique_ptr<QxHighScore> PyxHighScore::Clone() const {
    auto copy = std::make_unique<PyxHighScore>(name, score, level);
    copy->flag = flag;
    return copy;
}

std::array<PyxHighScoreRow, 10> PyxHighScoreRows(const QxHighScoreTable& table) {
    std::array<PyxHighScoreRow, 10> rows;
    for (int index = 0; index < static_cast<int>(rows.size()); ++index) {
        PyxHighScoreRow& row = rows[static_cast<size_t>(index)];
        row.y = kHighScoreRowTop + kHighScoreRowStep * index;
        const QxHighScore* entry = table.Entry(index);
        if (entry == nullptr) {
            continue;
        }
        row.hasEntry = true;
        row.isNew = entry->isNew;
        row.name = entry->name;
        row.score = std::to_string(entry->score);
        if (const auto* game = dynamic_cast<const PyxHighScore*>(entry)) {
            row.level = game->level <= 24 ? std::to_string(game->level) : kHighScoreCompletedText;
        }
    }
    return rows;
}
