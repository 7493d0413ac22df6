// "Get Final Standard Orientation", "Save Cartesian Coordinates with Labels" and "Save as
// XYZ": the atoms of the orientation reader shown in the coordinate table and saved from it.
#include "geometry/orientation_menu.h"

#include <array>

#include "app/application.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "geometry/xyz_file.h"
#include "logscan/log_check.h"

namespace mavrolin {

namespace geometry {

namespace {
// The X, Y and Z cells of one row of the coordinate table, each read as a number.
std::array<double, 3> RowCoordinates(const ui::StringGrid& grid, int row) {
    std::array<double, 3> xyz{};
    for (int col = 1; col <= 3; ++col)
        if (!core::TryParseDouble(grid.Cell(col, row), xyz[static_cast<size_t>(col) - 1]))
            throw core::ConversionError("Row " + core::IntText(row) + " of the coordinate table: '" +
                                        grid.Cell(col, row) + "' is not a valid floating point value");
    return xyz;
}
}  // namespace

void FillCoordinateGrid(ui::StringGrid& grid, const std::vector<OrientationAtom>& atoms) {
    if (grid.ColCount() < 4) grid.SetColCount(4);
    grid.SetRowCount(static_cast<int>(atoms.size()) + 1);
    grid.SetCell(0, 0, "Label");
    grid.SetCell(1, 0, "X (A)");
    grid.SetCell(2, 0, "Y (A)");
    grid.SetCell(3, 0, "Z (A)");
    for (size_t i = 0; i < atoms.size(); ++i) {
        int row = static_cast<int>(i) + 1;
        grid.SetCell(0, row, AtomLabel(atoms[i].atomicNumber, row));
        grid.SetCell(1, row, atoms[i].x);
        grid.SetCell(2, row, atoms[i].y);
        grid.SetCell(3, row, atoms[i].z);
    }
}

void StoreAtoms(core::LoadedLog& log, const std::vector<OrientationAtom>& atoms) {
    log.ndata = static_cast<int>(atoms.size());
    auto size = static_cast<size_t>(log.ndata) + 10;
    log.lab.resize(size);
    log.atomicn.resize(size);
    log.a.resize(size);
    log.b.resize(size);
    log.c.resize(size);
    for (size_t i = 0; i < atoms.size(); ++i) {
        const auto& atom = atoms[i];
        log.lab[i + 1] = AtomLabel(atom.atomicNumber, static_cast<int>(i) + 1);
        log.atomicn[i + 1] = static_cast<int>(atom.atomicNumber);
        log.a[i + 1] = atom.a;
        log.b[i + 1] = atom.b;
        log.c[i + 1] = atom.c;
    }
}

void WriteLabelledCartesian(const std::filesystem::path& file, const ui::StringGrid& grid, int rows) {
    core::TextWriter writer(file);
    for (int i = 1; i <= rows; ++i) {
        const auto xyz = RowCoordinates(grid, i);
        writer.WriteLine(LabelledCartesianLine(grid.Cell(0, i), xyz[0], xyz[1], xyz[2]));
    }
    writer.Close();
}

}  // namespace geometry

// ---------------------------------------------------------------- main-window commands

void TForm1::GetLastStdOrient1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.OpenFileDialog(DialogOptions("Get Final Standard Orientation", ""));
    if (!chosen) return;
    const std::string file = *chosen;
    core::RememberDirectory(log, file, [this](int ms) { app_.Pause(ms); });
    // One pass counts the lines, takes their marks and finds the last orientation.
    core::LineMarks marks;
    auto search = geometry::FindLastOrientation(file, &marks);
    app_.Pause(log.sleeptime);
    if (search.cutOffHeader > 0) {
        std::string text = "The orientation at line " + core::IntText(search.cutOffHeader) +
                           " is cut off by the end of the file and was not read.";
        if (search.last) text += " The complete one at line " + core::IntText(search.last->header) + " is used.";
        app_.ShowMessagePos(text);
    }
    if (!search.last) {
        app_.ShowMessagePos("There seems no line involving \"Standard orientation:\" !");
        app_.Fail();
        return;
    }

    // Read the whole block before anything changes, so a bad line leaves grid and arrays as they were.
    auto atoms = geometry::ReadOrientationAtoms(file, *search.last, &marks);
    app_.Pause(log.sleeptime);
    // Only a file that was read becomes the loaded one: windows that read the log by line
    // number never meet a file they were not drawn from.
    log.FileDum = file;
    log.nline = search.lines;
    log.linemarks = std::move(marks);
    log.jobEnd = logscan::ReadJobEnd(file);
    log.pick_energy_check = false;
    geometry::StoreAtoms(log, atoms);
    ClearStringGrid1Click();
    geometry::FillCoordinateGrid(StringGrid1, atoms);
    app_.LogChanged(false);
}

namespace {
// After a log scan the grid holds the SCF-step table; writing its rows as atoms would
// give a file of nonsense coordinates, so only a coordinate table is saved.
bool RefuseWithoutCoordinates(Application& app, const ui::StringGrid& grid) {
    if (grid.Cell(0, 0) != "Cycle" && app.log.ndata > 0) return false;
    app.ShowMessagePos(
        "The main table holds no Cartesian coordinates. Read a structure first (final "
        "orientation, PDB/ENT or space-separated file).");
    app.Fail();
    return true;
}
}  // namespace

void TForm1::SaveABCwithLabels1Click() {
    auto& log = app_.log;
    if (!((log.ndata > 0 || log.ndone > 0) && !StringGrid1.Cell(2, 1).empty())) return;
    if (RefuseWithoutCoordinates(app_, StringGrid1)) return;
    std::string proposed = core::StemOf4(log.FileDum) + ".abc";
    auto chosen = app_.platform.SaveFileDialog(
        DialogOptions("Save Cartesian Coordinates with Labels",
                      "Labelled Cartesian (*.abc)|*.abc|All files (*.*)|*.*", proposed));
    if (!chosen) return;
    if (!log.FileDum.empty()) core::RememberDirectory(log, log.FileDum, [this](int ms) { app_.Pause(ms); });
    geometry::WriteLabelledCartesian(*chosen, StringGrid1, log.ndata);
    app_.Pause(log.sleeptime);
}

// The coordinate table as shown, elements from the atom record, and a comment naming the
// file the structure came from with its final SCF energy when it is a Gaussian output.
void TForm1::SaveXYZ1Click() {
    auto& log = app_.log;
    if (RefuseWithoutCoordinates(app_, StringGrid1)) return;
    auto chosen = app_.platform.SaveFileDialog(
        DialogOptions("Save as XYZ", "XYZ files (*.xyz)|*.xyz|All files (*.*)|*.*", core::StemOf4(log.FileDum) + ".xyz"));
    if (!chosen) return;
    geometry::XyzMolecule molecule;
    for (int i = 1; i <= log.ndata; ++i) {
        const auto xyz = geometry::RowCoordinates(StringGrid1, i);
        molecule.atoms.push_back({log.atomicn[static_cast<size_t>(i)], xyz[0], xyz[1], xyz[2]});
    }
    molecule.comment = std::filesystem::path(log.FileDum).filename().string();
    if (!log.FileDum.empty()) {
        const std::string energy = geometry::LastScfEnergyText(log.FileDum);
        if (!energy.empty()) molecule.comment += "  SCF energy " + energy + " hartree";
    }
    geometry::WriteXyz(*chosen, molecule);
    app_.Pause(log.sleeptime);
}

}  // namespace mavrolin
