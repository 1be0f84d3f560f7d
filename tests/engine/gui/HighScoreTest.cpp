#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/files/MediaTestSupport.h"
#include "engine/gui/PyxHighScore.h"
#include "engine/gui/QxHighScoreTable.h"

namespace {

namespace fs = std::filesystem;
using mediatest::Bytes;
using mediatest::ReadFileBytes;
using mediatest::TempFolder;
using mediatest::WriteFileBytes;

// One entry as the file stores it; adds its share to the checksum.
void PutEntry(Bytes& bytes, uint32_t& sum, const std::string& name, uint32_t score,
              uint32_t packed) {
    bytes.U32(static_cast<uint32_t>(name.size())).Text(name).U32(score).U32(packed);
    sum += static_cast<uint32_t>(name.size()) + score + packed;
}

std::vector<std::string> Names(const QxHighScoreTable& table) {
    std::vector<std::string> names;
    for (int i = 0; i < table.Count(); ++i) {
        names.push_back(table.Entry(i)->name);
    }
    return names;
}

void FillTen(QxHighScoreTable& table) {
    // Scores 130 down to 40.
    for (int i = 0; i < 10; ++i) {
        table.Insert(PyxHighScore("p" + std::to_string(i), 130 - 10 * i, 1), false);
    }
}

const PyxHighScore kPrototype("Last", 0, 0);

} // namespace

TEST(HighScoreTable, AFullTableTakesAnEqualTenthOrBetterAndPushesTheLastOut) {
    QxHighScoreTable table;
    FillTen(table);
    EXPECT_EQ(table.Insert(PyxHighScore("low", 39, 1), true), nullptr);
    EXPECT_EQ(table.IndexOfNew(), -1);
    ASSERT_NE(table.Insert(PyxHighScore("tie", 40, 1), true), nullptr);
    EXPECT_EQ(table.Entry(9)->name, "tie");
    EXPECT_EQ(table.IndexOfNew(), 9);

    QxHighScore* stored = table.Insert(PyxHighScore("top", 125, 3), true);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(table.Count(), 10);
    EXPECT_EQ(table.Entry(1), stored);
    EXPECT_EQ(table.Entry(9)->name, "p8");
    EXPECT_EQ(table.IndexOfNew(), 1);
    EXPECT_FALSE(table.Entry(9)->isNew) << "only the latest entry is new";
}

TEST(HighScoreTable, MissingOrDamagedFilesGiveAnEmptyTable) {
    TempFolder folder;
    Bytes good;
    uint32_t sum = 0;
    PutEntry(good, sum, "Ann", 300, 0x40000005);
    PutEntry(good, sum, "Bob", 200, 0x40000003);
    const std::vector<uint8_t> sound = Bytes(good).U32(sum).Get();

    QxHighScoreTable table;
    const fs::path file = folder.Path() / "Scores.rd";
    table.Insert(kPrototype, false);
    EXPECT_FALSE(table.Load(file.string(), kPrototype)) << "missing";
    EXPECT_EQ(table.Count(), 0);
    WriteFileBytes(file, sound);
    ASSERT_TRUE(table.Load(file.string(), kPrototype));
    ASSERT_EQ(table.Count(), 2);

    std::vector<std::vector<uint8_t>> damaged;
    std::vector<uint8_t> edited = sound; // last word changed
    edited.back() ^= 0x01;
    damaged.push_back(edited);
    edited = sound; // a score edited, sum left alone
    edited[7] ^= 0x10;
    damaged.push_back(edited);
    damaged.push_back(std::vector<uint8_t>(sound.begin(), sound.end() - 1)); // cut short
    damaged.push_back(std::vector<uint8_t>(sound.begin(), sound.begin() + 9));
    damaged.push_back(Bytes().Raw(sound).U32(0).Get()); // bytes after the sum
    damaged.push_back({});                              // empty file
    damaged.push_back({1, 2});                          // shorter than a word
    // A name of 256 bytes with a sum that agrees: only the length gives the damage away.
    Bytes longName;
    sum = 0;
    PutEntry(longName, sum, "Ann", 300, 0x40000005);
    PutEntry(longName, sum, std::string(256, 'x'), 200, 0x40000003);
    damaged.push_back(longName.U32(sum).Get());

    for (size_t i = 0; i < damaged.size(); ++i) {
        WriteFileBytes(file, damaged[i]);
        table.Insert(kPrototype, false);
        EXPECT_FALSE(table.Load(file.string(), kPrototype)) << "case " << i;
        EXPECT_EQ(table.Count(), 0) << "case " << i;
    }
}

namespace {

bool WriteHalfThenFail(std::FILE* stream, const uint8_t* data, size_t size) {
    std::fwrite(data, 1, size / 2, stream);
    return false;
}

} // namespace

TEST(HighScoreTable, FailedSaveKeepsTheOldFile) {
    TempFolder folder;
    const fs::path file = folder.Path() / "Scores.rd";
    QxHighScoreTable table;
    FillTen(table);
    ASSERT_TRUE(table.Save(file.string()));
    const std::vector<uint8_t> before = ReadFileBytes(file);

    QxHighScoreTable changed;
    changed.Insert(PyxHighScore("Zed", 7, 1), true);
    EXPECT_FALSE(changed.SaveWith(file.string(), &WriteHalfThenFail));
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_FALSE(fs::exists(file.string() + ".tmp"));

    // And a save that works replaces the file.
    ASSERT_TRUE(changed.Save(file.string()));
    QxHighScoreTable loaded;
    ASSERT_TRUE(loaded.Load(file.string(), kPrototype));
    EXPECT_EQ(Names(loaded), std::vector<std::string>{"Zed"});
}
