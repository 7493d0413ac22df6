#include <gtest/gtest.h>

#include <filesystem>

#include "core/dir_memory.h"
#include "core/elements.h"
#include "core/errors.h"
#include "core/loaded_log.h"
#include "core/text_file.h"
#include "support/test_app.h"

using namespace core;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

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

TEST(TextReader, EmptyFileHugeLineAndMissingFile) {
    TempDir d;
    WriteFile(d / "empty", "");
    EXPECT_EQ(CountLines(d / "empty"), 0);
    std::string big(3 << 20, 'x');
    WriteFile(d / "big", "a\n" + big + "\r\nb\n");
    EXPECT_EQ(CountLines(d / "big"), 3);
    TextReader r(d / "big");
    std::string line;
    r.ReadLine(line);
    ASSERT_TRUE(r.ReadLine(line));
    EXPECT_EQ(line.size(), big.size());
    ASSERT_TRUE(r.ReadLine(line));
    EXPECT_EQ(line, "b");
    EXPECT_THROW(TextReader(d / "missing"), FileError);
    EXPECT_THROW(TextReader(d.path()), FileError);
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
    EXPECT_EQ(StemOf4("/a/b/water.log"), "/a/b/water");
    EXPECT_EQ(DirectoryOf("/a/b/water.log"), "/a/b");
}
