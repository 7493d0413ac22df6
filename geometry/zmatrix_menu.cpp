// "Get Final Z-matrix Coordinates  in Log/Out File", the two Z-matrix writers and
// "Show Z-matrix"/"Hide Z-matrix". The symbolic Z-matrix (first in the file) goes into
// StringGrid3, the last Z-matrix table into StringGrid2; every variable then takes its
// final value from the table row that uses it.
#include "geometry/zmatrix_menu.h"

#include "app/application.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/tokenizer.h"
#include "geometry/geometry_text.h"
#include "geometry/zmatrix_reader.h"

namespace mavrolin::geometry {

std::vector<std::string> NamedZmatrixLines(const ui::StringGrid& g, int last,
                                           const std::function<std::string(int)>& torsionTail) {
    const std::string B = "     ";
    auto F = [&g](int c, int r) -> const std::string& { return g.Cell(c, r); };
    auto num = [](int r) { return core::IntText(r); };
    std::vector<std::string> out;
    if (last >= 1) out.push_back(F(2, 1));
    if (last >= 2) out.push_back(F(2, 2) + B + F(3, 2) + "     R2");
    if (last >= 3) out.push_back(F(2, 3) + B + F(3, 3) + "     R3     " + F(6, 3) + "     A3");
    for (int r = 4; r <= last; ++r)
        out.push_back(F(2, r) + B + F(3, r) + "     R" + num(r) + B + F(6, r) + "     A" + num(r) + B + F(9, r) +
                      "     D" + num(r) + torsionTail(r));
    out.push_back("      Variables:");
    // "R2=value": appended piece by piece, as GCC 12 at -O3 warns falsely (-Wrestrict)
    // on "R" + string.
    auto variable = [&](char kind, int r, int col) {
        std::string line(1, kind);
        line += num(r);
        line += '=';
        line += F(col, r);
        out.push_back(std::move(line));
    };
    for (int r = 2; r <= last; ++r) variable('R', r, 4);
    for (int r = 3; r <= last; ++r) variable('A', r, 7);
    for (int r = 4; r <= last; ++r) variable('D', r, 10);
    return out;
}

}  // namespace mavrolin::geometry

namespace mavrolin {

namespace {

constexpr const char* kNoTable =
    "There seems no line involving \"Z-MATRIX (ANGSTROMS AND DEGREES)\" ! In case the number of atoms "
    "exceeds 50, add \"IOp(2/11=1)\" in the route section. Moreover, Freq should be run as a separate job.";
constexpr const char* kTableCutOff =
    "Unexpected error! Discrimination error in reading the Z-matrix formatted output codes!";
constexpr const char* kInputFilter = "Gaussian input (*.com;*.gjf)|*.com;*.gjf|All files (*.*)|*.*";

std::string Tokenised(const std::string& line, core::StrCode& t, int& n) {
    std::string buff = line;
    core::DecodeBlank(buff, t, n);
    return buff;
}

void FillSymbolicGrid(core::LoadedLog& log, ui::StringGrid& g, const geometry::ZmatrixSections& s) {
    core::StrCode t;
    int n = 0;
    g.SetCell(0, 0, "    " + s.charge);
    g.SetCell(1, 0, "    " + s.multiplicity);
    log.natoms = static_cast<int>(s.centres.size());
    log.nparams = static_cast<int>(s.variables.size());
    g.SetRowCount(log.natoms + log.nparams + 2);
    auto fillRow = [&](int row, const std::string& line) {
        Tokenised(line, t, n);
        for (int k = 1; k <= n; ++k) g.SetCell(k - 1, row, t[k]);
    };
    for (int r = 1; r <= log.natoms; ++r) fillRow(r, s.centres[r - 1]);
    g.SetCell(0, log.natoms + 1, "       Variables:");
    for (int j = 1; j <= log.nparams; ++j) fillRow(log.natoms + 1 + j, s.variables[j - 1]);
}

void FillFinalGrid(core::LoadedLog& log, ui::StringGrid& g, const std::vector<std::array<std::string, 13>>& rows) {
    log.ndata = static_cast<int>(rows.size());
    g.SetRowCount(log.ndata + 1);
    g.SetColCount(13);
    g.ClearCells();
    for (int c = 0; c < 13; ++c) g.SetCell(c, 0, geometry::kFinalZmatrixHeaders[static_cast<size_t>(c)]);
    for (int r = 1; r <= log.ndata; ++r)
        for (int c = 0; c < 13; ++c) g.SetCell(c, r, rows[static_cast<size_t>(r - 1)][static_cast<size_t>(c)]);
}

// Gives every variable the table value of the first coordinate that uses it. A
// variable used only with a sign (-D1) takes the value with the sign undone.
void AttachFinalValues(const core::LoadedLog& log, ui::StringGrid& sym, const ui::StringGrid& fin) {
    struct Place {
        int symCol, firstRow, finalCol;
    };
    const Place places[] = {{2, 2, 4}, {4, 3, 7}, {6, 4, 10}};
    for (int j = 1; j <= log.nparams; ++j) {
        int row = log.natoms + 1 + j;
        std::string name = core::UpperAscii(core::Trim(sym.Cell(0, row)));
        if (name.empty()) continue;
        bool found = false;
        for (const auto& p : places) {
            for (int q = p.firstRow; q <= log.natoms && !found; ++q) {
                if (core::UpperAscii(core::Trim(sym.Cell(p.symCol, q))) != name) continue;
                sym.SetCell(3, row, fin.Cell(p.finalCol, q));
                found = true;
            }
            if (found) break;
        }
        for (const auto& p : places) {
            for (int q = p.firstRow; q <= log.natoms && !found; ++q) {
                std::string used = core::Trim(sym.Cell(p.symCol, q));
                if (used.size() < 2 || (used[0] != '-' && used[0] != '+')) continue;
                if (core::UpperAscii(core::Trim(used.substr(1))) != name) continue;
                const std::string& value = fin.Cell(p.finalCol, q);
                sym.SetCell(3, row, used[0] == '-' ? geometry::NegatedValue(core::Trim(value)) : value);
                found = true;
            }
            if (found) break;
        }
    }
}

void ShowZmatrixGrids(TForm1& f, bool show) {
    f.StringGrid2.SetVisible(show);
    f.StringGrid3.SetVisible(show);
    f.ShowZmatrix1.SetCaption(show ? "Hide Z-matrix" : "Show Z-matrix");
}

}  // namespace

void TForm1::GetLastZmatrix1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.OpenFileDialog(
        DialogOptions("Open", "Log files (*.log;*.out)|*.log;*.out|All files (*.*)|*.*"));
    if (chosen) {
        log.zmatlogfile = *chosen;
        core::RememberDirectory(log, *chosen, [this](int ms) { app_.Pause(ms); });
        auto s = geometry::ReadZmatrixSections(*chosen);
        app_.Pause(log.sleeptime);
        log.nline = s.nline;
        if (s.cartesian) {
            app_.ShowMessagePos(
                "The geometry of this job was given in Cartesian coordinates, so it has no Z-matrix to save; "
                "the final orientation (Get Last Standard Orientation) serves instead.");
            app_.Fail();
            return;
        }
        StringGrid3.ClearCells();
        if (s.symbolicFound && s.symbolicComplete) {
            FillSymbolicGrid(log, StringGrid3, s);
        } else {
            // Nothing to pair the table with: the grid and its counts say so.
            log.natoms = 0;
            log.nparams = 0;
            StringGrid3.SetRowCount(2);
            if (s.symbolicFound)
                app_.ShowMessagePos("The symbolic Z-matrix is cut off by the end of the file; it was not read.");
        }
        if (s.tableFound && !s.tableComplete) {
            // The title is there: say that its table is what the file lacks.
            app_.ShowMessagePos(kTableCutOff);
            app_.ShowMessagePos("The table after \"Z-MATRIX (ANGSTROMS AND DEGREES)\" is cut off by the end of "
                                "the file; nothing was read.");
            app_.Fail();
            return;
        }
        if (!s.tableFound) {
            app_.ShowMessagePos(kNoTable);
            app_.Fail();
            return;
        }
        FillFinalGrid(log, StringGrid2, s.table);
    }
    Refresh();
    app_.Pause(log.sleeptime);
    AttachFinalValues(log, StringGrid3, StringGrid2);
    ShowZmatrixGrids(*this, true);
}

