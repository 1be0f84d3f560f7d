#include "engine/files/QxArchiveFolder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

#include "engine/files/QxArchiveWriter.h"
#include "engine/files/QxFile.h"
#include "engine/files/QxFileLE.h"
#include "engine/files/QxWin32FileManager.h"

namespace fs = std::filesystem;

namespace {

bool ReadWholeFile(const fs::path& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The path below the extraction folder for an entry name, or false when the name
// could leave that folder (absolute, "..", a drive) or has an empty part.
bool RelativePathFor(const std::string& name, fs::path& relative) {
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty() || path.front() == '/') {
        return false;
    }
    relative.clear();
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == ".." || part.find(':') != std::string::npos) {
            return false;
        }
        relative /= part;
        start = end + 1;
    }
    return true;
}

void AddMessage(std::string& error, const std::string& message) {
    if (!error.empty()) {
        error += "\n";
    }
    error += message;
}

} // namespace

bool PackArchiveFolder(const std::string& folder, const std::string& archivePath,
                       std::string& error) {
    try {
        const fs::path root(folder);
        std::error_code ec;
        if (!fs::is_directory(root, ec)) {
            error = "not a folder: " + folder;
            return false;
        }
        std::vector<std::pair<std::string, fs::path>> files;
        for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end;
             it.increment(ec)) {
            std::error_code typeError;
            if (!it->is_regular_file(typeError)) {
                continue;
            }
            // An archive written into the folder it packs must not pack itself.
            std::error_code sameError;
            if (fs::equivalent(it->path(), fs::path(archivePath), sameError)) {
                continue;
            }
            files.emplace_back(it->path().lexically_relative(root).generic_string(), it->path());
        }
        if (ec) {
            error = "cannot read folder " + folder + ": " + ec.message();
            return false;
        }
        std::sort(files.begin(), files.end());

        QxArchiveWriter writer;
        for (const auto& [name, path] : files) {
            std::vector<uint8_t> bytes;
            if (!ReadWholeFile(path, bytes)) {
                error = "cannot read " + path.string();
                return false;
            }
            if (!writer.AddEntry(name, std::move(bytes))) {
                error = "cannot store " + name +
                        " (a name differing only in letter case is already stored, or it is too "
                        "large)";
                return false;
            }
        }

        std::FILE* handle = std::fopen(archivePath.c_str(), "wb");
        if (!handle) {
            error = "cannot create " + archivePath;
            return false;
        }
        bool ok = false;
        {
            QxFileLE out(handle);
            ok = writer.Write(out);
        }
        ok = std::fclose(handle) == 0 && ok;
        if (!ok) {
            std::remove(archivePath.c_str());
            error = "cannot write " + archivePath + " (write failed or larger than 4 GiB)";
        }
        return ok;
    } catch (const std::exception& e) {
        error = std::string("cannot pack: ") + e.what();
        return false;
    }
}

bool ListArchive(const std::string& archivePath, std::vector<QxArchiveEntry>& entries,
                 std::string& error) {
    try {
        QxWin32FileManager folders;
        QxArchiveManager archive(&folders, archivePath);
        if (!archive.IsLoaded()) {
            error = "cannot open " + archivePath + " as an archive";
            return false;
        }
        if (!archive.ReadDirectory(entries)) {
            error = "cannot read the directory of " + archivePath;
            return false;
        }
        if (archive.IsDamaged()) {
            error = archivePath + " is damaged: only the first " + std::to_string(entries.size()) +
                    " entries are readable";
        }
        return true;
    } catch (const std::exception& e) {
        error = std::string("cannot list: ") + e.what();
        return false;
    }
}

bool ExtractArchiveFolder(const std::string& archivePath, const std::string& folder,
                          std::string& error) {
    try {
        QxWin32FileManager folders;
        QxArchiveManager archive(&folders, archivePath);
        std::vector<QxArchiveEntry> entries;
        if (!archive.IsLoaded() || !archive.ReadDirectory(entries)) {
            error = "cannot open " + archivePath + " as an archive";
            return false;
        }
        bool ok = true;
        if (archive.IsDamaged()) {
            AddMessage(error, archivePath + " is damaged: extracting the first " +
                                  std::to_string(entries.size()) + " entries");
            ok = false;
        }
        std::set<std::string, QxFileNameLess> written;
        for (const QxArchiveEntry& entry : entries) {
            fs::path relative;
            if (!RelativePathFor(entry.name, relative)) {
                AddMessage(error, "skipped unsafe name: " + entry.name);
                ok = false;
                continue;
            }
            if (!written.insert(entry.name).second) {
                AddMessage(error, "skipped repeated name: " + entry.name);
                ok = false;
                continue;
            }
            QxFile* file = archive.Open(entry.name, QxFileManager::kModeReadBinary);
            if (!file) {
                AddMessage(error, "cannot read entry " + entry.name);
                ok = false;
                continue;
            }
            std::vector<char> bytes(file->GetSize());
            if (!bytes.empty()) {
                file->ReadBytes(static_cast<uint32_t>(bytes.size()), bytes.data());
            }
            archive.Close(file);

            const fs::path target = fs::path(folder) / relative;
            std::error_code ec;
            fs::create_directories(target.parent_path(), ec);
            std::ofstream out(target, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (!out) {
                AddMessage(error, "cannot write " + target.string());
                ok = false;
            }
        }
        return ok;
    } catch (const std::exception& e) {
        AddMessage(error, std::string("cannot extract: ") + e.what());
        return false;
    }
}
