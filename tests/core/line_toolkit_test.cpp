// The line toolkit every log reader uses: text views, bounds-safe tokens and the
// forward line reader with its history and limit.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/line_reader.h"
#include "core/text_file.h"
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

// Texts of short and block-sized lines, blank and tab-indented ones, ended by LF, CR LF or
// CR at random (so that a CR LF straddles the 64-byte steps of the skipping read), with or
// without a byte-order mark and a last line end.
std::string RandomText(std::mt19937& rng) {
    static const char* kLines[] = {"  Maximum Force   0.1", "\tmaxIMUM", " #p opt", "Mx", "", "   ", " E= -1.0",
                                   "MA", "M", " Cycle 1", "#", "\t \tMAXIMUM FORCE"};
    static const char* kEnds[] = {"\n", "\r\n", "\r"};
    std::string text = rng() % 8 == 0 ? "\xEF\xBB\xBF" : "";
    const int lines = static_cast<int>(rng() % 400);
    for (int i = 0; i < lines; ++i) {
        if (rng() % 5 == 0)
            text += std::string(rng() % 130, rng() % 2 ? ' ' : 'x');
        else
            text += kLines[rng() % std::size(kLines)];
        if (i + 1 < lines || rng() % 2) text += kEnds[rng() % 3];
    }
    return text;
}

// Where the skipping read of a mapped file stops, with its history, is where reading every
// line and testing each stops, up to a line or the reader's limit; the line count it
// reaches is the counting pass's (itself split 64 bytes a step); and going to a line, with
// or without the marks it took on the way, ends where reading line by line ends.
TEST(LineReader, SkippingReadStopsWhereReadingEveryLineWould) {
    TempDir d;
    const auto path = d / "f.txt";
    const LineStarts starts = LineStarts().Add("MA", true).Add("#");
    auto state = [](const LineReader& in) {
        std::string seen = std::to_string(in.LineNumber());
        for (int k = 0; k <= in.History(); ++k) seen += "|" + std::string(in.Line(k));
        return seen;
    };
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(rng);
        WriteFile(path, text);
        const long long lines = CountLines(path);
        const long long until = round % 3 == 0 ? LineReader::kNoLimit : static_cast<long long>(rng() % (lines + 2));
        const long long limit = round % 4 == 0 ? static_cast<long long>(rng() % (lines + 2)) : LineReader::kNoLimit;
        std::vector<std::string> expected;
        {
            LineReader every(path, 4, limit);
            while (every.LineNumber() < until && every.Next()) {
                if (starts.Begins(every.TrimmedLine())) expected.push_back(state(every));
            }
        }
        LineReader skipping(path, 4, limit);
        LineMarks marks;
        if (until == LineReader::kNoLimit && limit == LineReader::kNoLimit) skipping.TakeMarks(marks);
        std::vector<std::string> got;
        while (skipping.NextStartingWith(starts, until)) got.push_back(state(skipping));
        ASSERT_EQ(got, expected) << "round " << round;
        if (marks.Empty()) continue;
        EXPECT_EQ(skipping.LineNumber(), lines) << "round " << round;
        // Going to a line, with or without the marks, ends where reading line by line ends.
        for (long long target : {lines / 3, lines - 1, lines, lines + 2}) {
            LineReader lineByLine(path, 2), plain(path, 2), jumping(path, 2, LineReader::kNoLimit, &marks);
            bool reached = true;
            while (reached && lineByLine.LineNumber() < target) reached = lineByLine.Next();
            EXPECT_EQ(plain.AdvanceTo(target), reached);
            EXPECT_EQ(jumping.AdvanceTo(target), reached);
            EXPECT_EQ(state(plain), state(lineByLine)) << "round " << round << " target " << target;
            EXPECT_EQ(state(jumping), state(lineByLine)) << "round " << round << " target " << target;
        }
    }
}

// A line over 1 MiB is refused with its number by the skipping read as by Next().
TEST(LineReader, SkippingReadRefusesTheLineNextRefuses) {
    TempDir d;
    WriteFile(d / "big", "a\nb\n" + std::string(kMaxLineLength + 1, ' ') + "\nMA\n");
    LineReader in(d / "big", 1);
    try {
        in.NextStartingWith(LineStarts().Add("MA"));
        ADD_FAILURE() << "accepted";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("Line 3 is longer than 1 MiB"), std::string::npos) << e.what();
    }
}

}  // namespace
