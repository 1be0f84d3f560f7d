// Data folders, folder creation and wildcard enumeration through the Win32 calls.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/QxWin32SettingsManager.h"
#include "platform/FolderList.h"
#include "platform/Platform.h"

namespace {

namespace fs = std::filesystem;

fs::path FreshFolder() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    const fs::path root = fs::temp_directory_path() /
                          ("rondelix-win32-" + std::to_string(GetCurrentProcessId())) /
                          info->name();
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(root, ec);
    return root;
}

void Touch(const fs::path& path) {
    std::ofstream(path) << "x";
}

std::vector<std::string> Names(const std::vector<platform::FolderEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.name + (entry.isFolder ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Win32Folders, CreationTellsWhyItFailed) {
    const fs::path root = FreshFolder();
    const std::string made = (root / "made").string();
    EXPECT_EQ(platform::CreateFolder(made), platform::CreateFolderResult::Created);
    EXPECT_EQ(platform::CreateFolder(made), platform::CreateFolderResult::AlreadyExists);
    EXPECT_EQ(platform::CreateFolder((root / "no" / "parent").string()),
              platform::CreateFolderResult::ParentMissing);
    Touch(root / "file");
    // A file in the way is not a folder that exists.
    EXPECT_EQ(platform::CreateFolder((root / "file").string()),
              platform::CreateFolderResult::Failed);
    EXPECT_EQ(platform::CreateFolder(""), platform::CreateFolderResult::Failed);
}

TEST(Win32Folders, DataFoldersAreMadeBelowTheMakerAndProduct) {
    const std::string maker = "Rondelix Tests " + std::to_string(GetCurrentProcessId());
    QxWin32SettingsManager manager(maker, "Product");
    const std::string folder = manager.UserDataFolder("deep/er");
    const std::string base =
        platform::GetSpecialFolder(platform::SpecialFolder::UserApplicationData, false);
    EXPECT_EQ(folder, base + "/" + maker + "/Product/deep/er/");
    EXPECT_TRUE(fs::is_directory(folder));
    const std::string common = manager.CommonDataFolder("");
    EXPECT_EQ(common,
              platform::GetSpecialFolder(platform::SpecialFolder::CommonApplicationData, false) +
                  "/" + maker + "/Product/");
    std::error_code ec;
    fs::remove_all(base + "/" + maker, ec);
    fs::remove_all(common, ec);
}

TEST(Win32Folders, WildcardsMatchAsTheDesktopDoes) {
    const fs::path root = FreshFolder();
    Touch(root / "Rondelix.qxa");
    Touch(root / "extra.QXA");
    Touch(root / "notes.txt");
    Touch(root / "README");
    fs::create_directories(root / "levels");

    std::vector<platform::FolderEntry> entries;
    ASSERT_TRUE(platform::ListFolder(root.string(), "*.qxa", entries));
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"Rondelix.qxa", "extra.QXA"}));

    // "*.*" lists every name, with or without a dot, and marks the folder.
    entries.clear();
    ASSERT_TRUE(platform::ListFolder(root.string(), "*.*", entries));
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"README", "Rondelix.qxa", "extra.QXA",
                                                        "levels/", "notes.txt"}));

    entries.clear();
    ASSERT_TRUE(platform::ListFolder(root.string() + "\\", "?otes.*", entries));
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"notes.txt"}));

    // No match is an empty listing; a missing folder is a failure.
    entries.clear();
    EXPECT_TRUE(platform::ListFolder(root.string(), "*.ent", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(platform::ListFolder((root / "missing").string(), "*.*", entries));
    EXPECT_TRUE(entries.empty());
}

} // namespace

namespace {

TEST(Win32Shell, OnlyTheGamesOwnPagesGoToTheShell) {
    // Anything else the shell would start as a program or open as a document.
    const fs::path root = FreshFolder();
    const fs::path program = root / "page.exe";
    std::ofstream(program) << "MZ";
    EXPECT_FALSE(platform::OpenLocalPage(""));
    EXPECT_FALSE(platform::OpenLocalPage("manual.html")); // relative
    EXPECT_FALSE(platform::OpenLocalPage(root / "missing.html"));
    EXPECT_FALSE(platform::OpenLocalPage(program));
    EXPECT_FALSE(platform::OpenLocalPage("C:\\windows\\win.ini"));
}

} // namespace
