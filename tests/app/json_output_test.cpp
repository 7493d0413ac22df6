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
    const std::vector<std::string> thermo{"thermo", TestApp::data("thermo/h2o2_gauche.log"),
                                          TestApp::data("thermo/h2o2_trans.log"), "--temperature", "350",
                                          "--conc", "1", "--qs", "truhlar", "--qh"};
    ASSERT_EQ(RunCli(thermo, text, err), 0) << err;
    const auto th = JsonOf(thermo);
    EXPECT_EQ(th["options"]["temperature_K"], 350.0);
    EXPECT_EQ(th["options"]["concentration_mol/L"], 1.0);
    EXPECT_TRUE(th["options"]["pressure_atm"].is_null());
    EXPECT_EQ(th["options"]["quasi_harmonic_entropy"], "truhlar");
    EXPECT_TRUE(th["options"]["quasi_harmonic_enthalpy"].get<bool>());
    std::istringstream csv(text);
    std::string line;
    std::getline(csv, line);  // header: file,formula,E,ZPE,H,qh_H,T_S,T_qh_S,G,qh_G,dG_kcal_mol,boltzmann
    double populations = 0;
    for (const auto& row : th["logs"]) {
        ASSERT_TRUE(std::getline(csv, line));
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string c; std::getline(fields, c, ',');) cells.push_back(c);
        ASSERT_GE(cells.size(), 12u);
        EXPECT_EQ(row["formula"], cells[1]);
        EXPECT_NEAR(row["electronic_energy_hartree"].get<double>(), std::stod(cells[2]), 5e-7);
        EXPECT_NEAR(row["qh_enthalpy_hartree"].get<double>(), std::stod(cells[5]), 5e-7);
        EXPECT_NEAR(row["qh_free_energy_hartree"].get<double>(), std::stod(cells[9]), 5e-7);
        EXPECT_NEAR(row["relative_free_energy_kcal/mol"].get<double>(), std::stod(cells[10]), 5e-3);
        populations += row["boltzmann_population"].get<double>();
    }
    EXPECT_NEAR(populations, 1, 1e-9);
    std::vector<std::string> missing{"thermo", TestApp::data("thermo/h2o2_trans.log"), "/no/such.log", "--json"};
    ASSERT_EQ(RunCli(missing, text, err), 1);
    const auto partial = nlohmann::json::parse(text);
    EXPECT_FALSE(partial["logs"][1]["readable"].get<bool>());
    EXPECT_FALSE(partial["logs"][1]["reason"].get<std::string>().empty());
    EXPECT_EQ(partial["logs"][0]["boltzmann_population"], 1.0);
}