void TForm1::SaveZmatinConstrained1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.SaveFileDialog(
        DialogOptions("Save", kInputFilter, core::StemOf4(log.zmatlogfile) + "_const_zmat.com"));
    if (!chosen) return;
    log.FileDum = *chosen;
    core::RememberDirectory(log, *chosen, [this](int ms) { app_.Pause(ms); });
    const auto& g = StringGrid3;
    core::TextWriter w(*chosen);
    w.WriteLine(g.Cell(0, 0) + g.Cell(1, 0));
    for (int r = 1; r <= log.natoms; ++r) {
        std::string text;
        for (int c = 0; c < g.ColCount(); ++c) text += core::Trim(g.Cell(c, r)) + "     ";
        w.WriteLine(core::Trim(text));
    }
    w.WriteLine("      Variables:");
    for (int j = 1; j <= log.nparams; ++j)
        w.WriteLine(g.Cell(0, log.natoms + 1 + j) + "=" + g.Cell(3, log.natoms + 1 + j));
    for (int i = 0; i < 7; ++i) w.WriteLine();
    w.Close();
    app_.Pause(log.sleeptime);
}

void TForm1::SaveZmatintNonconstrained1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.SaveFileDialog(
        DialogOptions("Save", kInputFilter, core::StemOf4(log.zmatlogfile) + "_free_zmat.com"));
    if (!chosen) return;
    log.FileDum = *chosen;
    core::RememberDirectory(log, *chosen, [this](int ms) { app_.Pause(ms); });
    core::TextWriter w(*chosen);
    w.WriteLine(StringGrid3.Cell(0, 0) + StringGrid3.Cell(1, 0));
    // Rows of the final grid; the angle-mode flag of each torsion line comes from the input.
    int last = StringGrid2.RowCount() - 1;
    auto flag = [this](int r) { return "     " + StringGrid3.Cell(7, r); };
    for (const auto& line : geometry::NamedZmatrixLines(StringGrid2, last, flag)) w.WriteLine(line);
    for (int i = 0; i < 7; ++i) w.WriteLine();
    w.Close();
    app_.Pause(log.sleeptime);
}

void TForm1::ShowZmatrix1Click() { ShowZmatrixGrids(*this, !StringGrid2.Visible()); }

}  // namespace mavrolin
