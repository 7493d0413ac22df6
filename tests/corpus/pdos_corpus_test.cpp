// The coefficient load and the imports on real Gaussian outputs (skipped without the corpus).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>

#include "core/number_text.h"
#include "pdos/basis_imports.h"
#include "pdos/coefficient_reader.h"
#include "support/test_app.h"

using namespace mavrolin::pdos;
using testing_support::CorpusDir;

namespace {

struct Listing {
    long long title = 0;  // first coefficient title
    long long start = 0;  // the eigenvalue printing just before it
    int length = 0;
};

Listing FindListing(const std::filesystem::path& log) {
    std::ifstream in(log);
    std::string line;
    Listing out, run;
    long long n = 0;
    bool inRun = false;
    while (std::getline(in, line)) {
        ++n;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (IsCoefficientTitle(line)) {
            out = run;
            out.title = n;
            return out;
        }
        const bool eigen = line.find("eigenvalues --") != std::string::npos;
        if (eigen && !inRun) run = {0, n, 0};
        if (eigen) ++run.length;
        inRun = eigen;
    }
    return {};
}

std::vector<std::filesystem::path> LogsWithCoefficients(const std::filesystem::path& corpus) {
    std::vector<std::filesystem::path> logs;
    for (const auto& e : std::filesystem::recursive_directory_iterator(corpus)) {
        auto ext = e.path().extension();
        if (e.is_regular_file() && (ext == ".log" || ext == ".out") && FindListing(e.path()).title > 0)
            logs.push_back(e.path());
    }
    std::sort(logs.begin(), logs.end());
    return logs;
}

CoefficientLoad LoadListing(const std::filesystem::path& log) {
    auto l = FindListing(log);
    return ReadCoefficients(log, l.start, l.length);
}

}  // namespace

TEST(PdosCorpus, EveryPrintedListingLoadsWhole) {
    const auto corpus = CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "corpus folder absent";
    const auto logs = LogsWithCoefficients(corpus);
    EXPECT_GE(logs.size(), 5u);
    int whole = 0;
    for (const auto& log : logs) {
        auto load = LoadListing(log);
        ASSERT_TRUE(load.loaded) << log;
        EXPECT_TRUE(load.messages.empty()) << log << ": " << (load.messages.empty() ? "" : load.messages[0]);
        const auto& t = load.tables;
        EXPECT_EQ(load.printedAlpha, t.nbsuse) << log;
        if (t.OpenShell()) {
            EXPECT_EQ(load.printedBeta, t.nbsuse) << log;
        }
        for (int c = 1; c <= t.nbsuse; ++c) {
            // Every MO is normalised in its own metric, not the plain sum; it is a positive number.
            double sum = 0;
            ASSERT_TRUE(core::TryParseDouble(t.alpha.Cell(c, t.nbasis + 1), sum)) << log << " MO " << c;
            EXPECT_GT(sum, 0) << log << " MO " << c;
        }
        if (load.messages.empty() && load.printedAlpha == t.nbsuse) ++whole;
    }
    std::cout << "[ corpus   ] coefficient listings loaded whole: " << whole << " of " << logs.size() << "\n";
}

TEST(PdosCorpus, CheckpointFilesMatchTheirLogs) {
    const auto corpus = CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "corpus folder absent";
    const std::pair<const char*, const char*> pairs[] = {
        {"g16/dvb_sp.out", "fchk/dvb_sp.fchk"},
        {"g16/dvb_un_sp.log", "fchk/dvb_un_sp.fchk"},
        {"g16/C_bigbasis.out", "fchk/C_bigbasis.fchk"},
    };
    for (const auto& [logName, fchkName] : pairs) {
        if (!std::filesystem::exists(corpus / logName) || !std::filesystem::exists(corpus / fchkName)) continue;
        auto fromLog = LoadListing(corpus / logName).tables;
        auto tables = fromLog;
        ImportCheckpoint(tables, corpus / fchkName);
        int far = 0;
        for (auto grid : {&CoefficientTables::alpha, &CoefficientTables::beta}) {
            if ((tables.*grid).Cols() == 0) continue;
            for (int c = 1; c <= tables.nbsuse; ++c)
                for (int r = 1; r <= tables.nbasis; ++r)
                    if (std::fabs(core::ParseDouble((tables.*grid).Cell(c, r)) -
                                  core::ParseDouble((fromLog.*grid).Cell(c, r))) > 5.1e-6)
                        ++far;
        }
        EXPECT_EQ(far, 0) << logName << ": coefficients that differ beyond the log's rounding";
        std::cout << "[ corpus   ] " << fchkName << " imported over " << logName << "\n";
    }
}

TEST(PdosCorpus, GfprintListingLabelsItsOwnTables) {
    const auto corpus = CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "corpus folder absent";
    const auto log = corpus / "g09/irc_point_gfprint.log";
    if (!std::filesystem::exists(log)) GTEST_SKIP() << "no GFPrint log";
    auto tables = LoadListing(log).tables;
    ApplyGfprintLabels(tables, ReadGfprintListing(log));
    struct Case {
        int ao;
        const char* label;
    } cases[] = {{1, "C1_S"}, {2, "C1_SP-S"}, {3, "C1_SP-PX"}, {10, "C1_DXX"}, {15, "C1_DYZ"}, {16, "H2_S"}, {59, "Cl6_DYZ"}};
    for (const auto& c : cases) EXPECT_EQ(tables.alpha.Cell(0, c.ao), c.label) << c.ao;
    EXPECT_EQ(tables.alpha.Cell(0, 60), "Sum_Squares");
}
