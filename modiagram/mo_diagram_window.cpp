#include "modiagram/mo_diagram_window.h"

#include <filesystem>

#include "app/application.h"
#include "app/figure_export.h"
#include "core/dir_memory.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "modiagram/mo_figure.h"
#include "modiagram/mo_sheet.h"

namespace mavrolin {

namespace {

constexpr const char* kSheetFilter = "Text files (*.txt)|*.txt|All files (*.*)|*.*";

// A colour box holds its colour as decimal text.
ui::Color BoxColor(const ui::Edit& box) {
    return static_cast<ui::Color>(core::ParseInt(box.Text()));
}

std::string FileNamePart(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

TForm7::TForm7(Application& app)
    : ui::Form("Form7", "Comparison of MO Energy Levels"),
      PaintBox1(this, "PaintBox1"),
      DispRange(this, "DispRange"),
      DrawMODiagrams(this, "DrawMODiagrams"),
      ClearGraph(this, "ClearGraph"),
      app_(app) {
    SetBounds(260, 80, 800, 640);
    PaintBox1.SetAlign(ui::Align::Client);
    for (auto* b : {&DispRange, &DrawMODiagrams, &ClearGraph}) b->SetVisible(false);
    DispRange.OnClick = [this] { DispRangeClick(); };
    DrawMODiagrams.OnClick = [this] { DrawMODiagramsClick(); };
    ClearGraph.OnClick = [this] { ClearGraphClick(); };

    Menu.Add(File1);
    File1.Add(SaveExcelSheet1);
    File1.Add(SavePicture1);
    File1.Add(SaveFigure1);
    File1.Add(SaveFigureData1);
    ConnectFigureItems(app_, SaveFigure1, SaveFigureData1,
                       {[] { return std::string("mo_diagram"); },
                        {{"Orbitals below the HOMO and above the LUMO", "5"}, {"Set names (comma-separated)", ""}},
                        [this](const std::vector<std::string>& a) -> std::optional<ui::fig::Figure> {
                            modiagram::MoFigureOptions o;
                            long long w = 5;
                            if (core::TryParseInt(a[0], w) && w >= 0 && w <= 1000) o.window = static_cast<int>(w);
                            for (size_t at = 0; at < a[1].size();) {
                                size_t comma = std::min(a[1].find(',', at), a[1].size());
                                o.labels.push_back(core::Trim(a[1].substr(at, comma - at)));
                                at = comma + 1;
                            }
                            auto table = app_.form6.Table();
                            if (!modiagram::IsValidTable(table)) {
                                app_.ShowMessagePos("The MO table is empty: open a log with orbital energies first.");
                                return std::nullopt;
                            }
                            return modiagram::MoFigure(table, app_.log.FileMem, o);
                        }});
    File1.AddSeparator();
    File1.Add(Exit1);
    for (auto* item : {&GraphicsSettings1, &InitializeDisplayRange1, &MOCoefficients1}) Menu.Add(*item);

    SaveExcelSheet1.OnClick = [this] { SaveExcelSheet1Click(); };
    SavePicture1.OnClick = [this] { SavePicture1Click(); };
    Exit1.OnClick = [this] { Exit1Click(); };
    GraphicsSettings1.OnClick = [this] { GraphicsSettings1Click(); };
    InitializeDisplayRange1.OnClick = [this] { InitializeDisplayRange1Click(); };
    MOCoefficients1.OnClick = [this] { MOCoefficients1Click(); };
    OnResize = [this] { FormResize(); };
}

modiagram::SlotOptions TForm7::Slots() const {
    return {app_.form8.MODiv.Value(), app_.form8.Overlay_SW.Value()};
}

// ---------------------------------------------------------------- ranges

void TForm7::UpdateSlotExtent() {
    const auto table = app_.form6.Table();
    const auto sets = modiagram::CountSets(table);
    if (auto dxmax = modiagram::SlotExtent(Slots(), table.Cols(), sets.beta_col))
        plot_.x.dmax = *dxmax;
    else
        app_.ShowMessagePos("Something is wrong!!");
    plot_.x.SetMargins(0.025, 0.015);
}

void TForm7::SetEnergyRange(double dymin, double dymax) {
    plot_.y.dmin = dymin;
    plot_.y.dmax = dymax;
    if (dymax == dymin)
        plot_.y.Pad(0.5 + 0.032, 0.5 + 0.032);  // no height: drawn one display unit high
    else
        plot_.y.SetMargins(0.032, 0.032);
}

void TForm7::DispRangeClick() {
    auto& log = app_.log;
    const auto table = app_.form6.Table();
    if (!modiagram::IsValidTable(table)) return;
    log.n_col = table.Cols();
    log.n_row = table.Rows();
    plot_.x.dmin = 0;
    UpdateSlotExtent();
    double dymin = 0, dymax = 0;
    modiagram::EnergyExtent(table, log.EnUnit, dymin, dymax);
    app_.form8.SetRangeBox(app_.form8.Disp_ymin, dymin);
    app_.form8.SetRangeBox(app_.form8.Disp_ymax, dymax);
    SetEnergyRange(dymin, dymax);
    log.PreENU = log.EnUnit;
}

// ---------------------------------------------------------------- drawing

void TForm7::EraseFrame() {
    auto& cv = PaintBox1.Canvas();
    plot_.PlaceFull(PaintBox1.Width(), PaintBox1.Height());
    cv.Pen = {ui::kWhite, 1, ui::psSolid};
    plot_.Erase(cv, kWindowColor);
}

void TForm7::DrawRangeBracket(const std::string& unitName) {
    auto& cv = PaintBox1.Canvas();
    const auto& x = plot_.x;
    const auto& y = plot_.y;
    cv.Pen = {ui::kBlue, 1, ui::psSolid};
    cv.MoveTo(fx(x.dmin) - 10, fy(y.dmin));
    cv.LineTo(fx(x.dmin), fy(y.dmin));
    cv.LineTo(fx(x.dmin), fy(y.dmax));
    cv.LineTo(fx(x.dmin) - 10, fy(y.dmax));
    cv.Font.color = ui::kBlue;
    cv.TextOut(fx(x.gmin) + 5, fy(y.gmax), core::FloatText(y.dmax).substr(0, 8) + " " + unitName);
    cv.TextOut(fx(x.gmin) + 5, fy(y.gmin) - 14, core::FloatText(y.dmin).substr(0, 8) + " " + unitName);
}

void TForm7::DrawMODiagramsClick() {
    auto& log = app_.log;
    auto& s = app_.form8;
    const auto table = app_.form6.Table();
    if (!modiagram::IsValidTable(table)) return;

    if (core::IsBlank(s.Disp_ymin.Text())) s.Disp_ymin.SetText("1");
    if (core::IsBlank(s.Disp_ymax.Text())) s.Disp_ymax.SetText("10");
    SetEnergyRange(s.RangeBoxValue(s.Disp_ymin), s.RangeBoxValue(s.Disp_ymax));
    // Before any range computation the x extent is still empty: take it from the table.
    if (!(plot_.x.gmax > plot_.x.gmin)) UpdateSlotExtent();

    // Every setting is read before the first primitive, so a bad box leaves the old picture.
    const modiagram::SlotOptions slots = Slots();
    const ui::Color colors[] = {BoxColor(s.AlphaOccColor), BoxColor(s.AlphaVirtColor), BoxColor(s.BetaOccColor),
                                BoxColor(s.BetaVirtColor)};
    const int widthOcc = s.LineWidthOcc.Value(), widthVirt = s.LineWidthVirt.Value();
    const int styleOcc = s.LineStyleOcc.Value(), styleVirt = s.LineStyleVirt.Value();
    const bool energies = s.Energy_SW.Value() == 1, fileNames = s.FileName_SW.Value() == 1;
    const int fontSize = s.MOEnFontSize.Value(), digits = s.NDigits.Value();
    const auto levels = modiagram::VisibleLevels(table, slots, log.EnUnit, plot_.y.dmin, plot_.y.dmax);

    auto& cv = PaintBox1.Canvas();
    cv.Clear();  // every drawing is complete in itself; the record holds the current picture
    cv.Font = ui::FontSpec{};
    cv.Font.size = 8;
    EraseFrame();
    DrawRangeBracket(s.EnUnitEdit.Text());

    cv.Pen = {ui::kBlack, 1, ui::psSolid};
    for (const auto& level : levels) {
        const bool occ = modiagram::IsOccupied(level.kind);
        const int width = occ ? widthOcc : widthVirt;
        const ui::Color color = colors[static_cast<int>(level.kind) - 1];
        cv.Pen.color = color;
        cv.Pen.style = occ ? styleOcc : styleVirt;
        cv.Font.color = color;
        const int x1 = fx(level.ends.x1), x2 = fx(level.ends.x2), y = fy(level.energy);
        for (int w = 0; w < width; ++w) {
            cv.MoveTo(x1, y - w);
            cv.LineTo(x2, y - w);
        }
        if (energies) {
            cv.Font.size = fontSize;
            cv.TextOut(x1, y - static_cast<int>(core::RoundHalfEven(1.6 * fontSize)) - (width - 1),
                       modiagram::EnergyLabel(level.energy, digits));
        }
        if (fileNames && modiagram::IsAlphaColumn(table, level.col)) {
            cv.Font.size = 8;
            cv.Font.color = ui::kBlue;
            const size_t set = static_cast<size_t>(level.alphaIndex);
            const std::string path = set < log.FileMem.size() ? log.FileMem[set] : std::string();
            cv.TextOut(fx(slots.M * level.slot + 1), fy(plot_.y.gmax), FileNamePart(path));
        }
    }
    Refresh();
    log.PreENU = log.EnUnit;
}

void TForm7::ClearGraphClick() {
    PaintBox1.Canvas().Clear();
    EraseFrame();
}

// ---------------------------------------------------------------- menu and events

void TForm7::InitializeDisplayRange1Click() {
    DispRangeClick();
    DrawMODiagramsClick();
}

void TForm7::GraphicsSettings1Click() { app_.form8.Show(); }

void TForm7::MOCoefficients1Click() {
    auto& coefficients = app_.form14;
    coefficients.Show();
    coefficients.SetLeft(0);
    // The PDOS window sits at the bottom left of the monitor showing this window.
    auto& pdos = app_.form15;
    pdos.SetLeft(0);
    pdos.SetTop(app_.platform.MonitorSize(*this).height - pdos.Height());
    pdos.Show();
    pdos.CaptionSets();
}

void TForm7::Exit1Click() { Hide(); }

void TForm7::FormResize() {
    // A resize while hidden (the toolkit settling the frame) redraws but does not show the window.
    DrawMODiagramsClick();
    Refresh();
    DrawMODiagramsClick();
}

void TForm7::SaveExcelSheet1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.SaveFileDialog(
        {"SaveExcelSheet", log.dirinfo.empty() ? log.dirinfo0 : log.dirinfo, "", kSheetFilter});
    if (!chosen) return;
    modiagram::WriteSheet(*chosen, modiagram::SheetLines(app_.form6.Table(), log.FileMem, Slots(), log.EnUnit));
    app_.Pause(log.sleeptime);
}

void TForm7::SavePicture1Click() {
    app_.SavePicture(PaintBox1, "mo_diagram", [this] {
        DrawMODiagramsClick();
        return true;
    });
}

}  // namespace mavrolin
