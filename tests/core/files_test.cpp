#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/dir_memory.h"
#include "core/elements.h"
#include "core/errors.h"
#include "core/line_reader.h"
#include "core/loaded_log.h"
#include "core/text_file.h"
#include "support/test_app.h"

using namespace core;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// A file is mapped where it can be, and read through a buffer where it cannot: the
// reader tests run both ways.
constexpr TextReader::Mode kReadModes[] = {TextReader::Mode::MapWhenPossible, TextReader::Mode::Buffered};

TEST(TextReader, LfCrLfLastLineAndAdvance) {
    TempDir d;
    WriteFile(d / "a.txt", "one\r\ntwo\n\nfour");
    EXPECT_EQ(CountLines(d / "a.txt"), 4);
    TextReader r(d / "a.txt");
    std::string line;
    ASSERT_TRUE(r.ReadLine(line));
    EXPECT_EQ(line, "one");
    ASSERT_TRUE(r.AdvanceTo(3, line));
    EXPECT_EQ(line, "");
    EXPECT_EQ(r.LineNumber(), 3);
    EXPECT_FALSE(r.AdvanceTo(10, line));  // stops at the end of the file
    EXPECT_EQ(r.LineNumber(), 4);
    EXPECT_EQ(line, "four");
    EXPECT_FALSE(r.ReadLine(line));
}

TEST(TextReader, EmptyFileLongLinesAndMissingFile) {
    TempDir d;
    WriteFile(d / "empty", "");
    EXPECT_EQ(CountLines(d / "empty"), 0);
    std::string longest(kMaxLineLength, 'x');  // read in several fills, and still accepted
    WriteFile(d / "long", "a\n" + longest + "\r\nb\n");
    EXPECT_EQ(CountLines(d / "long"), 3);
    for (auto mode : kReadModes) {
        TextReader r(d / "long", mode);
        std::string line;
        r.ReadLine(line);
        ASSERT_TRUE(r.ReadLine(line));
        EXPECT_EQ(line.size(), longest.size());
        ASSERT_TRUE(r.ReadLine(line));
        EXPECT_EQ(line, "b");
    }
    EXPECT_THROW(TextReader(d / "missing"), FileError);
}

// A line over 1 MiB (a binary file, /dev/zero copied to disk) is refused with its
// number, by the counting pass as by the reader, instead of growing without end.
TEST(TextReader, LineOverOneMebibyteIsRefusedWithItsNumber) {
    TempDir d;
    WriteFile(d / "big", "a\nb\n" + std::string(kMaxLineLength + 1, 'x') + "\n");
    WriteFile(d / "endless", "a\n" + std::string(3 * kMaxLineLength, 'x'));  // no line end at all
    for (const char* name : {"big", "endless"}) {
        try {
            CountLines(d / name);
            ADD_FAILURE() << name << " was accepted";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("Line ") + (name[0] == 'b' ? "3" : "2") +
                                                 " is longer than 1 MiB"),
                      std::string::npos)
                << e.what();
        }
    }
    for (auto mode : kReadModes) {
        TextReader r(d / "big", mode);
        std::string line;
        ASSERT_TRUE(r.ReadLine(line));
        ASSERT_TRUE(r.ReadLine(line));
        EXPECT_THROW(r.ReadLine(line), FileError);
    }
}

// CR alone ends a line as LF and CR LF do, also when the CR is the last byte of one
// buffer fill and what follows it comes with the next.
TEST(TextReader, CarriageReturnLineEnds) {
    TempDir d;
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"one\rtwo\r\rfour", {"one", "two", "", "four"}},
        {"one\rtwo\r\nthree\nfour\r", {"one", "two", "three", "four"}},
        {"\r\n\r", {"", ""}},
    };
    for (auto mode : kReadModes) {
        for (const auto& c : cases) {
            WriteFile(d / "f", c.text);
            TextReader r(d / "f", mode);
            std::vector<std::string> got;
            for (std::string line; r.ReadLine(line);) got.push_back(line);
            EXPECT_EQ(got, c.lines);
            EXPECT_EQ(CountLines(d / "f"), static_cast<long long>(c.lines.size()));
        }
    }
    // 2048 lines of 1024 bytes: the buffer's first fill ends in a CR, and whether it
    // pairs with an LF is known only after the next fill.
    const std::string body(1023, 'y');
    for (auto mode : kReadModes)
    for (const std::string after : {"\n", "z"}) {
        std::string text;
        for (int i = 0; i < 2048; ++i) text += body + "\r";
        text += after + "last\r\n";
        WriteFile(d / "edge", text);
        EXPECT_EQ(CountLines(d / "edge"), 2049) << after;
        TextReader r(d / "edge", mode);
        std::string line;
        ASSERT_TRUE(r.AdvanceTo(2048, line));
        EXPECT_EQ(line, body);
        ASSERT_TRUE(r.ReadLine(line));
        EXPECT_EQ(line, after == "z" ? "zlast" : "last");
    }
}

