// Opening an entry by name in an archive of 2,000 entries: from memory and from a file
// on disk, as the game's data lookups do.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxArchiveWriter.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxWin32FileManager.h"

namespace {

constexpr int kEntries = 2000;

std::string EntryName(int i) {
    static const char* const kFolders[] = {"common/sounds/", "common/images/", "levels/", "scenes/",
                                           "gui/fonts/"};
    char name[64];
    std::snprintf(name, sizeof(name), "%sEntry_%04d.dat", kFolders[i % 5], i);
    return name;
}

// The same name as a caller might spell it: other case, backslashes.
std::string CallerSpelling(const std::string& name) {
    std::string spelled = name;
    for (char& c : spelled) {
        if (c == '/') {
            c = '\\';
        } else if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return spelled;
}

std::unique_ptr<QxBuffer> BuildArchive() {
    QxArchiveWriter writer;
    for (int i = 0; i < kEntries; ++i) {
        writer.AddEntry(EntryName(i), std::vector<uint8_t>(256, static_cast<uint8_t>(i)));
    }
    auto buffer = std::make_unique<QxBuffer>();
    writer.Write(*buffer);
    return buffer;
}

class MemorySource : public QxFileManager {
public:
    explicit MemorySource(QxBuffer& archive) : m_archive(archive) {}
    QxFile* Open(const std::string&, int32_t) override { return &m_archive; }
    int32_t Close(QxFile* file) override { return file == &m_archive ? kClosed : kNotMine; }
    int32_t ListFiles(const std::string&, const std::string&, bool,
                      std::vector<std::string>&) override {
        return 0;
    }

private:
    QxBuffer& m_archive;
};

std::vector<std::string> LookupNames() {
    std::vector<std::string> names;
    for (int i = 0; i < kEntries; i += 7) {
        names.push_back(CallerSpelling(EntryName(i)));
    }
    return names;
}

void RunOpens(benchmark::State& state, QxArchiveManager& archive) {
    const std::vector<std::string> names = LookupNames();
    size_t next = 0;
    for (auto _ : state) {
        QxFile* file = archive.Open(names[next], QxFileManager::kModeReadBinary);
        benchmark::DoNotOptimize(file);
        archive.Close(file);
        next = (next + 1) % names.size();
    }
}

void BM_ArchiveOpenFromMemory(benchmark::State& state) {
    std::unique_ptr<QxBuffer> archiveBytes = BuildArchive();
    MemorySource source(*archiveBytes);
    QxArchiveManager archive(&source, "bench.qxa");
    if (archive.GetEntryCount() != kEntries) {
        state.SkipWithError("archive not built");
    }
    RunOpens(state, archive);
}
BENCHMARK(BM_ArchiveOpenFromMemory);

void BM_ArchiveOpenFromDisk(benchmark::State& state) {
    std::unique_ptr<QxBuffer> archiveBytes = BuildArchive();
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "rondelix-bench-files.qxa";
    if (std::FILE* out = std::fopen(path.string().c_str(), "wb")) {
        std::fwrite(archiveBytes->GetData(), 1, archiveBytes->Tell(), out);
        std::fclose(out);
    }
    {
        QxWin32FileManager folder;
        QxArchiveManager archive(&folder, path.string());
        if (archive.GetEntryCount() != kEntries) {
            state.SkipWithError("archive not written");
        }
        RunOpens(state, archive);
    }
    std::error_code ec;
    std::filesystem::remove(path, ec);
}
BENCHMARK(BM_ArchiveOpenFromDisk);

// Reading the directory of 2,000 entries, as adding the archive at start-up does.
void BM_ArchiveLoadDirectory(benchmark::State& state) {
    std::unique_ptr<QxBuffer> archiveBytes = BuildArchive();
    MemorySource source(*archiveBytes);
    for (auto _ : state) {
        QxArchiveManager archive(&source, "bench.qxa");
        benchmark::DoNotOptimize(archive.GetEntryCount());
    }
}
BENCHMARK(BM_ArchiveLoadDirectory);

} // namespace
