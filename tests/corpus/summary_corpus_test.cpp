// The job summary on every real log of the corpus: the scan with its summary phases
// runs without error, and a frequency log yields one table row per vibrational mode.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/tokenizer.h"
#include "support/test_app.h"

namespace {

using testing_support::CorpusDir;
using testing_support::TestApp;

std::vector<std::filesystem::path> CorpusLogs() {
    std::vector<std::filesystem::path> logs;
    auto dir = CorpusDir();
    if (dir.empty()) return logs;
    for (auto& e : std::filesystem::recursive_directory_iterator(dir)) {
        auto ext = e.path().extension().string();
        if (e.is_regular_file() && (ext == ".log" || ext == ".out")) logs.push_back(e.path());
    }
    std::sort(logs.begin(), logs.end());
    return logs;
}

// The frequencies as the log prints them in its standard blocks (" Frequencies --"),
// in order; in an optimisation those before the first normal termination belong to
// the optimisation job and are left out.
std::vector<std::string> LoggedFrequencies(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<std::string> freqs;
    bool opt = false, routeSeen = false, afterFirstJob = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string t = core::Trim(line);
        if (!routeSeen && t.starts_with("#")) {
            routeSeen = true;
            opt = core::UpperAscii(t).find(" OPT") != std::string::npos;
        }
        if (t.starts_with("Normal termination")) afterFirstJob = true;
        if (!t.starts_with("Frequencies -- ") || (opt && !afterFirstJob)) continue;
        std::string rest = t.substr(15);
        size_t p = 0;
        while ((p = rest.find_first_not_of(' ', p)) != std::string::npos) {
            size_t q = rest.find(' ', p);
            freqs.push_back(rest.substr(p, q == std::string::npos ? std::string::npos : q - p));
            p = q;
        }
    }
    return freqs;
}

TEST(SummaryCorpus, EveryLogScansAndFrequencyLogsListEveryMode) {
    auto logs = CorpusLogs();
    if (logs.empty()) GTEST_SKIP() << "no corpus";
    int frequencyLogs = 0;
    for (const auto& log : logs) {
        SCOPED_TRACE(log.string());
        TestApp t;
        t.platform.AnswerOpen(log.string());
        EXPECT_TRUE(t.app.Dispatch([&] { t.app.form1.OpenLOG1Click(); }));
        for (const auto& m : t.platform.messages) {
            EXPECT_FALSE(m.error) << m.text;
            EXPECT_NE(m.text, "Error on extracting frequency data!");
            EXPECT_NE(m.text, "Abnormal ending of the file! Check your log file!!");
            EXPECT_NE(m.text, "Error on extracting the data!");
        }
        // The final structure, with its charges when they are printed after it, whichever
        // version wrote the log.
        const auto& st = t.app.form4.StringGrid2;
        const auto& l = t.app.log;
        EXPECT_TRUE(l.lastOrientationLine == 0 || !st.Cell(0, 1).empty());
        EXPECT_TRUE(l.nmllkn == 0 || l.mllkn_pos[static_cast<size_t>(l.nmllkn)] < l.lastOrientationLine ||
                    !st.Cell(4, st.RowCount() - 1).empty());
        auto expected = LoggedFrequencies(log);
        if (expected.empty()) continue;
        ++frequencyLogs;
        const auto& table = t.app.form4.StringGrid1;
        EXPECT_EQ(t.app.log.npfreq, static_cast<int>(expected.size()));
        ASSERT_EQ(table.RowCount(), static_cast<int>(expected.size()) + 1);
        EXPECT_EQ(table.Cell(0, 0), "Frequencies");
        for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(table.Cell(0, static_cast<int>(i) + 1), expected[i]);
        // The summary carries the first frequency lines and the thermochemistry.
        bool zeroPoint = false;
        for (int r = 0; r < t.app.form4.StringGrid3.RowCount(); ++r)
            zeroPoint |= core::Trim(t.app.form4.StringGrid3.Cell(1, r)).starts_with("Zero-point correction=");
        EXPECT_TRUE(zeroPoint);
    }
    EXPECT_GT(frequencyLogs, 0);
}

}  // namespace
