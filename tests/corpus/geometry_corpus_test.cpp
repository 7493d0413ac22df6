// The geometry readers on real Gaussian outputs and inputs (skipped without the corpus).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "core/number_text.h"
#include "support/test_app.h"

using testing_support::CorpusDir;
using testing_support::ReadFile;
using testing_support::TestApp;

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    return w;
}

// The energies of Gaussian's own "Summary of Optimized Potential Surface Scan":
// offset from the heading plus the "Eigenvalues --" rows, up to the first empty line.
std::vector<double> SummaryEnergies(const std::filesystem::path& log) {
    std::ifstream in(log);
    std::string line;
    std::vector<double> out;
    double offset = 0;
    bool inSummary = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find("Summary of Optimized Potential Surface Scan") != std::string::npos) {
            auto at = line.find("(add ");
            offset = std::stod(line.substr(at + 5));
            inSummary = true;
            out.clear();
            continue;
        }
        if (!inSummary) continue;
        if (line.find_first_not_of(' ') == std::string::npos) break;
        auto w = Words(line);
        if (w.size() > 2 && w[0] == "Eigenvalues" && w[1] == "--")
            for (size_t i = 2; i < w.size(); ++i) out.push_back(offset + std::stod(w[i]));
    }
    return out;
}

// Rows of the last "Z-MATRIX (ANGSTROMS AND DEGREES)" table, as words.
std::vector<std::vector<std::string>> LastTable(const std::filesystem::path& log) {
    std::ifstream in(log);
    std::string line;
    std::vector<std::vector<std::string>> rows;
    int state = 0;
    while (std::getline(in, line)) {
        if (line.find("Z-MATRIX (ANGSTROMS AND DEGREES)") != std::string::npos) {
            rows.clear();
            state = 1;
        } else if (state >= 1 && state < 3) {
            ++state;
        } else if (state == 3) {
            if (line.rfind(" -----", 0) == 0)
                state = 0;
            else
                rows.push_back(Words(line));
        }
    }
    return rows;
}

std::string ValueBeforeParen(const std::string& token) { return token.substr(0, token.find('(')); }

std::vector<std::filesystem::path> CorpusFiles(const std::filesystem::path& root) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(GeometryCorpus, RelaxedScanEnergiesAgreeWithGaussiansSummary) {
    auto root = CorpusDir();
    if (root.empty()) GTEST_SKIP() << "no corpus";
    auto log = root / "g16" / "dvb_scan_relaxed.log";
    auto summary = SummaryEnergies(log);
    ASSERT_EQ(summary.size(), 13u);

    TestApp t;
    t.platform.AnswerOpen(log.string());
    ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.OpenLogOutFileSCAN1Click(); }));
    EXPECT_TRUE(t.platform.messages.empty());
    ASSERT_EQ(t.app.log.ndone, 13);
    for (int k = 1; k <= 13; ++k) {
        double listed = core::ParseDouble(t.app.form1.StringGrid1.Cell(1, k));
        EXPECT_NEAR(listed, summary[static_cast<size_t>(k - 1)], 0.6e-5) << "scan point " << k;
        EXPECT_EQ(listed, t.app.log.scfengy[k]);
    }
}

