// --json on the batch commands: one parseable document per call whose values are those of
// the text outputs of the same command (the SCF table, the modes, the MO table).
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "support/test_app.h"

using namespace testing_support;

namespace {

nlohmann::json JsonOf(std::vector<std::string> args) {
    std::string out, err;
    args.push_back("--json");
    EXPECT_EQ(RunCli(args, out, err), 0) << err;
    auto doc = nlohmann::json::parse(out);  // throws, failing the test, unless it is one document
    EXPECT_EQ(doc["command"], args[0]);
    return doc;
}

}  // namespace

TEST(Json, DocumentsHoldTheValuesOfTheTextOutputs) {
    const auto opt = TestApp::data("profile/water_opt.log");
    // scf: the energy of every "SCF Done:" line, in order.
    const auto scf = JsonOf({"scf", opt});
    std::istringstream log(ReadFile(opt));
    size_t k = 0;
    for (std::string line, w; std::getline(log, line);) {
        std::istringstream words(line.substr(std::min(line.size(), line.find('=') + 1)));
        if (line.find("SCF Done:") != std::string::npos && words >> w) {
            EXPECT_DOUBLE_EQ(scf["scf"].at(k++)["energy_hartree"].get<double>(), std::stod(w));
        }
    }
    EXPECT_EQ(k, scf["scf"].size());
    EXPECT_FALSE(scf["convergence"].empty());

    // index: one entry per row of the tab-separated grid (after its header).
    const auto index = JsonOf({"index", opt});
    std::string text, err;
    ASSERT_EQ(RunCli({"index", opt}, text, err), 0);
    EXPECT_EQ(index["keywords"].size() + 1, static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    EXPECT_EQ(index["keywords"][0]["kind"], "route");

    // report, written to -o.
    TempDir d;
    ASSERT_EQ(RunCli({"report", opt, "--json", "-o", (d / "r.json").string()}, text, err), 0);
    EXPECT_FALSE(nlohmann::json::parse(ReadFile(d / "r.json"))["summary"].empty());

    // ir: the real and imaginary modes; the one with an overflowed intensity is listed with
    // a null intensity and left out of the IR spectrum.
    const auto ir = JsonOf({"ir", TestApp::data("irraman/h2co_imaginary.log")});
    EXPECT_EQ(ir["modes"].size(), 5u);
    EXPECT_EQ(ir["imaginary_modes"][0]["frequency_cm-1"].get<double>(), -412.3456);
    EXPECT_EQ(ir["left_out_modes"], nlohmann::json::array({3}));
    EXPECT_EQ(ir["curve"]["x"].size(), ir["curve"]["y"].size());

    // spectrum: the excited states as printed, the energy from the wavelength, and the curve.
    const auto td = TestApp::data("spectrum/td_closed.log");
    const auto sp = JsonOf({"spectrum", td});
    const auto& states = sp["excited_states"];
    std::istringstream tdLog(ReadFile(td));
    k = 0;
    for (std::string line, w; std::getline(tdLog, line);) {
        std::istringstream words(line);
        double nm = 0;
        if (line.rfind(" Excited State", 0) != 0 || !(words >> w >> w >> w >> w >> w >> w >> nm >> w >> w)) continue;
        ASSERT_LT(k, states.size());
        EXPECT_NEAR(states[k]["energy_ev"].get<double>() * nm, 1239.842, 0.01);  // E = hc / lambda
        EXPECT_DOUBLE_EQ(states[k]["wavelength_nm"].get<double>(), nm);
        EXPECT_DOUBLE_EQ(states[k++]["oscillator_strength"].get<double>(), std::stod(w.substr(2)));
    }
    EXPECT_EQ(k, states.size());
    EXPECT_EQ(sp["curve"]["x"].size(), sp["curve"]["y"].size());

    // mo: occupied levels below the virtual ones; the HOMO is the last occupied.
    const auto mo = JsonOf({"mo", TestApp::data("pdos/closed.log")});
    ASSERT_EQ(mo["sets"].size(), 1u);
    const auto& set = mo["sets"][0];
    EXPECT_EQ(set["levels"].size(), 7u);
    EXPECT_LT(set["homo_hartree"].get<double>(), set["lumo_hartree"].get<double>());
    EXPECT_EQ(set["levels"][4]["energy_hartree"], set["homo_hartree"]);
    EXPECT_TRUE(set["levels"][4]["occupied"].get<bool>());
    EXPECT_FALSE(set["levels"][5]["occupied"].get<bool>());

    // thermo: the CSV's rows and the options used; a missing log is listed with its reason
    // and fails the call, its JSON still complete.
    std::vector<std::string> thermo{"thermo", TestApp::data("thermo/h2o2_gauche.log"), TestApp::data("thermo/h2o2_trans.log"),
                                    "--temperature", "350", "--conc", "1", "--qs", "truhlar", "--qh"};
    ASSERT_EQ(RunCli(thermo, text, err), 0) << err;
    const auto th = JsonOf(thermo);
    EXPECT_EQ(th["options"]["temperature_K"], 350.0);
    EXPECT_EQ(th["options"]["concentration_mol/L"], 1.0);
    EXPECT_EQ(th["options"]["quasi_harmonic_entropy"], "truhlar");
    std::istringstream csv(text.substr(text.find('\n') + 1));  // after the header
    const char* columns[] = {"electronic_energy_hartree", "zpe_hartree", "enthalpy_hartree", "qh_enthalpy_hartree",
                             "entropy_TS_hartree", "qh_entropy_TS_hartree", "free_energy_hartree", "qh_free_energy_hartree"};
    for (const auto& row : th["logs"]) {
        std::string file, formula, cell;
        ASSERT_TRUE(std::getline(csv, file, ',') && std::getline(csv, formula, ','));
        EXPECT_EQ(row["formula"], formula);
        for (const char* c : columns) EXPECT_NEAR(row[c].get<double>(), std::stod((std::getline(csv, cell, ','), cell)), 5e-7) << c;
        csv.ignore(1 << 20, '\n');
    }
    thermo = {"thermo", TestApp::data("thermo/h2o2_trans.log"), "/no/such.log", "--json"};
    ASSERT_EQ(RunCli(thermo, text, err), 1);
    const auto partial = nlohmann::json::parse(text);
    EXPECT_FALSE(partial["logs"][1]["reason"].get<std::string>().empty());
    EXPECT_EQ(partial["logs"][0]["boltzmann_population"], 1.0);
}
