#pragma once
// A fixture over the real data set: the archive the build makes (Rondelix.qxa beside
// the tests), read through a file system of its own, with a headless screen, sound
// manager, resource cache, settings store (so log lines land in a log file of the
// test's own) and a registry holding every class of the program.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxBuffer.h"
#include "support/ServiceFixture.h"

namespace boardcontent {

// Where the build put the archive: the tests run in the build folder, and the test
// area lies inside it.
inline std::string ArchivePath() {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists("Rondelix.qxa", ec))
        return fs::absolute("Rondelix.qxa", ec).string();
    if (const char* tmp = std::getenv("RONDELIX_TEST_TMP")) {
        const fs::path beside = fs::path(tmp).parent_path() / "Rondelix.qxa";
        if (fs::exists(beside, ec))
            return beside.string();
    }
    return "";
}

using testsupport::ReadText;

inline std::string FreshFolder() {
    return testsupport::FreshFolder("content");
}

// The lines of the log that tell of a name that does not resolve.
inline std::vector<std::string> BrokenNameLines(const std::string& log) {
    static const char* const kProblems[] = {"unknown class", "already defined", "Unable to open",
                                            "not found"};
    std::vector<std::string> lines;
    std::istringstream in(log);
    std::string line;
    while (std::getline(in, line)) {
        for (const char* problem : kProblems) {
            if (line.find(problem) != std::string::npos) {
                lines.push_back(line);
                break;
            }
        }
    }
    return lines;
}

// Without the archive every test skips; a fixture that derives from this one returns
// from its own SetUp then, before it touches what was not made.
class DataSetTest : public testsupport::ServiceFixture {
protected:
    DataSetTest() : ServiceFixture("content", {false, true, true, true, true}) {}

    void SetUp() override {
        archive_ = ArchivePath();
        if (archive_.empty()) {
            GTEST_SKIP() << "Rondelix.qxa is missing: build the data set (the target "
                            "\"content\") first";
        }
        ServiceFixture::SetUp();
        // The archive is opened through a folder source of its own that the file system
        // does not search, so nothing else in the build folder is seen.
        const std::filesystem::path archive(archive_);
        archiveFolder_ = std::make_unique<QxWin32FileManager>();
        archiveFolder_->SetRoot(archive.parent_path().string() + "/");
        files_->AddManager(
            std::make_unique<QxArchiveManager>(archiveFolder_.get(), archive.filename().string()),
            "");
    }

    void TearDown() override {
        ServiceFixture::TearDown();
        archiveFolder_.reset();
    }

    // Defines every type of the data set and loads every type's resources, as the
    // game's loading thread does.
    void LoadDataSet() {
        registry_->LoadAll();
        registry_->LoadTypes(false, 0);
    }

    // The whole content of a file of the data set; empty when it is not there.
    std::vector<std::uint8_t> FileBytes(const std::string& name) {
        std::vector<std::uint8_t> bytes;
        QxFile* file = files_->Open(name, 1 | 4);
        if (!file)
            return bytes;
        bytes.resize(file->GetSize());
        if (!bytes.empty())
            bytes.resize(file->ReadBytes(std::uint32_t(bytes.size()), bytes.data()));
        files_->Close(file);
        return bytes;
    }

    std::string archive_;
    std::unique_ptr<QxWin32FileManager> archiveFolder_;
    QxWin32Screen2D* const screen_ = &Screen();
    QxFileSystem* const files_ = &Files();
    QxWin32SoundManager* const sound_ = &Sound();
    QxEntityRegistry* const registry_ = &Registry();
};

} // namespace boardcontent
