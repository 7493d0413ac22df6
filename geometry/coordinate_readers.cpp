// "Read Cartesian Coordinates from *.PDB (Spartan)", "... from *.ENT; *.PDB" and
// "Read Standard Cartesian Coordinates (Space-separated)": atoms into the coordinate
// grid and the atom arrays, in the form the labelled Cartesian writer expects.
#include <optional>
#include <string>

#include <cmath>

#include "app/application.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "core/elements.h"
#include "geometry/geometry_text.h"
#include "geometry/xyz_file.h"

namespace mavrolin {

namespace {

// Field numbers (1-based, see WordFields) of the label and of X, Y, Z.
struct AtomLayout {
    size_t label, x, y, z;
};
constexpr AtomLayout kSpartanLayout{2, 5, 6, 7};
constexpr AtomLayout kEntLayout{2, 6, 7, 8};

constexpr const char* kCannotProcess = "This file cannot be processed!";
constexpr const char* kPdbFilter = "PDB files (*.pdb;*.ent)|*.pdb;*.ent|All files (*.*)|*.*";

enum class MessageStyle { Centred, Positioned };

void Tell(Application& app, MessageStyle style, const std::string& text) {
    if (style == MessageStyle::Centred)
        app.ShowMessageCentred(text);
    else
        app.ShowMessagePos(text);
    app.Fail();
}

void PrepareCoordinateGrid(TForm1& form, int rows) {
    form.ClearStringGrid1Click();
    auto& g = form.StringGrid1;
    if (g.ColCount() < 4) g.SetColCount(4);
    g.SetRowCount(rows + 1);
    g.SetCell(0, 0, "Label");
    g.SetCell(1, 0, "X (A)");
    g.SetCell(2, 0, "Y (A)");
    g.SetCell(3, 0, "Z (A)");
}

void SizeAtomArrays(core::LoadedLog& log, int count) {
    log.ndata = count;
    core::SizeArray(log.lab, count, 10);
    core::SizeArray(log.atomicn, count, 10);
    core::SizeArray(log.a, count, 10);
    core::SizeArray(log.b, count, 10);
    core::SizeArray(log.c, count, 10);
}

// Keeps the record and the grid consistent with the rows actually read when a reading
// stops early, so a later save writes only real atoms.
void KeepRowsRead(Application& app, int rowsRead) {
    app.log.ndata = rowsRead;
    app.form1.StringGrid1.SetRowCount(rowsRead + 1);
}

// Farthest an atom may lie from the origin, in angstrom. Beyond it a number is no
// coordinate, and the fixed-notation writers would print hundreds of digits.
constexpr double kMaxCoordinate = 1e6;

double Coordinate(const std::string& text) {
    double v = core::ParseDouble(text);
    if (!(std::fabs(v) <= kMaxCoordinate))
        throw core::ConversionError("'" + core::Trim(text) + "' is not a coordinate (more than 1000000 A from the origin)");
    return v;
}

// Reads one atom line into row i. False when the line has too few fields.
bool ReadAtomLine(Application& app, int i, const std::string& line, const AtomLayout& layout) {
    auto fields = geometry::WordFields(line);
    if (fields.size() < layout.z) return false;
    auto& log = app.log;
    std::string label = core::Trim(fields[layout.label - 1]);
    double x = Coordinate(fields[layout.x - 1]);
    double y = Coordinate(fields[layout.y - 1]);
    double z = Coordinate(fields[layout.z - 1]);
    log.lab[i] = label;
    log.atomicn[i] = geometry::AtomicNumberOfLabel(label);
    log.a[i] = x;
    log.b[i] = y;
    log.c[i] = z;
    auto& g = app.form1.StringGrid1;
    g.SetCell(0, i, label);
    g.SetCell(1, i, core::FloatText(x));
    g.SetCell(2, i, core::FloatText(y));
    g.SetCell(3, i, core::FloatText(z));
    return true;
}

// Reads `count` atom lines starting after the line the reader last read. Stops at a
// short line, an empty line, the end of the file or a number that is not one.
void ReadAtomRows(Application& app, core::TextReader& reader, int count, const AtomLayout& layout,
                  MessageStyle style) {
    std::string line;
    for (int i = 1; i <= count; ++i) {
        if (!reader.ReadLine(line)) {
            KeepRowsRead(app, i - 1);
            Tell(app, style, "The file ended before atom " + std::to_string(i) + "; " +
                                 std::to_string(i - 1) + " atoms were read.");
            return;
        }
        bool complete = false;
        try {
            complete = ReadAtomLine(app, i, line, layout);
        } catch (const core::ConversionError& e) {
            KeepRowsRead(app, i - 1);
            throw core::ConversionError("Line " + std::to_string(reader.LineNumber()) + ": " + e.what());
        }
        if (!complete) {
            KeepRowsRead(app, i - 1);
            Tell(app, style,
                 "Line " + std::to_string(reader.LineNumber()) + (core::IsBlank(line) ? " is empty" : " has too few fields") +
                     "; the reading stopped there with " + std::to_string(i - 1) + " atoms.");
            return;
        }
    }
}

// A coordinate file is the loaded file now: no job of its own, and the windows drawn
// from the scanned log's steps no longer match the main table.
void CoordinatesLoaded(Application& app) {
    app.log.jobEnd = core::JobEnd::Unknown;
    app.LogChanged(false);
}

// Both PDB readers: the first run of HETATM records, which must be followed by a line.
void ReadPdbFile(TForm1& form, Application& app, const AtomLayout& layout, MessageStyle style) {
    auto& log = app.log;
    auto chosen = app.platform.OpenFileDialog(form.DialogOptions("Open", kPdbFilter));
    if (!chosen) {
        Tell(app, style, kCannotProcess);
        return;
    }
    core::RememberDirectory(log, *chosen, [&app](int ms) { app.Pause(ms); });

    long long first = 0, after = 0, nline = 0;
    {
        core::TextReader reader(*chosen);
        std::string line;
        while (reader.ReadLine(line)) {
            bool het = core::TrimmedPrefix(line, 6) == "HETATM";
            if (first == 0 && het)
                first = reader.LineNumber();
            else if (first != 0 && after == 0 && !het)
                after = reader.LineNumber();
        }
        nline = reader.LineNumber();
    }
    app.Pause(log.sleeptime);
    if (first == 0 || after == 0) {
        Tell(app, style,
             std::string(kCannotProcess) + (first == 0 ? " It holds no HETATM records."
                                                       : " Its HETATM records run to the end of the file."));
        return;
    }

    // Only a file with atoms to read becomes the loaded one.
    log.FileDum = *chosen;
    log.nline = nline;
    int count = static_cast<int>(after - first);
    SizeAtomArrays(log, count);
    log.pick_energy_check = false;
    PrepareCoordinateGrid(form, count);
    {
        core::TextReader reader(*chosen);
        std::string line;
        if (first > 1) reader.AdvanceTo(first - 1, line);
        ReadAtomRows(app, reader, count, layout, style);
    }
    app.Pause(log.sleeptime);
    CoordinatesLoaded(app);
}

}  // namespace

void TForm1::ReadPDBSpartan1Click() { ReadPdbFile(*this, app_, kSpartanLayout, MessageStyle::Centred); }

void TForm1::ReadCartesianCoordinatesfromENTPDB1Click() {
    ReadPdbFile(*this, app_, kEntLayout, MessageStyle::Positioned);
}

void TForm1::ReadStandardABC1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.OpenFileDialog(
        DialogOptions("Open", "Coordinate files (*.txt;*.xyz)|*.txt;*.xyz|All files (*.*)|*.*"));
    if (!chosen) return;
    if (geometry::StartsWithAtomCount(*chosen)) return ReadXyzFile(*chosen);
    log.FileDum = *chosen;
    core::RememberDirectory(log, *chosen, [this](int ms) { app_.Pause(ms); });

