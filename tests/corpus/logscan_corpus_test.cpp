// The log scan on every real output of the corpus, checked against a plain reading of
// each file done here (not through the scanner).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/application.h"
#include "support/test_app.h"

namespace {

using testing_support::CorpusDir;
using testing_support::TestApp;

std::vector<std::filesystem::path> Logs() {
    std::vector<std::filesystem::path> out;
    for (auto& e : std::filesystem::recursive_directory_iterator(CorpusDir())) {
        auto ext = e.path().extension().string();
        if (e.is_regular_file() && (ext == ".log" || ext == ".out")) out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    return w;
}

bool Starts(const std::string& line, const std::string& what) {
    auto p = line.find_first_not_of(' ');
    return p != std::string::npos && line.compare(p, what.size(), what) == 0;
}

// What a reader sees in the file itself: energies of the first job, the maximum force of
// every convergence table of that job, the modes listed after it (or in it, without OPT).
struct Plain {
    std::vector<double> energies;
    std::vector<double> maxForces;
    int modes = 0;
    bool opt = false;
};

Plain ReadPlain(const std::filesystem::path& path) {
    Plain p;
    std::ifstream in(path);
    std::string line;
    bool firstJobDone = false, failed = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (Starts(line, "#") && !firstJobDone)
            for (auto& w : Words(line))
                if (w.size() >= 3 && (w.substr(0, 3) == "opt" || w.substr(0, 3) == "Opt" || w.substr(0, 3) == "OPT"))
                    p.opt = true;
        if (Starts(line, ">>>>>>>>>> Convergence criterion not met.")) failed = true;
        if (Starts(line, "SCF Done:")) {
            if (!firstJobDone && !failed) p.energies.push_back(std::stod(Words(line)[4]));
            failed = false;
        }
        if (Starts(line, "Maximum Force") && !firstJobDone) p.maxForces.push_back(std::stod(Words(line)[2]));
        if (Starts(line, "Frequencies -- ") && (firstJobDone || !p.opt)) p.modes += static_cast<int>(Words(line).size()) - 2;
        if (Starts(line, "Normal termination")) firstJobDone = true;
    }
    return p;
}

TEST(LogScanCorpus, EveryOutputScansWithoutError) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus";
    for (const auto& path : Logs()) {
        TestApp t;
        t.platform.AnswerOpen(path.string());
        EXPECT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); })) << path;
        for (const auto& m : t.platform.messages) EXPECT_FALSE(m.error) << path << ": " << m.text;
        EXPECT_GE(t.app.form3.StringGrid1.RowCount(), 2) << path;
        std::ifstream in(path, std::ios::binary);
        long long newlines = std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n');
        EXPECT_EQ(t.app.log.nline, newlines) << path;
    }
}

TEST(LogScanCorpus, EnergiesConvergenceAndModesMatchTheFiles) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus";
    int checked = 0;
    for (const auto& path : Logs()) {
        Plain plain = ReadPlain(path);
        bool optimisation = plain.opt && !plain.maxForces.empty();
        bool frequencies = plain.modes > 0;
        if (!optimisation && !frequencies) continue;
        ++checked;
        TestApp t;
        t.platform.AnswerOpen(path.string());
        ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); })) << path;
        const auto& log = t.app.log;
        ASSERT_EQ(log.ndone, static_cast<int>(plain.energies.size())) << path;
        for (int i = 1; i <= log.ndone; ++i) {
            EXPECT_DOUBLE_EQ(log.scfengy[static_cast<size_t>(i)], plain.energies[static_cast<size_t>(i - 1)]) << path;
            EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, i), std::to_string(i)) << path;
        }
        if (optimisation) {
            // One convergence table per step of these optimisations.
            ASSERT_EQ(log.nforce2, static_cast<int>(std::min(plain.maxForces.size(), plain.energies.size()))) << path;
            for (int i = 1; i <= log.nforce2; ++i)
                EXPECT_DOUBLE_EQ(log.maxfrce[static_cast<size_t>(i)], plain.maxForces[static_cast<size_t>(i - 1)])
                    << path;
        }
        if (frequencies) {
            EXPECT_EQ(log.npfreq, plain.modes) << path;
        }
    }
    EXPECT_GE(checked, 4);
}

}  // namespace
