// `mavrolin molden` on the corpus frequency logs: every mode's displacement vectors in the
// Molden file equal the log's. The logs print both listings; the file takes the
// high-precision one, so the check reads the standard three-per-atom listing plainly and
// compares to its two printed decimals, which tests the mode numbering and atom order too.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "support/test_app.h"

namespace {

using testing_support::CorpusDir;
using testing_support::RunCli;
using testing_support::TempDir;

std::vector<double> Words(const std::string& line, size_t skip) {
    std::istringstream in(line);
    std::vector<double> v;
    std::string w;
    for (size_t k = 0; in >> w; ++k)
        if (k >= skip) v.push_back(std::stod(w));
    return v;
}

// Per mode of the last set's standard listing, the displacements atom by atom (x, y, z).
std::vector<std::vector<double>> StandardListing(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<std::vector<double>> modes;
    size_t first = 0, count = 0;
    bool rows = false;
    for (std::string line; std::getline(in, line);) {
        if (line.find("Harmonic frequencies (cm**-1)") != std::string::npos) modes.clear();
        if (line.rfind(" Frequencies -- ", 0) == 0) {
            first = modes.size();
            count = Words(line, 2).size();
            modes.resize(first + count);
            rows = false;
        } else if (line.rfind("  Atom  AN", 0) == 0) {
            rows = true;
        } else if (rows) {
            const auto v = Words(line, 0);
            if (v.size() != 2 + 3 * count) {
                rows = false;
                continue;
            }
            for (size_t m = 0; m < count; ++m)
                for (size_t c = 0; c < 3; ++c) modes[first + m].push_back(v[2 + 3 * m + c]);
        }
    }
    return modes;
}

}  // namespace

TEST(MoldenCorpus, DisplacementsEqualTheLogsForEveryMode) {
    const auto corpus = CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    TempDir d;
    for (const char* name : {"g16/dvb_ir.out", "g09/dvb_ir.out", "g16/dvb_raman.out"}) {
        SCOPED_TRACE(name);
        const auto log = corpus / name;
        if (!std::filesystem::exists(log)) continue;
        std::string out, err;
        ASSERT_EQ(RunCli({"molden", log.string(), "-o", (d / "m.molden").string()}, out, err), 0) << err;
        const auto expected = StandardListing(log);
        ASSERT_FALSE(expected.empty());
        std::ifstream in(d / "m.molden");
        std::vector<std::vector<double>> written;
        bool inModes = false;
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("[", 0) == 0) inModes = line.rfind("[FR-NORM-COORD]", 0) == 0;
            else if (inModes && line.rfind("vibration", 0) == 0) written.emplace_back();
            else if (inModes) for (double v : Words(line, 0)) written.back().push_back(v);
        }
        ASSERT_EQ(written.size(), expected.size());
        for (size_t m = 0; m < expected.size(); ++m) {
            ASSERT_EQ(written[m].size(), expected[m].size()) << "mode " << m + 1;
            for (size_t k = 0; k < expected[m].size(); ++k)
                EXPECT_LE(std::fabs(written[m][k] - expected[m][k]), 0.005 + 1e-9) << "mode " << m + 1 << " value " << k;
        }
    }
}
