// The orientation reader on every real output of the corpus, and the optimisation profile
// on its optimisation logs. Skipped when the corpus folder is absent.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/text_file.h"
#include "geometry/orientation_reader.h"
#include "support/test_app.h"

using testing_support::CorpusDir;
using testing_support::TempDir;
using testing_support::TestApp;

namespace {

std::vector<std::filesystem::path> CorpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(CorpusDir()))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<long long> HeaderLines(const std::filesystem::path& file) {
    std::vector<long long> lines;
    core::TextReader reader(file);
    std::string line;
    while (reader.ReadLine(line))
        if (mavrolin::geometry::IsOrientationHeader(line)) lines.push_back(reader.LineNumber());
    return lines;
}

}  // namespace

TEST(ProfileCorpus, OrientationReaderOnEveryFile) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus";
    int withBlocks = 0;
    for (const auto& file : CorpusFiles()) {
        SCOPED_TRACE(file.string());
        TestApp t;
        t.platform.AnswerOpen(file.string());
        bool ok = t.app.Dispatch([&] { t.app.form1.GetLastStdOrient1Click(); });
        auto headers = HeaderLines(file);
        if (headers.empty()) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(t.platform.MessageTexts().back(), "There seems no line involving \"Standard orientation:\" !");
            continue;
        }
        ++withBlocks;
        ASSERT_TRUE(ok) << t.platform.MessageTexts().back();
        const auto& grid = t.app.form1.StringGrid1;
        ASSERT_GT(t.app.log.ndata, 0);
        EXPECT_EQ(grid.RowCount(), t.app.log.ndata + 1);
        for (int r = 1; r <= t.app.log.ndata; ++r) {
            EXPECT_EQ(grid.Cell(0, r), mavrolin::geometry::AtomLabel(t.app.log.atomicn[static_cast<size_t>(r)], r));
            EXPECT_TRUE(std::isfinite(t.app.log.a[static_cast<size_t>(r)]));
        }
        // Every block of the file reads the same way, at its own header.
        for (long long h : headers) {
            auto block = mavrolin::geometry::BlockAtHeader(file, h);
            ASSERT_TRUE(block) << h;
            auto atoms = mavrolin::geometry::ReadOrientationAtoms(file, *block);
            EXPECT_FALSE(atoms.empty()) << h;
        }
        // The labelled file of the last block.
        auto out = (t.dir / "out.abc").string();
        t.platform.AnswerSave(out);
        ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.SaveABCwithLabels1Click(); }));
        auto text = testing_support::ReadFile(out);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), t.app.log.ndata);
    }
    EXPECT_GT(withBlocks, 5);
}

TEST(ProfileCorpus, FinalOrientationOfTheDivinylbenzeneOptimisation) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus";
    auto file = CorpusDir() / "g16" / "dvb_gopt.out";
    if (!std::filesystem::exists(file)) GTEST_SKIP();
    auto search = mavrolin::geometry::FindLastOrientation(file);
    ASSERT_TRUE(search.last);
    EXPECT_EQ(search.last->AtomCount(), 20);
    EXPECT_EQ(search.last->header, HeaderLines(file).back());
    TestApp t;
    t.platform.AnswerOpen(file.string());
    t.app.form1.GetLastStdOrient1Click();
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 1), "C1");
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 20), "H20");
}

TEST(ProfileCorpus, ProfileOfTheOptimisationLogs) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus";
    if (!TestApp().app.form1.OpenLOG1.Enabled()) GTEST_SKIP() << "the log scan is not built yet";
    int drawn = 0;
    for (const auto& file : CorpusFiles()) {
        auto name = file.filename().string();
        if (name.find("opt") == std::string::npos && name.find("scan_relaxed") == std::string::npos) continue;
        if (file.extension() != ".out" && file.extension() != ".log") continue;
        SCOPED_TRACE(file.string());
        // A private copy: the step files are written next to the log.
        TempDir dir;
        auto copy = dir / name;
        std::filesystem::copy_file(file, copy);
        TestApp t;
        t.platform.AnswerOpen(copy.string());
        ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.OpenLOG1.Click(); }));
        if (t.app.log.ndone < 2) continue;
        ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.SCFEnergies1Click(); }));
        auto& f = t.app.form2;
        f.SetBounds(f.Left(), f.Top(), 1200, 865);
        ++drawn;
        for (int step = 1; step <= t.app.log.ndone; ++step) {
            f.SpinEdit1.SetValue(step);
            for (const auto& op : f.PaintBox1.Canvas().Ops()) {
                EXPECT_TRUE(op.x1 >= -10 && op.x2 <= 1210 && op.y1 >= -10 && op.y2 <= 810)
                    << step << " " << op.kind << " " << op.text;
            }
            if (t.app.form1.StringGrid1.Cell(3, step).empty() || t.app.form1.StringGrid1.Cell(3, step) == "0") continue;
            t.platform.messages.clear();
            EXPECT_TRUE(t.app.Dispatch([&] { f.Button1Click(); })) << step;
            EXPECT_TRUE(std::filesystem::exists(copy.string() + "_opt_" + std::to_string(step) + ".abc")) << step;
        }
    }
    EXPECT_GE(drawn, 2);
}
