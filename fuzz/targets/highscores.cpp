// Feeds arbitrary bytes to the high-score reader as the contents of "Scores.rd": it
// must end with a table of at most ten entries, or an empty one, and never read or
// allocate past what the bytes hold. A sound table is written back and must read
// back to the same entries.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/files/QxBuffer.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxHighScoreTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > QxHighScoreTable::kMaxFileSize) {
        return 0;
    }
    QxBuffer file;
    file.Allocate(static_cast<uint32_t>(size), 0);
    if (size > 0) {
        std::memcpy(file.GetData(), data, size);
    }
    const PyxHighScore prototype("Last", 0, 0);
    QxHighScoreTable table;
    const bool sound = table.LoadFrom(file, prototype);
    if (table.Count() > QxHighScoreTable::kMaxEntries || (!sound && table.Count() != 0)) {
        std::abort();
    }
    if (!sound) {
        return 0;
    }
    for (int i = 1; i < table.Count(); ++i) {
        if (table.Entry(i - 1)->score < table.Entry(i)->score) {
            std::abort();
        }
    }
    // Written back and read again, the table is the same.
    QxBuffer copy;
    uint32_t sum = 0;
    for (int i = 0; i < table.Count(); ++i) {
        table.Entry(i)->Write(copy, sum);
    }
    copy.WriteUInt32(sum);
    const uint32_t length = copy.Tell();
    QxBuffer again;
    again.Allocate(length, 0);
    std::memcpy(again.GetData(), copy.GetData(), length);
    QxHighScoreTable reread;
    if (!reread.LoadFrom(again, prototype) || reread.Count() != table.Count()) {
        std::abort();
    }
    for (int i = 0; i < table.Count(); ++i) {
        if (reread.Entry(i)->name != table.Entry(i)->name ||
            reread.Entry(i)->score != table.Entry(i)->score) {
            std::abort();
        }
    }
    return 0;
}
