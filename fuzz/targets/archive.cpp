// Reads arbitrary bytes as an archive: construction, listing and opening every entry,
// from a memory buffer and (where the platform offers memory streams) a disk-style
// stream, so both kinds of archive file meet the directory reader.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileLE.h"

namespace {

// Serves the one input as the archive file, either kind.
class InputSource : public QxFileManager {
public:
    InputSource(const uint8_t* data, size_t size, bool asStream) : m_data(data), m_size(size) {
        m_asStream = asStream;
    }
    ~InputSource() override {
        if (m_stream) {
            std::fclose(m_stream);
        }
    }
    QxFile* Open(const std::string&, int32_t) override {
        if (m_file) {
            return nullptr;
        }
#if defined(__linux__)
        if (m_asStream && m_size > 0) {
            m_stream = fmemopen(const_cast<uint8_t*>(m_data), m_size, "rb");
            if (!m_stream) {
                return nullptr;
            }
            m_file = std::make_unique<QxFileLE>(m_stream);
            return m_file.get();
        }
#endif
        auto buffer = std::make_unique<QxBuffer>();
        buffer->Allocate(static_cast<uint32_t>(m_size), 0);
        if (m_size > 0) {
            std::memcpy(buffer->GetData(), m_data, m_size);
        }
        m_file = std::move(buffer);
        return m_file.get();
    }
    int32_t Close(QxFile* file) override {
        if (!file || file != m_file.get()) {
            return kNotMine;
        }
        m_file.reset();
        if (m_stream) {
            std::fclose(m_stream);
            m_stream = nullptr;
        }
        return kClosed;
    }
    int32_t ListFiles(const std::string&, const std::string&, bool,
                      std::vector<std::string>&) override {
        return 0;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    bool m_asStream = false;
    std::FILE* m_stream = nullptr;
    std::unique_ptr<QxFile> m_file;
};

void Exercise(const uint8_t* data, size_t size, bool asStream) {
    InputSource source(data, size, asStream);
    QxArchiveManager archive(&source, "input.qxa");

    std::vector<std::string> names;
    archive.ListFiles("*", "", false, names);
    archive.ListFiles("*.ent", "", true, names);
    if (names.size() > archive.GetEntryCount() * 2 + 2 && archive.GetEntryCount() == 0) {
        std::abort(); // a listing may only name entries the directory holds
    }

    for (const std::string& name : names) {
        QxFile* file = archive.Open(name, QxFileManager::kModeReadBinary);
        if (!file) {
            continue;
        }
        if (file->GetSize() > size) {
            std::abort(); // an entry can never be larger than its archive
        }
        file->ReadUInt32();
        file->ReadString();
        archive.Close(file);
    }
    QxFile* missing = archive.Open("no/such\\ENTRY", 0);
    if (missing) {
        archive.Close(missing);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) {
        return 0;
    }
    Exercise(data, size, false);
    Exercise(data, size, true);
    return 0;
}
