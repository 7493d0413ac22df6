// Batch command of the thermochemistry window: "thermo" adds the logs to the window with
// the given options and writes what "Save Table…" writes.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/batch.h"

namespace mavrolin {

namespace {

struct ThermoArgs {
    std::vector<std::string> logs;
    std::string output, qs = "none", boltzmann = "qh-g";
    double temperature = 298.15, concentration = 0, cutoff = 100, scale = 1;
    bool qh = false;
};

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
    cmd->callback([a, &session] { RunThermo(session, *a); });
}

}  // namespace mavrolin
