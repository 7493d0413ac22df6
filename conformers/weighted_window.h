#pragma once
// "Weighted Spectrum": the spectrum of several conformers weighted by their populations,
// opened from the thermochemistry window with its selected rows. A small dialog picks the
// kind of spectrum, its band width and, for each row, the log that holds that spectrum
// (the row's own log by default: a TD single point is often a separate job). The window
// draws the figure: the weighted curve, optionally each conformer's share, and a measured
// spectrum laid over it; File saves the figure and its data.
#include <optional>
#include <string>
#include <vector>

#include "conformers/spectrum_kinds.h"
#include "conformers/weighted_curve.h"
#include "spectrum/experimental_spectrum.h"
#include "thermo/thermo_calc.h"
#include "ui/controls.h"
#include "ui/figure.h"

namespace mavrolin {

class Application;

class WeightedSpectrumWindow : public ui::Form {
public:
    explicit WeightedSpectrumWindow(Application& app);

    ui::PaintBox PaintBox1;

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem Overlay1{"Overlay Experimental Spectrum\u2026", "Overlay1"};
    ui::MenuItem RemoveOverlay1{"Remove Overlay", "RemoveOverlay1"};
    ui::MenuItem SaveFigure1{"Save Figure\u2026", "SaveFigure1"};
    ui::MenuItem SaveFigureData1{"Save Figure Data\u2026", "SaveFigureData1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem View1{"View", "View1"};
    ui::MenuItem Components1{"Conformers' Shares", "Components1"};

    // The dialog for the rows of the thermochemistry table, then the window. Rows without
    // thermochemistry are refused with a message naming their log.
    void ChooseAndShow(const std::vector<thermo::Row>& rows);
    // Computes the weighted spectrum of `logs` (weights as given, scaled to add up to 1 with
    // a warning) and shows it. Throws core::InputError naming a log that lacks it; what the
    // window showed then stays.
    void ShowWeighted(const conformers::SpectrumKind& kind, const std::vector<std::string>& logs,
                      const std::vector<double>& weights);
    void Overlay1Click();
    void Draw();

    const conformers::WeightedCurve& Curve() const { return curve_; }
    // The figure of what the window shows (nothing before a spectrum was computed).
    std::optional<ui::fig::Figure> Figure() const;

private:
    Application& app_;
    std::optional<conformers::SpectrumKind> kind_;
    conformers::WeightedCurve curve_;
    std::optional<spectrum::ExperimentalSpectrum> overlay_;
};

}  // namespace mavrolin
