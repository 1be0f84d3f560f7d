#include <gtest/gtest.h>

#include "engine/gui/QxFontMetrics.h"
#include "engine/gui/QxTextEditRules.h"

namespace {

QxFontMetrics EightPixelFont() {
    QxFontMetrics m;
    m.charWidth = 8;
    m.charHeight = 10;
    m.Build("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .");
    return m;
}

std::string Type(QxTextEditRules& rules, std::string text, size_t& cursor, const char* keys) {
    for (const char* k = keys; *k; ++k) {
        rules.HandleKey(text, cursor, *k);
    }
    return text;
}

} // namespace

TEST(FontMetrics, GlyphTableTakesLaterIndexAndUnknownIsZero) {
    QxFontMetrics m;
    m.charWidth = 6;
    m.Build("ABA");
    EXPECT_EQ(m.glyphIndex['A'], 2);
    EXPECT_EQ(m.glyphIndex['B'], 1);
    EXPECT_EQ(m.glyphIndex['z'], 0);
    EXPECT_EQ(m.advance['z'], 6);
}

TEST(FontMetrics, AdvanceStartsAtCellPlusOffsetAndWidthEntriesOverride) {
    QxFontMetrics m;
    m.charWidth = 8;
    m.offsetX = 2;
    m.Build("AI");
    EXPECT_EQ(m.advance['A'], 10);
    EXPECT_TRUE(m.ApplyWidthEntry("I, 4"));
    EXPECT_TRUE(m.ApplyWidthEntry("\t ,7")); // the first character of code 32 up is ' '
    EXPECT_FALSE(m.ApplyWidthEntry("\t"));
    EXPECT_EQ(m.advance['I'], 4);
    EXPECT_EQ(m.advance[' '], 7);
    EXPECT_EQ(m.TextWidth("AIA", true), 24u);
    EXPECT_EQ(m.CellAdvance(), 10);
}

TEST(FontMetrics, TrailingSpacesCountOnlyWhenAsked) {
    const QxFontMetrics m = EightPixelFont();
    EXPECT_EQ(m.TextWidth("AB  ", true), 32u);
    EXPECT_EQ(m.TextWidth("AB  ", false), 16u);
    EXPECT_EQ(m.TextWidth("   ", false), 0u);
    EXPECT_EQ(m.TextWidth(" A", false), 16u);
}

TEST(FontMetrics, NoLowercaseMeasuresAsUppercase) {
    QxFontMetrics m;
    m.charWidth = 8;
    m.Build("ABC");
    ASSERT_TRUE(m.ApplyWidthEntry("A,3"));
    m.noLowercase = true;
    EXPECT_EQ(m.TextWidth("abc", true), m.TextWidth("ABC", true));
    EXPECT_EQ(m.MapChar('a'), 'A');
    m.noLowercase = false;
    EXPECT_EQ(m.TextWidth("a", true), 8u);
}

TEST(FontMetrics, FitPrefixStaysStrictlyBelowTheWidth) {
    const QxFontMetrics m = EightPixelFont();
    EXPECT_EQ(m.FitPrefix("ABCDE", 24), "AB");
    EXPECT_EQ(m.FitPrefix("ABCDE", 25), "ABC");
    EXPECT_EQ(m.FitPrefix("ABCDE", 0), "");
    EXPECT_EQ(m.FitPrefix("AB", 1000), "AB");
}

TEST(WrapByCount, BreaksAfterTheLastSpace) {
    const auto lines = QxFontMetrics::WrapByCount("hello world again", 10, nullptr);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "hello ");
    EXPECT_EQ(lines[1], "world ");
    EXPECT_EQ(lines[2], "again");
}

TEST(WrapByCount, HardBreakInsideALongWord) {
    const auto lines = QxFontMetrics::WrapByCount("abcdefghij", 4, nullptr);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "abcd");
    EXPECT_EQ(lines[1], "efgh");
    EXPECT_EQ(lines[2], "ij");
}

TEST(WrapByCount, CarriageReturnEndsLinesAndLineFeedIsDropped) {
    const auto lines = QxFontMetrics::WrapByCount("ab\r\n\r\ncd", 10, nullptr);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "ab");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "cd");
}

