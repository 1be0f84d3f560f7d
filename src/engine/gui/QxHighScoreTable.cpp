#include "engine/gui/QxHighScoreTable.h"

#include <filesystem>
#include <system_error>

#include "engine/files/QxBuffer.h"
#include "engine/files/QxLog.h"

QxHighScoreTable g_highScoreTable;

namespace {

bool WriteAll(std::FILE* stream, const uint8_t* data, size_t size) {
    return size == 0 || std::fwrite(data, 1, size, stream) == size;
}

// Reads the whole file into the buffer; false when it cannot be opened or read, or
// is larger than any table could be (then tooLarge is set).
bool ReadWholeFile(const std::string& fileName, QxBuffer& buffer, bool& tooLarge) {
    tooLarge = false;
    std::FILE* stream = std::fopen(fileName.c_str(), "rb");
    if (stream == nullptr) {
        return false;
    }
    bool ok = std::fseek(stream, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(stream) : -1;
    ok = ok && size >= 0 && std::fseek(stream, 0, SEEK_SET) == 0;
    if (ok && size > QxHighScoreTable::kMaxFileSize) {
        tooLarge = true;
        ok = false;
    }
    if (ok) {
        buffer.Allocate(static_cast<uint32_t>(size), 0);
        ok = size == 0 || std::fread(buffer.GetData(), 1, static_cast<size_t>(size), stream) ==
                              static_cast<size_t>(size);
    }
    std::fclose(stream);
    return ok;
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
    if (fileName.empty()) {
        return false;
    }
    QxBuffer buffer;
    bool tooLarge = false;
    if (!ReadWholeFile(fileName, buffer, tooLarge)) {
        if (tooLarge) {
            LogPrintf("High scores damaged (file too large): %s", fileName.c_str());
        }
        return false;
    }

    if (!LoadFrom(buffer, prototype)) {
        LogPrintf("High scores damaged (checksum): %s", fileName.c_str());
        return false;
    }
    return true;
}

bool QxHighScoreTable::LoadFrom(QxFile& file, const QxHighScore& prototype) {
    Clear();
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
        Clear();
        return false;
    }
    for (auto& entry : m_entries) {
        entry->isNew = false;
    }
    return true;
}

bool QxHighScoreTable::Save(const std::string& fileName) const {
    return SaveWith(fileName, &WriteAll);
}

bool QxHighScoreTable::SaveWith(const std::string& fileName, StreamWriter writer) const {
    if (fileName.empty() || writer == nullptr) {
        return false;
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
        LogPrintf("High scores not saved (cannot create %s)", temporary.c_str());
        return false;
    }
    bool written = writer(stream, bytes.GetData(), bytes.Tell());
    written = std::fflush(stream) == 0 && written;
    written = std::fclose(stream) == 0 && written;

    std::error_code error;
    if (written) {
        std::filesystem::rename(temporary, fileName, error);
    }
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        LogPrintf("High scores not saved (cannot write %s); the old table is kept",
                  fileName.c_str());
        return false;
    }
    return true;
}
