// The level list file: its blocks, the order of an entry's strings, files that are no
// list and leave it as it was, and damaged ones that keep the entries before the damage.

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/files/QxBuffer.h"
#include "engine/gui/GuiFixture.h"
#include "game/field/FieldTestSupport.h"
#include "game/rules/PyxLevelList.h"

namespace {

using fieldtest::BufferOf;

// Little-endian bytes, appended in order; a block is its length and then its bytes.
class Bytes {
public:
    Bytes& Int(std::int32_t v) { return Raw(&v, 4); }
    Bytes& UInt(std::uint32_t v) { return Raw(&v, 4); }
    Bytes& Str(const std::string& text) {
        UInt(std::uint32_t(text.size()));
        return Raw(text.data(), text.size());
    }
    Bytes& Block(const Bytes& block) {
        UInt(std::uint32_t(block.data.size()));
        return Raw(block.data.data(), block.data.size());
    }
    Bytes& Raw(const void* p, std::size_t n) {
        const auto* b = static_cast<const std::uint8_t*>(p);
        data.insert(data.end(), b, b + n);
        return *this;
    }
    std::vector<std::uint8_t> data;
};

// A list file with the given entries: header block (format, 7, 8), unused word,
// count, then per entry a block of file name, third string, second string and number.
std::vector<std::uint8_t> ListBytes(std::int32_t format,
                                    const std::vector<PyxLevelEntry>& entries) {
    Bytes file;
    file.Block(Bytes().Int(format).Int(7).Int(8));
    file.UInt(0).Int(std::int32_t(entries.size()));
    for (const PyxLevelEntry& entry : entries)
        file.Block(
            Bytes().Str(entry.fileName).Str(entry.third).Str(entry.second).UInt(entry.value));
    return file.data;
}

const std::vector<PyxLevelEntry> kTwoLevels = {{"levels/one.lvl", "First", "Easy", 11},
                                               {"levels/two.lvl", "Second", "Hard", 22}};

TEST(LevelListTest, WriteAndReadGiveTheSameList) {
    PyxLevelList list;
    list.Entries() = kTwoLevels;
    QxBuffer buffer;
    buffer.Allocate(4096, 0);
    ASSERT_TRUE(list.Write(buffer));
    const std::vector<std::uint8_t> written(buffer.GetData(), buffer.GetData() + buffer.Tell());
    // The hand-made bytes differ only in the two unused header words.
    std::vector<std::uint8_t> expected = ListBytes(1, kTwoLevels);
    std::memset(expected.data() + 8, 0, 8);
    EXPECT_EQ(written, expected);

    PyxLevelList again;
    auto copy = BufferOf(written);
    ASSERT_TRUE(again.Read(*copy));
    EXPECT_EQ(again.Entries(), kTwoLevels);
}

TEST(LevelListTest, WrongFormatOrShortHeaderKeepsTheOldList) {
    Bytes shortHeader;
    shortHeader.Block(Bytes().Int(1)); // four bytes where twelve belong
    shortHeader.UInt(0).Int(0);
    for (const auto& bytes : {ListBytes(2, {{"x.lvl", "", "", 0}}), shortHeader.data}) {
        PyxLevelList list;
        list.Entries() = kTwoLevels;
        auto buffer = BufferOf(bytes);
        EXPECT_FALSE(list.Read(*buffer));
        EXPECT_EQ(list.Entries(), kTwoLevels);
    }
}

TEST(LevelListTest, DamageKeepsTheEntriesBeforeIt) {
    const std::vector<std::uint8_t> whole = ListBytes(1, kTwoLevels);
    const std::size_t firstEnd = ListBytes(1, {kTwoLevels[0]}).size();
    // Every cut inside the entries.
    for (std::size_t cut = 4 + 12 + 8; cut < whole.size(); ++cut) {
        PyxLevelList list;
        list.Entries() = kTwoLevels;
        auto buffer = BufferOf(std::vector<std::uint8_t>(whole.begin(), whole.begin() + long(cut)));
        EXPECT_FALSE(list.Read(*buffer)) << cut;
        EXPECT_EQ(list.LastResult(), PyxLevelList::Result::Damaged);
        EXPECT_EQ(list.Count(), cut >= firstEnd ? 1 : 0) << cut;
    }
    // A count the file cannot hold, whatever it says, reserves nothing.
    for (const std::int32_t count : {-1, 3, 0x7FFFFFFF}) {
        std::vector<std::uint8_t> bytes = whole;
        std::memcpy(bytes.data() + 4 + 12 + 4, &count, 4);
        PyxLevelList list;
        auto buffer = BufferOf(bytes);
        EXPECT_FALSE(list.Read(*buffer)) << count;
        EXPECT_EQ(list.Count(), count < 0 ? 0 : 2) << count;
    }
    // A string longer than its entry block.
    Bytes bytes;
    bytes.Block(Bytes().Int(1).Int(0).Int(0));
    bytes.UInt(0).Int(1);
    bytes.Block(Bytes().UInt(1000).Raw("abc", 3).Str("").Str("").UInt(0));
    PyxLevelList list;
    auto buffer = BufferOf(bytes.data);
    EXPECT_FALSE(list.Read(*buffer));
    EXPECT_EQ(list.Count(), 0);
}

class LevelListFileTest : public GuiFixture {};

TEST_F(LevelListFileTest, DamagedFileIsLoggedOnce) {
    std::vector<std::uint8_t> bytes = ListBytes(1, kTwoLevels);
    bytes.resize(bytes.size() - 3);
    WriteFile("broken.lst", std::string(bytes.begin(), bytes.end()));
    PyxLevelList list;
    EXPECT_FALSE(list.Load("broken.lst"));
    EXPECT_EQ(list.Count(), 1);
    const std::string log = ReadLog();
    EXPECT_NE(log.find("broken.lst - damaged after 1 of 2 entries; those are kept."),
              std::string::npos);
}

} // namespace
