#include "pdos/pdos_window.h"

#include <cmath>
#include <filesystem>

#include "app/application.h"
#include "core/dir_memory.h"
#include "core/elements.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "pdos/pdos_figure.h"

namespace mavrolin {

namespace {

constexpr int kLegendWidth = 100;
constexpr ui::Color kSilver = 0xC0C0C0, kYellow = 0x00FFFF;
constexpr int kPlotTop = 240, kBarHeight = 16;

double Round5(double v) { return static_cast<double>(core::RoundHalfEven(v * 1e5)) / 1e5; }

std::string PdosCaption(int k) { return "PDOS-" + core::IntText(k); }

ui::LegendGrid::Column LegendColumn(int k, bool captioned) {
    return {captioned ? PdosCaption(k) : std::string(), kLegendWidth, core::gcolor[static_cast<size_t>(k % 10)]};
}

}  // namespace

std::optional<std::filesystem::path> TForm15::DiagnosticPath(const std::string& log, const char* name) const {
    if (!writeDiagnostics) return std::nullopt;
    auto path = (diagnosticsFolder.empty() ? std::filesystem::path(log).parent_path() : diagnosticsFolder) / name;
    ui::RefuseFileInUse(path.string(), app_.FilesInUse());
    return path;
}

TForm15::TForm15(Application& app)
    : ui::Form("Form15", "Projected Density Of States (PDOS)"),
      pdos_selected(this, "pdos_selected"),
      Label1(this, "Label1"),
      Label2(this, "Label2"),
      Label3(this, "Label3"),
      Label4(this, "Label4"),
      Label5(this, "Label5"),
      Label6(this, "Label6"),
      Label7(this, "Label7"),
      Label8(this, "Label8"),
      Label9(this, "Label9"),
      Label10(this, "Label10"),
      Increase(this, "Increase"),
      Decrease(this, "Decrease"),
      ComputePDOS(this, "ComputePDOS"),
      RedrawDiagram(this, "RedrawDiagram"),
      evpoints(this, "evpoints"),
      SpinEdit1(this, "SpinEdit1"),
      xmargin(this, "xmargin"),
      sigvalue(this, "sigvalue"),
      real_min(this, "real_min"),
      real_max(this, "real_max"),
      ev_min(this, "ev_min"),
      ev_max(this, "ev_max"),
      dens_max(this, "dens_max"),
      TotalDensity(this, "TotalDensity"),
      MODisp(this, "MODisp"),
      MOEnDisp(this, "MOEnDisp"),
      DBGrid1(this, "DBGrid1"),
      StringGrid1(this, "StringGrid1"),
      PaintBox1(this, "PaintBox1"),
      ProgressBar1(this, "ProgressBar1"),
      app_(app) {
    SetClientWidth(1071);
    SetClientHeight(760);
    struct Caption {
        ui::Label& label;
        const char* text;
        int left, top, width;
    };
    for (const Caption& c : {Caption{Label1, "PDOS to Handle", 8, 8, 90}, Caption{Label2, "Data Points (-1)", 8, 28, 80},
                             Caption{Label3, "Sigma", 90, 28, 40}, Caption{Label4, "<==", 145, 44, 20},
                             Caption{Label5, "/1000", 232, 44, 30}, Caption{Label6, "X-axis Margin", 250, 28, 70},
                             Caption{Label7, "Real energy range (eV)", 8, 92, 170},
                             Caption{Label8, "Mininum (Range used to display) Maximum", 200, 92, 200},
                             Caption{Label9, "---", 284, 74, 14}, Caption{Label10, "Maximum Density (a.u.)", 400, 92, 120}}) {
        c.label.SetCaption(c.text);
        c.label.SetBounds(c.left, c.top, c.width, 13);
    }
    pdos_selected.SetBounds(100, 4, 50, 22);
    pdos_selected.SetMinValue(1);
    pdos_selected.SetMaxValue(10);
    pdos_selected.SetValue(1);
    Increase.SetBounds(160, 4, 90, 25);
    Increase.SetCaption("Increase Max");
    Decrease.SetBounds(255, 4, 90, 25);
    Decrease.SetCaption("Decrease Max");
    ComputePDOS.SetBounds(360, 4, 100, 25);
    ComputePDOS.SetCaption("Compute PDOS");
    RedrawDiagram.SetBounds(465, 4, 75, 25);
    RedrawDiagram.SetCaption("Redraw");
    RedrawDiagram.SetVisible(false);

    evpoints.SetBounds(8, 40, 70, 22);
    evpoints.SetMinValue(500);
    evpoints.SetMaxValue(20000);
    evpoints.SetValue(3000);
    sigvalue.SetBounds(90, 40, 50, 21);
    sigvalue.SetReadOnly(true);
    sigvalue.SetText("0.020");
    SpinEdit1.SetBounds(170, 40, 60, 22);
    SpinEdit1.SetMinValue(1);
    SpinEdit1.SetMaxValue(1000);
    SpinEdit1.SetValue(20);
    xmargin.SetBounds(250, 40, 50, 22);
    xmargin.SetMinValue(0);
    xmargin.SetMaxValue(255);
    xmargin.SetValue(20);
    real_min.SetBounds(8, 70, 80, 21);
    real_max.SetBounds(100, 70, 80, 21);
    for (auto* e : {&real_min, &real_max}) {
        e->SetReadOnly(true);
        e->SetBackColor(kSilver);
    }
    ev_min.SetBounds(200, 70, 80, 21);
    ev_min.SetBackColor(kYellow);
    ev_min.SetText("-30.00");
    ev_max.SetBounds(300, 70, 80, 21);
    dens_max.SetBounds(400, 70, 80, 21);
    TotalDensity.SetBounds(500, 40, 140, 17);
    TotalDensity.SetCaption("Show Total Density");
    MODisp.SetBounds(500, 60, 140, 17);
    MODisp.SetCaption("Show MO Number");
    MODisp.SetChecked(true);
    MOEnDisp.SetBounds(500, 80, 140, 17);
    MOEnDisp.SetCaption("Show Energy (eV)");
    MOEnDisp.SetChecked(true);

    std::vector<ui::LegendGrid::Column> legend;
    for (int k = 1; k <= 10; ++k) legend.push_back({PdosCaption(k), kLegendWidth, core::gcolor[static_cast<size_t>(k) - 1]});
    DBGrid1.SetColumns(legend);
    DBGrid1.SetBounds(0, 108, 1071, 20);
    StringGrid1.SetBounds(0, 128, 1071, 108);
    StringGrid1.SetColCount(10);
    StringGrid1.SetRowCount(2);
    StringGrid1.SetFixedRows(1);
    StringGrid1.SetFixedCols(0);
    StringGrid1.SetDefaultColWidth(102);
    StringGrid1.SetDefaultRowHeight(16);
    Sets.resize(10);
    ProgressBar1.SetVisible(false);
    FormResize();

    Menu.Add(File1);
    File1.Add(SaveComputedPDOSs1);
    File1.Add(SavePicture1);
    File1.Add(SaveFigure1);
    File1.Add(SaveFigureData1);
    pdos::ConnectFigureItems(app_, SaveFigure1, SaveFigureData1, false);
    File1.Add(Exit1);
    Menu.Add(ShowDiagram1);
    ShowDiagram1.SetEnabled(false);
    Menu.Add(Initialize1);
    Initialize1.Add(InitializeCells1);
    Initialize1.Add(InitializeSettings1);
    Initialize1.Add(InitializeAll1);

    SaveComputedPDOSs1.OnClick = [this] { SaveComputedPDOSs1Click(); };
    SavePicture1.OnClick = [this] { SavePicture1Click(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    ShowDiagram1.OnClick = [this] { ShowDiagram1Click(); };
    InitializeCells1.OnClick = [this] { InitializeCells1Click(); };
    InitializeSettings1.OnClick = [this] { InitializeSettings1Click(); };
    InitializeAll1.OnClick = [this] { InitializeAll1Click(); };
    Increase.OnClick = [this] { IncreaseClick(); };
    Decrease.OnClick = [this] { DecreaseClick(); };
    ComputePDOS.OnClick = [this] { ComputePDOSClick(); };
    RedrawDiagram.OnClick = [this] { RedrawDiagramClick(); };
    SpinEdit1.OnChange = [this] { SpinEdit1Change(); };
    xmargin.OnChange = [this] { SpinEdit1Change(); };
    MOEnDisp.OnClick = [this] { MOEnDispClick(); };
    StringGrid1.OnSelectCell = [this](int c, int r, bool& can) {
        StringGrid1SelectCell(c, r);
        can = true;
    };
    StringGrid1.OnDblClick = [this] { StringGrid1DblClick(); };
    PaintBox1.OnDblClick = [this] { PaintBox1DblClick(); };
    OnResize = [this] { FormResize(); };
}

double TForm15::sigma2() const { return core::ParseDouble(sigvalue.Text()); }

void TForm15::FormResize() {
    PaintBox1.SetBounds(0, kPlotTop, ClientWidth(), std::max(1, ClientHeight() - kPlotTop - kBarHeight));
    ProgressBar1.SetBounds(0, ClientHeight() - kBarHeight, ClientWidth(), kBarHeight);
}

// ---------------------------------------------------------------- the PDOS table

void TForm15::ShowSets() {
    StringGrid1.SetColCount(std::max(1, static_cast<int>(Sets.size())));
    StringGrid1.SetRowCount(pdos::PdosTableRows(Sets));
    for (size_t c = 0; c < Sets.size(); ++c)
        for (int r = 1; r < StringGrid1.RowCount(); ++r) {
            const auto& set = Sets[c];
            StringGrid1.SetCell(static_cast<int>(c), r, static_cast<size_t>(r) <= set.size() ? set[static_cast<size_t>(r) - 1] : "");
        }
}

void TForm15::CaptionSets() {
    if (!StringGrid1.Cell(0, 0).empty()) return;
    for (int c = 0; c < StringGrid1.ColCount(); ++c) StringGrid1.SetCell(c, 0, PdosCaption(c + 1));
}

void TForm15::ForgetSets() {
    for (auto& s : Sets) s.clear();
    StringGrid1.ClearCells();
    StringGrid1.SetRowCount(2);
    draw_switch = false;
}

void TForm15::ForgetComputation() {
    file_.clear();
    used_.clear();
    plot_ = {};
    draw_switch = false;
    ShowDiagram1.SetEnabled(false);
    PaintBox1.Canvas().Clear();
    app_.form16.PaintBox1.Canvas().Clear();
    Refresh();
    app_.ShowStatus();
}

void TForm15::StringGrid1SelectCell(int col, int) { pdos_selected.SetValue(col + 1); }

void TForm15::StringGrid1DblClick() {
    const size_t k = static_cast<size_t>(pdos_selected.Value()) - 1;
    if (k >= DBGrid1.Columns().size()) return;
    auto chosen = app_.platform.ColorDialog(DBGrid1.Columns()[k].color);
    if (!chosen) return;
    auto column = DBGrid1.Columns()[k];
    column.color = *chosen;
    column.caption = PdosCaption(static_cast<int>(k) + 1) + "     " + core::IntText(*chosen);
    DBGrid1.SetColumn(k, column);
}

void TForm15::IncreaseClick() {
    const int n = pdos_selected.MaxValue() + 1;
    pdos_selected.SetMaxValue(n);
    Sets.resize(static_cast<size_t>(n));
    ShowSets();
    StringGrid1.SetCell(n - 1, 0, PdosCaption(n));
    auto legend = DBGrid1.Columns();
    legend.push_back(LegendColumn(n, true));
    DBGrid1.SetColumns(legend);
}

void TForm15::DecreaseClick() {
    const int n = pdos_selected.MaxValue();
    if (n <= 1) return;
    auto legend = DBGrid1.Columns();
    if (!legend.empty()) legend.pop_back();
    DBGrid1.SetColumns(legend);
    pdos_selected.SetMaxValue(n - 1);
    Sets.resize(static_cast<size_t>(n) - 1);
    ShowSets();
}

// ---------------------------------------------------------------- settings

void TForm15::SpinEdit1Change() {
    sigvalue.SetText(core::FloatText(SpinEdit1.Value() / 1000.0));
    app_.log.sigma2 = sigma2();
    gau_chk = true;
}

void TForm15::MOEnDispClick() {
    if (MOEnDisp.Checked() && !MODisp.Checked()) MODisp.SetChecked(true);
}

void TForm15::InitializeCells1Click() {
    for (auto& s : Sets) s.clear();
    StringGrid1.ClearCells();
    auto legend = DBGrid1.Columns();
    int n = pdos_selected.MaxValue();
    while (n > 9) {
        if (!legend.empty()) legend.pop_back();
        --n;
    }
    while (n < 9) {
        legend.push_back(LegendColumn(n + 1, false));
        ++n;
    }
    DBGrid1.SetColumns(legend);
    pdos_selected.SetMaxValue(9);
}

void TForm15::InitializeSettings1Click() {
    ev_min.SetText("-30.00");
    for (auto* e : {&ev_max, &dens_max, &real_min, &real_max}) e->SetText("");
    evpoints.SetValue(3000);
    SpinEdit1.SetValue(20);
    xmargin.SetValue(20);
    TotalDensity.SetChecked(false);
    MODisp.SetChecked(true);
    MOEnDisp.SetChecked(true);
    app_.form16.Yaxis_eV.SetChecked(true);
}

void TForm15::InitializeAll1Click() {
    InitializeCells1Click();
    InitializeSettings1Click();
}

// ---------------------------------------------------------------- computation

void TForm15::Refuse(const std::string& message) {
    app_.ShowMessagePos(message, Left() + Width() / 2, Top() + Height() / 4);
    app_.Fail();
}

std::vector<ui::Color> TForm15::CurveColors() const {
    std::vector<ui::Color> colors;
    for (const auto& u : used_) colors.push_back(DBGrid1.Columns()[static_cast<size_t>(u.col)].color);
    colors.push_back(ui::kBlack);  // the total density
    return colors;
}

void TForm15::ComputePDOSClick() {
    const auto& tables = app_.form14.Tables;
    auto& log = app_.log;
    auto used = pdos::SetsInUse(Sets);
    if (used.empty()) return Refuse("Double clicking at the MO Coefficients Table is needed!");
    pdos::CheckLegendColumns(used, static_cast<int>(DBGrid1.Columns().size()));
    // Checked against the tables' own dimensions, whatever the last scan counted.
    auto levels = pdos::ReadLevels(tables, used);
    const double sigma = sigma2();
    const double gxmin = core::ParseDouble(ev_min.Text());
    auto range = pdos::DataRange(levels, sigma);
    if (levels[0].occupied == 0) throw core::InputError("The tables hold no occupied MO: there is nothing to project.");

    log.check_beta = tables.OpenShell();
    log.sigma2 = sigma;
    tdens_chk = false;
    real_min.SetText(core::FloatText(Round5(range.dxmin)));
    real_max.SetText(core::FloatText(Round5(range.dxmax)));

    pdos::PdosRequest req{sigma, gxmin, range.dxmax, evpoints.Value(), TotalDensity.Checked()};
    ProgressBar1.SetPosition(0);
    ProgressBar1.SetVisible(true);
    pdos::PdosCurves curves;
    try {
        curves = pdos::ComputeDensities(levels, req, [this](int done, int total) {
            ProgressBar1.SetPosition(static_cast<int>(core::RoundHalfEven(100.0 * done / total)));
            app_.platform.ProcessMessages();
            app_.Pause(5);
        });
    } catch (...) {
        ProgressBar1.SetVisible(false);
        throw;
    }
    ProgressBar1.SetVisible(false);
    gau_chk = false;
    tdens_chk = req.total;

    // Written once the computation has passed its checks of the range and the orbitals, so
    // a refused computation leaves no file behind.
    if (auto p = DiagnosticPath(tables.file, "moenergy.txt")) pdos::WriteMoEnergyFile(*p, levels, range, gxmin, range.dxmax);
    if (auto p = DiagnosticPath(tables.file, "computed_temp.txt")) pdos::WriteComputedTemp(*p, curves);
    auto dens = pdos::DensityRangeOf(curves);
    if (dens.zero) app_.ShowMessageCentred("dymax is zero!!!! Error!!!!!");
    if (auto p = DiagnosticPath(tables.file, "projected_density.txt")) pdos::WriteProjectedDensity(*p, curves, dens);

    // The computation is complete: it becomes this window's own.
    file_ = tables.file;
    used_ = std::move(used);
    dataRange_ = range;
    densRange_ = dens;
    plot_.levels = std::move(levels);
    plot_.curves = std::move(curves);
    plot_.gxmin = Round5(gxmin);
    plot_.gxmax = Round5(range.dxmax);
    plot_.gymin = dens.gymin;
    plot_.gymax = dens.gymax;
    densRange_.dymax = Round5(dens.gymax);
    pre_gxmin = gxmin;
    pre_gxmax = range.dxmax;
    pre_gymax = dens.gymax;
    ev_min.SetText(core::FloatText(plot_.gxmin));
    ev_max.SetText(core::FloatText(plot_.gxmax));
    dens_max.SetText(core::FloatText(plot_.gymax));
    log.dxmin = range.dxmin;
    log.dxmax = range.dxmax;
    log.dymin = dens.dymin;
    log.dymax = dens.dymax;
    log.gymin = dens.gymin;

    draw_switch = true;
    ShowDiagram1.SetEnabled(true);
    app_.ShowStatus();  // the PDOS windows name the log of these curves
    RedrawDiagram.SetVisible(true);
    app_.ShowMessagePos(
        "PLotting ended!! Use Redraw button! Double-clicking on the window is same with it! Use Compute-DOS after "
        "making changes in selection!! ",
        Left() + Width() / 3, Top() + Height() / 4);
    RedrawDiagramClick();
}

void TForm15::Recompute() {
    pdos::PdosRequest req{sigma2(), plot_.gxmin, plot_.gxmax, plot_.curves.n, TotalDensity.Checked()};
    plot_.curves = pdos::ComputeDensities(plot_.levels, req, [this](int, int) { app_.Pause(5); });
    tdens_chk = req.total;
    gau_chk = false;
    if (auto p = DiagnosticPath(file_, "projected_density.txt")) pdos::WriteProjectedDensity(*p, plot_.curves, densRange_);
}

void TForm15::RedrawDiagramClick() {
    if (!draw_switch) return;
    auto check = pdos::CheckDisplayRange(ev_min.Text(), ev_max.Text(), dens_max.Text(), dataRange_.dxmin,
                                         dataRange_.dxmax);
    if (!check.message.empty()) {
        if (check.restoreMin) ev_min.SetText(core::FloatText(plot_.gxmin));
        if (check.restoreMax) ev_max.SetText(core::FloatText(plot_.gxmax));
        if (check.restoreDensity) dens_max.SetText(core::FloatText(plot_.gymax));
        return Refuse(check.message);
    }
    pdos::CheckLegendColumns(used_, static_cast<int>(DBGrid1.Columns().size()));
    plot_.gxmargin = xmargin.Value();
    plot_.gxmin = check.gxmin;
    plot_.gxmax = check.gxmax;
    plot_.gymax = check.gymax;
    if (gau_chk || plot_.gxmin != pre_gxmin || plot_.gxmax != pre_gxmax || plot_.gymax != pre_gymax ||
        tdens_chk != TotalDensity.Checked())
        Recompute();
    plot_.colors = CurveColors();
    plot_.moNumbers = MODisp.Checked();
    plot_.moEnergies = MOEnDisp.Checked();

    auto& log = app_.log;
    log.gxmin = plot_.gxmin;
    log.gxmax = plot_.gxmax;
    log.gymax = plot_.gymax;
    auto& cv = PaintBox1.Canvas();
    cv.Clear();
    pdos::DrawHorizontal(cv, PaintBox1.Width(), PaintBox1.Height(), plot_);
    Refresh();
    app_.form16.Draw(plot_);
    pre_gxmin = plot_.gxmin;
    pre_gxmax = plot_.gxmax;
    pre_gymax = plot_.gymax;
}

void TForm15::PaintBox1DblClick() {
    if (draw_switch) RedrawDiagramClick();
}

void TForm15::ShowDiagram1Click() {
    app_.form16.Show();
    app_.form16.BringToFront();
    RedrawDiagramClick();
}

// ---------------------------------------------------------------- saving

void TForm15::SaveComputedPDOSs1Click() {
    if (StringGrid1.Cell(0, 1).empty()) return;
    if (plot_.Empty()) return Refuse("Nothing computed yet: press \"Compute PDOS\" first.");
    auto chosen = app_.platform.SaveFileDialog(
        {"Save Computed PDOSs", app_.log.dirinfo, core::StemOf4(file_) + "_PDOS.txt", "Text files (*.txt)|*.txt"});
    if (!chosen) return;
    pdos::WritePdosData(*chosen, file_, plot_.curves, Sets, used_);
}

void TForm15::SavePicture1Click() {
    const std::string stem = file_.empty() ? std::string("pdos") : core::StemOf4(file_) + "_PDOS";
    app_.SavePicture(PaintBox1, stem);
}

}  // namespace mavrolin
