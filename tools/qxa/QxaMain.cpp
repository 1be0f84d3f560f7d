// qxa: packs a folder into a "*.qxa" archive, lists an archive, extracts one.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/files/QxArchiveFolder.h"

namespace {

int Usage() {
    std::fputs("usage: qxa pack ARCHIVE DIR      store every file under DIR\n"
               "       qxa list ARCHIVE          name, data offset and size of each entry\n"
               "       qxa extract ARCHIVE DIR   write every entry below DIR\n",
               stderr);
    return 2;
}

void Report(const std::string& message) {
    if (!message.empty()) {
        std::fprintf(stderr, "qxa: %s\n", message.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::string command = argv[1];
    const std::string archive = argv[2];
    std::string error;

    if (command == "pack" && argc == 4) {
        const bool ok = PackArchiveFolder(argv[3], archive, error);
        Report(error);
        return ok ? 0 : 1;
    }
    if (command == "list" && argc == 3) {
        std::vector<QxArchiveEntry> entries;
        const bool ok = ListArchive(archive, entries, error);
        for (const QxArchiveEntry& entry : entries) {
            std::printf("%s\t%u\t%u\n", entry.name.c_str(), static_cast<unsigned>(entry.offset),
                        static_cast<unsigned>(entry.size));
        }
        Report(error);
        return ok && error.empty() ? 0 : 1;
    }
    if (command == "extract" && argc == 4) {
        const bool ok = ExtractArchiveFolder(archive, argv[3], error);
        Report(error);
        return ok ? 0 : 1;
    }
    return Usage();
}
