// Batch commands of the coordinate and Z-matrix readers: each answers the dialogs a
// user would see and clicks the same menu handlers.
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/application.h"
#include "app/batch.h"
#include "core/dir_memory.h"

namespace mavrolin {

namespace {

// Moves a file written into the private scratch folder to where the user wants it.
void Deliver(BatchSession& session, const std::filesystem::path& scratch, const std::string& dest) {
    std::error_code ec;
    std::filesystem::copy_file(scratch, dest, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) session.Fail("cannot write " + dest + ": " + ec.message());
}

void AddZmatrixCommand(CLI::App& cli, BatchSession& session) {
    struct Options {
        std::string log, out;
        bool constrained = false, free = false;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = cli.add_subcommand("zmatrix", "Final Z-matrix of a Gaussian output as Gaussian input molecule lines");
    cmd->add_option("LOG", o->log, "Gaussian output file with a Z-matrix")->required();
    auto* c = cmd->add_flag("--constrained", o->constrained, "keep the input's variables (LOG stem + _const_zmat.com)");
    auto* f = cmd->add_flag("--free", o->free, "one variable per internal coordinate (LOG stem + _free_zmat.com)");
    c->excludes(f);
    cmd->add_option("-o,--output", o->out, "output file instead of the proposed name");
    cmd->callback([o, &session] {
        if (!o->constrained && !o->free) throw CLI::RequiredError("--constrained or --free");
        std::string log = BatchSession::Absolute(o->log);
        std::string out = BatchSession::Absolute(o->out);
        auto& app = session.App();
        session.platform.AnswerOpen(log);
        if (!session.Run([&app] { app.form1.GetLastZmatrix1Click(); })) return;
        if (out.empty()) out = core::StemOf4(log) + (o->constrained ? "_const_zmat.com" : "_free_zmat.com");
        session.platform.AnswerSave(out);
        session.Run([&app, constrained = o->constrained] {
            if (constrained)
                app.form1.SaveZmatinConstrained1Click();
            else
                app.form1.SaveZmatintNonconstrained1Click();
        });
    });
}

void AddConvertZmatrixCommand(CLI::App& cli, BatchSession& session) {
    struct Options {
        std::string input, out;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = cli.add_subcommand("convert-zmatrix",
                                   "Numerical Z-matrix of a Gaussian input rewritten with R/A/D variables");
    cmd->add_option("INPUT", o->input, "Gaussian input file (.gjf, .com)")->required();
    cmd->add_option("-o,--output", o->out, "output file (default: INPUT stem + _zmat.com)");
    cmd->callback([o, &session] {
        std::string input = BatchSession::Absolute(o->input);
        std::string out = o->out.empty() ? core::StemOf4(input) + "_zmat.com" : BatchSession::Absolute(o->out);
        auto& app = session.App();
        // The window offers the save even after a refused input; only a good result
        // leaves the scratch folder.
        auto scratch = session.Scratch("converted_zmat.com");
        session.platform.AnswerOpen(input);
        session.platform.AnswerSave(scratch.string());
        if (session.Run([&app] { app.form1.ConvertZmatrix1Click(); })) Deliver(session, scratch, out);
    });
}

void AddCoordsCommand(CLI::App& cli, BatchSession& session) {
    struct Options {
        std::string file, out;
        bool pdb = false, ent = false, xyz = false;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = cli.add_subcommand("coords", "Coordinates of a PDB/ENT or space-separated file as a labelled Cartesian file");
    cmd->add_option("FILE", o->file, "coordinate file")->required();
    auto* pdb = cmd->add_flag("--pdb", o->pdb, "PDB file without chain identifiers (Spartan)");
    auto* ent = cmd->add_flag("--ent", o->ent, "standard PDB/ENT file with chain identifiers");
    auto* xyz = cmd->add_flag("--xyz", o->xyz, "space-separated atom lines");
    pdb->excludes(ent)->excludes(xyz);
    ent->excludes(xyz);
    cmd->add_option("-o,--output", o->out, "output file (default: FILE stem + .abc)");
    cmd->callback([o, &session] {
        if (!o->pdb && !o->ent && !o->xyz) throw CLI::RequiredError("--pdb, --ent or --xyz");
        std::string file = BatchSession::Absolute(o->file);
        std::string out = o->out.empty() ? core::StemOf4(file) + ".abc" : BatchSession::Absolute(o->out);
        auto& app = session.App();
        session.platform.AnswerOpen(file);
        bool read = session.Run([&app, o] {
            if (o->pdb)
                app.form1.ReadPDBSpartan1Click();
            else if (o->ent)
                app.form1.ReadCartesianCoordinatesfromENTPDB1Click();
            else
                app.form1.ReadStandardABC1Click();
        });
        if (!read) return;
        if (app.log.ndata == 0) {
            session.Fail("no atoms in " + file);
            return;
        }
        session.platform.AnswerSave(out);
        session.Run([&app] { app.form1.SaveABCwithLabels1Click(); });
    });
}

void AddScanCommand(CLI::App& cli, BatchSession& session) {
    struct Options {
        std::string log, out;
    };
    auto o = std::make_shared<Options>();
    auto* cmd = cli.add_subcommand("scan", "SCF energy of every point of a relaxed scan (.energy)");
    cmd->add_option("LOG", o->log, "Gaussian output of a relaxed scan")->required();
    cmd->add_option("-o,--output", o->out, "output file (default: LOG stem + .energy)");
    cmd->callback([o, &session] {
        std::string log = BatchSession::Absolute(o->log);
        std::string out = o->out.empty() ? core::StemOf4(log) + ".energy" : BatchSession::Absolute(o->out);
        auto& app = session.App();
        session.platform.AnswerOpen(log);
        if (!session.Run([&app] { app.form1.OpenLogOutFileSCAN1Click(); })) return;
        if (app.log.ndone == 0) {
            session.Fail("no scan points in " + log);
            return;
        }
        session.platform.AnswerSave(out);
        session.Run([&app] { app.form1.SaveSCFEnergies1Click(); });
    });
}

}  // namespace

void RegisterGeometryCommands(CLI::App& cli, BatchSession& session) {
    AddZmatrixCommand(cli, session);
    AddConvertZmatrixCommand(cli, session);
    AddCoordsCommand(cli, session);
    AddScanCommand(cli, session);
}

}  // namespace mavrolin
