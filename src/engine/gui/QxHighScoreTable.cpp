#include "engine/gui/QxHighScoreTable.h"

#include <filesystem>
#include <system_error>

#include "engine/files/QxBuffer.h"
#include "engine/files/QxLog.h"
#include "platform/FileFlush.h"

QxHighScoreTable g_highScoreTable;

namespace {

bool WriteAll(std::FILE* stream, const uint8_t* data, size_t size) {
    return size == 0 || std::fwrite(data, 1, size, stream) == size;
}

enum class ReadResult { Read, Missing, Unreadable, TooLarge };

// Reads the whole file into the buffer.
ReadResult ReadWholeFile(const std::string& fileName, QxBuffer& buffer) {
    std::FILE* stream = std::fopen(fileName.c_str(), "rb");
    if (stream == nullptr) {
        // Only a file that is not there is no loss; one that is there but will not
        // open (locked, not permitted) holds scores all the same.
        std::error_code error;
        const auto status = std::filesystem::symlink_status(fileName, error);
        return status.type() == std::filesystem::file_type::not_found ? ReadResult::Missing
                                                                      : ReadResult::Unreadable;
    }
    bool ok = std::fseek(stream, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(stream) : -1;
    ok = ok && size >= 0 && std::fseek(stream, 0, SEEK_SET) == 0;
    const bool tooLarge = ok && size > QxHighScoreTable::kMaxFileSize;
    ok = ok && !tooLarge;
    if (ok) {
        buffer.Allocate(static_cast<uint32_t>(size), 0);
        ok = size == 0 || std::fread(buffer.GetData(), 1, static_cast<size_t>(size), stream) ==
                              static_cast<size_t>(size);
    }
    std::fclose(stream);
    return ok ? ReadResult::Read : tooLarge ? ReadResult::TooLarge : ReadResult::Unreadable;
}

// The first of "name", "name2", "name3" ... that names nothing yet; empty when all
// the names that are tried are taken.
std::string FreshName(const std::string& name) {
    constexpr int kMaxTries = 1000;
    for (int number = 1; number <= kMaxTries; ++number) {
        const std::string candidate = number == 1 ? name : name + std::to_string(number);
        std::error_code error;
        const auto status = std::filesystem::symlink_status(candidate, error);
        if (status.type() == std::filesystem::file_type::not_found) {
            return candidate;
        }
    }
    return {};
}

// Moves the file to a fresh name beside it; answers that name, or empty when the file
// could not be moved.
std::string MoveAside(const std::string& fileName) {
    const std::string kept = FreshName(fileName + ".damaged");
    if (kept.empty()) {
        return {};
    }
    std::error_code error;
    std::filesystem::rename(fileName, kept, error);
    return error ? std::string() : kept;
}

} // namespace

QxHighScore* QxHighScoreTable::Insert(const QxHighScore& prototype, bool isNew) {
    for (auto& entry : m_entries) {
        entry->isNew = false;
    }
    std::unique_ptr<QxHighScore> clone = prototype.Clone();
    clone->isNew = isNew;
    QxHighScore* stored = clone.get();

    for (size_t index = 0; index < m_entries.size(); ++index) {
        const size_t position = index + 1;
        if (position < kMaxEntries) {
            if (m_entries[index]->score < clone->score) {
                m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(index),
                                 std::move(clone));
                if (m_entries.size() > kMaxEntries) {
                    m_entries.resize(kMaxEntries);
                }
                return stored;
            }
        } else {
            // The tenth place: an equal score takes it, a lower one is turned away.
            if (m_entries[index]->score > clone->score) {
                return nullptr;
            }
            m_entries[index] = std::move(clone);
            m_entries.resize(kMaxEntries);
            return stored;
        }
    }
    if (m_entries.size() >= kMaxEntries) {
        return nullptr;
    }
    m_entries.push_back(std::move(clone));
    return stored;
}

