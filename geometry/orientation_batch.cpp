// "mavrolin geometry LOG [-o FILE]": the last orientation of a Gaussian output as a
// labelled Cartesian file, through the same two menu commands a user would click.
#include <memory>
#include <string>

#include "app/application.h"
#include "app/batch.h"
#include "core/dir_memory.h"

namespace mavrolin {

void RegisterOrientationCommands(CLI::App& cli, BatchSession& session) {
    struct Options {
        std::string log, out;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = cli.add_subcommand("geometry", "Final orientation of a Gaussian output as a labelled Cartesian file (.abc)");
    cmd->add_option("LOG", o->log, "Gaussian output file (.log, .out)")->required();
    cmd->add_option("-o,--output", o->out, "output file (default: LOG without its last four characters + .abc)");
    cmd->callback([o, &session] {
        std::string log = BatchSession::Absolute(o->log);
        std::string out = o->out.empty() ? core::StemOf4(log) + ".abc" : BatchSession::Absolute(o->out);
        auto& app = session.App();
        session.platform.AnswerOpen(log);
        if (!session.Run([&app] { app.form1.GetLastStdOrient1Click(); })) return;
        session.platform.AnswerSave(out);
        session.Run([&app] { app.form1.SaveABCwithLabels1Click(); });
    });
}

}  // namespace mavrolin
