#pragma once
#include <cstdint>
#include <memory>
#include <string>

class QxFile;

// One entry of the high-score table: a name and a score. The engine entry stores
// nothing on file; the game derives an entry that knows the file layout, so the
// table can read and write entries without knowing what they carry.
class QxHighScore {
public:
    QxHighScore() = default;
    QxHighScore(std::string entryName, uint32_t entryScore)
        : name(std::move(entryName)), score(entryScore) {}
    virtual ~QxHighScore() = default;

    // Reads one entry. The first word of the entry is handed back in firstWord even
    // when the rest cannot be read, because at the end of a sound file that word is
    // the table's checksum. The sum grows by what the entry contributes to it.
    virtual bool Read(QxFile& file, uint32_t& sum, uint32_t& firstWord);
    // Writes one entry; answers false when the file took less than all of it.
    virtual bool Write(QxFile& file, uint32_t& sum) const;
    // A copy of the entry's data; the new flag starts clear.
    virtual std::unique_ptr<QxHighScore> Clone() const;

    std::string name;
    uint32_t score = 0;
    bool isNew = false;

protected:
    QxHighScore(const QxHighScore&) = default;
    QxHighScore& operator=(const QxHighScore&) = default;
};
