// "Convert Z-Matrix Format; Numerical (Gaussview.gjf) to Standard (Rn=,An=,Dn=)": the
// Z-matrix of a Gaussian input goes into the final Z-matrix grid and is written back
// with every coordinate as a named variable.
#include <algorithm>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "geometry/geometry_text.h"
#include "geometry/input_zmatrix.h"
#include "geometry/zmatrix_menu.h"

namespace mavrolin {

namespace {

constexpr const char* kNotFound = "There seems no line involving \"Z-MATRIX (ANGSTROMS AND DEGREES)\" !";
constexpr const char* kInputFilter =
    "Gaussian input (*.gjf;*.com)|*.gjf;*.com|All files (*.*)|*.*";

// Column of the final Z-matrix grid for token k (1-based) of a Z-matrix line.
constexpr int kTokenColumn[9] = {-1, 2, 3, 4, 6, 7, 9, 10, 12};

void PrepareFinalGrid(ui::StringGrid& g, int rows) {
    g.SetColCount(13);
    g.SetRowCount(rows + 1);
    g.ClearCells();
    const std::pair<int, const char*> headers[] = {{2, "Elem"}, {3, "BndTo"},    {4, "Bnd(A)"},   {6, "AngTo"},
                                                   {7, "Ang(deg)"}, {9, "TrsTo"}, {10, "Tors(deg)"}};
    for (const auto& [col, text] : headers) g.SetCell(col, 0, text);
}

// The named lines, keeping the angle-mode flag of a line: its second angle is named as
// an angle (AAn), not as a dihedral.
std::vector<std::string> ConvertedLines(const ui::StringGrid& g, int last) {
    using geometry::IsAngleFlag;
    auto tail = [&g](int r) { return IsAngleFlag(g.Cell(12, r)) ? "     " + g.Cell(12, r) : std::string(); };
    auto lines = geometry::NamedZmatrixLines(g, last, tail);
    for (int r = 4; r <= last; ++r) {
        if (!IsAngleFlag(g.Cell(12, r))) continue;
        const std::string d = "D" + core::IntText(r), aa = "AA" + core::IntText(r);
        std::string& atom = lines[static_cast<size_t>(r - 1)];
        auto at = atom.rfind("     " + d);
        if (at != std::string::npos) atom.replace(at + 5, d.size(), aa);
        for (auto& line : lines)
            if (line.rfind(d + "=", 0) == 0) line.replace(0, d.size(), aa);
    }
    return lines;
}

}  // namespace

void TForm1::ConvertZmatrix1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.OpenFileDialog(DialogOptions("Open", kInputFilter));
    if (chosen) {
        log.FileDum = *chosen;
        core::RememberDirectory(log, *chosen, [this](int ms) { app_.Pause(ms); });
        const auto z = geometry::ReadInputZmatrix(*chosen);
        app_.Pause(log.sleeptime);
        log.nline = z.nline;
        const auto [rows, refused, unresolved] = geometry::ResolveInputZmatrix(z);
        if (!refused.empty()) {
            app_.ShowMessagePos(refused + "; nothing was converted.");
            app_.Fail();
        } else if (z.started && !z.complete && !z.lines.empty()) {
            app_.ShowMessagePos("The Z-matrix is cut off by the end of the file; nothing was converted.");
            app_.Fail();
        } else if (!z.complete) {
            app_.ShowMessagePos(kNotFound);
            app_.Fail();
        } else if (!unresolved.empty()) {
            app_.ShowMessagePos("The variable " + unresolved + " has no value in the input; nothing was converted.");
            app_.Fail();
        } else {
            log.ndata = static_cast<int>(rows.size());
            PrepareFinalGrid(StringGrid2, log.ndata);
            for (int r = 1; r <= log.ndata; ++r) {
                const auto& row = rows[static_cast<size_t>(r - 1)];
                for (size_t k = 0; k < row.size(); ++k) StringGrid2.SetCell(kTokenColumn[k + 1], r, row[k]);
            }
        }
    }

    auto target = app_.platform.SaveFileDialog(
        DialogOptions("Save", kInputFilter, core::StemOf4(log.FileDum) + "_zmat.com"));
    if (!target) return;
    log.FileDum = *target;
    core::RememberDirectory(log, *target, [this](int ms) { app_.Pause(ms); });
    core::TextWriter w(*target);
    int last = StringGrid2.RowCount() - 1;
    for (const auto& line : ConvertedLines(StringGrid2, last)) w.WriteLine(line);
    for (int i = 0; i < 7; ++i) w.WriteLine();
    w.Close();
    app_.Pause(log.sleeptime);
    StringGrid2.SetVisible(true);
    ShowZmatrix1.SetCaption("Hide Z-matrix");
}

}  // namespace mavrolin
