// Batch command of the thermochemistry window: "thermo" adds the logs to the window with
// the given options and writes what "Save Table…" writes, or with --json the same rows as
// one JSON document.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/batch.h"
#include "app/json_output.h"

namespace mavrolin {

namespace {

struct ThermoArgs {
    std::vector<std::string> logs;
    std::string output, qs = "none", boltzmann = "qh-g";
    double temperature = 298.15, concentration = 0, cutoff = 100, scale = 1;
    bool qh = false, json = false;
};

// The options the table was computed with, and one entry per log with the table's values
// (hartree, as printed; T*S as energies). Values that do not apply are null.
Json ThermoJson(const std::vector<thermo::Row>& rows, const thermo::Options& o, const std::string& qs,
                const std::string& boltzmann) {
    Json doc = JsonDocument("thermo", rows.empty() ? std::string() : rows.front().file);
    Json files = Json::array();
    for (const auto& row : rows) files.push_back(row.file);
    doc["files"] = std::move(files);
    doc["options"] = {{"temperature_K", o.temperature},
                      {"standard_state", o.concentration > 0 ? "concentration" : "ideal gas"},
                      {"pressure_atm", o.concentration > 0 ? Json(nullptr) : Number(o.pressure)},
                      {"concentration_mol/L", o.concentration > 0 ? Number(o.concentration) : Json(nullptr)},
                      {"quasi_harmonic_entropy", qs},
                      {"quasi_harmonic_enthalpy", o.headGordon},
                      {"cutoff_cm-1", o.cutoff},
                      {"frequency_scale", o.scale},
                      {"populations_from", boltzmann}};
    Json list = Json::array();
    for (const auto& row : rows) {
        Json j = {{"file", row.file}, {"readable", row.readable}};
        if (!row.readable) {
            j["reason"] = row.reason;
            list.push_back(std::move(j));
            continue;
        }
        const auto& log = row.log;
        const bool ranked = row.Ranked();
        auto value = [&](double v) { return ranked ? Number(v) : Json(nullptr); };
        const thermo::Thermo& v = row.values;
        j["formula"] = log.formula;
        j["multiplicity"] = log.multiplicity;
        j["termination"] = thermo::TerminationText(log.termination);
        j["optimisation_converged"] = log.optimisation == thermo::Optimisation::None
                                          ? Json(nullptr)
                                          : Json(log.optimisation == thermo::Optimisation::Converged);
        j["has_thermochemistry"] = log.hasThermo;
        j["to_look_at"] = row.Marked();
        j["note"] = row.TerminationNote();
        j["scf_energy_hartree"] = log.hasScf ? Number(log.scfEnergy) : Json(nullptr);
        j["electronic_energy_hartree"] = value(v.e);
        j["zpe_hartree"] = value(v.zpe);
        j["enthalpy_hartree"] = value(v.h);
        j["qh_enthalpy_hartree"] = value(v.qhH);
        j["entropy_TS_hartree"] = value(v.ts);
        j["qh_entropy_TS_hartree"] = value(v.qhTs);
        j["free_energy_hartree"] = value(v.g);
        j["qh_free_energy_hartree"] = value(v.qhG);
        j["relative_free_energy_kcal/mol"] = value(row.dG);
        j["boltzmann_population"] = value(row.population);
        j["imaginary_frequencies"] = row.hasLowest ? Json(row.imaginary) : Json(nullptr);
        j["lowest_frequency_cm-1"] = row.hasLowest ? Number(row.lowest) : Json(nullptr);
        list.push_back(std::move(j));
    }
    doc["logs"] = std::move(list);
    return doc;
}

void RunThermo(BatchSession& session, const ThermoArgs& a) {
    session.command = "mavrolin thermo";
    const std::string output = BatchSession::Absolute(a.output);
    std::vector<std::string> paths;
    for (const auto& log : a.logs) {
        paths.push_back(BatchSession::Absolute(log));
        std::error_code ec;
        if (!output.empty() && std::filesystem::equivalent(output, paths.back(), ec))
            return session.Fail("the output " + a.output + " is one of the logs; name another with -o");
    }
    thermo::Options o;
    o.temperature = a.temperature;
    o.concentration = a.concentration;
    o.cutoff = a.cutoff;
    o.scale = a.scale;
    o.headGordon = a.qh;
    o.entropy = a.qs == "grimme"    ? thermo::EntropyScheme::Grimme
                : a.qs == "truhlar" ? thermo::EntropyScheme::Truhlar
                                    : thermo::EntropyScheme::None;
    o.basis = a.boltzmann == "g" ? thermo::PopulationBasis::G : thermo::PopulationBasis::QuasiHarmonicG;

    auto& window = session.App().thermo;
    if (!session.Run([&] {
            window.SetOptions(o);
            window.AddFiles(paths, a.logs);
        }))
        return;
    // Every row is written; a log that could not be read still fails the command. When
    // none could be read there is no table, and an earlier file of that name stays as it was.
    bool any = false;
    for (const auto& row : window.Rows()) {
        if (!row.readable) session.Fail(row.file + ": " + row.reason);
        any = any || row.readable;
    }
    if (a.json) {
        // Every row, those that could not be read with their reason.
        const int status = session.status;
        DeliverJson(session, output, ThermoJson(window.Rows(), window.Current(), a.qs, a.boltzmann));
        session.status = std::max(status, session.status);
        return;
    }
    if (!any) return;
    const auto written = session.OutputOrScratch(output, "thermochemistry.csv");
    const int status = session.status;
    if (session.Save(written.string(), [&] { window.SaveTableClick(); })) session.Deliver(output, written);
    session.status = std::max(status, session.status);
}

}  // namespace

void RegisterThermoCommands(CLI::App& cli, BatchSession& session) {
    auto a = std::make_shared<ThermoArgs>();
    auto* cmd = cli.add_subcommand(
        "thermo", "Thermochemistry of frequency logs with quasi-harmonic corrections and Boltzmann populations (CSV)");
    cmd->add_option("LOG", a->logs, "Gaussian frequency outputs; logs of one formula are conformers")->required();
    cmd->add_option("-o,--output", a->output, "CSV file (default: standard output)");
    cmd->add_option("--temperature", a->temperature, "temperature in K (default 298.15)")->check(CLI::Range(1e-3, 1e5));
    cmd->add_option("--conc", a->concentration, "standard state as a concentration in mol/L (default: 1 atm ideal gas)")
        ->check(CLI::Range(1e-12, 1e6));
    cmd->add_option("--qs", a->qs, "quasi-harmonic entropy: grimme, truhlar or none (default none)")
        ->check(CLI::IsMember({"grimme", "truhlar", "none"}));
    cmd->add_flag("--qh", a->qh, "quasi-harmonic enthalpy (Head-Gordon)");
    cmd->add_option("--cutoff", a->cutoff, "cut-off of the corrections in cm-1 (default 100)")->check(CLI::Range(1e-3, 1e5));
    cmd->add_option("--scale", a->scale, "frequency scale factor (default 1)")->check(CLI::Range(1e-3, 100.0));
    cmd->add_option("--boltzmann", a->boltzmann, "populations and dG from qh-g or g (default qh-g)")
        ->check(CLI::IsMember({"qh-g", "g"}));
    AddJsonFlag(cmd, a->json)->description("write the table and the options used as one JSON document");
    cmd->callback([a, &session] { RunThermo(session, *a); });
}

}  // namespace mavrolin
