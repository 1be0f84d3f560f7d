#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gui/QxFontMetrics.h"
#include "engine/gui/QxTextEditRules.h"

namespace {

// Up and down move between wrapped lines keeping the column, held to a shorter line's end;
// unwrapped text has no lines to move between.
TEST(TextEditRules, ArrowsMoveBetweenWrappedLinesKeepingTheColumn) {
    QxTextEditRules rules;
    rules.wrapWidth = 10;
    std::string text = "hello world again"; // lines start at 0, 6 and 12
    const struct {
        size_t from;
        int key;
        size_t to;
    } moves[] = {{14, 256, 8}, {8, 256, 2}, {2, 256, 2}, {5, 257, 11}, {11, 257, 17}};
    for (const auto& move : moves) {
        size_t cursor = move.from;
        rules.HandleKey(text, cursor, move.key);
        EXPECT_EQ(cursor, move.to) << move.from << " " << move.key;
    }
    rules.wrapWidth = -1;
    size_t cursor = 17;
    rules.HandleKey(text, cursor, 256);
    EXPECT_EQ(cursor, 17u);
}

} // namespace

TEST(WrapByCount, BreaksAfterSpacesAtBreaksAndInsideLongWords) {
    const std::string arrow = "> ";
    const std::string tooLong = "123456";
    const struct {
        const char* text;
        int limit;
        const std::string* prefix;
        std::vector<std::string> want;
    } cases[] = {
        {"hello world again", 10, nullptr, {"hello ", "world ", "again"}},
        {"abcdefghij", 4, nullptr, {"abcd", "efgh", "ij"}},
        // A carriage return ends a line; a line feed is dropped.
        {"ab\r\n\r\ncd", 10, nullptr, {"ab", "", "cd"}},
        // The prefix counts on every line: 2 + 4 reaches 6 after "aaa ".
        {"aaa bbb ccc", 6, &arrow, {"aaa ", "> bbb ", "> ccc"}},
        {"aaa bbb", 6, &tooLong, {"aaa ", "bbb"}},
        {"", 5, nullptr, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QxFontMetrics::WrapByCount(c.text, c.limit, c.prefix), c.want) << c.text;
    }
}

TEST(TextEditRules, WindowShowsThePartAroundTheCursor) {
    const std::string text = "abcdefghijklmnopqrst";
    auto w = QxTextEditRules::ShowWindow(text, 18, 10);
    EXPECT_EQ(w.shown, "... opqrst");
    EXPECT_EQ(w.shown[w.caret], 's');
    w = QxTextEditRules::ShowWindow(text, 2, 10);
    EXPECT_EQ(w.shown, "abcdef ...");
    EXPECT_EQ(w.caret, 2u);
    w = QxTextEditRules::ShowWindow(text, 10, 10);
    EXPECT_EQ(w.shown, "... jk ...");
    EXPECT_EQ(w.shown[w.caret], 'k');
    w = QxTextEditRules::ShowWindow("short", 5, 10);
    EXPECT_EQ(w.shown, "short");
    EXPECT_EQ(w.caret, 5u);
}