TEST(GeometryCorpus, ZmatrixExtractionOnTheUnrelaxedScan) {
    auto root = CorpusDir();
    if (root.empty()) GTEST_SKIP() << "no corpus";
    auto log = root / "g16" / "dvb_scan_unrelaxed.log";
    auto table = LastTable(log);
    ASSERT_EQ(table.size(), 20u);

    TestApp t;
    auto& f = t.app.form1;
    t.platform.AnswerOpen(log.string());
    ASSERT_TRUE(t.app.Dispatch([&] { f.GetLastZmatrix1Click(); }));
    EXPECT_EQ(t.app.log.natoms, 20);
    EXPECT_EQ(t.app.log.ndata, 20);
    ASSERT_GT(t.app.log.nparams, 50);
    // Every variable found its final value; spot checks against the table read here.
    std::map<std::string, std::string> finals;
    for (int j = 1; j <= t.app.log.nparams; ++j) {
        int row = t.app.log.natoms + 1 + j;
        EXPECT_FALSE(f.StringGrid3.Cell(3, row).empty()) << f.StringGrid3.Cell(0, row);
        finals[f.StringGrid3.Cell(0, row)] = f.StringGrid3.Cell(3, row);
    }
    EXPECT_EQ(finals["B1"], ValueBeforeParen(table[1][4]));
    EXPECT_EQ(finals["A1"], ValueBeforeParen(table[2][7]));
    EXPECT_EQ(finals["D7"], ValueBeforeParen(table[9][10]));  // the scanned torsion, last point
    for (int r = 1; r <= 20; ++r) EXPECT_EQ(f.StringGrid2.Cell(2, r), table[static_cast<size_t>(r - 1)][2]);

    auto out = (t.dir / "free.com").string();
    t.platform.AnswerSave(out);
    f.SaveZmatintNonconstrained1Click();
    auto text = ReadFile(out);
    EXPECT_NE(text.find("\r\nR20=" + ValueBeforeParen(table[19][4]) + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nD20="), std::string::npos);
}

TEST(GeometryCorpus, ZmatrixLogsWithoutTablesAreReported) {
    auto root = CorpusDir();
    if (root.empty()) GTEST_SKIP() << "no corpus";
    for (const char* name : {"g16/dvb_gopt.out", "g16/water_mp2.log", "g09/dvb_un_sp.log"}) {
        TestApp t;
        t.platform.AnswerOpen((root / name).string());
        EXPECT_FALSE(t.app.Dispatch([&] { t.app.form1.GetLastZmatrix1Click(); })) << name;
        ASSERT_FALSE(t.platform.messages.empty());
        EXPECT_EQ(t.platform.messages.back().text.rfind("There seems no line involving", 0), 0u);
        EXPECT_GT(t.app.log.natoms, 0) << name;  // the symbolic Z-matrix was still read
    }
}

TEST(GeometryCorpus, ConverterOnTheInputs) {
    auto root = CorpusDir();
    if (root.empty()) GTEST_SKIP() << "no corpus";
    // A Z-matrix with its variables after an empty line: the values are resolved.
    TestApp t;
    auto out = (t.dir / "gopt.com").string();
    t.platform.AnswerOpen((root / "g16" / "dvb_gopt.gjf").string());
    t.platform.AnswerSave(out);
    ASSERT_TRUE(t.app.Dispatch([&] { t.app.form1.ConvertZmatrix1Click(); }));
    EXPECT_EQ(t.app.log.ndata, 20);
    auto text = ReadFile(out);
    EXPECT_NE(text.find("\r\nR2=1.39155762\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nD20=180.00000000\r\n"), std::string::npos);
    // Inputs that read their geometry from the checkpoint have no Z-matrix.
    for (const char* name : {"g16/dvb_sp.gjf", "g16/dvb_td.gjf"}) {
        TestApp s;
        s.platform.AnswerOpen((root / name).string());
        EXPECT_FALSE(s.app.Dispatch([&] { s.app.form1.ConvertZmatrix1Click(); })) << name;
    }
}

// Every geometry reader on every corpus file: no crash, no hang, and any refusal is a
// message or a reported error.
TEST(GeometryCorpus, EveryReaderOnEveryFile) {
    auto root = CorpusDir();
    if (root.empty()) GTEST_SKIP() << "no corpus";
    for (const auto& file : CorpusFiles(root)) {
        TestApp t;
        auto& f = t.app.form1;
        for (auto handler : {&mavrolin::TForm1::OpenLogOutFileSCAN1Click, &mavrolin::TForm1::GetLastZmatrix1Click,
                             &mavrolin::TForm1::ReadPDBSpartan1Click,
                             &mavrolin::TForm1::ReadCartesianCoordinatesfromENTPDB1Click,
                             &mavrolin::TForm1::ReadStandardABC1Click, &mavrolin::TForm1::ConvertZmatrix1Click}) {
            t.platform.AnswerOpen(file.string());
            t.platform.AnswerSave((t.dir / "out.txt").string());
            t.app.Dispatch([&] { (f.*handler)(); });
        }
        EXPECT_LE(f.StringGrid1.RowCount(), t.app.log.nline + 2) << file;
    }
}