// The one gate every reader opens through: only regular files, never a wait on a FIFO,
// and text that is not 8-bit text is named for what it is.
// A log rewritten by a re-run job shrinks under a reader: both ways of reading stop with
// a message (a mapped read past the new end would otherwise kill the program).
TEST(TextReader, FileShortenedWhileReadStopsWithAMessage) {
    for (auto mode : kReadModes) {
        TempDir d;
        std::string text;
        for (int i = 0; i < 200000; ++i) text += " SCF Done:  E(RB3LYP) =  -76.4089   A.U. after 9 cycles\n";
        WriteFile(d / "run.log", text);
        TextReader reader(d / "run.log", mode);
        std::string_view line;
        ASSERT_TRUE(reader.ReadLineView(line));
        std::filesystem::resize_file(d / "run.log", 0);
        long long lines = 1;
        try {
            while (reader.ReadLineView(line)) ++lines;
            EXPECT_EQ(mode, TextReader::Mode::Buffered);  // a buffered read just ends early
            EXPECT_LT(lines, 200000);
        } catch (const FileError& e) {
            EXPECT_EQ(mode, TextReader::Mode::MapWhenPossible);
            EXPECT_NE(std::string(e.what()).find("became shorter while it was read"), std::string::npos) << e.what();
        }
    }
}

TEST(TextReader, RefusesWhatIsNotAPlainTextFile) {
    TempDir d;
    ASSERT_EQ(::mkfifo((d / "fifo").c_str(), 0600), 0);
    std::string utf16;
    for (char ch : std::string("Entering Gaussian System\r\n")) utf16 += std::string{ch, '\0'};
    WriteFile(d / "utf16le_bom", "\xFF\xFE" + utf16);
    WriteFile(d / "utf16be_bom", std::string("\xFE\xFF\0E", 4));
    WriteFile(d / "utf16_plain", utf16 + utf16);
    std::string binary;  // control bytes all through, as in compressed data
    for (int i = 0; i < 600; ++i) binary += static_cast<char>((i * 37 + 11) % 256);
    WriteFile(d / "binary", binary);
    struct Case {
        std::filesystem::path path;
        const char* says;
    } cases[] = {
        {d.path(), "It is a folder."},
        {d / "fifo", "It is not a regular file."},
        {"/dev/zero", "It is not a regular file."},
        {d / "utf16le_bom", "It is UTF-16 text"},
        {d / "utf16be_bom", "It is UTF-16 text"},
        {d / "utf16_plain", "It is UTF-16 text"},
        {d / "binary", "It holds binary data, not text."},
    };
    for (const auto& c : cases) {
        for (int via = 0; via < 2; ++via) {
            try {
                if (via == 0)
                    TextReader r(c.path);
                else
                    CountLines(c.path);
                ADD_FAILURE() << c.path << " was accepted";
            } catch (const FileError& e) {
                EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
                EXPECT_NE(std::string(e.what()).find(c.path.string()), std::string::npos) << e.what();
            }
        }
    }
    // A UTF-8 mark is not part of the first line; a link to a regular file is followed.
    WriteFile(d / "bom8", "\xEF\xBB\xBF" "first\nsecond\n");
    std::filesystem::create_symlink(d / "bom8", d / "link");
    TextReader r(d / "link");
    std::string line;
    ASSERT_TRUE(r.ReadLine(line));
    EXPECT_EQ(line, "first");
}

TEST(TextWriter, CrLfAndNoHalfWrittenFile) {
    TempDir d;
    auto target = d / "out.txt";
    {
        TextWriter w(target);
        w.WriteLine("a");
        w.WriteLine("b");
        w.Close();
    }
    EXPECT_EQ(ReadFile(target), "a\r\nb\r\n");
    try {
        TextWriter w(target);
        w.WriteLine("partial");
        throw ConversionError("stop");
    } catch (const ConversionError&) {
    }
    EXPECT_EQ(ReadFile(target), "a\r\nb\r\n");  // the earlier good file is intact
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d.path()), {}), 1);
    EXPECT_THROW(TextWriter(d / "no" / "such" / "dir.txt"), FileError);
}

