#include "logscan/summary_window.h"

#include <algorithm>

#include "app/application.h"
#include "core/text_file.h"

namespace mavrolin {

namespace {

constexpr int kSummaryWidth = 700;     // room for the two summary columns and a scroll bar
constexpr int kStructureHeight = 420;
const std::string kDashes(80, '-');

}  // namespace

std::string ProposedReportName(const std::string& logPath) {
    std::string stem = logPath.size() > 4 ? logPath.substr(0, logPath.size() - 4) : std::string();
    return stem + "_report.txt";
}

TForm4::TForm4(Application& app)
    : ui::Form("Form4", "Frequencies and Other Reports"),
      ScrollBox1(this, "ScrollBox1"),
      StringGrid3(&ScrollBox1, "StringGrid3"),
      StringGrid1(&ScrollBox1, "StringGrid1"),
      StringGrid2(&ScrollBox1, "StringGrid2"),
      app_(app) {
    SetBounds(0, 0, 1200, 800);
    ScrollBox1.SetAlign(ui::Align::Client);

    StringGrid3.SetColCount(2);
    StringGrid3.SetRowCount(2);
    StringGrid3.SetFixedRows(0);
    StringGrid3.SetFixedCols(0);
    StringGrid3.SetColWidth(0, 50);
    StringGrid3.SetColWidth(1, 623);

    StringGrid1.SetColCount(7);
    StringGrid1.SetRowCount(2);
    StringGrid1.SetFixedRows(1);
    StringGrid1.SetFixedCols(0);
    StringGrid1.SetColWidth(0, 104);
    for (int c = 1; c < 7; ++c) StringGrid1.SetColWidth(c, 80);

    StringGrid2.SetColCount(5);
    StringGrid2.SetRowCount(2);
    StringGrid2.SetFixedRows(1);
    StringGrid2.SetFixedCols(0);
    StringGrid2.SetDefaultColWidth(110);
    StringGrid2.SetHeight(kStructureHeight);
    StringGrid2.SetAlign(ui::Align::Bottom);
    StringGrid2.SetVisible(false);

    Menu.Add(File1);
    File1.Add(SaveReport1);
    File1.Add(Exit1);
    Menu.Add(ShowFinalOrientation1);
    Menu.Add(ShowIRRamanSpectra1);
    SaveReport1.OnClick = [this] { SaveReport1Click(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    ShowFinalOrientation1.OnClick = [this] { ShowFinalOrientation1Click(); };
    ShowIRRamanSpectra1.OnClick = [this] { ShowIRRamanSpectra1Click(); };

    OnResize = [this] { FormResize(); };
    FormResize();
}

// The summary sits at the right edge, the frequency table takes the rest of the width,
// and the structure grid (when shown) the bottom 420 pixels.
void TForm4::FormResize() {
    ScrollBox1.Realign();
    int w = ScrollBox1.ClientWidth();
    int h = ScrollBox1.ClientHeight() - (StringGrid2.Visible() ? StringGrid2.Height() : 0);
    h = std::max(h, 0);
    int summaryWidth = std::min(kSummaryWidth, std::max(w, 0));
    StringGrid3.SetBounds(w - summaryWidth, 0, summaryWidth, h);
    StringGrid1.SetBounds(0, 0, std::max(w - summaryWidth, 0), h);
}

void TForm4::ShowFinalOrientation1Click() {
    bool show = !StringGrid2.Visible();
    StringGrid2.SetVisible(show);
    ShowFinalOrientation1.SetCaption(show ? "Hide Final Orientation" : "Show Final Orientation");
    FormResize();
}

void TForm4::Exit1Click() { Hide(); }

void TForm4::ShowIRRamanSpectra1Click() {
    if (app_.log.FileDum.empty()) {
        app_.ShowMessagePos("No log has been scanned: open a log with frequencies first.");
        app_.Fail();
        return;
    }
    app_.form19.ShowSpectra(app_.log.FileDum);
}

// The report: the first eight summary rows (job, title, charge), the final structure,
// then the rest of the summary (energies, convergence, dipole, frequencies, thermochemistry).
void TForm4::SaveReport1Click() {
    auto& log = app_.log;
    if (log.FileDum.empty()) return;
    // The report is the scanned log's, whatever file the main table was filled from since.
    const std::string& source = app_.scannedLog.empty() ? log.FileDum : app_.scannedLog;
    auto chosen = app_.platform.SaveFileDialog(app_.form1.DialogOptions(
        "Save Report", "Text files (*.txt)|*.txt|All files (*.*)|*.*", ProposedReportName(source)));
    if (!chosen) return;

    core::TextWriter out(*chosen);
    auto summaryRows = [&](int first, int last) {
        for (int r = first; r <= last; ++r) out.WriteLine("\t" + StringGrid3.Cell(1, r));
    };
    auto emptyLines = [&] {
        out.WriteLine("\t");
        out.WriteLine("\t");
    };

    summaryRows(1, 8);
    emptyLines();
    out.WriteLine("\tStandard Orientation:");
    out.WriteLine("\t" + kDashes);
    std::string header = "\tAtom Label\tX in angstrom\tY in angstrom\tZ in angstrom\tMulliken Charge";
    if (log.multpl != 1) header += "\tSpin Density";
    out.WriteLine(header);
    out.WriteLine("\t" + kDashes);
    for (int r = 1; r < StringGrid2.RowCount(); ++r) {
        std::string line;
        for (int c = 0; c < StringGrid2.ColCount(); ++c) line += "\t" + StringGrid2.Cell(c, r);
        out.WriteLine(line);
    }
    out.WriteLine("\t" + kDashes);
    emptyLines();
    summaryRows(9, StringGrid3.RowCount() - 1);
    emptyLines();
    out.Close();
    app_.Pause(log.sleeptime);
}

}  // namespace mavrolin
