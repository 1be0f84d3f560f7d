#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "engine/files/MediaTestSupport.h"
#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxArchiveWriter.h"
#include "engine/files/QxBuffer.h"
#include "engine/files/QxFileLE.h"
#include "engine/files/QxFileSystem.h"
#include "engine/files/QxWin32FileManager.h"

namespace {

using mediatest::ReadAll;
using mediatest::TempFolder;
using mediatest::WriteFileBytes;
using mediatest::WriteFileText;

void WriteArchive(const std::filesystem::path& path,
                  const std::vector<std::pair<std::string, std::string>>& entries) {
    QxArchiveWriter writer;
    for (const auto& [name, text] : entries)
        ASSERT_TRUE(writer.AddEntry(name, std::vector<uint8_t>(text.begin(), text.end())));
    QxBuffer buffer;
    ASSERT_TRUE(writer.Write(buffer));
    WriteFileBytes(path, std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.Tell()));
}

TEST(FolderManager, OpensOnlyExistingFilesUnderItsRootWhateverTheirCase) {
    TempFolder folder;
    WriteFileText(folder.Path() / "data.txt", "payload");
    WriteFileText(folder.Path() / "Common" / "Sounds" / "Jazz.wav", "riff");
    std::filesystem::create_directories(folder.Path() / "sub");
    QxWin32FileManager manager;
    manager.SetRoot(folder.Root());

    EXPECT_EQ(manager.Open("", QxFileManager::kModeReadBinary), nullptr);
    EXPECT_EQ(manager.Open("missing.txt", QxFileManager::kModeReadBinary), nullptr);
    EXPECT_EQ(manager.Open("sub", QxFileManager::kModeReadBinary), nullptr);
    EXPECT_EQ(manager.Open("data.txt", 0), nullptr);

    QxFile* file = manager.Open("data.txt", QxFileManager::kModeReadBinary);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file), "payload");
    EXPECT_EQ(manager.GetOpenCount(), 1u);

    QxBuffer stranger;
    EXPECT_EQ(manager.Close(&stranger), QxFileManager::kNotMine);
    EXPECT_EQ(manager.Close(nullptr), QxFileManager::kNotMine);
    EXPECT_EQ(manager.Close(file), QxFileManager::kClosed);
    EXPECT_EQ(manager.GetOpenCount(), 0u);

    // Lookup ignores case and the kind of slash.
    file = manager.Open("common\\SOUNDS\\jazz.WAV", QxFileManager::kModeReadBinary);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file), "riff");
    manager.Close(file);
}

TEST(FolderManager, RecursiveListingPutsSubfoldersFirstAndFoldersAreListedApart) {
    TempFolder folder;
    WriteFileText(folder.Path() / "top.ent", "");
    WriteFileText(folder.Path() / "notes.txt", "");
    WriteFileText(folder.Path() / "scenes" / "Menu.ENT", "");
    WriteFileText(folder.Path() / "scenes" / "deep" / "x.ent", "");
    QxWin32FileManager manager;
    manager.SetRoot(folder.Root());

    std::vector<std::string> list;
    manager.ListFiles("*.ent", "", true, list);
    EXPECT_EQ(list,
              (std::vector<std::string>{"scenes\\deep\\x.ent", "scenes\\Menu.ENT", "top.ent"}));

    // Every listed name opens again through the same manager.
    for (const std::string& name : list) {
        QxFile* file = manager.Open(name, QxFileManager::kModeReadBinary);
        EXPECT_NE(file, nullptr) << name;
        manager.Close(file);
    }
    std::vector<std::string> folders;
    EXPECT_EQ(manager.ListFolders(folder.Root() + "SCENES", folders), 1);
    EXPECT_EQ(folders, std::vector<std::string>{"deep"});
}

TEST(FileSystem, FoldersComeBeforeArchivesInListOrder) {
    TempFolder folder;
    WriteFileText(folder.Path() / "Resources" / "shared.ent", "loose");
    WriteArchive(folder.Path() / "data.qxa", {{"shared.ent", "packed"}, {"only.ent", "inside"}});

    QxFileSystem system;
    EXPECT_EQ(system.AddManager(nullptr, ""), 0);
    ASSERT_EQ(
        system.AddManager(std::make_unique<QxWin32FileManager>(), folder.Root() + "Resources/"), 1);
    ASSERT_EQ(system.AddManager(std::make_unique<QxWin32FileManager>(), folder.Root()), 1);

    std::vector<std::string> archives;
    system.ListFiles("*.qxa", "", false, archives);
    ASSERT_EQ(archives, std::vector<std::string>{"data.qxa"});
    system.AddManager(std::make_unique<QxArchiveManager>(&system, archives[0]), "");

    QxFile* file = system.Open("shared.ent", QxFileManager::kModeReadBinary);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file), "loose");
    EXPECT_EQ(system.Close(file), QxFileManager::kClosed);

    file = system.Open("ONLY.ent", QxFileManager::kModeReadBinary);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file), "inside");
    EXPECT_EQ(system.Close(file), QxFileManager::kClosed);

    // A file nobody handed out is not destroyed by the archive.
    QxBuffer stranger;
    EXPECT_EQ(system.Close(&stranger), QxFileManager::kNotMine);
    EXPECT_EQ(system.Open("absent.ent", QxFileManager::kModeReadBinary), nullptr);

    // Listing gives the archive's entries after the folders' matches.
    std::vector<std::string> ents;
    system.ListFiles("*.ent", "", false, ents);
    EXPECT_EQ(ents, (std::vector<std::string>{"shared.ent", "shared.ent", "only.ent"}));
    // Destroying the system closes the archive through the folder that opened it.
}

TEST(FileSystem, EachThreadHasItsOwnCurrentSystem) {
    QxFileSystem mainSystem;
    SetCurrentFileSystem(&mainSystem);
    QxFileSystem* seenByWorker = &mainSystem;
    QxFileSystem* workerOwn = nullptr;
    std::thread worker([&] {
        seenByWorker = CurrentFileSystem();
        QxFileSystem own;
        SetCurrentFileSystem(&own);
        workerOwn = CurrentFileSystem() == &own ? &own : nullptr;
        SetCurrentFileSystem(nullptr);
    });
    worker.join();
    EXPECT_EQ(seenByWorker, nullptr);
    EXPECT_NE(workerOwn, nullptr);
    EXPECT_EQ(CurrentFileSystem(), &mainSystem);
    SetCurrentFileSystem(nullptr);
}

} // namespace