TEST(WrapByCount, ContinuationLinesCarryThePrefixAndItCountsAgainstTheLimit) {
    const std::string prefix = "> ";
    const auto lines = QxFontMetrics::WrapByCount("aaa bbb ccc", 6, &prefix);
    // The prefix length counts on every line: 2 + 4 reaches 6 after "aaa ".
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "aaa ");
    EXPECT_EQ(lines[1], "> bbb ");
    EXPECT_EQ(lines[2], "> ccc");
    const std::string tooLong = "123456";
    const auto plain = QxFontMetrics::WrapByCount("aaa bbb", 6, &tooLong);
    EXPECT_EQ(plain[1], "bbb");
}

TEST(WrapByCount, SpansPointBackIntoTheText) {
    const std::string text = "hello world again";
    const auto spans = QxFontMetrics::WrapSpans(text, 10);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[1].start, 6u);
    EXPECT_EQ(spans[1].length, 6u);
    EXPECT_EQ(spans[2].start, 12u);
    EXPECT_TRUE(QxFontMetrics::WrapByCount("", 5, nullptr).empty());
}

TEST(TextEditRules, TypingInsertsAtTheCursor) {
    QxTextEditRules rules;
    size_t cursor = 0;
    std::string text = Type(rules, "", cursor, "acd");
    EXPECT_EQ(text, "acd");
    EXPECT_EQ(cursor, 3u);
    rules.HandleKey(text, cursor, 259);
    rules.HandleKey(text, cursor, 259);
    EXPECT_TRUE(rules.HandleKey(text, cursor, 'b'));
    EXPECT_EQ(text, "abcd");
    EXPECT_EQ(cursor, 2u);
    rules.HandleKey(text, cursor, 258);
    rules.HandleKey(text, cursor, 258);
    rules.HandleKey(text, cursor, 258);
    EXPECT_EQ(cursor, 4u);
}

TEST(TextEditRules, BackspaceRemovesBeforeTheCursorAndNothingAtZero) {
    QxTextEditRules rules;
    std::string text = "abc";
    size_t cursor = 3;
    rules.HandleKey(text, cursor, 8);
    EXPECT_EQ(text, "ab");
    EXPECT_EQ(cursor, 2u);
    cursor = 1;
    rules.HandleKey(text, cursor, 8);
    EXPECT_EQ(text, "b");
    EXPECT_EQ(cursor, 0u);
    EXPECT_TRUE(rules.HandleKey(text, cursor, 8));
    EXPECT_EQ(text, "b");
    EXPECT_EQ(cursor, 0u);
}

TEST(TextEditRules, ControlCodesAndKeysAreIgnoredAndEveryLatin1CharacterTyped) {
    QxTextEditRules rules;
    std::string text = "x";
    size_t cursor = 1;
    for (int code : {0, 9, 27, 31, 260, 274}) {
        EXPECT_TRUE(rules.HandleKey(text, cursor, code)) << code;
    }
    EXPECT_EQ(text, "x");
    // Typed as the game hands them on, sign-extended: -42, -23, -1.
    EXPECT_EQ(Type(rules, text, cursor, "\xD6\xE9\xFF"), "x\xD6\xE9\xFF");
}

TEST(TextEditRules, NumbersOnlyRefusesOtherCharacters) {
    QxTextEditRules rules;
    rules.numbersOnly = true;
    std::string text;
    size_t cursor = 0;
    EXPECT_TRUE(rules.HandleKey(text, cursor, '4'));
    EXPECT_FALSE(rules.HandleKey(text, cursor, 'a'));
    EXPECT_FALSE(rules.HandleKey(text, cursor, '.'));
    EXPECT_FALSE(rules.HandleKey(text, cursor, ' '));
    EXPECT_EQ(text, "4");
}

