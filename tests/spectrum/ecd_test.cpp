// ECD from the rotatory strengths: the last block's tables read (by the scan and on their
// own), each band's area, the mirror image of an enantiomer, the batch command and its refusal.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "spectrum/ecd_figure.h"
#include "spectrum_test_support.h"

using namespace mavrolin::spectrum;
using spectrum_test::Fixture;
using testing_support::ReadFile;
using testing_support::RunCli;
using testing_support::TestApp;

namespace {

// The x and Δε columns of a saved ECD spectrum.
std::vector<std::pair<double, double>> Columns(const std::string& text) {
    std::vector<std::pair<double, double>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        double x = 0, y = 0;
        std::istringstream(line) >> x >> y;
        rows.emplace_back(x, y);
    }
    return rows;
}

// The enantiomer: every number of the rotatory-strength rows with its sign turned.
std::string Enantiomer(const std::string& log) {
    std::istringstream in(log);
    std::string out;
    bool table = false;
    for (std::string line; std::getline(in, line);) {
        if (line.find("R(velocity)") != std::string::npos || line.find("R(length)") != std::string::npos) {
            table = true;
        } else if (table && line.find_first_not_of(' ') != std::string::npos && std::isdigit(line[line.find_first_not_of(' ')]) &&
                   line.find('[') == std::string::npos) {
            std::istringstream words(line);
            std::string w, flipped;
            words >> w;
            flipped = "    " + w;
            while (words >> w) flipped += "   " + (w[0] == '-' ? w.substr(1) : "-" + w);
            line = flipped;
        } else {
            table = false;
        }
        out += line + "\n";
    }
    return out;
}

}  // namespace

TEST(Ecd, LastBlockStrengthsReadByTheScanAndOnTheirOwn) {
    const RotatoryStrengths rs = ReadRotatoryStrengths(Fixture("td_chiral.log"));
    ASSERT_EQ(rs.Count(), 4);
    EXPECT_EQ(rs.ev, (std::vector<double>{4.2, 4.9, 5.4, 6.1}));
    EXPECT_EQ(rs.velocity, (std::vector<double>{12.3456, -30.5, 4.25, 20.0}));
    EXPECT_EQ(rs.length, (std::vector<double>{11.0, -28.75, 5.125, 18.5}));

    TestApp t;
    ASSERT_TRUE(spectrum_test::Scan(t, "td_chiral.log"));
    EXPECT_TRUE(t.app.form9.EcdSpectrum1.Enabled());
    EXPECT_EQ(t.app.ecd.Strengths().velocity, rs.velocity);
    EXPECT_TRUE(t.app.ecd.Velocity1.Checked());  // the default form, whatever the log before had
    ASSERT_TRUE(t.app.Dispatch([&] { t.app.form9.EcdSpectrum1.Click(); }));
    EXPECT_TRUE(t.app.ecd.Visible());
    // A log without tables greys the item and hides the window.
    ASSERT_TRUE(spectrum_test::Scan(t, "td_closed.log"));
    EXPECT_FALSE(t.app.form9.EcdSpectrum1.Enabled());
    EXPECT_FALSE(t.app.ecd.HasStrengths());
    EXPECT_FALSE(t.app.ecd.Visible());
}

TEST(Ecd, EachBandIntegratesToEnergyTimesStrengthOverTheConstant) {
    const RotatoryStrengths rs = ReadRotatoryStrengths(Fixture("td_chiral.log"));
    for (auto form : {RotatoryForm::Velocity, RotatoryForm::Length})
        for (double sigma : {0.1, 0.3})
            for (int i = 0; i < rs.Count(); ++i) {
                EcdOptions o{form, sigma, 0.25, kUnitEv};
                const double h = 1e-4;
                double area = 0;  // trapezoids from 0.5 to 12 eV
                for (double e = 0.5; e < 12; e += h) area += h * (EcdBand(rs, i, o, e) + EcdBand(rs, i, o, e + h)) / 2;
                const double e = rs.ev[static_cast<size_t>(i)] + 0.25;
                const double expected = e * rs.Of(form)[static_cast<size_t>(i)] * 1e-40 / 2.296e-39;
                EXPECT_NEAR(area, expected, 1e-7 * std::fabs(expected)) << i;
            }
}

