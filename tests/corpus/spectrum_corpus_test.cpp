// Spectrum and ESI report on every TD-DFT/CIS log of the corpus: the states imported are
// those of a plain reading of the file (its last block of states), and the redraw, the
// saved spectrum and the ESI report all succeed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/test_app.h"

namespace {

using testing_support::CorpusDir;
using testing_support::TestApp;

struct PlainState {
    int number = 0;
    double nm = 0, f = 0;
};

// Every "Excited State" line, split on blanks; the last run of increasing numbers.
std::vector<PlainState> LastBlock(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<PlainState> states;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string x; words >> x;) w.push_back(x);
        if (w.size() < 3 || w[0] != "Excited" || w[1] != "State") continue;
        PlainState s;
        s.number = std::stoi(w[2]);
        for (size_t i = 1; i < w.size(); ++i) {
            if (w[i] == "nm") s.nm = std::stod(w[i - 1]);
            if (w[i].rfind("f=", 0) == 0) s.f = std::stod(w[i].substr(2));
        }
        if (!states.empty() && s.number <= states.back().number) states.clear();
        states.push_back(s);
    }
    return states;
}

std::vector<std::filesystem::path> TdLogs() {
    std::vector<std::filesystem::path> logs;
    auto dir = CorpusDir();
    if (dir.empty()) return logs;
    for (auto& e : std::filesystem::recursive_directory_iterator(dir)) {
        auto ext = e.path().extension().string();
        if (e.is_regular_file() && (ext == ".log" || ext == ".out") && !LastBlock(e.path()).empty())
            logs.push_back(e.path());
    }
    std::sort(logs.begin(), logs.end());
    return logs;
}

}  // namespace

TEST(SpectrumCorpus, StatesSpectrumAndEsiOfEveryTdLog) {
    auto logs = TdLogs();
    if (logs.empty()) GTEST_SKIP() << "no corpus";
    for (const auto& path : logs) {
        SCOPED_TRACE(path.string());
        TestApp t;
        t.platform.AnswerOpen(path.string());
        ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); }));
        const auto plain = LastBlock(path);
        auto& log = t.app.log;
        ASSERT_EQ(log.nexstt, static_cast<int>(plain.size()));
        for (int i = 1; i <= log.nexstt; ++i) {
            EXPECT_EQ(log.nm[static_cast<size_t>(i)], plain[static_cast<size_t>(i - 1)].nm) << i;
            EXPECT_EQ(log.f[static_cast<size_t>(i)], plain[static_cast<size_t>(i - 1)].f) << i;
        }
        EXPECT_TRUE(t.app.Dispatch([&t] { t.app.form1.SpectraTDDFTResults1Click(); }));
        t.platform.AnswerSave((t.dir.path() / "s.txt").string());
        EXPECT_TRUE(t.app.Dispatch([&t] { t.app.form9.SaveCalculatedSpectrum1Click(); }));
        t.platform.AnswerSave((t.dir.path() / "e.txt").string());
        EXPECT_TRUE(t.app.Dispatch([&t] { t.app.form9.SaveESI1Click(); }));
        EXPECT_TRUE(std::filesystem::exists(t.dir.path() / "e.txt"));
        for (const auto& m : t.platform.messages) EXPECT_FALSE(m.error) << m.text;
    }
}
