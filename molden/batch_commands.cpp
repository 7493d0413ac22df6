// "mavrolin molden LOG [-o FILE] [--fchk FILE]": scans the log as "Open Log/Out File" does,
// completes the coefficient tables from a checkpoint file when one is given, and saves the
// structure, normal modes and orbitals for molecular viewers.
#include <memory>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "core/errors.h"
#include "molden/molden_export.h"

namespace mavrolin {

void RegisterMoldenCommands(CLI::App& cli, BatchSession& session) {
    auto fchk = std::make_shared<std::string>();
    auto* cmd = AddFileCommand(
        cli, session,
        {"molden", "Structure, normal modes, basis and orbitals of a Gaussian output as a Molden file", "LOG",
         "Gaussian output file (.log, .out)", "output file (default: LOG without its last four characters + .molden)"},
        [&session, fchk](const FileArgs& a) {
            const std::string checkpoint = BatchSession::Absolute(*fchk);
            std::string out = session.OutputName(a, ".molden");
            if (out.empty()) return;
            auto& app = session.App();
            if (!session.Open(a.input, [&app] {
                    if (!app.form1.OpenLOG1.Click()) throw core::InputError("The log scan is not available in this build.");
                }))
                return;
            auto& form = app.form14;
            if (!checkpoint.empty() && !session.Open(checkpoint, [&form] { form.ImportCoeffsfromfch1Click(); })) return;
            // Orbitals are required only when a checkpoint file was given for them.
            session.Save(out, [&app, need = !checkpoint.empty()] { molden::SaveMoldenFor(app, app.log.FileDum, need); });
        });
    cmd->get_option("LOG")->check(CLI::ExistingFile);
    cmd->add_option("--fchk", *fchk, "formatted checkpoint file of the run: basis, MO energies and coefficients")
        ->check(CLI::ExistingFile);
}

}  // namespace mavrolin