    log.nline = core::CountLines(*chosen);
    app_.Pause(log.sleeptime);
    int count = static_cast<int>(log.nline);
    SizeAtomArrays(log, count);
    log.pick_energy_check = false;
    PrepareCoordinateGrid(*this, count);
    {
        core::TextReader reader(*chosen);
        ReadAtomRows(app_, reader, count, kSpartanLayout, MessageStyle::Positioned);
    }
    app_.Pause(log.sleeptime);
    CoordinatesLoaded(app_);
}

// A standard XYZ file: read whole before anything changes, so a bad line leaves the
// table and the record as they were. Labels are the element and the row number.
void TForm1::ReadXyzFile(const std::string& file) {
    auto& log = app_.log;
    const geometry::XyzMolecule molecule = geometry::ReadXyz(file);
    log.FileDum = file;
    core::RememberDirectory(log, file, [this](int ms) { app_.Pause(ms); });
    log.nline = core::CountLines(file);
    const int count = static_cast<int>(molecule.atoms.size());
    SizeAtomArrays(log, count);
    log.pick_energy_check = false;
    PrepareCoordinateGrid(*this, count);
    for (int i = 1; i <= count; ++i) {
        const auto& atom = molecule.atoms[static_cast<size_t>(i) - 1];
        const auto u = static_cast<size_t>(i);
        log.lab[u] = core::ElementLabel(atom.atomicNumber, i) + (atom.atomicNumber > 0 ? core::IntText(i) : "");
        log.atomicn[u] = atom.atomicNumber;
        log.a[u] = atom.x;
        log.b[u] = atom.y;
        log.c[u] = atom.z;
        StringGrid1.SetCell(0, i, log.lab[u]);
        StringGrid1.SetCell(1, i, core::FloatText(atom.x));
        StringGrid1.SetCell(2, i, core::FloatText(atom.y));
        StringGrid1.SetCell(3, i, core::FloatText(atom.z));
    }
    app_.Pause(log.sleeptime);
    CoordinatesLoaded(app_);
}

}  // namespace mavrolin
