#pragma once
// Finding the built data set and its sources from a test, and a GUI fixture whose file
// system reads the real archive.
//
// The archive is RONDELIX_CONTENT_ARCHIVE when that is set, else "Rondelix.qxa" beside
// the test program or in the folder above it. The content sources are
// RONDELIX_CONTENT_DIR when set, else the "content" folder of the checkout the test
// program was built in (found by walking up from the program's folder).

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxFile.h"
#include "engine/gui/GuiFixture.h"

namespace contenttest {

inline std::filesystem::path ProgramFolder() {
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

inline std::string ArchivePath() {
    if (const char* path = std::getenv("RONDELIX_CONTENT_ARCHIVE")) {
        return path;
    }
    std::error_code ec;
    for (const std::filesystem::path& candidate :
         {ProgramFolder() / "Rondelix.qxa", ProgramFolder().parent_path() / "Rondelix.qxa"}) {
        if (std::filesystem::is_regular_file(candidate, ec)) {
            return candidate.string();
        }
    }
    return {};
}

inline std::string ContentSourceFolder() {
    if (const char* path = std::getenv("RONDELIX_CONTENT_DIR")) {
        return path;
    }
    std::error_code ec;
    for (std::filesystem::path folder = ProgramFolder(); !folder.empty();
         folder = folder.parent_path()) {
        if (std::filesystem::is_regular_file(folder / "content" / "STYLE.md", ec)) {
            return (folder / "content").string();
        }
        if (folder == folder.parent_path()) {
            break;
        }
    }
    return {};
}

// A GUI fixture whose file system also reads the built archive (copied into the test's
// data folder). Tests skip when no archive has been built.
class ContentFixture : public GuiFixture {
protected:
    void SetUp() override {
        GuiFixture::SetUp();
        if (HasFatalFailure()) {
            return;
        }
        const std::string archive = ArchivePath();
        if (archive.empty()) {
            GTEST_SKIP() << "no Rondelix.qxa has been built";
        }
        std::error_code ec;
        std::filesystem::copy_file(archive, DataFolder() + "Rondelix.qxa",
                                   std::filesystem::copy_options::overwrite_existing, ec);
        ASSERT_FALSE(ec) << ec.message();
        Files().AddManager(std::make_unique<QxArchiveManager>(&Files(), "Rondelix.qxa"), "");
    }

    // Defines every type and loads every type's resources, as the loading thread does.
    void LoadEverything() {
        Registry().LoadAll();
        Registry().LoadTypes(false, 0);
    }

    // Copies a picture saved under the test's files into RONDELIX_SCREENSHOT_DIR when
    // that is set (the documentation's pictures).
    static void KeepForDocs(const std::string& path, const std::string& name) {
        if (const char* folder = std::getenv("RONDELIX_SCREENSHOT_DIR")) {
            std::error_code ec;
            std::filesystem::copy_file(path, std::filesystem::path(folder) / name,
                                       std::filesystem::copy_options::overwrite_existing, ec);
            EXPECT_FALSE(ec) << ec.message();
        }
    }

    // The whole content of a file the data set holds; empty when it is not there.
    std::vector<std::uint8_t> FileBytes(const std::string& name) {
        std::vector<std::uint8_t> bytes;
        QxFile* file = Files().Open(name, 1 | 4);
        if (!file)
            return bytes;
        bytes.resize(file->GetSize());
        if (!bytes.empty())
            bytes.resize(file->ReadBytes(std::uint32_t(bytes.size()), bytes.data()));
        Files().Close(file);
        return bytes;
    }
};

} // namespace contenttest
