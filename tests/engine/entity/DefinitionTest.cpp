#include <algorithm>
#include <cfloat>
#include <string>

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

TEST(DefinitionFindKey, MatchesTheFirstWordOfALineWithoutCase) {
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
}

TEST(DefinitionFindKey, FirstOfTwoLinesWinsAndEveryLineEndCounts) {
    EXPECT_EQ(ValueOf("type button1\r\ntype button2\r\n", "type"), "button1");
    EXPECT_EQ(ValueOf("a 1\rtype x\rb 2", "type"), "x");
    EXPECT_EQ(ValueOf("a 1\ntype x\n", "type"), "x");
    EXPECT_EQ(ValueOf("a 1\0type x\0b"s, "type"), "x");
    EXPECT_EQ(ValueOf("type", "type"), "<not found>");
    EXPECT_EQ(ValueOf("type ", "type"), "");
    EXPECT_EQ(ValueOf("type \r\nnext 1", "type"), "");
}

TEST(DefinitionFindKey, CommentsHideKeysButBelongToValues) {
    EXPECT_EQ(ValueOf("# type x\ntype y", "type"), "y");
    EXPECT_EQ(ValueOf("  # type x", "type"), "<not found>");
    EXPECT_EQ(ValueOf("a 1 # type x", "type"), "<not found>");
    EXPECT_EQ(ValueOf("text Hi # there", "text"), "Hi # there");
    // A brace inside a comment opens no block.
    EXPECT_EQ(ValueOf("# {\ntype y", "type"), "y");
}

TEST(DefinitionFindKey, KeysInsideBlocksAreNotFoundOutside) {
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

TEST(DefinitionReaders, IntegersFillAtMostTheCountAndKeepDefaults) {
    QxDefinition definition("pair 12, 24\nodd 1,,2\nwords abc, -7x, +3\nbig 99999999999, "
                            "-99999999999\nempty \nlead ,5");
    std::int32_t four[4] = {-1, -1, -1, -1};
    ASSERT_TRUE(definition.FindKey("pair"));
    EXPECT_TRUE(definition.ReadInts(four));
    EXPECT_EQ(four[0], 12);
    EXPECT_EQ(four[1], 24);
    EXPECT_EQ(four[2], -1);
    EXPECT_EQ(four[3], -1);

    std::int32_t one[1] = {-1};
    ASSERT_TRUE(definition.FindKey("pair"));
    EXPECT_TRUE(definition.ReadInts(one));
    EXPECT_EQ(one[0], 12);

    std::int32_t three[3] = {-1, -1, -1};
    ASSERT_TRUE(definition.FindKey("odd"));
    definition.ReadInts(three);
    EXPECT_EQ(three[0], 1);
    EXPECT_EQ(three[1], 0); // the empty piece joins the next: ",2" reads as 0
    EXPECT_EQ(three[2], -1);

    ASSERT_TRUE(definition.FindKey("words"));
    definition.ReadInts(three);
    EXPECT_EQ(three[0], 0);
    EXPECT_EQ(three[1], -7);
    EXPECT_EQ(three[2], 3);

    std::int32_t two[2] = {};
    ASSERT_TRUE(definition.FindKey("big"));
    definition.ReadInts(two);
    EXPECT_EQ(two[0], INT32_MAX);
    EXPECT_EQ(two[1], INT32_MIN);

    two[0] = 5;
    ASSERT_TRUE(definition.FindKey("empty"));
    EXPECT_TRUE(definition.ReadInts(two));
    EXPECT_EQ(two[0], 5);

    ASSERT_TRUE(definition.FindKey("lead"));
    definition.ReadInts(two);
    EXPECT_EQ(two[0], 0);
}

TEST(DefinitionReaders, FloatsReadDecimalNumbersOnly) {
    QxDefinition definition("f 1.5, -2e3, .25, 7., abc, 1e999, -1e999, 1e-999, inf, 0x10");
    float f[10] = {};
    ASSERT_TRUE(definition.FindKey("f"));
    EXPECT_TRUE(definition.ReadFloats(f));
    EXPECT_FLOAT_EQ(f[0], 1.5f);
    EXPECT_FLOAT_EQ(f[1], -2000.0f);
    EXPECT_FLOAT_EQ(f[2], 0.25f);
    EXPECT_FLOAT_EQ(f[3], 7.0f);
    EXPECT_EQ(f[4], 0.0f);
    EXPECT_EQ(f[5], FLT_MAX);
    EXPECT_EQ(f[6], -FLT_MAX);
    EXPECT_EQ(f[7], 0.0f);
    EXPECT_EQ(f[8], 0.0f);
    EXPECT_EQ(f[9], 0.0f);
}

TEST(DefinitionReaders, ColourPacksAlphaRedGreenBlue) {
    QxDefinition definition("full 255, 128, 0, 64\nshort 1, 2, 3\nover 256, 0, 0, 0");
    std::uint32_t colour = 0;
    ASSERT_TRUE(definition.FindKey("full"));
    EXPECT_TRUE(definition.ReadColor(colour));
    EXPECT_EQ(colour, 0x40FF8000u);
    ASSERT_TRUE(definition.FindKey("short"));
    definition.ReadColor(colour);
    EXPECT_EQ(colour, 0x00010203u);
    ASSERT_TRUE(definition.FindKey("over"));
    definition.ReadColor(colour);
    EXPECT_EQ(colour, 0x01000000u);
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
    std::string value;
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
