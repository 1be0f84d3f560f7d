#pragma once
// A fixture over the real data set: the archive the build makes (Rondelix.qxa beside
// the tests), read through a file system of its own, with a headless screen, sound
// manager, resource cache, settings store (so log lines land in a log file of the
// test's own) and a registry holding every class of the program.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/QxGlobals.h"
#include "app/QxWin32SettingsManager.h"
#include "engine/entity/QxEntityRegistry.h"
#include "engine/entity/QxRegistrationTable.h"
#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxResourceCache.h"
#include "engine/files/QxWin32FileManager.h"
#include "engine/screen/QxWin32Screen2D.h"
#include "engine/sound/QxWin32SoundManager.h"
#include "platform/headless/Headless.h"

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

inline std::string FreshFolder() {
    const char* base = std::getenv("RONDELIX_TEST_TMP");
    std::filesystem::path root = base != nullptr
                                     ? std::filesystem::path(base)
                                     : std::filesystem::temp_directory_path() / "rondelix-test";
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    root /= std::string("content-") + info->test_suite_name() + "-" + info->name();
    std::error_code ec;
    std::filesystem::remove_all(root, ec);
    std::filesystem::create_directories(root, ec);
    return root.string();
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
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
class DataSetTest : public testing::Test {
protected:
    void SetUp() override {
        archive_ = ArchivePath();
        if (archive_.empty()) {
            GTEST_SKIP() << "Rondelix.qxa is missing: build the data set (the target "
                            "\"content\") first";
        }
        root_ = FreshFolder();
        platform::headless::SetRoot(root_);
        platform::headless::ClearSpecialFolderOverrides();
        settings_ = std::make_unique<QxWin32SettingsManager>("Quillfern Studio", "Rondelix");
        g_settingsManager = settings_.get();

        screen_ = std::make_unique<QxWin32Screen2D>();
        QxDisplayMode mode;
        mode.width = 640;
        mode.height = 480;
        mode.format.bitsPerPixel = 16;
        mode.fullScreen = false;
        ASSERT_TRUE(screen_->CreateScreen(&mode, "content test"));
        g_screen = screen_.get();

        // The archive is opened through a folder source of its own that the file system
        // does not search, so nothing else in the build folder is seen.
        const std::filesystem::path archive(archive_);
        archiveFolder_ = std::make_unique<QxWin32FileManager>();
        archiveFolder_->SetRoot(archive.parent_path().string() + "/");
        files_ = std::make_unique<QxFileSystem>();
        files_->AddManager(
            std::make_unique<QxArchiveManager>(archiveFolder_.get(), archive.filename().string()),
            "");
        SetCurrentFileSystem(files_.get());

        sound_ = std::make_unique<QxWin32SoundManager>();
        sound_->InitSound(8);
        g_soundManager = sound_.get();
        cache_ = std::make_unique<QxResourceCache>();
        g_resourceCache = cache_.get();

        registry_ = std::make_unique<QxEntityRegistry>();
        ASSERT_TRUE(RegisterEntityClasses(*registry_));
        g_registry = registry_.get();
    }

    void TearDown() override {
        registry_.reset();
        g_registry = nullptr;
        cache_.reset();
        g_resourceCache = nullptr;
        sound_.reset();
        g_soundManager = nullptr;
        SetCurrentFileSystem(nullptr);
        files_.reset();
        archiveFolder_.reset();
        screen_.reset();
        g_screen = nullptr;
        settings_.reset();
        g_settingsManager = nullptr;
        platform::headless::SetRoot("");
    }

    // Defines every type of the data set and loads every type's resources, as the
    // game's loading thread does.
    void LoadDataSet() {
        registry_->LoadAll();
        registry_->LoadTypes(false, 0);
    }

    std::string Log() const { return ReadText(settings_->UserDataFolder("") + "log.txt"); }

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
    std::string root_;
    std::unique_ptr<QxWin32SettingsManager> settings_;
    std::unique_ptr<QxWin32Screen2D> screen_;
    std::unique_ptr<QxWin32FileManager> archiveFolder_;
    std::unique_ptr<QxFileSystem> files_;
    std::unique_ptr<QxWin32SoundManager> sound_;
    std::unique_ptr<QxResourceCache> cache_;
    std::unique_ptr<QxEntityRegistry> registry_;
};

} // namespace boardcontent
