// Thermochemistry of several logs: the corrections on worked numbers, the reader on logs in
// the real layout (conformers, a linear radical with imaginary modes, a job without
// thermochemistry), populations, the window and the batch command.
#include <gtest/gtest.h>

#include <cmath>

#include "support/test_app.h"
#include "thermo/thermo_calc.h"
#include "thermo/thermo_window.h"

namespace {

using namespace mavrolin::thermo;
using testing_support::TestApp;

// Two modes, 20 and 1500 cm-1, at 298.15 K; kT = 9.441849e-4 hartree, hc/k = 1.4387769 cm K.
//   20 cm-1:   x = 20 * 1.4387769 / 298.15 = 0.0965136
//              S/k = x/(e^x - 1) - ln(1 - e^-x) = 0.9525193 + 2.3859398 = 3.3384591
//              E/kT = x/2 + x/(e^x - 1) = 0.0482568 + 0.9525193 = 1.0007761
//              free rotor: mu = h/(8 pi^2 c nu) = 1.39964e-47 kg m^2,
//              mu' = mu 1e-44/(mu + 1e-44) = 1.39768e-47, S_R/k = 1/2 + ln sqrt(8 pi^3 mu' k T/h^2) = 2.2407012
//              w = 1/(1 + (100/20)^4) = 1/626 = 0.0015974
//   1500 cm-1: x = 7.2385219, S/k = 0.0052037 + 0.0007186 = 0.0059223, E/kT = 3.6192610 + 0.0052037 = 3.6244647
//              S_R/k = 0.0826471, w = 1/(1 + (1/15)^4) = 0.9999802
//   harmonic   T S = (3.3384591 + 0.0059223) kT = 3.3443814 kT = 0.00315771
//   Grimme     T S = [(w S + (1-w) S_R)(20) = 2.2424548] + [(1500) = 0.0059238] = 2.2483786 kT = 0.00212289
//   Truhlar    T S = [S(100 cm-1) = 1.7382800] + 0.0059223 = 1.7442024 kT = 0.00164685
//   harmonic   E = (1.0007761 + 3.6244647) kT = 4.6252408 kT = 0.00436708
//   Head-Gordon E = [w E + (1-w)/2 = 0.5008000] + 3.6244029 = 4.1252029 kT = 0.00389495
//   ZPE = (0.0482568 + 3.6192610) kT = 0.00346281
TEST(ThermoCorrections, WorkedNumbersForA20AndA1500Mode) {
    EXPECT_NEAR(DampingWeight(20, 100), 1.0 / 626, 1e-12);
    EXPECT_NEAR(FreeRotorEntropy(20, 298.15), 2.2407012, 1e-6);
    EXPECT_NEAR(FreeRotorEntropy(1500, 298.15), 0.0826471, 1e-6);
    struct Case {
        EntropyScheme scheme;
        bool headGordon;
        double qhTs, qhEnergy;
    };
    for (const Case& c : {Case{EntropyScheme::None, false, 0.00315771, 0.00436708},
                          Case{EntropyScheme::Grimme, false, 0.00212289, 0.00436708},
                          Case{EntropyScheme::Truhlar, true, 0.00164685, 0.00389495}}) {
        Options o;
        o.entropy = c.scheme;
        o.headGordon = c.headGordon;
        const auto v = VibrationalTerms({20, 1500, -80}, o);  // the imaginary mode is left out
        EXPECT_NEAR(v.ts, 0.00315771, 5e-9);
        EXPECT_NEAR(v.energy, 0.00436708, 5e-9);
        EXPECT_NEAR(v.zpe, 0.00346281, 5e-9);
        EXPECT_NEAR(v.qhTs, c.qhTs, 5e-9);
        EXPECT_NEAR(v.qhEnergy, c.qhEnergy, 5e-9);
    }
    // A scale factor is the same as scaled frequencies.
    Options scaled;
    scaled.scale = 0.5;
    EXPECT_NEAR(VibrationalTerms({40, 3000}, scaled).ts, 0.00315771, 5e-9);
}

// The fixtures' printed sums were made with the textbook rigid-rotor harmonic-oscillator
// formulas; the linear radical's rotation is q = T/(sigma Tr), its electronic entropy k ln 2.
TEST(ThermoReader, FixturesReadAndRecomputeToTheirPrintedSums) {
    struct Case {
        const char* file;
        const char* formula;
        int multiplicity, imaginary, frequencies;
        size_t rotational;
        Termination end;
        Optimisation opt;
    };
    for (const Case& c : {Case{"h2o2_gauche.log", "H2O2", 1, 0, 6, 3, Termination::Normal, Optimisation::Converged},
                          Case{"c2h_linear_ts.log", "C2H(2)", 2, 2, 5, 1, Termination::Normal, Optimisation::None}}) {
        SCOPED_TRACE(c.file);
        const Row row = ReadRow(TestApp::data(std::string("thermo/") + c.file));
        ASSERT_TRUE(row.Ranked());
        const ThermoLog& log = row.log;
        EXPECT_EQ(log.formula, c.formula);
        EXPECT_EQ(log.multiplicity, c.multiplicity);
        EXPECT_EQ(log.frequencies.size(), static_cast<size_t>(c.frequencies));
        EXPECT_EQ(log.rotationalTemperatures.size(), c.rotational);
        EXPECT_EQ(row.imaginary, c.imaginary);
        EXPECT_EQ(row.Marked(), c.imaginary > 0);
        EXPECT_EQ(log.termination, c.end);
        EXPECT_EQ(log.optimisation, c.opt);
        EXPECT_NEAR(log.Electronic(), log.scfEnergy, 1.5e-6);
        const Thermo t = Compute(log, Options{});
        EXPECT_NEAR(t.zpe, log.zpe, 1e-6);
        EXPECT_NEAR(t.h, log.sumEnthalpy, 2e-6);
        EXPECT_NEAR(t.g, log.sumFreeEnergy, 2e-6);
    }
    const Row linear = ReadRow(TestApp::data("thermo/c2h_linear_ts.log"));
    EXPECT_DOUBLE_EQ(linear.lowest, -45.6789);  // from the high-precision listing, the only one
    const double kt = 1.380649e-23 * 298.15 / 4.3597447222071e-18;
    const Thermo t = Compute(linear.log, Options{});
    EXPECT_NEAR(t.tsRot, (std::log(298.15 / 2.10987) + 1) * kt, 1e-12);
    EXPECT_NEAR(t.tsElec, std::log(2.0) * kt, 1e-12);
    // 1 mol/L instead of 1 atm: the volume per molecule shrinks from kT/P by 24.46540, so
    // G rises by kT ln 24.46540 = 3.1972600 kT = 0.00301880 hartree (1.894 kcal/mol).
    Options molar;
    molar.concentration = 1;
    EXPECT_NEAR(Compute(linear.log, molar).g - t.g, 0.00301880, 1e-8);
    // The plural line with the vanishing temperature as asterisks is the same linear rotor.
    std::string text = testing_support::ReadFile(TestApp::data("thermo/c2h_linear_ts.log"));
    text.replace(text.find("Rotational temperature (Kelvin)"), 31, "Rotational temperatures (Kelvin) ******** 2.10987");
    EXPECT_EQ(ParseThermoLog(text).rotationalTemperatures, std::vector<double>{2.10987});
}

TEST(ThermoReader, LastBlockCountsAndACutBlockIsIgnored) {
    const std::string block = TestApp::data("thermo/h2o2_gauche.log");
    const std::string text = testing_support::ReadFile(block);
    // Two jobs: the second block (at 350 K) replaces the first; a third cut before its
    // last sum leaves the second in place.
    std::string second = text;
    second.replace(second.find("298.150 Kelvin"), 14, "350.000 Kelvin");
    const std::string cut = text.substr(0, text.find(" Sum of electronic and thermal Free"));
    const ThermoLog log = ParseThermoLog(text + second + cut);
    ASSERT_TRUE(log.hasThermo);
    EXPECT_DOUBLE_EQ(log.temperature, 350.0);
    EXPECT_EQ(log.termination, Termination::Unfinished);
    EXPECT_FALSE(ParseThermoLog(cut).hasThermo);
}

TEST(ThermoTable, ConformerPopulationsPerFormula) {
    // Two H2O2 logs differing only in E by 1 mEh, and one C2H radical.
    std::vector<Row> rows(3);
    for (auto& r : rows) {
        r.readable = true;
        r.log.hasThermo = true;
        r.log.mass = 34;
        r.log.rotationalTemperatures = {1, 1, 1};
        r.log.formula = "H2O2";
    }
    rows[1].log.sumZpe = 0.001;
    rows[2].log.formula = "C2H(2)";
    Options o;
    Recompute(rows, o);
    // p1/p0 = exp(-0.001 hartree / kT) = exp(-1.0591146) = 0.3467627
    EXPECT_NEAR(rows[0].population, 1 / 1.3467627, 1e-6);
    EXPECT_NEAR(rows[1].population, 0.3467627 / 1.3467627, 1e-6);
    EXPECT_NEAR(rows[1].dG, 0.6275095, 1e-6);
    EXPECT_DOUBLE_EQ(rows[2].population, 1.0);
    EXPECT_DOUBLE_EQ(rows[2].dG, 0.0);
    // Populations follow the temperature.
    o.temperature = 1000;
    Recompute(rows, o);
    EXPECT_NEAR(rows[1].population, std::exp(-0.001 / (1.380649e-23 * 1000 / 4.3597447222071e-18)) /
                                        (1 + std::exp(-0.001 / (1.380649e-23 * 1000 / 4.3597447222071e-18))),
                1e-9);
}

// The window and "mavrolin thermo" on the four fixtures and a missing file: the CSV has its
// header, a row per file in order, the qh columns equal without corrections, the failed
// job keeps its row with its last SCF energy, the missing file fails the command only.
TEST(ThermoTable, WindowAndBatchWriteTheSameTable) {
    TestApp t;
    const std::vector<std::string> names{"h2o2_gauche.log", "h2o2_trans.log", "c2h_linear_ts.log", "h2o2_sp_error.log"};
    std::vector<std::string> args{"thermo"};
    for (const auto& n : names) args.push_back(TestApp::data("thermo/" + n));
    args.push_back((t.dir / "missing.log").string());
    const auto csv = t.dir / "table.csv";
    args.insert(args.end(), {"-o", csv.string()});
    std::string out, err;
    EXPECT_EQ(testing_support::RunCli(args, out, err), 1);
    const std::string table = testing_support::ReadFile(csv);
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "file,formula,E,ZPE,H,qh_H,T_S,T_qh_S,G,qh_G,dG_kcal_mol,boltzmann,n_imag,lowest_freq_cm,termination");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 6);
    // With no readable log there is no table: an earlier file stays as it was.
    testing_support::WriteFile(t.dir / "old.csv", "old");
    EXPECT_EQ(testing_support::RunCli({"thermo", args[5], "-o", (t.dir / "old.csv").string()}, out, err), 1);
    EXPECT_EQ(testing_support::ReadFile(t.dir / "old.csv"), "old");

    auto& w = t.app.thermo;
    std::vector<std::string> files(args.begin() + 1, args.end() - 2);
    w.AddFiles(files);
    ASSERT_EQ(w.Rows().size(), 5u);
    for (const auto& row : w.Rows()) {
        if (!row.Ranked()) continue;
        EXPECT_EQ(row.values.qhG, row.values.g);
        EXPECT_EQ(row.values.qhH, row.values.h);
    }
    const auto& failed = w.Rows()[3];
    EXPECT_FALSE(failed.log.hasThermo);
    EXPECT_EQ(RowCells(failed)[2], "-151.529877");
    EXPECT_EQ(failed.log.optimisation, Optimisation::NotConverged);
    EXPECT_TRUE(failed.Marked());
    EXPECT_FALSE(w.Rows()[4].readable);
    // The trans conformer's 18.5 cm-1 mode makes it the lower in G; populations sum to one
    // within the formula.
    EXPECT_EQ(w.Table.Cell(0, 1), "");
    EXPECT_EQ(w.Table.Cell(0, 3), "!");
    EXPECT_NEAR(w.Rows()[0].population + w.Rows()[1].population, 1.0, 1e-12);
    EXPECT_EQ(w.Rows()[1].dG, 0.0);
    EXPECT_GT(w.Rows()[0].dG, 1.0);

    t.platform.AnswerSave((t.dir / "window.csv").string());
    w.SaveTableClick();
    EXPECT_EQ(testing_support::ReadFile(t.dir / "window.csv"), table);

    // An option recomputes at once; a text that is no number keeps the last table.
    const double g = w.Rows()[1].values.qhG;
    w.Grimme.SetChecked(true);
    EXPECT_LT(w.Rows()[1].values.qhTs, w.Rows()[1].values.ts);  // the 18.5 cm-1 mode
    EXPECT_GT(w.Rows()[1].values.qhG, g);
    w.Temperature.SetText("abc");
    EXPECT_EQ(w.Current().temperature, 298.15);

    // Sorting by dG puts the lowest first, again the other way; Remove takes the selection.
    w.SortBy(10);
    EXPECT_EQ(w.Table.Cell(11, 1), "0.00");
    EXPECT_EQ(w.Table.Cell(11, 2), "0.00");
    w.SortBy(10);
    EXPECT_EQ(w.Table.Cell(1, 1), "h2o2_gauche.log");
    EXPECT_EQ(w.Table.Cell(1, 4), "h2o2_sp_error.log");  // empty cells stay last
    w.Table.SetSelection({1, 1, 1, 2});
    w.RemoveClick();
    EXPECT_EQ(w.Rows().size(), 3u);
}

TEST(ThermoTable, ReadingManyLogsCanBeStopped) {
    TestApp t;
    t.platform.cancelInPhase = "Reading logs";
    t.platform.cancelAfterReports = 2;
    const std::vector<std::string> files(5, TestApp::data("thermo/h2o2_gauche.log"));
    t.app.thermo.AddFiles(files);
    EXPECT_EQ(t.app.thermo.Rows().size(), 2u);
    EXPECT_EQ(t.platform.progressEnded, 1);
}

}  // namespace
