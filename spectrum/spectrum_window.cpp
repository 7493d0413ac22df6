#include "spectrum/spectrum_window.h"

#include <algorithm>
#include <filesystem>
#include <span>

#include "app/application.h"
#include "app/figure_export.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "spectrum/esi_report.h"
#include "spectrum/saved_spectrum.h"
#include "spectrum/spectrum_figure.h"
#include "spectrum/window_inputs.h"

namespace mavrolin {

namespace {

using core::FloatText;

constexpr int kEsiWidths[] = {105, 87, 105, 105, 105, 171, 105, 59, 105};

// A 1-based LoadedLog array as a 0-based view of its first n values.
std::span<const double> View(const std::vector<double>& v, int n) {
    if (v.empty()) return {};
    return std::span<const double>(v).subspan(1, static_cast<size_t>(std::clamp(n, 0, static_cast<int>(v.size()) - 1)));
}

std::vector<std::string> SummaryLines(const ui::StringGrid& grid) {
    std::vector<std::string> lines;
    for (int r = 1; r < grid.RowCount(); ++r) lines.push_back(grid.Cell(1, r));
    return lines;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    core::TextWriter out(path);
    for (const auto& l : lines) out.WriteLine(l);
    out.Close();
}

}  // namespace

TForm9::TForm9(Application& app)
    : ui::Form("Form9", "Spectral Simulation Using TD-DFT Results"),
      PaintBox1(this, "PaintBox1"),
      StringGrid1(this, "StringGrid1"),
      StringGrid2(this, "StringGrid2"),
      app_(app) {
    SetBounds(0, 0, 977, 744);
    PaintBox1.SetAlign(ui::Align::Client);
    for (auto* g : {&StringGrid1, &StringGrid2}) {
        g->SetVisible(false);
        g->SetAlign(ui::Align::Client);
        g->SetFixedCols(0);
    }
    StringGrid1.SetColCount(5);
    StringGrid1.SetDefaultColWidth(150);
    StringGrid2.SetColCount(9);
    StringGrid2.SetFixedRows(0);
    for (int c = 0; c < 9; ++c) StringGrid2.SetColWidth(c, kEsiWidths[c]);

    Menu.Add(File1);
    for (auto* item : {&SaveReportESI1, &SaveCalculatedSpectrum1, &SavePicture1, &SaveFigure1, &SaveFigureData1})
        File1.Add(*item);
    ConnectFigureItems(
        app_, SaveFigure1, SaveFigureData1,
        {[this] {
             const auto& f = app_.log.tddft_file;
             return f.empty() ? std::string("spectrum") : core::StemOf4(f) + "_spectrum";
         },
         {{"Unit (nm, eV or cm-1)", "nm"}, {"Each state's band (yes/no)", "no"},
          {"Measured spectrum scaled to the calculated (yes/no)", "no"}},
         [this](const std::vector<std::string>& a) -> std::optional<ui::fig::Figure> {
             if (app_.log.nexstt <= 0) {
                 app_.ShowMessagePos("There is no spectrum: open a TD-DFT log first.");
                 return std::nullopt;
             }
             spectrum::UvFigureOptions o;
             const std::string unit = core::UpperAscii(core::Trim(a[0]));
             o.unit = unit == "EV" ? spectrum::kUnitEv : unit == "CM-1" ? spectrum::kUnitCm : spectrum::kUnitNm;
             o.sigmaEv = app_.form10.SigmaValue.Value() / 1000.0;
             o.components = IsYes(a[1]);
             o.normalise = IsYes(a[2]);
             return spectrum::UvFigure(States(), o, Overlay());
         }});
    File1.AddSeparator();
    File1.Add(Overlay1);
    File1.Add(RemoveOverlay1);
    RemoveOverlay1.SetEnabled(false);
    File1.AddSeparator();
    File1.Add(Exit1);
    Menu.Add(Format1);
    Format1.Add(GraphicsFormat1);
    Format1.Add(ESIReportFormat1);
    Menu.Add(ShowData1);
    for (auto* item : {&ShowCompact1, &ShowESI1, &HideData1}) ShowData1.Add(*item);
    HideData1.SetEnabled(false);
    ShowData1.AddSeparator();
    ShowData1.Add(EcdSpectrum1);
    EcdSpectrum1.SetEnabled(false);
    EcdSpectrum1.OnClick = [this] { app_.ecd.ShowSpectrum(); };
    Menu.Add(Help1);

    SaveReportESI1.OnClick = [this] { app_.form11.Show(); };
    ESIReportFormat1.OnClick = [this] { app_.form11.Show(); };
    GraphicsFormat1.OnClick = [this] { app_.form10.Show(); };
    SaveCalculatedSpectrum1.OnClick = [this] { SaveCalculatedSpectrum1Click(); };
    SavePicture1.OnClick = [this] { SavePicture1Click(); };
    Overlay1.OnClick = [this] { Overlay1Click(); };
    RemoveOverlay1.OnClick = [this] { RemoveOverlay1Click(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    ShowCompact1.OnClick = [this] { ShowGrid(StringGrid1, ShowCompact1); };
    ShowESI1.OnClick = [this] { ShowGrid(StringGrid2, ShowESI1); };
    HideData1.OnClick = [this] { HideData1Click(); };
    Help1.OnClick = [this] { Help1Click(); };
    PaintBox1.OnMouseDown = [this](const ui::MouseEvent& e) { PaintBox1MouseDown(e); };
    PaintBox1.OnMouseMove = [this](const ui::MouseEvent& e) { PaintBox1MouseMove(e); };
    PaintBox1.OnMouseUp = [this](const ui::MouseEvent& e) { PaintBox1MouseUp(e); };
    PaintBox1.OnDblClick = [this] { PaintBox1DblClick(); };
    OnClose = [this] { FormClose(); };
    OnResize = [this] { FormResize(); };
}

// ---------------------------------------------------------------- data and settings

spectrum::Transitions TForm9::States() const {
    const auto& log = app_.log;
    return {View(log.en_ev, log.nexstt), View(log.nm, log.nexstt), View(log.f, log.nexstt)};
}

spectrum::PlotStyle TForm9::Style() const {
    const auto& s = app_.form10;
    spectrum::PlotStyle st;
    st.unit = s.XUnit.Value();
    st.unitText = s.XUnitText.Text();
    st.lineWidthBar = s.LineWidthBar.Value();
    st.lineStyleBar = s.LineStyleBar.Value();
    st.lineWidthGau = s.LineWidthGau.Value();
    st.lineStyleGau = s.LineStyleGau.Value();
    st.gauss = s.Gauss_SW.Value() == 1;
    st.lineWidthSpc = s.LineWidthSpc.Value();
    st.lineStyleSpc = s.LineStyleSpc.Value();
    st.colorSpc = TForm10::ColorOf(s.linecolorspc);
    st.lineWidthFrm = s.LineWidthFrm.Value();
    st.lineStyleFrm = s.LineStyleFrm.Value();
    st.colorFrm = TForm10::ColorOf(s.linecolorfrm);
    for (int n = 1; n <= 20; ++n)
        st.colors[static_cast<size_t>(n - 1)] = TForm10::ColorOf(s.linecolor(n));
    st.monochrome = s.Monochro_SW.Value() == 1;
    st.transitions = s.Transition_SW.Value() == 1;
    st.fthreshold = s.fthreshold.Value();
    st.transitionFontSize = s.TransitionFontSize.Value();
    st.frameFontSize = s.FrameFontSize.Value();
    st.scaleFactor = s.ScaleFactor.Value();
    st.fontName = s.PaintBox_Font.Text();
    st.fontStyle = s.PaintBoxFontStyle.Text();
    return st;
}

void TForm9::ApplyFontStyle() {
    auto& font = PaintBox1.Canvas().Font;
    font.name = app_.form10.PaintBox_Font.Text();
    spectrum::ApplyFontStyle(font, app_.form10.PaintBoxFontStyle.Text());
}

// ---------------------------------------------------------------- redraw

bool TForm9::DrawSpecClick() {
    auto& log = app_.log;
    auto& s = app_.form10;
    if (log.nexstt <= 0) {
        app_.ShowMessagePos("No excited states are loaded: there is no spectrum to draw.");
        app_.Fail();
        return false;
    }
    const auto settings = s.CurveSettingsValue();
    const auto states = States();
    spectrum::SpectrumCurve c = spectrum::ComputeSpectrum(states, settings);
    log.npoints = settings.points;
    log.sigma = c.sigma;
    if (c.boundsWritten) {
        s.EV_Min.SetText(c.evMin);
        s.EV_Max.SetText(c.evMax);
        if (!c.nmMin.empty()) {
            s.NM_Min.SetText(c.nmMin);
            s.kayser_max.SetCaption(c.kayserMax);
            s.NM_Max.SetText(c.nmMax);
            s.kayser_min.SetCaption(c.kayserMin);
        }
    }
    if (!c.refusedBound.empty())
        app_.ShowMessagePos("The automatic upper bound rounds to " + c.refusedBound +
                            " eV, which has no wavelength; the previous bound " + c.evMax + " eV is kept.");
    if (!c.Ok()) {
        if (c.status == spectrum::SpectrumCurve::Status::NoUnit) return false;  // another unit draws nothing
        app_.ShowMessagePos(c.message);
        app_.Fail();
        return false;
    }
    log.dxmin = c.dxmin, log.dxmax = c.dxmax, log.dymin = c.dymin, log.dymax = c.dymax;
    (settings.unit == spectrum::kUnitNm ? log.calc2 : log.calc) = c.y;

    auto& cv = PaintBox1.Canvas();
    cv.Clear();  // each drawing is complete in itself; the record holds the current picture
    ApplyFontStyle();
    frame_ = spectrum::DrawSpectrum(cv, PaintBox1.Width(), PaintBox1.Height(), Style(), c, states,
                                   overlay_ ? &*overlay_ : nullptr);
    // Other plot windows read the shared fields; this window reads only its own frame.
    log.gxmin = frame_.plot.x.gmin, log.gxmax = frame_.plot.x.gmax, log.gymin = frame_.plot.y.gmin, log.gymax = frame_.plot.y.gmax;
    log.gwidth = frame_.plot.gwidth, log.gheight = frame_.plot.gheight;
    Refresh();
    return true;
}

void TForm9::ClearSpectrum() {
    frame_ = {};
    PaintBox1.Canvas().Clear();
    Refresh();
}

void TForm9::FormResize() {
    if (Visible() && app_.log.nexstt > 0) DrawSpecClick();
}

// ---------------------------------------------------------------- menus

void TForm9::ShowGrid(ui::StringGrid& grid, ui::MenuItem& item) {
    ui::StringGrid& other = &grid == &StringGrid1 ? StringGrid2 : StringGrid1;
    ui::MenuItem& otherItem = &grid == &StringGrid1 ? ShowESI1 : ShowCompact1;
    if (other.Visible()) {
        other.SetVisible(false);
        otherItem.SetChecked(false);
    }
    grid.SetVisible(true);
    item.SetChecked(true);
    HideData1.SetEnabled(true);
}

void TForm9::HideData1Click() {
    if (StringGrid1.Visible()) {
        StringGrid1.SetVisible(false);
        ShowCompact1.SetChecked(false);
    }
    if (StringGrid2.Visible()) {
        StringGrid2.SetVisible(false);
        ShowESI1.SetChecked(false);
    }
    HideData1.SetEnabled(false);
    DrawSpecClick();
}

void TForm9::Help1Click() {
    app_.ShowMessagePos(
        "Click=To Redraw; Control+LeftButton = To Display Contributions of Transition Components; "
        "Shift+LeftButton = To Define Magnification Area; DoubleClick = To Revert Magnification; RightClick on "
        "Contributions = To Copy them.",
        Left() + Width() / 2 - 200, Top() + Height() / 3);
}

void TForm9::Exit1Click() {
    Hide();
    FormClose();
}

void TForm9::FormClose() {
    app_.form10.Hide();
    app_.form11.Hide();
    app_.form12.Hide();
}

void TForm9::InitializeTDGraphicsClick() {
    auto& log = app_.log;
    const auto path = (std::filesystem::path(log.dirinfo0) / "tddft_graphics.inf").string();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        app_.ShowMessagePos("The file missing: " + path);
        return;
    }
    app_.form10.ReadSettings(path);
    log.read_tddft_setting_chk = true;
}

// ---------------------------------------------------------------- ESI

void TForm9::Format_ESIClick() {
    const auto& log = app_.log;
    const int style = app_.form11.style.Value();
    for (int i = 1; i <= log.nexstt; ++i) {
        const int head = log.exctd_pos[static_cast<size_t>(i)], n = log.nci_coeff[static_cast<size_t>(i)];
        std::vector<std::string> coefficients;
        for (int k = 1; k <= n; ++k) {
            const int r = head + k;
            if (style >= 1 && style <= 3)
                StringGrid2.SetCell(5, r, spectrum::EsiLabel(style, StringGrid2.Cell(0, r), StringGrid2.Cell(2, r)));
            coefficients.push_back(StringGrid2.Cell(3, r));
        }
        const auto shares = spectrum::EsiShares(coefficients);
        for (int k = 1; k <= n; ++k) StringGrid2.SetCell(6, head + k, shares[static_cast<size_t>(k - 1)]);
    }
}

void TForm9::SaveESI1Click() {
    auto& log = app_.log;
    auto& opts = app_.form11;
    spectrum::EsiReportInput in;
    in.limits = {opts.nm_limit.Text(), opts.f_limit.Text(), opts.cicoeff_limit.Text()};
    // A limit that is not a number is refused before any file is touched.
    if (auto bad = spectrum::BadEsiLimit(in.limits); !bad.empty()) {
        app_.ShowMessagePos("\"" + bad + "\" is not a number: the ESI file was not written.");
        app_.Fail();
        return;
    }
    auto chosen = app_.platform.SaveFileDialog(
        {"Save ESI File", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, log.tddft_file + ".esi.txt", ""});
    if (!chosen) {
        opts.Hide();
        return;
    }
    for (int i = 1; i <= log.nexstt; ++i) {
        const auto u = static_cast<size_t>(i);
        spectrum::EsiState s{i, log.kz[u], log.nm[u], log.f[u], {}};
        for (int k = 1; k <= log.nci_coeff[u]; ++k) {
            const int r = log.exctd_pos[u] + k;
            s.components.push_back({StringGrid2.Cell(5, r), StringGrid2.Cell(3, r), StringGrid2.Cell(6, r)});
        }
        in.states.push_back(std::move(s));
    }
    const auto& summary = app_.form4;
    in.summary = SummaryLines(summary.StringGrid3);
    in.structureCols = summary.StringGrid2.ColCount();
    for (int r = 0; r < summary.StringGrid2.RowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < in.structureCols; ++c) row.push_back(summary.StringGrid2.Cell(c, r));
        in.structure.push_back(std::move(row));
    }
    WriteLines(*chosen, spectrum::EsiReportLines(in));
    app_.Pause(log.sleeptime);
    opts.Hide();
}

// ---------------------------------------------------------------- saved spectrum and picture

void TForm9::SaveCalculatedSpectrum1Click() {
    auto& log = app_.log;
    if (!frame_.valid) {
        app_.ShowMessagePos("There is no computed spectrum to save: draw the spectrum first.");
        app_.Fail();
        return;
    }
    auto chosen = app_.platform.SaveFileDialog({"Save Calculated Spectrum",
                                                log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo,
                                                log.tddft_file + ".calcd.txt", ""});
    if (!chosen) return;
    const auto& curve = frame_.unit == spectrum::kUnitNm ? log.calc2 : log.calc;
    spectrum::SavedSpectrumInput in;
    in.logFile = log.tddft_file;
    in.sigmaText = app_.form10.SigmaText.Text();
    in.unit = frame_.unit;
    in.unitText = app_.form10.XUnitText.Text();
    in.dxmin = frame_.plot.x.dmin, in.dxmax = frame_.plot.x.dmax, in.dymax = frame_.plot.y.dmax;
    in.curve = std::span<const double>(curve).first(std::min(curve.size(), static_cast<size_t>(frame_.npoints)));
    in.summary = SummaryLines(app_.form4.StringGrid3);
    WriteLines(*chosen, spectrum::SavedSpectrumLines(in));
    app_.Pause(log.sleeptime);
}

void TForm9::SavePicture1Click() {
    const auto& log = app_.log;
    std::string stem = log.tddft_file.empty() ? std::string("spectrum") : core::StemOf4(log.tddft_file) + "_spectrum";
    app_.SavePicture(PaintBox1, stem, [this] { return DrawSpecClick(); });
}

void TForm9::Overlay1Click() {
    auto measured = AskExperimentalSpectrum(app_, app_.form10.XUnit.Value());
    if (!measured) return;
    overlay_ = std::move(measured);
    RemoveOverlay1.SetEnabled(true);
    if (app_.log.nexstt > 0) DrawSpecClick();
}

void TForm9::RemoveOverlay1Click() {
    overlay_.reset();
    RemoveOverlay1.SetEnabled(false);
    if (app_.log.nexstt > 0) DrawSpecClick();
}

// ---------------------------------------------------------------- main-window command

void TForm1::SpectraTDDFTResults1Click() {
    auto& log = app_.log;
    auto& form = app_.form9;
    if (log.nexstt <= 0) {
        app_.ShowMessagePos("Excited states computed not found!");
        app_.Fail();
        return;
    }
    if (!log.read_tddft_setting_chk) form.InitializeTDGraphicsClick();
    form.Show();
    app_.platform.ProcessMessages();
    form.DrawSpecClick();
    app_.platform.ProcessMessages();
}

}  // namespace mavrolin
