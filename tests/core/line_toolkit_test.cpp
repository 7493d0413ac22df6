// The line toolkit every log reader uses: text views, bounds-safe tokens and the
// forward line reader with its history and limit.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/line_reader.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "support/test_app.h"

using namespace core;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

TEST(TextView, CaseFoldedPrefixSlicesAndTrimming) {
    EXPECT_TRUE(StartsUpper("Standard orientation:", "STANDARD ORIENTATION"));
    EXPECT_TRUE(StartsUpper("sCF dOnE:", "SCF DONE"));
    EXPECT_FALSE(StartsUpper("SCF Don", "SCF DONE"));           // shorter than the literal
    EXPECT_FALSE(StartsUpper("\xE9SCF DONE", "SCF DONE"));      // only ASCII letters fold
    EXPECT_FALSE(StartsUpper(" SCF Done", "SCF DONE"));         // no trimming inside
    EXPECT_EQ(From("abcdef", 3), "cdef");
    EXPECT_EQ(From("abc", 5), "");
    EXPECT_EQ(From("abc", 0), "");
    EXPECT_EQ(First("abc", 10), "abc");
    EXPECT_EQ(TrimView(" \t x y\r\n"), "x y");
    EXPECT_EQ(TrimView("\x01\x1f"), "");
    EXPECT_EQ(TrimmedPrefix("  SCF Done:  E(RHF)", 11), "SCF Done:");
    EXPECT_EQ(TrimmedPrefix("ab", 11), "ab");
    std::string s = "  both ends \r";
    TrimInPlace(s);
    EXPECT_EQ(s, "both ends");
    EXPECT_TRUE(IsBlank(" \t\r"));
    EXPECT_FALSE(IsBlank(" x "));
}

TEST(LineTokens, MissingTokensReadEmptyNeverStale) {
    LineTokens t("Maximum Force            0.000451     0.000450     NO");
    EXPECT_EQ(t.Count(), 5);
    EXPECT_EQ(t[3], "0.000451");
    EXPECT_EQ(t.Last(), "NO");
    t.Split("RMS Force");  // fewer tokens than the line before
    EXPECT_EQ(t.Count(), 2);
    EXPECT_EQ(t[3], "");
    EXPECT_EQ(t[5], "");
    EXPECT_EQ(t[0], "");
    t.Split("   ");
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.Last(), "");
    EXPECT_TRUE(t.ToVector().empty());
    EXPECT_EQ(LineTokens(" a  b ").ToVector(), (std::vector<std::string>{"a", "b"}));
}

// Reads every line of a file through a reader, as the readers see them.
std::vector<std::string> ReadAll(const std::filesystem::path& path, long long limit = LineReader::kNoLimit) {
    LineReader in(path, 2, limit);
    std::vector<std::string> lines;
    while (in.Next()) lines.emplace_back(in.Line());
    return lines;
}

TEST(LineReader, LineEndsAndTheLimit) {
    TempDir d;
    struct Case {
        const char* text;
        long long limit;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\r\n", LineReader::kNoLimit, {"a", "b"}},
        {"a\nb", LineReader::kNoLimit, {"a", "b"}},          // last line without a newline
        {"a\r\n\r\nc\r", LineReader::kNoLimit, {"a", "", "c"}},
        {"", LineReader::kNoLimit, {}},
        {"a\nb\nc\nd\n", 2, {"a", "b"}},                     // the limit ends reading
        {"a\nb\n", 5, {"a", "b"}},                           // a limit beyond the end
        {"a\nb\n", 0, {}},
    };
    for (const auto& c : cases) {
        WriteFile(d / "f.txt", c.text);
        EXPECT_EQ(ReadAll(d / "f.txt", c.limit), c.lines) << c.text;
    }
}

TEST(LineReader, HistoryShorterThanAskedAndAfterTheEnd) {
    TempDir d;
    WriteFile(d / "f.txt", "  one \n two\nthree");
    LineReader in(d / "f.txt", 3);
    EXPECT_EQ(in.LineNumber(), 0);
    EXPECT_EQ(in.Line(), "");
    ASSERT_TRUE(in.Next());
    EXPECT_EQ(in.Line(0), "  one ");
    EXPECT_EQ(in.TrimmedLine(0), "one");
    EXPECT_EQ(in.Line(3), "");  // before the start of the file
    ASSERT_TRUE(in.Next());
    ASSERT_TRUE(in.Next());
    EXPECT_EQ(in.Line(0), "three");
    EXPECT_EQ(in.Line(2), "  one ");
    EXPECT_EQ(in.LineNumber(), 3);
    // A failed read still moves the history: the current line is empty.
    EXPECT_FALSE(in.Next());
    EXPECT_EQ(in.Line(0), "");
    EXPECT_EQ(in.Line(1), "three");
    EXPECT_EQ(in.LineNumber(), 3);
    EXPECT_FALSE(in.Next());
    EXPECT_THROW((void)in.Line(4), std::out_of_range);
}

TEST(LineReader, HistoryWrapsAndReadOverKeepsIt) {
    TempDir d;
    std::string text;
    for (int i = 1; i <= 30; ++i) text += std::to_string(i) + "\n";
    WriteFile(d / "f.txt", text);
    LineReader in(d / "f.txt", 10);
    ASSERT_TRUE(in.AdvanceTo(13));
    EXPECT_EQ(in.Line(0), "13");
    EXPECT_EQ(in.Line(10), "3");
    EXPECT_TRUE(in.AdvanceTo(5));  // behind: nothing to do
    EXPECT_EQ(in.LineNumber(), 13);
    ASSERT_TRUE(in.ReadOver());  // line 14 replaces 13, the history stays
    EXPECT_EQ(in.LineNumber(), 14);
    EXPECT_EQ(in.Line(0), "14");
    EXPECT_EQ(in.Line(1), "12");
    EXPECT_FALSE(in.AdvanceTo(31));
    EXPECT_EQ(in.LineNumber(), 30);
}

TEST(LineReader, RefusesWhatCannotBeOpened) {
    TempDir d;
    EXPECT_ANY_THROW(LineReader(d / "missing.log", 1));
}

}  // namespace
