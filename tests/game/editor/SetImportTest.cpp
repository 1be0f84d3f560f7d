// A set the player opens from outside the game lands once in their level folder, under a
// safe name beside the sets already there and never over one; what is not a set (or
// cannot be read) is refused with a log line; nothing is written anywhere else.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <utility>

#include "engine/files/QxArchiveWriter.h"
#include "engine/files/QxBuffer.h"
#include "game/editor/PyxMyLevels.h"
#include "game/editor/PyxSetImport.h"
#include "game/editor/PyxSharedSet.h"
#include "support/ServiceFixture.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes Archive(const std::vector<std::pair<std::string, Bytes>>& entries) {
    QxArchiveWriter writer;
    for (const auto& [name, bytes] : entries) {
        EXPECT_TRUE(writer.AddEntry(name, bytes));
    }
    QxBuffer out;
    EXPECT_TRUE(writer.Write(out));
    return {out.GetData(), out.GetData() + out.Tell()};
}

// An archive that passes for a set here; its list and level need not be sound.
Bytes SetArchive(std::uint8_t mark) {
    return Archive({{"set.lst", Bytes{1, 2, 3}}, {"a.lvl", Bytes{mark}}});
}

class SetImportTest : public testsupport::ServiceFixture {
protected:
    SetImportTest() : ServiceFixture("setimport", {false, false, false, false, false}) {}
    void SetUp() override {
        ServiceFixture::SetUp();
        levels_ = PyxMyLevelsFolder();
        outside_ = Root() + "/outside/";
    }

    std::string Put(const std::string& name, const Bytes& bytes) const {
        testsupport::WriteText(outside_ + name, std::string(bytes.begin(), bytes.end()));
        return outside_ + name;
    }
    static Bytes Read(const std::string& path) {
        const std::string text = testsupport::ReadText(path);
        return {text.begin(), text.end()};
    }
    static std::string Key(const std::string& path) {
        return fs::path(path).lexically_normal().string();
    }
    // Every file below the test's folder but the log, with its size and (when small)
    // its bytes.
    using Files = std::map<std::string, std::pair<std::uintmax_t, Bytes>>;
    Files Snapshot() const {
        Files files;
        for (const auto& entry : fs::recursive_directory_iterator(Root())) {
            if (entry.is_regular_file() && entry.path().filename() != "log.txt") {
                const std::string path = entry.path().string();
                files[Key(path)] = {entry.file_size(),
                                    entry.file_size() < 4096 ? Read(path) : Bytes()};
            }
        }
        return files;
    }
    // The snapshot's files with the copies expected in the level folder taken out.
    Files Without(Files files, const std::vector<std::string>& names) const {
        for (const std::string& name : names) {
            EXPECT_EQ(files.erase(Key(levels_ + name)), 1u) << name;
        }
        return files;
    }

    std::string levels_;
    std::string outside_;
};

TEST_F(SetImportTest, ASetLandsOnceUnderASafeNameAndNeverOverAnother) {
    const Bytes first = SetArchive(1);
    const Bytes second = SetArchive(2);
    const std::string source = Put("My Set!.qxa", first);
    Put("sub/x", {});
    const auto before = Snapshot();

    const PyxSetImport copied = PyxImportSharedSet(source, levels_);
    ASSERT_TRUE(copied.Done()) << copied.error;
    EXPECT_TRUE(copied.copied);
    EXPECT_EQ(copied.path, levels_ + "my-set.qxa");
    EXPECT_EQ(Read(copied.path), first);
    EXPECT_NE(Log().find("Level set " + source + " copied to " + copied.path), std::string::npos)
        << Log();

    // The same bytes again, by any name or from the level folder itself: nothing new.
    for (const std::string& again :
         {source, copied.path, Put("MY-SET.QXA", first), outside_ + "sub/../My Set!.qxa"}) {
        const PyxSetImport same = PyxImportSharedSet(again, levels_);
        EXPECT_TRUE(same.Done()) << again << ": " << same.error;
        EXPECT_FALSE(same.copied) << again;
        EXPECT_EQ(same.path, copied.path) << again;
    }

    // Other bytes of the same name go beside it; hostile names make safe ones there.
    const std::vector<std::pair<std::string, std::string>> named = {
        {"my set.qxa", "my-set-2.qxa"},
        {"..qxa", "set.qxa"},
        {"..\\..\\Evil.qxa", "evil.qxa"},
        {"sub/../../outside/a b.qxa", "a-b.qxa"},
    };
    std::uint8_t mark = 2;
    std::vector<std::string> landed = {"my-set.qxa"};
    for (const auto& [name, expected] : named) {
        const PyxSetImport other = PyxImportSharedSet(Put(name, SetArchive(mark++)), levels_);
        EXPECT_TRUE(other.copied) << name << ": " << other.error;
        EXPECT_EQ(other.path, levels_ + expected) << name;
        landed.push_back(expected);
    }
    EXPECT_EQ(Read(levels_ + "my-set.qxa"), first) << "never replaced";
    EXPECT_EQ(Read(levels_ + "my-set-2.qxa"), second);

    // Nothing else was written or changed, in the level folder or outside it.
    auto after = Snapshot();
    for (const auto& [name, expected] : named) {
        after.erase(Key(outside_ + name));
    }
    after.erase(Key(outside_ + "MY-SET.QXA"));
    EXPECT_EQ(Without(after, landed), before);
    EXPECT_EQ(PyxListSharedSets(levels_).size(), landed.size());
}

TEST_F(SetImportTest, WhatIsNoSetIsRefusedAndADamagedSetIsKept) {
    const Bytes set = SetArchive(1);
    Bytes cut = set;
    cut.resize(20);
    const std::string big = Put("big.qxa", {});
    fs::resize_file(big, kPyxMaxSharedSetBytes + 1);
    fs::create_directories(outside_ + "folder.qxa");
    const std::vector<std::pair<std::string, std::string>> refused = {
        {Put("set.zip", set), "does not end in .qxa"},
        {Put("set", set), "does not end in .qxa"},
        {outside_ + "missing.qxa", "no such file"},
        {outside_ + "folder.qxa", "no such file"},
        {big, "larger than 67108864 bytes"},
        {Put("text.qxa", {'h', 'i'}), "not an archive"},
        {Put("data.qxa", Archive({{"LoadingScene.ent", Bytes{'x'}}})), "holds no set.lst"},
    };
    const auto before = Snapshot();
    for (const auto& [path, reason] : refused) {
        const PyxSetImport result = PyxImportSharedSet(path, levels_);
        EXPECT_FALSE(result.Done()) << path;
        EXPECT_NE(result.error.find(reason), std::string::npos) << path << ": " << result.error;
        EXPECT_NE(Log().find("Level set " + path + " not taken: " + result.error),
                  std::string::npos)
            << Log();
    }
    EXPECT_FALSE(PyxImportSharedSet(outside_ + "text.qxa", "").Done()) << "no level folder";
    EXPECT_EQ(Snapshot(), before);

    // The list of sets says what is wrong with a damaged one.
    EXPECT_TRUE(PyxImportSharedSet(Put("cut.qxa", cut), levels_).copied);
    const std::vector<PyxSharedSet> listed = PyxListSharedSets(levels_);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].damage, "the archive is damaged");
}

} // namespace
