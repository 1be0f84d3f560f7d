#include <algorithm>
#include <cfloat>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "engine/entity/QxDefinition.h"
#include "engine/files/QxBuffer.h"

namespace {

using namespace std::string_literals;

std::string ValueOf(const std::string& text, const std::string& key) {
    QxDefinition definition(text);
    std::string value = "unset";
    if (!definition.FindKey(key))
        return "<not found>";
    definition.ReadString(value);
    return value;
}

// The first word of a line, without case, outside comments and blocks; the first of two wins.
TEST(DefinitionFindKey, MatchesTheFirstWordOfALineOutsideCommentsAndBlocks) {
    EXPECT_EQ(ValueOf("Tooltip Hello", "tooltip"), "Hello");
    EXPECT_EQ(ValueOf("tooltip = Hello", "TOOLTIP"), "Hello");
    EXPECT_EQ(ValueOf("tooltip   =Hello", "tooltip"), "Hello");
    EXPECT_EQ(ValueOf("  \ttooltip \t=\t Hello", "tooltip"), "Hello");
    EXPECT_EQ(ValueOf("tooltips Hello", "tooltip"), "<not found>");
    EXPECT_EQ(ValueOf("tooltip=Hello", "tooltip"), "<not found>");
    EXPECT_EQ(ValueOf("tooltip\tHello", "tooltip"), "<not found>");
    EXPECT_EQ(ValueOf("mytooltip Hello", "tooltip"), "<not found>");
    EXPECT_EQ(ValueOf("text tooltip Hello", "tooltip"), "<not found>");
    EXPECT_EQ(ValueOf("x Hello", ""), "<not found>");
    EXPECT_EQ(ValueOf("", "tooltip"), "<not found>");
    EXPECT_EQ(ValueOf("type button1\r\ntype button2\r\n", "type"), "button1");
    EXPECT_EQ(ValueOf("a 1\rtype x\rb 2", "type"), "x");
    EXPECT_EQ(ValueOf("a 1\ntype x\n", "type"), "x");
    EXPECT_EQ(ValueOf("a 1\0type x\0b"s, "type"), "x");
    EXPECT_EQ(ValueOf("type", "type"), "<not found>");
    EXPECT_EQ(ValueOf("type ", "type"), "");
    EXPECT_EQ(ValueOf("type \r\nnext 1", "type"), "");
    EXPECT_EQ(ValueOf("# type x\ntype y", "type"), "y");
    EXPECT_EQ(ValueOf("  # type x", "type"), "<not found>");
    EXPECT_EQ(ValueOf("a 1 # type x", "type"), "<not found>");
    EXPECT_EQ(ValueOf("text Hi # there", "text"), "Hi # there");
    // A brace inside a comment opens no block.
    EXPECT_EQ(ValueOf("# {\ntype y", "type"), "y");
    const std::string text = "ref @ {\n  type inner\n  { type deeper }\n}\ntype outer\n";
    EXPECT_EQ(ValueOf(text, "type"), "outer");
    // A "}" without its "{" ends the search; keys before it are still found.
    EXPECT_EQ(ValueOf("a 1\n}\ntype x", "type"), "<not found>");
    EXPECT_EQ(ValueOf("type x\n}\n", "type"), "x");
    // A block never closed hides everything after it.
    EXPECT_EQ(ValueOf("a {\ntype x\n", "type"), "<not found>");
}

TEST(DefinitionFindKey, LongKeysAndLongLinesAreSafe) {
    const std::string longKey(300, 'k');
    EXPECT_EQ(ValueOf(longKey + " v", longKey), "<not found>");
    const std::string key254(254, 'k');
    EXPECT_EQ(ValueOf(key254 + " v", key254), "v");
    const std::string huge(1 << 20, 'x');
    EXPECT_EQ(ValueOf(huge + "\ntext " + huge + "\n", "text"), huge);
}

TEST(DefinitionReaders, StringsHonourQuotesTabsAndEscapes) {
    EXPECT_EQ(ValueOf("s \"Hi there\" extra", "s"), "Hi there");
    EXPECT_EQ(ValueOf("s Say \"hi\"", "s"), "Say \"hi\"");
    EXPECT_EQ(ValueOf("s \"open to the end", "s"), "open to the end");
    EXPECT_EQ(ValueOf("s Line1\\nLine2", "s"), "Line1\r\nLine2");
    EXPECT_EQ(ValueOf("s a\\\\b\\x\\", "s"), "a\\b\\x\\");
    EXPECT_EQ(ValueOf("s a\tb\t", "s"), "ab");
    EXPECT_EQ(ValueOf("s \"\"", "s"), "");
}

// The numbers read for `key` into `count` slots holding -1 before.
template <typename T> std::vector<T> Numbers(const std::string& text, const char* key, int count) {
    QxDefinition definition(text);
    std::vector<T> out(size_t(count), T(-1));
    EXPECT_TRUE(definition.FindKey(key));
    if constexpr (std::is_same_v<T, float>)
        definition.ReadFloats(out.data(), count);
    else
        definition.ReadInts(out.data(), count);
    return out;
}

TEST(DefinitionReaders, IntegersFillAtMostTheCountAndKeepDefaults) {
    using V = std::vector<std::int32_t>;
    EXPECT_EQ(Numbers<std::int32_t>("pair 12, 24", "pair", 4), (V{12, 24, -1, -1}));
    EXPECT_EQ(Numbers<std::int32_t>("pair 12, 24", "pair", 1), (V{12}));
    // The empty piece joins the next: ",2" reads as 0.
    EXPECT_EQ(Numbers<std::int32_t>("odd 1,,2", "odd", 3), (V{1, 0, -1}));
    EXPECT_EQ(Numbers<std::int32_t>("words abc, -7x, +3", "words", 3), (V{0, -7, 3}));
    EXPECT_EQ(Numbers<std::int32_t>("big 99999999999, -99999999999", "big", 2),
              (V{INT32_MAX, INT32_MIN}));
    EXPECT_EQ(Numbers<std::int32_t>("empty \nnext 1", "empty", 2), (V{-1, -1}));
    EXPECT_EQ(Numbers<std::int32_t>("lead ,5", "lead", 2), (V{0, -1}));
}

TEST(DefinitionReaders, FloatsReadDecimalNumbersOnly) {
    EXPECT_EQ(
        Numbers<float>("f 1.5, -2e3, .25, 7., abc, 1e999, -1e999, 1e-999, inf, 0x10", "f", 10),
        (std::vector<float>{1.5f, -2000.0f, 0.25f, 7.0f, 0, FLT_MAX, -FLT_MAX, 0, 0, 0}));
}

TEST(DefinitionReaders, ColourPacksAlphaRedGreenBlue) {
    QxDefinition definition("full 255, 128, 0, 64\nshort 1, 2, 3\nover 256, 0, 0, 0");
    for (const auto& [key, packed] :
         {std::pair{"full", 0x40FF8000u}, {"short", 0x00010203u}, {"over", 0x01000000u}}) {
        std::uint32_t colour = 0;
        ASSERT_TRUE(definition.FindKey(key));
        EXPECT_TRUE(definition.ReadColor(colour));
        EXPECT_EQ(colour, packed) << key;
    }
}

TEST(DefinitionReaders, CharAndIntTakesTheFirstPrintableCharacter) {
    QxDefinition definition("key \t\t\x01X, 12\nblank \t\n");
    QxCharAndInt pair;
    ASSERT_TRUE(definition.FindKey("key"));
    EXPECT_TRUE(definition.ReadCharAndInt(pair));
    EXPECT_EQ(pair.character, 'X');
    EXPECT_EQ(pair.number, 12);
    ASSERT_TRUE(definition.FindKey("blank"));
    EXPECT_FALSE(definition.ReadCharAndInt(pair));
}

// A named value is looked up without case; an unknown name leaves the value alone.
TEST(DefinitionReaders, EnumsReadNamesFromTheirTable) {
    const QxEnumEntry table[] = {{"left", 0}, {"Centre", 2}, {"right", 1}};
    QxDefinition definition("a CENTRE\nb middle\n");
    std::int32_t value = 7;
    ASSERT_TRUE(definition.FindKey("a"));
    EXPECT_TRUE(definition.ReadEnum(value, table, 3));
    EXPECT_EQ(value, 2);
    ASSERT_TRUE(definition.FindKey("b"));
    EXPECT_FALSE(definition.ReadEnum(value, table, 3));
    EXPECT_EQ(value, 2);
}

TEST(DefinitionReaders, ReferencesByNameKeepOnlyLettersAndDigits) {
    QxDefinition definition("a PyxAnimAward, coin_silver\nb , x\nc a,b,c\nd a,\ne Pyx_Vortex,v-1");
    QxEntityRef ref{"old", "ref"};
    ASSERT_TRUE(definition.FindKey("a"));
    EXPECT_TRUE(definition.ReadEntityRef(ref));
    EXPECT_EQ(ref, (QxEntityRef{"PyxAnimAward", "coinsilver"}));
    for (const char* key : {"b", "c", "d"}) {
        ASSERT_TRUE(definition.FindKey(key));
        EXPECT_FALSE(definition.ReadEntityRef(ref)) << key;
        EXPECT_EQ(ref, (QxEntityRef{"PyxAnimAward", "coinsilver"})) << key;
    }
    ASSERT_TRUE(definition.FindKey("e"));
    EXPECT_TRUE(definition.ReadEntityRef(ref));
    EXPECT_EQ(ref, (QxEntityRef{"PyxVortex", "v1"}));
}

TEST(DefinitionText, ReadFromFileTakesTheWholeFileAndForgetsTheKey) {
    const std::string text = "class sprite\r\ntype coin\r\n";
    QxBuffer file;
    file.Allocate(std::uint32_t(text.size()), 0);
    std::copy(text.begin(), text.end(), file.GetData());
    file.Seek(0, 5); // reading starts from the beginning wherever the file stands
    QxDefinition definition("class old\n");
    ASSERT_TRUE(definition.FindKey("class"));
    EXPECT_TRUE(definition.ReadFromFile(file));
    EXPECT_FALSE(definition.HasValue());
    EXPECT_EQ(definition.Text(), text);
    // With no key found every reader fails.
    std::string value;
    std::int32_t ints[1];
    float floats[1];
    std::uint32_t colour = 0;
    QxCharAndInt pair;
    QxEntityRef ref;
    EXPECT_FALSE(definition.ReadString(value) || definition.ReadInts(ints) ||
                 definition.ReadFloats(floats) || definition.ReadColor(colour) ||
                 definition.ReadCharAndInt(pair) || definition.ReadEntityRef(ref));
    ASSERT_TRUE(definition.FindKey("type"));
    definition.ReadString(value);
    EXPECT_EQ(value, "coin");

    QxBuffer empty;
    EXPECT_TRUE(definition.ReadFromFile(empty));
    EXPECT_FALSE(definition.FindKey("type"));
}

TEST(DefinitionBlocks, CheckBlocksNamesTheFirstFault) {
    EXPECT_EQ(QxDefinition("a { b { } }\n# }").CheckBlocks(), nullptr);
    EXPECT_STREQ(QxDefinition("a }\n{").CheckBlocks(), "\"}\" without \"{\"");
    EXPECT_STREQ(QxDefinition("a {\n{ }").CheckBlocks(), "block never closed");
}

} // namespace
