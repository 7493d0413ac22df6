// The SCF table of the main window (energies of the first job with the convergence
// table that follows each of them) and the two commands that save it.
#include <algorithm>
#include <cmath>

#include "app/application.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/line_reader.h"
#include "core/text_file.h"
#include "core/tokenizer.h"
#include "logscan/log_scan.h"

namespace mavrolin {
namespace logscan {

namespace {

constexpr double kKcalPerHartree = 627.51;
constexpr int kValueCols = 5;  // first of the four force/displacement columns

class EndOfLog {};  // a convergence table lies beyond the last line

// Reading past the counted lines is an error here; so is a target already behind, which
// a forward reader could never reach again.
void Next(core::LineReader& in) {
    if (!in.Next()) throw EndOfLog{};
}
// The next line that may be the "Maximum Force" line of a convergence table.
void NextForceLine(core::LineReader& in) {
    static const core::LineStarts kForce = core::LineStarts().Add("MA", true);
    if (!in.NextStartingWith(kForce)) throw EndOfLog{};
}
void AdvanceTo(core::LineReader& in, long long n) {
    if (in.LineNumber() > n || !in.AdvanceTo(n)) throw EndOfLog{};
}

// The first "Maximum Force" line after line `done`, where reading on from `done` would
// find it, taken from force_pos (ascending; `next` moves along it) instead of reading the
// lines in between.
void GoToForceLineAfter(core::LineReader& in, const core::LoadedLog& log, long long done, size_t& next) {
    if (in.LineNumber() > done) throw EndOfLog{};
    const auto& pos = log.force_pos;
    const auto count = static_cast<size_t>(std::max(log.nforce, 0));
    while (next <= count && next < pos.size() && pos[next] <= done) ++next;
    if (next > count || next >= pos.size() || pos[next] > log.nline) throw EndOfLog{};
    AdvanceTo(in, pos[next]);
}

void Grow(std::vector<double>& v, int n) {
    if (static_cast<size_t>(n) + 3 > v.size()) v.resize(static_cast<size_t>(n) + 3, 0.0);
}

// One force/displacement line of a convergence table: cell text, value, threshold.
// `tok` is kept from line to line: a fresh one sets up a hundred token strings.
void ReadCriterion(Application& app, core::LineTokens& tok, std::string_view line, int row, int col,
                   std::vector<double>& values, double& threshold) {
    auto& log = app.log;
    tok.Split(line);
    const std::string &value = tok[3], &thres = tok[4], &flag = tok[5];
    const int n = log.nforce2;
    Grow(values, n);
    std::string cell = value + "    " + flag;
    double v = !value.empty() && value[0] >= '0' && value[0] <= '9' ? core::ParseDouble(value)
                                                                      : values[static_cast<size_t>(n - 1)];
    if (v == 0.0) {
        v = 0.00001;
        cell = "0.000010    " + flag;
        ++log.zeroinforces;
    }
    values[static_cast<size_t>(n)] = v;
    app.form1.StringGrid1.SetCell(col, row, cell);
    if (n == 1) threshold = core::ParseDouble(thres);
}

// The predicted energy change: Gaussian writes a Fortran D exponent, or NaN.
void ReadPredicted(Application& app, std::string_view line, int row) {
    auto& log = app.log;
    const int n = log.nforce2;
    Grow(log.prdcten, n);
    auto eq = line.find('=');
    std::string text(eq == std::string::npos ? std::string_view() : line.substr(eq + 1));
    if (core::TrimView(text) == "NaN") {
        double v = n == 1 ? 0.01 : log.prdcten[static_cast<size_t>(n - 1)];
        log.prdcten[static_cast<size_t>(n)] = v;
        app.form1.StringGrid1.SetCell(9, row, core::FloatText(v));
        return;
    }
    auto d = text.find('D');
    if (d == std::string::npos) return;
    text[d] = 'E';
    app.form1.StringGrid1.SetCell(9, row, text);
    log.prdcten[static_cast<size_t>(n)] = std::fabs(core::ParseDouble(text));
}

void WriteConvergenceHeaders(ui::StringGrid& grid) {
    static const char* kHeaders[] = {"Maximum Force", "RMS Force",       "Maximum Displ",
                                     "RMS Displcmnt", "Predicted detaE", "ForceDisplPos"};
    for (int c = 0; c < 6; ++c) grid.SetCell(kValueCols + c, 0, kHeaders[c]);
}

void ReadConvergence(Application& app) {
    auto& log = app.log;
    auto& grid = app.form1.StringGrid1;
    grid.SetColCount(11);
    log.nforce2 = 0;
    {
        core::LineReader in(log.FileDum, 5, log.nline, &log.linemarks);
        size_t nextForce = 1;  // into force_pos
        core::LineTokens tok;
        try {
            while (log.nforce2 < log.ndone) {
                int row = ++log.nforce2;
                const long long done = log.scfdone_pos[static_cast<size_t>(row)];
                if (log.forceLinesIndexed) {
                    GoToForceLineAfter(in, log, done, nextForce);
                } else {
                    AdvanceTo(in, done);
                    do NextForceLine(in);
                    while (!core::StartsUpper(in.TrimmedLine(), "MAXIMUM FORCE"));
                }
                grid.SetCell(10, row, core::IntText(in.LineNumber()));
                for (int k = 0; k < 5; ++k) Next(in);
                const long long at = in.LineNumber();
                core::AtLine(at - 5, [&] { ReadCriterion(app, tok, in.TrimmedLine(5), row, 5, log.maxfrce, log.maxf_thres); });
                core::AtLine(at - 4, [&] { ReadCriterion(app, tok, in.TrimmedLine(4), row, 6, log.rmsfrce, log.rmsf_thres); });
                core::AtLine(at - 3, [&] { ReadCriterion(app, tok, in.TrimmedLine(3), row, 7, log.maxdisp, log.maxd_thres); });
                core::AtLine(at - 2, [&] { ReadCriterion(app, tok, in.TrimmedLine(2), row, 8, log.rmsdisp, log.rmsd_thres); });
                core::AtLine(at - 1, [&] { ReadPredicted(app, in.TrimmedLine(1), row); });
                if (row == 1) WriteConvergenceHeaders(grid);
            }
        } catch (const EndOfLog&) {
            --log.nforce2;  // only complete steps count
            app.ShowProblemPos("Error in extracting the maximum force and others!");
        }
    }
    app.Pause(log.sleeptime);
}

}  // namespace

std::string DeltaKcalText(const std::string& previous, const std::string& current) {
    double d = core::ParseDouble(current) - core::ParseDouble(previous);
    double hartree = std::nearbyint(d * 1e8) / 1e8;
    return core::FloatText(std::nearbyint(hartree * kKcalPerHartree * 1e6) / 1e6);
}

void ScfTablePhase(Application& app) {
    auto& log = app.log;
    if (log.ndone <= 0) return;
    auto& grid = app.form1.StringGrid1;
    app.form1.PlaceOnFirstEnergies();
    grid.SetColCount(5);  // a previous table or coordinate list may have left more
    grid.SetRowCount(log.ndone + 1);
    static const char* kHeaders[] = {"Cycle", "E (Hartree)", "SCF Done Position", "STD Orienttn Postn",
                                     "deltaE, kcal/mol"};
    for (int c = 0; c < 5; ++c) grid.SetCell(c, 0, kHeaders[c]);
    for (int i = 1; i <= log.ndone; ++i) {
        grid.SetCell(0, i, core::IntText(i));
        grid.SetCell(1, i, core::FloatText(log.scfengy[static_cast<size_t>(i)]));
        grid.SetCell(2, i, core::IntText(log.scfdone_pos[static_cast<size_t>(i)]));
        if (i <= log.nstd) grid.SetCell(3, i, core::IntText(log.std_pos[static_cast<size_t>(i)]));
    }
    if (log.ndone > 1) {
        grid.SetCell(4, 1, "---");
        for (int i = 2; i <= log.ndone; ++i) grid.SetCell(4, i, DeltaKcalText(grid.Cell(1, i - 1), grid.Cell(1, i)));
    }
    if (log.nforce > 0) ReadConvergence(app);
}

}  // namespace logscan

void TForm1::Save1Click() {
    auto& app = app_;
    auto chosen = app.platform.SaveFileDialog({"Save", "", "", "Text files (*.txt)|*.txt|All files (*.*)|*.*"});
    if (!chosen) return;
    core::TextWriter out(*chosen);
    const int last = StringGrid1.ColCount() - 1;
    for (int r = 0; r < StringGrid1.RowCount(); ++r) {
        std::string line;
        for (int c = 0; c <= last; ++c) {
            std::string cell = StringGrid1.Cell(c, r);
            // The force and displacement cells go without their flag ("    YES").
            if (c >= 5 && c <= 8) cell.resize(cell.size() >= 5 ? cell.size() - 5 : 0);
            line += cell;
            if (c < last) line += '\t';
        }
        out.WriteLine(line);
    }
    out.Close();
    app.Pause(app.log.sleeptime);
}

void TForm1::SaveSCFEnergies1Click() {
    auto& app = app_;
    auto& log = app.log;
    if (log.ndata <= 0 && log.ndone <= 0) return;
    // A relaxed-scan table has an empty third column; an optimisation table is headed
    // "Cycle", "E (Hartree)". A coordinate list in the grid is not an energy table.
    const bool scanTable = StringGrid1.Cell(2, 1).empty();
    const bool optTable = StringGrid1.Cell(0, 0) == "Cycle" && StringGrid1.Cell(1, 0) == "E (Hartree)";
    if (!scanTable && !optTable) return;
    auto chosen = app.platform.SaveFileDialog(DialogOptions("Save SCF Energy Changes during Opt ",
                                                            "Energy files (*.energy)|*.energy|All files (*.*)|*.*",
                                                            core::StemOf4(log.FileDum) + ".energy"));
    if (!chosen) return;
    core::RememberDirectory(log, log.FileDum, [&app](int ms) { app.Pause(ms); });
    core::TextWriter out(*chosen);
    const int rows = std::min(log.ndone, StringGrid1.RowCount() - 1);
    for (int r = 1; r <= rows; ++r) {
        out.WriteLine(StringGrid1.Cell(0, r) + "     " + StringGrid1.Cell(1, r) + "     " + StringGrid1.Cell(2, r) +
                      "     " + StringGrid1.Cell(3, r));
    }
    out.Close();
    app.Pause(log.sleeptime);
}

}  // namespace mavrolin
