// The job summary through the real log scan, and the "report" batch command.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "logscan/summary_window.h"
#include "summary_index_test.h"
#include "support/test_app.h"

namespace {

using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TestApp;

std::string Fixture(const std::string& name) { return TestApp::data("summary/" + name); }

bool Scan(TestApp& t, const std::string& path) {
    t.platform.AnswerOpen(path);
    return t.app.Dispatch([&] { t.app.form1.OpenLOG1Click(); });
}

std::string SavedReport(TestApp& t) {
    auto out = (t.dir / "saved_report.txt").string();
    t.platform.AnswerSave(out);
    t.app.form4.SaveReport1Click();
    return ReadFile(out);
}

TEST(JobSummaryScan, ScanFillsTheSummaryAsThePhasesDo) {
    for (auto name : {"h2co_opt_freq.log", "ch3_doublet.log", "h2co_hpmodes.log"}) {
        TestApp scanned;
        ASSERT_TRUE(Scan(scanned, Fixture(name))) << name;
        TestApp phases;
        ASSERT_TRUE(summary_test::Summarise(phases.app, Fixture(name))) << name;
        EXPECT_EQ(SavedReport(scanned), SavedReport(phases)) << name;
        const auto& a = scanned.app.form4.StringGrid1;
        const auto& b = phases.app.form4.StringGrid1;
        ASSERT_EQ(a.RowCount(), b.RowCount()) << name;
        for (int r = 0; r < a.RowCount(); ++r)
            for (int c = 0; c < a.ColCount(); ++c) EXPECT_EQ(a.Cell(c, r), b.Cell(c, r)) << name;
    }
}

TEST(JobSummaryScan, ReportCommandWritesWhatSaveReportWrites) {
    TestApp t;
    ASSERT_TRUE(Scan(t, Fixture("ch3_doublet.log")));
    std::string expected = SavedReport(t);

    auto out = (t.dir / "cli_report.txt").string();
    std::string o, e;
    EXPECT_EQ(RunCli({"report", Fixture("ch3_doublet.log"), "-o", out}, o, e), 0) << e;
    std::string written = ReadFile(out);
    // Only the creation time may differ.
    auto body = [](const std::string& text) { return text.substr(text.find(" ## No Opt")); };
    ASSERT_NE(written.find(" ## No Opt"), std::string::npos);
    EXPECT_EQ(body(written), body(expected));
}

TEST(JobSummaryScan, ReportCommandDefaultsToTheProposedName) {
    TestApp t;
    auto log = t.dir / "copy.log";
    std::filesystem::copy_file(Fixture("h2co_opt_freq.log"), log);
    std::string o, e;
    EXPECT_EQ(RunCli({"report", log.string()}, o, e), 0) << e;
    auto report = t.dir / "copy_report.txt";
    ASSERT_TRUE(std::filesystem::exists(report));
    EXPECT_NE(ReadFile(report).find("Title: Formaldehyde optimisation and frequencies"), std::string::npos);
}

TEST(JobSummaryScan, ReportCommandOnACutLogWritesWhatWasReadWithAWarning) {
    TestApp t;
    auto out = (t.dir / "cut_report.txt").string();
    std::string o, e;
    EXPECT_EQ(RunCli({"report", Fixture("h2co_cut_in_freq.log"), "-o", out}, o, e), 0);
    EXPECT_NE(e.find("Error on extracting frequency data!"), std::string::npos) << e;
    EXPECT_NE(e.find("warning: The job did not finish"), std::string::npos) << e;
    ASSERT_TRUE(std::filesystem::exists(out));
    EXPECT_NE(ReadFile(out).find("\tH4\t0.000000\t-0.936241\t-1.102930\t0.152420\r\n"), std::string::npos);
}

TEST(JobSummaryScan, ReportCommandRefusesShortAndMissingFiles) {
    TestApp t;
    auto shortLog = t.write("short.log", " Charge =  0 Multiplicity = 1\n SCF Done:  E(RHF) =  -1.0\n");
    auto out = (t.dir / "short_report.txt").string();
    std::string o, e;
    EXPECT_EQ(RunCli({"report", shortLog, "-o", out}, o, e), 1);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(RunCli({"report", (t.dir / "missing.log").string()}, o, e), 1);
}

// Cut at every line from the frequency job on: the scan never crashes, every cut either
// succeeds or says why, and the report can still be saved.
TEST(JobSummaryScan, EveryCutOfTheLogEndsCleanly) {
    std::vector<std::string> lines;
    {
        std::ifstream in(Fixture("h2co_opt_freq.log"));
        for (std::string l; std::getline(in, l);) lines.push_back(l);
    }
    for (size_t cut = 300; cut < lines.size(); cut += 3) {
        TestApp t;
        std::string text;
        for (size_t i = 0; i < cut; ++i) text += lines[i] + (i % 2 ? "\r\n" : "\n");
        auto path = t.write("cut.log", text);
        bool ok = Scan(t, path);
        for (const auto& m : t.platform.messages) EXPECT_FALSE(m.error) << cut << ": " << m.text;
        if (!ok) {
            EXPECT_FALSE(t.platform.messages.empty()) << cut;
        }
        auto out = (t.dir / "r.txt").string();
        t.platform.AnswerSave(out);
        EXPECT_TRUE(t.app.Dispatch([&] { t.app.form4.SaveReport1Click(); })) << cut;
        EXPECT_NE(ReadFile(out).find("\tStandard Orientation:\r\n"), std::string::npos) << cut;
    }
}

}  // namespace