TEST(EcdBatch, EnantiomersGiveMirrorCurvesAndTheFigureDataIsTheCurve) {
    TestApp t;
    const auto left = t.write("left.log", ReadFile(Fixture("td_chiral.log")));
    const auto right = t.write("right.log", Enantiomer(ReadFile(left)));
    std::string out, err;
    for (const auto& log : {left, right})
        ASSERT_EQ(RunCli({"--quiet", "ecd", log, "--points", "301", "--sigma", "0.2", "--shift", "-0.1", "--csv",
                          log + ".csv"},
                         out, err),
                  0)
            << err;
    const auto a = Columns(ReadFile(left + ".ecd.txt")), b = Columns(ReadFile(right + ".ecd.txt"));
    ASSERT_EQ(a.size(), 301u);
    ASSERT_EQ(b.size(), a.size());
    double peak = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].first, b[i].first);
        EXPECT_NEAR(a[i].second, -b[i].second, 1e-9 * std::fabs(a[i].second) + 1e-12);
        peak = std::max(peak, std::fabs(a[i].second));
    }
    EXPECT_GT(peak, 10);
    // --mirror of the one is the other, and the figure's CSV holds the saved curve.
    ASSERT_EQ(RunCli({"--quiet", "ecd", left, "--points", "301", "--sigma", "0.2", "--shift", "-0.1", "--mirror",
                      "-o", (t.dir / "m.txt").string()},
                     out, err),
              0);
    EXPECT_EQ(Columns(ReadFile(t.dir / "m.txt")), b);
    // Weighted: the racemate cancels everywhere, three parts to one leave half the excess.
    EcdOptions o;
    o.sigmaEv = 0.2, o.shiftEv = -0.1;
    const RotatoryStrengths rs = ReadRotatoryStrengths(left);
    for (const auto& [weights, share] : {std::pair{"1,1", 0.0}, {"3,1", 0.5}}) {
        ASSERT_EQ(RunCli({"--quiet", "ecd", left, right, "--weights", weights, "--points", "301", "--sigma", "0.2",
                          "--shift", "-0.1", "-o", (t.dir / "w.txt").string()},
                         out, err),
                  0)
            << err;
        const auto w = Columns(ReadFile(t.dir / "w.txt"));
        ASSERT_EQ(w.size(), a.size());
        for (size_t i = 0; i < w.size(); ++i)
            EXPECT_NEAR(w[i].second, share * EcdValue(rs, o, EcdEnergy(kUnitNm, w[i].first)), 1e-6 * peak) << w[i].first;
    }
    const std::string csv = ReadFile(left + ".csv");
    std::istringstream rows(csv);
    std::string line;
    std::getline(rows, line);
    EXPECT_EQ(line.rfind("wavelength / nm,delta epsilon / L mol-1 cm-1", 0), 0u) << line;
    for (size_t i = 0; i < 5 && std::getline(rows, line); ++i) {
        const double x = std::stod(line), y = std::stod(line.substr(line.find(',') + 1));
        EXPECT_NEAR(x, a[i].first, 1e-9 * x);
        EXPECT_NEAR(y, a[i].second, 1e-9 * std::fabs(y) + 1e-12);
    }
}

TEST(EcdBatch, ALogWithoutRotatoryStrengthsFailsWritingNothing) {
    TestApp t;
    const auto log = t.write("plain.log", ReadFile(Fixture("td_closed.log")));
    std::string out, err;
    EXPECT_EQ(RunCli({"ecd", log, "--figure", (t.dir / "f.svg").string(), "--csv", (t.dir / "f.csv").string()},
                     out, err),
              1);
    EXPECT_NE(err.find("rotatory strengths"), std::string::npos) << err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.dir.path()), {}), 1);
}