TEST(TextEditRules, MaximumLengthIgnoresFurtherCharacters) {
    QxTextEditRules rules;
    rules.maxLength = 3;
    std::string text;
    size_t cursor = 0;
    text = Type(rules, text, cursor, "abcdef");
    EXPECT_EQ(text, "abc");
    size_t at = 3;
    EXPECT_TRUE(rules.HandleKey(text, at, 'z'));
    EXPECT_EQ(text, "abc");
}

TEST(TextEditRules, DottedAddressKeepsThreeDigitsPerGroupAndThreeDots) {
    QxTextEditRules rules;
    rules.ipAddress = true;
    std::string text;
    size_t cursor = 0;
    EXPECT_TRUE(rules.HandleKey(text, cursor, '1'));
    EXPECT_TRUE(rules.HandleKey(text, cursor, '2'));
    EXPECT_TRUE(rules.HandleKey(text, cursor, '3'));
    EXPECT_FALSE(rules.HandleKey(text, cursor, '4'));
    EXPECT_TRUE(rules.HandleKey(text, cursor, '.'));
    EXPECT_FALSE(rules.HandleKey(text, cursor, '.')); // right after a dot
    EXPECT_FALSE(rules.HandleKey(text, cursor, 'x'));
    text = Type(rules, text, cursor, "4.5.6");
    EXPECT_EQ(text, "123.4.5.6");
    EXPECT_FALSE(rules.HandleKey(text, cursor, '.')); // a fourth dot
    // The group is the one at the cursor, not the last one.
    size_t inFirst = 1;
    EXPECT_FALSE(rules.HandleKey(text, inFirst, '9'));
    size_t inSecond = 5;
    EXPECT_TRUE(rules.HandleKey(text, inSecond, '9'));
    EXPECT_EQ(text, "123.49.5.6");
}

TEST(TextEditRules, DotIsRefusedAtTheStart) {
    QxTextEditRules rules;
    rules.ipAddress = true;
    std::string text;
    size_t cursor = 0;
    EXPECT_FALSE(rules.HandleKey(text, cursor, '.'));
    EXPECT_TRUE(text.empty());
}

TEST(TextEditRules, ArrowsMoveBetweenWrappedLinesKeepingTheColumn) {
    QxTextEditRules rules;
    rules.wrapWidth = 10;
    std::string text = "hello world again"; // lines start at 0, 6 and 12
    size_t cursor = 14;                     // column 2 of "again"
    rules.HandleKey(text, cursor, 256);
    EXPECT_EQ(cursor, 8u);
    rules.HandleKey(text, cursor, 256);
    EXPECT_EQ(cursor, 2u);
    rules.HandleKey(text, cursor, 256);
    EXPECT_EQ(cursor, 2u);
    cursor = 5; // column 5 of "hello "
    rules.HandleKey(text, cursor, 257);
    EXPECT_EQ(cursor, 11u);
    rules.HandleKey(text, cursor, 257);
    EXPECT_EQ(cursor, 17u); // "again" has 5 characters: at most its end
    rules.wrapWidth = -1;
    rules.HandleKey(text, cursor, 256);
    EXPECT_EQ(cursor, 17u);
}

TEST(TextEditRules, UpArrowStopsAtTheLastCharacterOfTheLineAbove) {
    QxTextEditRules rules;
    rules.wrapWidth = 10;
    std::string text = "ab cdefghijklm"; // "ab " then "cdefghijkl" (a hard break) then "m"
    size_t cursor = text.size();         // column 1 of "m"
    rules.HandleKey(text, cursor, 256);
    EXPECT_EQ(cursor, 4u);
    rules.HandleKey(text, cursor, 256);
    EXPECT_EQ(cursor, 1u);
    cursor = 3 + 9;
    rules.HandleKey(text, cursor, 256);
    EXPECT_EQ(cursor, 2u); // column 9 cut to the last character of "ab "
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

TEST(TextEditRules, TinyWindowsStaySafe) {
    const std::string text = "abcdefghijklmnopqrst";
    for (int size = 1; size < 9; ++size) {
        for (size_t cursor = 0; cursor <= text.size() + 2; ++cursor) {
            const auto w = QxTextEditRules::ShowWindow(text, cursor, size);
            EXPECT_LE(w.caret, w.shown.size());
        }
    }
}
