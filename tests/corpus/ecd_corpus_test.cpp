// The ECD of every corpus log that prints rotatory strengths equals, at every grid point, a
// sum written out here over the numbers of a plain reading of the file: the last
// "R(velocity)" or "R(length)" table before the last block of states, and the states' eV.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "support/test_app.h"

namespace {

using testing_support::CorpusDir;
using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TempDir;

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string x; in >> x;) w.push_back(x);
    return w;
}

struct Plain {
    std::vector<double> ev, r;
};

Plain Read(const std::filesystem::path& path, const std::string& column) {
    std::ifstream in(path);
    Plain p;
    std::vector<double> table;
    int at = -1;
    bool newBlock = true;
    for (std::string line; std::getline(in, line);) {
        auto w = Words(line);
        if (!w.empty() && w[0] == "state") {
            at = -1;
            for (size_t k = 0; k < w.size(); ++k)
                if (w[k] == column) at = static_cast<int>(k), table.clear();
        } else if (at >= 0 && !w.empty() && std::isdigit(static_cast<unsigned char>(w[0][0])) &&
                   w[0].find('[') == std::string::npos) {
            table.push_back(std::stod(w[static_cast<size_t>(at)]));
        } else {
            at = -1;
        }
        if (w.size() > 4 && w[0] == "Excited" && w[1] == "State") {
            if (std::stoi(w[2]) == 1 || newBlock) p = {{}, table};
            newBlock = false;
            for (size_t k = 1; k < w.size(); ++k)
                if (w[k] == "eV") p.ev.push_back(std::stod(w[k - 1]));
        }
    }
    return p;
}

}  // namespace

TEST(EcdCorpus, OutputEqualsASumOverThePrintedStrengths) {
    const auto dir = CorpusDir();
    if (dir.empty()) GTEST_SKIP() << "no corpus";
    TempDir tmp;
    int logs = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
        if (!e.is_regular_file() || ReadFile(e.path()).find("R(velocity)") == std::string::npos) continue;
        ++logs;
        for (const std::string column : {"R(velocity)", "R(length)"}) {
            const Plain p = Read(e.path(), column);
            ASSERT_EQ(p.ev.size(), p.r.size()) << e.path();
            const auto out = (tmp / "ecd.txt").string();
            std::string o, err;
            std::vector<std::string> args = {"--quiet", "ecd", e.path().string(), "--unit", "ev", "--sigma", "0.25",
                                             "--points", "400", "-o", out};
            if (column == "R(length)") args.push_back("--length");
            ASSERT_EQ(RunCli(args, o, err), 0) << e.path() << err;
            std::istringstream text(ReadFile(out));
            std::vector<std::pair<double, double>> rows;
            for (std::string line; std::getline(text, line);)
                if (!line.empty() && line[0] != '#')
                    rows.emplace_back(std::stod(line), std::stod(line.substr(line.find('\t') + 1)));
            EXPECT_EQ(rows.size(), 400u) << e.path();
            std::vector<double> sums;
            double peak = 0;
            for (const auto& [x, y] : rows) {
                double sum = 0;
                for (size_t i = 0; i < p.ev.size(); ++i) {
                    const double d = (x - p.ev[i]) / 0.25;
                    sum += p.ev[i] * p.r[i] * 1e-40 / (2.296e-39 * std::sqrt(std::numbers::pi) * 0.25) * std::exp(-d * d);
                }
                sums.push_back(sum);
                peak = std::max(peak, std::fabs(sum));
            }
            // Relative to each value; where the bands cancel to nothing, to the printed x's
            // last digit's worth of the largest value.
            for (size_t k = 0; k < rows.size(); ++k)
                EXPECT_NEAR(rows[k].second, sums[k], 1e-9 * std::fabs(sums[k]) + 1e-12 * peak)
                    << e.path() << " " << column << " x=" << rows[k].first;
        }
    }
    EXPECT_GE(logs, 3);
}
