#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "engine/files/MediaTestSupport.h"
#include "engine/files/QxArchiveFolder.h"
#include "engine/files/QxArchiveManager.h"
#include "engine/files/QxArchiveWriter.h"
#include "engine/files/QxBuffer.h"

namespace {

using mediatest::LogCapture;
using mediatest::MemoryFileManager;
using mediatest::ReadAll;
using mediatest::ReadFileBytes;
using mediatest::TempFolder;
using mediatest::WriteFileBytes;
using mediatest::WriteFileText;

// Archive bytes put together field by field, independently of the writer.
struct RawArchive : mediatest::Bytes {
    RawArchive& Header(uint32_t dataStart, uint32_t count) {
        Text("0AXQ").U8(1).U8(0).U8(0).U32(dataStart).U32(count);
        return *this;
    }
    RawArchive& Entry(const std::string& name, uint32_t offset, uint32_t size) {
        U32(static_cast<uint32_t>(name.size())).Text(name).U32(offset).U32(size);
        return *this;
    }
};

const std::string kJazz = "common/sounds/jazz_rond_8bit.wav";
const std::string kJazzData = "RIFF0000WAVE";
const std::string kScene = "scenes/LoadingScene.ent";
const std::string kSceneData = "{ }\n";
const std::string kLevels = "Levels.ENT";

// Three entries after the format table: header 15 bytes, directory 44 + 35 + 22 bytes,
// so the data begins at 116.
RawArchive HandWritten() {
    RawArchive a;
    a.Header(116, 3).Entry(kJazz, 116, 12).Entry(kScene, 128, 4).Entry(kLevels, 132, 0);
    a.Text(kJazzData).Text(kSceneData);
    return a;
}

struct MemoryArchive {
    MemoryFileManager source;
    std::unique_ptr<QxArchiveManager> archive;

    explicit MemoryArchive(const std::vector<uint8_t>& bytes, const std::string& name = "t.qxa") {
        source.Add(name, bytes);
        archive = std::make_unique<QxArchiveManager>(&source, name);
    }
};

TEST(Archive, LookupIgnoresCaseAndSlashKindAndTakesTheFirstOfTwoNames) {
    MemoryArchive m(HandWritten().Get());
    ASSERT_TRUE(m.archive->IsLoaded());
    EXPECT_EQ(m.archive->GetEntryCount(), 3u);

    QxFile* file = m.archive->Open("COMMON\\Sounds\\JAZZ_rond_8bit.WAV", 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Tell(), 0u);
    EXPECT_EQ(ReadAll(file), kJazzData);
    EXPECT_EQ(m.archive->Close(file), QxFileManager::kClosed);

    file = m.archive->Open("levels.ent", 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetSize(), 0u);
    m.archive->Close(file);

    EXPECT_EQ(m.archive->Open("", 0), nullptr);
    EXPECT_EQ(m.archive->Open("jazz_rond_8bit.wav", 0), nullptr);

    // A name stored twice keeps its first entry.
    RawArchive twice;
    twice.Header(45, 2).Entry("a.t", 45, 1).Entry("A.T", 46, 1).Text("12");
    MemoryArchive t(twice.Get());
    EXPECT_EQ(t.archive->GetEntryCount(), 1u);
    file = t.archive->Open("a.t", 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file), "1");
    t.archive->Close(file);
}

TEST(Archive, WrongMagicIsIgnoredWithOneLogLine) {
    LogCapture log;
    RawArchive a = HandWritten();
    a.Get()[0] = 'X';
    MemoryArchive m(a.Get(), "bogus.qxa");
    EXPECT_FALSE(m.archive->IsLoaded());
    EXPECT_EQ(m.archive->Open(kScene, 0), nullptr);
    std::vector<std::string> list;
    EXPECT_EQ(m.archive->ListFiles("*", "", false, list), 0);
    EXPECT_TRUE(list.empty());
    QxBuffer stranger;
    EXPECT_EQ(m.archive->Close(&stranger), 0);
    EXPECT_EQ(log.Text(), "Not an archive: bogus.qxa\r\n");
    QxArchiveManager absent(&m.source, "absent.qxa");
    EXPECT_FALSE(absent.IsLoaded());
}

// ---- damaged directories ---------------------------------------------------------

struct Damage {
    const char* what;
    RawArchive archive;
    size_t servedEntries;
};

std::vector<Damage> DamagedArchives() {
    std::vector<Damage> cases;
    {
        RawArchive a; // two good entries, a count far beyond them
        a.Header(45, 1000000).Entry("a.t", 45, 1).Entry("b.t", 46, 1).Text("12");
        cases.push_back({"count", a, 2});
    }
    {
        RawArchive a; // second name length far beyond the file
        a.Header(0, 2).Entry("a.t", 34, 1).U32(0xFFFFFFF0u).Text("1");
        cases.push_back({"name length", a, 1});
    }
    {
        RawArchive a; // second entry's data past the end
        a.Header(45, 2).Entry("a.t", 45, 1).Entry("b.t", 46, 100).Text("12");
        cases.push_back({"size", a, 1});
    }
    {
        RawArchive a; // offset plus size wraps around 32 bits
        a.Header(45, 2).Entry("a.t", 45, 1).Entry("b.t", 0xFFFFFFFFu, 2).Text("12");
        cases.push_back({"offset", a, 1});
    }
    {
        RawArchive a; // header cut short after the magic
        a.Text("0AXQ").U8(1).U8(0);
        cases.push_back({"header", a, 0});
    }
    return cases;
}