// A folder as the target is named as such; the message never ends in the text of an
// error code that was reset before it was read ("Success").
TEST(TextWriter, FailuresSayWhy) {
    TempDir d;
    std::filesystem::create_directory(d / "folder");
    struct Case {
        std::filesystem::path target;
        const char* says;
    } cases[] = {
        {d / "folder", "It is a folder."},
        {d / "no" / "dir.txt", "No such file or directory"},
        {"/dev/null", "It is not a regular file."},
    };
    for (const auto& c : cases) {
        try {
            TextWriter w(c.target);
            w.WriteLine("x");
            w.Close();
            ADD_FAILURE() << c.target << " was written";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
            EXPECT_EQ(std::string(e.what()).find("Success"), std::string::npos) << e.what();
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(d / "folder"));
    EXPECT_TRUE(std::filesystem::is_empty(d / "folder"));
}

// A run killed while it writes leaves neither a temporary file nor a damaged target.
TEST(TextWriter, KilledRunLeavesNothingBehind) {
    TempDir d;
    const auto target = d / "out.txt";
    WriteFile(target, "good\r\n");
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TextWriter w(target);
        w.Write(std::string(4 << 20, 'x'));  // well past the stream's buffer: bytes reach the file
        ::raise(SIGKILL);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    EXPECT_EQ(ReadFile(target), "good\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(d.path()), {}), 1);
}

// What a killed writer without unnamed files leaves is removed by the next write of the
// same target; a living writer's file and other targets' files are left alone.
TEST(TextWriter, NextWriteRemovesStaleTemporaries) {
    TempDir d;
    const auto target = d / "out.txt";
    pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    struct Case {
        std::filesystem::path path;
        bool stays;
    } cases[] = {
        {TemporaryName(target, gone), false},
        {d / "out.txt.mavrolin-tmp", false},              // the fixed name of earlier versions
        {TemporaryName(target, ::getppid()), true},       // a running writer
        {TemporaryName(d / "other.txt", gone), true},     // another target's
    };
    for (const auto& c : cases) WriteFile(c.path, "partial");
    WriteFileAtomically(target, "new");
    EXPECT_EQ(ReadFile(target), "new");
    for (const auto& c : cases) EXPECT_EQ(std::filesystem::exists(c.path), c.stays) << c.path;
}

// Marks taken by the counting pass let a reader jump ahead; what it then holds (line,
// history, line number, the end) is what reading every line gives, on both ways of
// reading, and marks of a file that has changed since are not used.
TEST(LineMarks, JumpsGiveWhatReadingEveryLineGives) {
    TempDir d;
    const auto path = d / "f.txt";
    std::string text;
    for (int i = 1; i <= 3000; ++i) text += "line " + std::to_string(i) + (i % 7 == 0 ? "\r\n" : "\n");
    WriteFile(path, text);
    LineMarks marks;
    ASSERT_EQ(CountLines(path, &marks), 3000);
    EXPECT_FALSE(marks.Empty());
    auto state = [](LineReader& in, long long target) {
        std::string seen = in.AdvanceTo(target) ? "reached " : "ended ";
        seen += std::to_string(in.LineNumber());
        for (int k = 0; k <= in.History(); ++k) seen += "|" + std::string(in.Line(k));
        return seen;
    };
    const long long targets[] = {2, 17, 40, 41, 1000, 2999, 3000, 3500};
    for (long long limit : {LineReader::kNoLimit, 2990LL}) {
        for (long long target : targets) {
            LineReader every(path, 5, limit);
            LineReader jumping(path, 5, limit, &marks);
            EXPECT_EQ(state(jumping, target), state(every, target)) << target << " limit " << limit;
            if (target < 1000) {
                EXPECT_EQ(state(jumping, target + 900), state(every, target + 900)) << "then " << target + 900;
            }
        }
    }
    WriteFile(path, "changed\n" + text);  // one line more at the front: the marks are stale
    LineReader every(path, 3);
    LineReader jumping(path, 3, LineReader::kNoLimit, &marks);
    EXPECT_EQ(state(jumping, 2000), state(every, 2000));
}

// The marks stay small however long the file: past their limit the spacing doubles,
// and jumps still land where reading every line does.
TEST(LineMarks, SpacingDoublesOnLongFiles) {
    TempDir d;
    const auto path = d / "long.txt";
    const long long lines = static_cast<long long>(LineMarks::kMaxMarks) * 16 * 2 + 5;
    std::string text;
    for (long long i = 0; i < lines; ++i) text += static_cast<char>('a' + i % 26), text += '\n';
    WriteFile(path, text);
    LineMarks marks;
    ASSERT_EQ(CountLines(path, &marks), lines);
    EXPECT_EQ(marks.Spacing(), 64);
    for (long long target : {lines / 2 + 3, lines - 1}) {
        LineReader every(path, 2), jumping(path, 2, LineReader::kNoLimit, &marks);
        ASSERT_TRUE(every.AdvanceTo(target));
        ASSERT_TRUE(jumping.AdvanceTo(target));
        EXPECT_EQ(jumping.Line(0), every.Line(0));
        EXPECT_EQ(jumping.Line(2), every.Line(2));
    }
}

TEST(LoadedLogInit, DefaultsAndMemoryFile) {
    TempDir d;
    int pauses = 0;
    LoadedLog log;
    InitLoadedLog(log, d.path(), [&](int) { ++pauses; });
    EXPECT_EQ(log.dirinfo, "");
    EXPECT_EQ(log.dirinfo0, d.path().string());
    EXPECT_EQ(pauses, 0);
    EXPECT_EQ(log.sleeptime, 10);
    EXPECT_DOUBLE_EQ(log.EnUnit, 27.2114);
    EXPECT_DOUBLE_EQ(log.gxmin, -0.025);
    EXPECT_DOUBLE_EQ(log.gxmax, 1.015);
    EXPECT_DOUBLE_EQ(log.gymin, -0.032);
    EXPECT_DOUBLE_EQ(log.gymax, 1.032);
    EXPECT_EQ(log.lab.size(), 10u);
    EXPECT_EQ(log.job_pos.size(), 10u);
    EXPECT_EQ(log.nm.size(), 10u);
    EXPECT_EQ(log.std_pos.size(), 3u);
    EXPECT_EQ(log.scfengy.size(), 10u);
    EXPECT_EQ(log.form1_window_pos_check + log.form3_window_pos_check + log.form4_window_pos_check, 0);

    WriteFile(d / "dirinfo", "\r\nsecond\r\n");
    LoadedLog empty;
    InitLoadedLog(empty, d.path(), [&](int) { ++pauses; });
    EXPECT_EQ(empty.dirinfo, "");
    EXPECT_EQ(pauses, 1);
}

TEST(DirectoryMemory, RoundTripThroughStartUp) {
    TempDir start, data;
    std::filesystem::create_directories(data / "my logs");
    LoadedLog log;
    InitLoadedLog(log, start.path(), nullptr);
    auto chosen = (data / "my logs" / "water.log").string();
    RememberDirectory(log, chosen, nullptr);
    EXPECT_EQ(log.dirinfo, (data / "my logs").string());
    EXPECT_EQ(std::filesystem::current_path(), data / "my logs");
    EXPECT_EQ(ReadFile(start / "dirinfo"), log.dirinfo + "\r\n");
    LoadedLog again;
    InitLoadedLog(again, start.path(), nullptr);
    EXPECT_EQ(again.dirinfo, log.dirinfo);
}

TEST(Elements, TableLabelsAndGhosts) {
    EXPECT_STREQ(elem[1], "H");
    EXPECT_STREQ(elem[42], "Mo");
    EXPECT_STREQ(elem[118], "Og");
    EXPECT_EQ(ElementLabel(6, 3), "C");
    EXPECT_EQ(ElementLabel(0, 7), "Bq7");
    EXPECT_EQ(ElementLabel(119, 2), "Bq2");
    EXPECT_EQ(ElementLabel(-1, 1), "Bq1");
    EXPECT_EQ(AtomicNumber("CL"), 17);
    EXPECT_EQ(AtomicNumber("x"), 0);
    EXPECT_EQ(gcolor[6], 1674448u);
    EXPECT_EQ(DirectoryOf("/a/b/water.log"), "/a/b");
}

// Proposed names drop the last four characters only from within an extension.
TEST(DirectoryMemory, StemOf4NeverReachesIntoTheFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"/a/b/water.log", "/a/b/water"}, {"/data/h2o", "/data/h2o"},  {"/d/mol.gz", "/d/mol"},
        {"/d/x.fchk", "/d/x."},          {"/d.e/run", "/d.e/run"},    {"/d/.hidden", "/d/.hidden"},
        {"abc", "abc"},
    };
    for (const auto& [path, stem] : cases) EXPECT_EQ(StemOf4(path), stem) << path;
}
