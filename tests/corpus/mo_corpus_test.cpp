// The MO energy import on every real output of the corpus that prints orbital energies,
// checked against the printings as a plain reading of each file finds them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "core/tokenizer.h"
#include "support/test_app.h"

namespace {

using testing_support::CorpusDir;
using testing_support::TestApp;

// One printing: its first line number, its energies per spin, and the first alpha energy.
struct Printing {
    long long firstLine = 0;
    int alpha = 0, beta = 0;
    std::string firstAlpha;
};

std::vector<Printing> ReadPrintings(const std::filesystem::path& path) {
    std::vector<Printing> out;
    std::ifstream in(path);
    std::string line;
    bool inside = false;
    for (long long n = 1; std::getline(in, line); ++n) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto at = line.find("eigenvalues --");
        const bool alpha = line.find("Alpha ") != std::string::npos, beta = line.find("Beta ") != std::string::npos;
        if (at == std::string::npos || !(alpha || beta)) {
            inside = false;
            continue;
        }
        if (!inside) out.push_back({n, 0, 0, {}});
        inside = true;
        const std::string values = line.substr(at + 15);
        const int fields = static_cast<int>(values.size() / 10);
        (alpha ? out.back().alpha : out.back().beta) += fields;
        if (alpha && out.back().firstAlpha.empty()) out.back().firstAlpha = core::Trim(values.substr(0, 10));
    }
    return out;
}

}  // namespace

TEST(MoCorpus, EveryLogWithOrbitalEnergiesAddsItsSet) {
    if (CorpusDir().empty()) GTEST_SKIP() << "no corpus folder";
    int imported = 0;
    for (auto& e : std::filesystem::recursive_directory_iterator(CorpusDir())) {
        const auto ext = e.path().extension().string();
        if (!e.is_regular_file() || (ext != ".log" && ext != ".out")) continue;
        const auto printings = ReadPrintings(e.path());
        if (printings.empty()) continue;
        SCOPED_TRACE(e.path().string());
        TestApp t;
        t.platform.AnswerOpen(e.path().string());
        ASSERT_TRUE(t.app.Dispatch([&t] { t.app.form1.OpenLOG1Click(); }));
        // The first printing when the second differs in length, else the second (if any).
        const bool firstPairDiffers =
            printings.size() > 1 && (printings[0].alpha != printings[1].alpha || printings[0].beta != printings[1].beta);
        const Printing& chosen = printings.size() == 1 || firstPairDiffers ? printings[0] : printings[1];
        const auto& g = t.app.form6.StringGrid1;
        EXPECT_EQ(t.app.log.mocoeff_start, chosen.firstLine);
        EXPECT_EQ(g.Cell(0, 0), "Alpha");
        EXPECT_EQ(g.Cell(0, 1), "ao  " + chosen.firstAlpha);
        EXPECT_EQ(g.ColCount(), chosen.beta > 0 ? 2 : 1);
        int alphaCells = 0;
        for (int r = 1; r < g.RowCount(); ++r) alphaCells += g.Cell(0, r).empty() ? 0 : 1;
        EXPECT_EQ(alphaCells, chosen.alpha);
        if (chosen.beta > 0) {
            EXPECT_EQ(g.Cell(1, 0), "Beta");
        }
        // The diagram and its export run on every imported set.
        t.app.form6.ViewMOClick();
        EXPECT_FALSE(t.app.form7.PaintBox1.Canvas().Lines().empty());
        ++imported;
    }
    EXPECT_GT(imported, 10);
}
