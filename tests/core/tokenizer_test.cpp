#include <gtest/gtest.h>

#include "core/tokenizer.h"

using core::StrCode;

namespace {
struct Tok {
    std::string buff;
    StrCode s;
    int n = 0;
    int blank(const std::string& text) {
        buff = text;
        return core::DecodeBlank(buff, s, n);
    }
    int tab(const std::string& text) {
        buff = text;
        return core::DecodeTab(buff, s, n);
    }
};
}  // namespace

TEST(DecodeBlank, ScfDoneLineGivesNineTokensWithEnergyFifth) {
    Tok t;
    EXPECT_EQ(t.blank(" SCF Done:  E(RB3LYP) =  -382.308266173     A.U. after   12 cycles"), 9);
    EXPECT_EQ(t.s[1], "SCF");
    EXPECT_EQ(t.s[3], "E(RB3LYP)");
    EXPECT_EQ(t.s[5], "-382.308266173");
    EXPECT_EQ(t.s[8], "12");
    EXPECT_EQ(t.s[9], "cycles");
    EXPECT_EQ(t.buff, "SCF Done:  E(RB3LYP) =  -382.308266173     A.U. after   12 cycles");
}

TEST(DecodeBlank, EmptyAndBlankLinesGiveOneEmptyToken) {
    Tok t;
    t.s[1] = "old";
    EXPECT_EQ(t.blank(""), 1);
    EXPECT_EQ(t.s[1], "");
    EXPECT_EQ(t.blank("    \t  "), 1);
    EXPECT_EQ(t.s[1], "");
}

TEST(DecodeBlank, SeparatorsTabsAndIdeographicSpace) {
    Tok t;
    EXPECT_EQ(t.blank("a  b"), 2);
    EXPECT_EQ(t.s[1], "a");
    EXPECT_EQ(t.s[2], "b");
    // A tab is no separator but is trimmed from a token's end.
    EXPECT_EQ(t.blank("a\tb c\t d"), 3);
    EXPECT_EQ(t.s[1], "a\tb");
    EXPECT_EQ(t.s[2], "c");
    EXPECT_EQ(t.s[3], "d");
    // A lone ideographic space after the first token reads as an empty token.
    EXPECT_EQ(t.blank("x \xE3\x80\x80 y"), 3);
    EXPECT_EQ(t.s[2], "");
    EXPECT_EQ(t.s[3], "y");
    // Single characters at both ends.
    EXPECT_EQ(t.blank("1 2 3"), 3);
    EXPECT_EQ(t.s[3], "3");
}

TEST(DecodeBlank, EntriesAboveCountKeepEarlierTokens) {
    Tok t;
    t.blank("a b c d");
    t.blank("x y");
    EXPECT_EQ(t.n, 2);
    EXPECT_EQ(t.s[3], "c");
    EXPECT_EQ(t.s[0], "");
}

TEST(DecodeBlank, LongLinesNeverWriteBeyondOneHundredTokens) {
    Tok t;
    std::string line;
    for (int i = 0; i < 250; ++i) line += std::to_string(i) + " ";
    EXPECT_EQ(t.blank(line), 100);
    EXPECT_EQ(t.s[99], "98");
    EXPECT_EQ(t.s[100].substr(0, 6), "99 100");  // the rest stays in the last token
    EXPECT_EQ(t.s[101], "");
    EXPECT_EQ(t.s[102], "");
}

TEST(DecodeTab, LosesEmptyFieldsAndTrimsBlanks) {
    Tok t;
    EXPECT_EQ(t.tab("\tA\t B \t\tC\t"), 3);
    EXPECT_EQ(t.s[1], "A");
    EXPECT_EQ(t.s[2], "B");
    EXPECT_EQ(t.s[3], "C");
    EXPECT_EQ(t.tab("one field"), 1);
    EXPECT_EQ(t.s[1], "one field");
}

TEST(Decode10, FixedFieldsAndRefusedLengths) {
    StrCode s;
    int n = 0;
    std::string fifty = "     1.000    -2.500aaaaaaaaaabbbbbbbbbb  x       ";
    ASSERT_EQ(fifty.size(), 50u);
    EXPECT_TRUE(core::Decode10(fifty, s, n));
    EXPECT_EQ(n, 5);
    EXPECT_EQ(s[1], "     1.000");
    EXPECT_EQ(s[5], "  x       ");
    EXPECT_FALSE(core::Decode10(fifty + "!", s, n));
    EXPECT_EQ(n, 5);
    EXPECT_EQ(s[2], "    -2.500");
    EXPECT_TRUE(core::Decode10("", s, n));
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(core::Decode10(std::string(1010, 'x'), s, n));  // would not fit
}

TEST(TextHelpers, TrimAndUpper) {
    EXPECT_EQ(core::Trim("\t  a b \r\n"), "a b");
    EXPECT_EQ(core::Trim(""), "");
    EXPECT_EQ(core::UpperAscii("#p opt=(CalcFC) \xC3\xA9"), "#P OPT=(CALCFC) \xC3\xA9");
}
