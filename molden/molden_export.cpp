#include "molden/molden_export.h"

#include "app/application.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "geometry/orientation_reader.h"
#include "irraman/ir_window.h"
#include "pdos/coefficient_exports.h"
#include "pdos/coefficient_reader.h"
#include "pdos/coefficient_window.h"

namespace mavrolin {

namespace molden {

MoldenData GatherMolden(Application& app, const std::string& log, bool needOrbitals, std::vector<std::string>& notes) {
    MoldenData data;
    data.title = std::filesystem::path(log).filename().string();
    core::LineMarks marks;
    const auto search = geometry::FindLastOrientation(log, &marks);
    if (!search.last) throw core::InputError("There seems no orientation block in \"" + log + "\": no atoms to write.");
    for (const auto& a : geometry::ReadOrientationAtoms(log, *search.last, &marks))
        data.atoms.push_back({a.atomicNumber >= 1 && a.atomicNumber <= 118 ? static_cast<int>(a.atomicNumber) : 0, a.a,
                              a.b, a.c});
    app.Pause(app.log.sleeptime);

    data.modes = ReadNormalModes(log);
    if (!data.modes.leftOut.empty())
        notes.push_back("Modes " + pdos::OrbitalRanges(data.modes.leftOut) +
                        " are left out: their values or displacements are not printed whole in the log.");

    const auto& form = app.form14;
    const bool tables = form.Tables.file == log && pdos::HasCoefficients(form.Tables);
    if (tables) {
        try {
            data.basis = form.CheckpointFile.empty() ? ReadGfprintBasis(log) : ReadCheckpointBasis(form.CheckpointFile);
            data.basis.CheckWritable();
            data.orbitals = OrbitalsFromTables(form.Tables);
        } catch (const core::InputError& e) {
            if (needOrbitals || data.modes.Empty()) throw;
            data.basis = {};
            data.orbitals.clear();
            notes.push_back(std::string("The orbitals are left out: ") + e.what());
        }
    } else if (needOrbitals) {
        throw core::InputError("The coefficient tables hold no MO coefficients of \"" + log +
                               "\": run the job with Pop=Full or import a formatted checkpoint file.");
    }
    if (data.modes.Empty() && data.orbitals.empty())
        throw core::InputError("\"" + log + "\" holds neither normal modes nor MO coefficients to write.");
    return data;
}

void SaveMoldenFor(Application& app, const std::string& log, bool needOrbitals) {
    if (log.empty()) {
        app.ShowMessagePos("No log is loaded: open a log first.");
        app.Fail();
        return;
    }
    auto chosen = app.platform.SaveFileDialog(app.form1.DialogOptions(
        "Save as Molden", "Molden files (*.molden)|*.molden|All files (*.*)|*.*", core::StemOf4(log) + ".molden"));
    if (!chosen) return;
    std::vector<std::string> notes;
    const auto data = GatherMolden(app, log, needOrbitals, notes);
    WriteMolden(*chosen, data);
    for (const auto& n : notes) app.ShowMessagePos(n);
    app.Pause(app.log.sleeptime);
}

}  // namespace molden

void TForm19::SaveMolden1Click() { molden::SaveMoldenFor(app_, LogFile(), false); }

void TForm14::SaveMolden1Click() { molden::SaveMoldenFor(app_, Tables.file, true); }

}  // namespace mavrolin
