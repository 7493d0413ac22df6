// Batch commands of the coordinate and Z-matrix readers: each answers the dialogs a
// user would see and clicks the same menu handlers.
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/application.h"
#include "app/batch.h"

namespace mavrolin {

namespace {

// "mavrolin geometry LOG [-o FILE] [--trajectory FILE.xyz]": the last orientation as a
// labelled Cartesian file; with --trajectory every orientation as a multi-frame XYZ file
// instead (and the last one too when -o is given).
void AddGeometryCommand(CLI::App& cli, BatchSession& session) {
    auto xyz = std::make_shared<bool>(false);
    auto trajectory = std::make_shared<std::string>();
    auto* cmd = AddFileCommand(
        cli, session,
        {"geometry", "Final orientation of a Gaussian output as a labelled Cartesian file (.abc) or XYZ file", "LOG",
         "Gaussian output file (.log, .out)",
         "output file (default: LOG without its last four characters + .abc, or + .xyz with --xyz)"},
        [&session, xyz, trajectory](const FileArgs& a) {
            auto& app = session.App();
            if (!trajectory->empty()) {
                const std::string path = BatchSession::Absolute(*trajectory);
                if (!session.Open(a.input, [&app] { app.form1.GetLastStdOrient1Click(); })) return;
                if (!session.Save(path, [&app] { app.form2.SaveTrajectory1Click(); }) || a.output.empty()) return;
            }
            std::string out = session.OutputName(a, *xyz ? ".xyz" : ".abc");
            if (out.empty()) return;
            if (app.log.FileDum.empty() && !session.Open(a.input, [&app] { app.form1.GetLastStdOrient1Click(); })) return;
            session.Save(out, [&app, xyz] {
                if (*xyz)
                    app.form1.SaveXYZ1Click();
                else
                    app.form1.SaveABCwithLabels1Click();
            });
        });
    cmd->add_option("--trajectory", *trajectory,
                    "write every orientation of the log as one frame of a multi-frame XYZ file (comment: step, "
                    "scan point, SCF energy)");
    cmd->add_flag("--xyz", *xyz, "write a standard XYZ file (count, comment with the log name and final SCF energy)");
}

void AddZmatrixCommand(CLI::App& cli, BatchSession& session) {
    struct Flags {
        bool constrained = false, free = false;
    };
    auto f = std::make_shared<Flags>();
    auto* cmd = AddFileCommand(
        cli, session,
        {"zmatrix", "Final Z-matrix of a Gaussian output as Gaussian input molecule lines", "LOG",
         "Gaussian output file with a Z-matrix", "output file instead of the proposed name"},
        [f, &session](const FileArgs& a) {
            if (!f->constrained && !f->free) throw CLI::RequiredError("--constrained or --free");
            auto& app = session.App();
            if (!session.Open(a.input, [&app] { app.form1.GetLastZmatrix1Click(); })) return;
            std::string out = session.OutputName(a, f->constrained ? "_const_zmat.com" : "_free_zmat.com");
            if (out.empty()) return;
            session.Save(out, [&app, constrained = f->constrained] {
                if (constrained)
                    app.form1.SaveZmatinConstrained1Click();
                else
                    app.form1.SaveZmatintNonconstrained1Click();
            });
        });
    auto* c = cmd->add_flag("--constrained", f->constrained, "keep the input's variables (LOG stem + _const_zmat.com)");
    auto* fr = cmd->add_flag("--free", f->free, "one variable per internal coordinate (LOG stem + _free_zmat.com)");
    c->excludes(fr);
}

void AddConvertZmatrixCommand(CLI::App& cli, BatchSession& session) {
    AddFileCommand(cli, session,
                   {"convert-zmatrix", "Numerical Z-matrix of a Gaussian input rewritten with R/A/D variables",
                    "INPUT", "Gaussian input file (.gjf, .com)", "output file (default: INPUT stem + _zmat.com)"},
                   [&session](const FileArgs& a) {
                       std::string out = session.OutputName(a, "_zmat.com");
                       if (out.empty()) return;
                       auto& app = session.App();
                       // The window offers the save even after a refused input; only a good
                       // result leaves the scratch folder.
                       auto scratch = session.Scratch("converted_zmat.com");
                       session.platform.AnswerSave(scratch.string());
                       if (session.Open(a.input, [&app] { app.form1.ConvertZmatrix1Click(); }))
                           session.DeliverCopy(scratch, out);
                   });
}

void AddCoordsCommand(CLI::App& cli, BatchSession& session) {
    struct Flags {
        bool pdb = false, ent = false, xyz = false;
    };
    auto f = std::make_shared<Flags>();
    auto* cmd = AddFileCommand(
        cli, session,
        {"coords", "Coordinates of a PDB/ENT or space-separated file as a labelled Cartesian file", "FILE",
         "coordinate file", "output file (default: FILE stem + .abc)"},
        [f, &session](const FileArgs& a) {
            if (!f->pdb && !f->ent && !f->xyz) throw CLI::RequiredError("--pdb, --ent or --xyz");
            std::string out = session.OutputName(a, ".abc");
            if (out.empty()) return;
            auto& app = session.App();
            bool read = session.Open(a.input, [&app, f] {
                if (f->pdb)
                    app.form1.ReadPDBSpartan1Click();
                else if (f->ent)
                    app.form1.ReadCartesianCoordinatesfromENTPDB1Click();
                else
                    app.form1.ReadStandardABC1Click();
            });
            if (!read) return;
            if (app.log.ndata == 0) return session.Fail("no atoms in " + a.input);
            session.Save(out, [&app] { app.form1.SaveABCwithLabels1Click(); });
        });
    auto* pdb = cmd->add_flag("--pdb", f->pdb, "PDB file without chain identifiers (Spartan)");
    auto* ent = cmd->add_flag("--ent", f->ent, "standard PDB/ENT file with chain identifiers");
    auto* xyz = cmd->add_flag("--xyz", f->xyz, "standard XYZ file (count, comment, atoms) or space-separated atom lines");
    pdb->excludes(ent)->excludes(xyz);
    ent->excludes(xyz);
}

void AddScanCommand(CLI::App& cli, BatchSession& session) {
    AddFileCommand(cli, session,
                   {"scan", "SCF energy of every point of a relaxed scan (.energy)", "LOG",
                    "Gaussian output of a relaxed scan", "output file (default: LOG stem + .energy)"},
                   [&session](const FileArgs& a) {
                       std::string out = session.OutputName(a, ".energy");
                       if (out.empty()) return;
                       auto& app = session.App();
                       if (!session.Open(a.input, [&app] { app.form1.OpenLogOutFileSCAN1Click(); })) return;
                       if (app.log.ndone == 0) return session.Fail("no scan points in " + a.input);
                       session.Save(out, [&app] { app.form1.SaveSCFEnergies1Click(); });
                   });
}

}  // namespace

void RegisterGeometryCommands(CLI::App& cli, BatchSession& session) {
    AddZmatrixCommand(cli, session);
    AddConvertZmatrixCommand(cli, session);
    AddCoordsCommand(cli, session);
    AddScanCommand(cli, session);
    AddGeometryCommand(cli, session);
}

}  // namespace mavrolin