int QxHighScoreTable::IndexOfNew() const {
    for (size_t index = 0; index < m_entries.size(); ++index) {
        if (m_entries[index]->isNew) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

void QxHighScoreTable::Clear() {
    m_entries.clear();
    m_fileName.clear();
    m_unreadFile.clear();
}

const QxHighScore* QxHighScoreTable::Entry(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return m_entries[static_cast<size_t>(index)].get();
}

QxHighScore* QxHighScoreTable::Entry(int index) {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return m_entries[static_cast<size_t>(index)].get();
}

bool QxHighScoreTable::Load(const std::string& fileName, const QxHighScore& prototype) {
    Clear();
    m_fileName = fileName;
    if (fileName.empty()) {
        return false;
    }
    QxBuffer buffer;
    const char* damage = nullptr;
    switch (ReadWholeFile(fileName, buffer)) {
    case ReadResult::Missing:
        return false;
    case ReadResult::Unreadable:
        damage = "cannot be read";
        break;
    case ReadResult::TooLarge:
        damage = "file too large";
        break;
    case ReadResult::Read:
        if (LoadFrom(buffer, prototype)) {
            return true;
        }
        damage = "checksum";
        break;
    }

    // The next save would put an empty table in its place: the old bytes go aside
    // first, so scores that a player (or a later version) can still read survive.
    const std::string kept = MoveAside(fileName);
    if (kept.empty()) {
        m_unreadFile = fileName;
        LogWarning("High scores damaged (%s): %s; it could not be moved aside and is not "
                   "written over",
                   damage, fileName.c_str());
    } else {
        LogWarning("High scores damaged (%s): %s; the old file is kept as %s", damage,
                   fileName.c_str(), kept.c_str());
    }
    return false;
}

bool QxHighScoreTable::LoadFrom(QxFile& file, const QxHighScore& prototype) {
    m_entries.clear();
    const uint32_t size = file.GetSize();
    std::unique_ptr<QxHighScore> reader = prototype.Clone();
    uint32_t sum = 0;
    uint32_t firstWord = 0;
    uint32_t start = 0;
    for (;;) {
        start = file.Tell();
        if (!reader->Read(file, sum, firstWord)) {
            break;
        }
        Insert(*reader, false);
    }

    // A sound file ends with the checksum: the read that failed began on the last
    // word of the file, and that word is the sum. Anything else (a wrong sum, a
    // cut-off entry, a name too long to be one, bytes after the sum) is damage.
    const bool endsWithSum = size >= 4 && start == size - 4;
    if (!endsWithSum || firstWord != sum) {
        m_entries.clear();
        return false;
    }
    for (auto& entry : m_entries) {
        entry->isNew = false;
    }
    return true;
}

bool QxHighScoreTable::Save(const std::string& fileName) {
    return SaveWith(fileName, &WriteAll);
}

bool QxHighScoreTable::SaveBack() {
    return Save(m_fileName);
}

bool QxHighScoreTable::SaveWith(const std::string& fileName, StreamWriter writer) {
    if (fileName.empty() || writer == nullptr) {
        return false;
    }
    // A file that could not be read at start-up is only replaced once its bytes are
    // safe beside it (it may have been locked only for a while).
    if (fileName == m_unreadFile) {
        const std::string kept = MoveAside(fileName);
        if (kept.empty()) {
            LogWarning("High scores not saved: %s could not be read and is not written over",
                       fileName.c_str());
            return false;
        }
        m_unreadFile.clear();
        LogPrintf("High scores: the unread file %s is kept as %s", fileName.c_str(), kept.c_str());
    }
    QxBuffer bytes;
    uint32_t sum = 0;
    for (const auto& entry : m_entries) {
        if (!entry->Write(bytes, sum)) {
            LogPrintf("High scores not saved (entry too large): %s", fileName.c_str());
            return false;
        }
    }
    if (bytes.WriteUInt32(sum) != 4) {
        LogPrintf("High scores not saved (out of memory): %s", fileName.c_str());
        return false;
    }

    const std::string temporary = fileName + ".tmp";
    std::FILE* stream = std::fopen(temporary.c_str(), "wb");
    if (stream == nullptr) {
        LogWarning("High scores not saved (cannot create %s)", temporary.c_str());
        return false;
    }
    bool written = writer(stream, bytes.GetData(), bytes.Tell());
    written = written && platform::FlushToDisk(stream);
    written = std::fclose(stream) == 0 && written;

    std::error_code error;
    if (written) {
        std::filesystem::rename(temporary, fileName, error);
    }
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        LogWarning("High scores not saved (cannot write %s); the old table is kept",
                   fileName.c_str());
        return false;
    }
    return true;
}
