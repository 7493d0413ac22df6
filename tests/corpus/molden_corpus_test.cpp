// `mavrolin molden` on the corpus frequency logs: every mode's displacements equal the log's.
// The file takes the high-precision listing; the check reads the standard listing plainly and
// compares to its two decimals, which tests the mode numbering and atom order too.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "support/test_app.h"

namespace {

std::vector<double> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<double> v;
    for (double x; in >> x;) v.push_back(x);  // up to the first word that is not a number
    return v;
}

}  // namespace

TEST(MoldenCorpus, DisplacementsEqualTheLogsForEveryMode) {
    const auto corpus = testing_support::CorpusDir();
    if (corpus.empty()) GTEST_SKIP() << "no corpus";
    testing_support::TempDir d;
    for (const char* name : {"g16/dvb_ir.out", "g09/dvb_ir.out", "g16/dvb_raman.out"}) {
        SCOPED_TRACE(name);
        std::string out, err;
        ASSERT_EQ(testing_support::RunCli({"molden", (corpus / name).string(), "-o", (d / "m.molden").string()}, out, err), 0);
        // Per mode of the last set's standard listing, the displacements atom by atom.
        std::vector<std::vector<double>> expected, written;
        size_t first = 0, count = 0;
        bool rows = false;
        std::ifstream log(corpus / name);
        for (std::string line; std::getline(log, line);) {
            if (line.find("Harmonic frequencies (cm**-1)") != std::string::npos) expected.clear();
            if (line.rfind(" Frequencies -- ", 0) == 0) {
                first = expected.size();
                count = Words(line.substr(16)).size();
                expected.resize(first + count);
            } else if (rows = rows || line.rfind("  Atom  AN", 0) == 0; rows && line.size() > 2 && line[2] != 'A') {
                const auto v = Words(line);
                rows = v.size() == 2 + 3 * count;
                for (size_t k = 0; rows && k < 3 * count; ++k) expected[first + k / 3].push_back(v[2 + k]);
            }
        }
        std::ifstream file(d / "m.molden");
        bool modes = false;
        for (std::string line; std::getline(file, line);) {
            if (line[0] == '[') modes = line.rfind("[FR-NORM-COORD]", 0) == 0;
            else if (modes && line.rfind("vibration", 0) == 0) written.emplace_back();
            else if (modes) for (double v : Words(line)) written.back().push_back(v);
        }
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(written.size(), expected.size());
        for (size_t m = 0; m < expected.size(); ++m) {
            ASSERT_EQ(written[m].size(), expected[m].size()) << "mode " << m + 1;
            for (size_t k = 0; k < expected[m].size(); ++k)
                EXPECT_LE(std::fabs(written[m][k] - expected[m][k]), 0.005 + 1e-9) << "mode " << m + 1 << " value " << k;
        }
    }
}