TEST(Archive, DamagedDirectoryKeepsTheEntriesBeforeTheDamage) {
    for (const Damage& d : DamagedArchives()) {
        SCOPED_TRACE(d.what);
        LogCapture log;
        MemoryArchive m(d.archive.Get(), "broken.qxa");
        EXPECT_TRUE(m.archive->IsLoaded());
        EXPECT_TRUE(m.archive->IsDamaged());
        EXPECT_EQ(m.archive->GetEntryCount(), d.servedEntries);
        if (d.servedEntries < 2) {
            EXPECT_EQ(m.archive->Open("b.t", 0), nullptr);
        }
        if (d.servedEntries > 0) {
            QxFile* file = m.archive->Open("A.T", 0);
            ASSERT_NE(file, nullptr);
            EXPECT_EQ(ReadAll(file), "1");
            m.archive->Close(file);
        }
        std::vector<std::string> list;
        m.archive->ListFiles("*", "", false, list);
        EXPECT_EQ(list.size(), d.servedEntries);

        const std::string text = log.Text();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        EXPECT_NE(text.find("broken.qxa"), std::string::npos) << text;
    }
}

// ---- writer and folders -----------------------------------------------------------

TEST(ArchiveWriter, WritesTheSameBytesAsTheFormatTable) {
    QxArchiveWriter writer;
    ASSERT_TRUE(writer.AddEntry(kJazz, std::vector<uint8_t>(kJazzData.begin(), kJazzData.end())));
    ASSERT_TRUE(
        writer.AddEntry(kScene, std::vector<uint8_t>(kSceneData.begin(), kSceneData.end())));
    ASSERT_TRUE(writer.AddEntry(kLevels, {}));
    EXPECT_FALSE(writer.AddEntry("SCENES\\loadingscene.ent", {1}));
    EXPECT_FALSE(writer.AddEntry("", {1}));
    EXPECT_EQ(writer.GetDataStart(), 116u);
    QxBuffer buffer;
    ASSERT_TRUE(writer.Write(buffer));
    EXPECT_EQ(std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.Tell()),
              HandWritten().Get());
}

std::map<std::string, std::vector<uint8_t>> Tree(const std::filesystem::path& root) {
    std::map<std::string, std::vector<uint8_t>> tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            tree[entry.path().lexically_relative(root).generic_string()] =
                ReadFileBytes(entry.path());
    }
    return tree;
}

TEST(ArchiveFolder, PackThenExtractGivesTheFolderBackByteForByte) {
    TempFolder folder;
    const auto source = folder.Path() / "source";
    std::vector<uint8_t> binary(70000);
    for (size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<uint8_t>(i * 131 + 7);
    WriteFileBytes(source / "common" / "sounds" / "Jazz.wav", binary);
    WriteFileText(source / "LoadingScene.ent", "LoadingScene {\n}\n");
    WriteFileBytes(source / "empty" / "nothing.bin", {});
    WriteFileText(source / "b.txt", std::string("zero\0inside", 11));

    const std::string archivePath = (folder.Path() / "out.qxa").string();
    std::string error;
    ASSERT_TRUE(PackArchiveFolder(source.string(), archivePath, error)) << error;

    std::vector<QxArchiveEntry> entries;
    ASSERT_TRUE(ListArchive(archivePath, entries, error)) << error;
    std::vector<std::string> names;
    for (const QxArchiveEntry& e : entries)
        names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"LoadingScene.ent", "b.txt",
                                               "common/sounds/Jazz.wav", "empty/nothing.bin"}));

    const auto target = folder.Path() / "target";
    ASSERT_TRUE(ExtractArchiveFolder(archivePath, target.string(), error)) << error;
    EXPECT_EQ(Tree(target), Tree(source));
#ifndef _WIN32 // a Windows folder cannot hold both names
    // Names the archive cannot tell apart are not packed.
    WriteFileText(source / "B.TXT", "upper");
    EXPECT_FALSE(PackArchiveFolder(source.string(), archivePath, error));
    EXPECT_NE(error.find("cannot store"), std::string::npos) << error;
#endif
}

TEST(ArchiveFolder, ExtractRefusesNamesLeavingTheFolder) {
    TempFolder folder;
    QxArchiveWriter writer;
    writer.AddEntry("../escaped.txt", {'x'});
    writer.AddEntry("/abs.txt", {'x'});
    writer.AddEntry("ok/fine.txt", {'y'});
    QxBuffer buffer;
    ASSERT_TRUE(writer.Write(buffer));
    WriteFileBytes(folder.Path() / "evil.qxa",
                   std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.Tell()));

    std::string error;
    EXPECT_FALSE(ExtractArchiveFolder((folder.Path() / "evil.qxa").string(),
                                      (folder.Path() / "out").string(), error));
    EXPECT_NE(error.find("../escaped.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "escaped.txt"));
    EXPECT_EQ(ReadFileBytes(folder.Path() / "out" / "ok" / "fine.txt"), std::vector<uint8_t>{'y'});
}

} // namespace
