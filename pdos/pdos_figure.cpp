#include "pdos/pdos_figure.h"

#include <algorithm>
#include <cmath>

#include "app/application.h"
#include "app/figure_export.h"
#include "core/dir_memory.h"
#include "pdos/pdos_window.h"

namespace mavrolin::pdos {

ui::fig::Figure PdosFigure(const PdosPlot& plot, const std::vector<std::string>& names, const PdosFigureOptions& o) {
    using namespace ui::fig;
    Figure fig;
    fig.title = o.title;
    fig.csvX = "energy / eV";
    Panel p;
    p.horizontal = !o.vertical;
    p.x.title = Quantity("E", "eV");
    p.y.title = "DOS / eV\u207B\u00B9";
    if (plot.gxmin < plot.gxmax) p.x.min = plot.gxmin, p.x.max = plot.gxmax;
    const PdosCurves& c = plot.curves;
    const bool open = c.dens.size() > 1;

    // Each occupied MO's weight spread over a Gaussian of unit area: states per eV.
    const double perEv = o.sigmaEv > 0 ? 1 / o.sigmaEv : 1;
    std::vector<double> energies;
    for (int i = 0; i <= c.n; ++i) energies.push_back(c.Energy(i));
    double homo = -1e300;
    for (const auto& l : plot.levels)
        if (l.occupied > 0 && static_cast<size_t>(l.occupied) <= l.energies.size())
            homo = std::max(homo, l.energies[static_cast<size_t>(l.occupied) - 1]);

    std::vector<Series> shaded, curves;
    for (size_t s = 0; s < c.dens.size(); ++s) {
        const double sign = s == 1 ? -1 : 1;
        for (size_t k = 0; k < c.dens[s].size(); ++k) {
            const bool total = c.total && static_cast<int>(k) == c.nsets;
            std::string name = total ? "Total" : k < names.size() && !names[k].empty() ? names[k] : "set " + std::to_string(k + 1);
            Series d;
            d.x = energies;
            for (double v : c.dens[s][k]) d.y.push_back(sign * v * perEv);
            d.color = total ? ui::kBlack : PaletteColor(static_cast<int>(k) + 1);
            d.widthPt = total ? 1 : 0.8;
            d.column = name + (open ? (s == 0 ? " alpha" : " beta") : "") + " / eV-1";
            d.name = s == 0 ? name : "";
            // The occupied part (up to the HOMO) of the first curve that sums them all, shaded.
            if (k + 1 == c.dens[s].size() && (total || c.nsets == 1) && homo > -1e299) {
                Series a;
                a.kind = SeriesKind::Area;
                a.color = 0xE0E0E0;
                for (size_t i = 0; i < d.x.size() && d.x[i] <= homo; ++i) a.x.push_back(d.x[i]), a.y.push_back(d.y[i]);
                if (s == 0) a.name = "Occupied";
                shaded.push_back(std::move(a));
            }
            curves.push_back(std::move(d));
        }
    }
    for (auto& a : shaded) p.series.push_back(std::move(a));
    for (auto& d : curves) p.series.push_back(std::move(d));
    if (homo > -1e299) p.markers.push_back({true, homo, 0x404040, 0.6, ui::psDash, "HOMO"});
    fig.panels.push_back(std::move(p));
    return fig;
}

ui::fig::Figure PdosFigureOf(const TForm15& form, bool vertical, const std::string& title) {
    std::vector<std::string> names;
    const auto& legend = form.DBGrid1.Columns();
    for (const auto& set : form.UsedSets())
        names.push_back(set.col >= 0 && static_cast<size_t>(set.col) < legend.size() ? legend[static_cast<size_t>(set.col)].caption
                                                                                : std::string());
    PdosFigureOptions o;
    o.sigmaEv = form.Plot().Empty() ? 0.02 : form.sigma2();
    o.vertical = vertical;
    o.title = title;
    return PdosFigure(form.Plot(), names, o);
}

void ConnectFigureItems(Application& app, ui::MenuItem& figure, ui::MenuItem& data, bool vertical) {
    mavrolin::ConnectFigureItems(
        app, figure, data,
        {[&app] {
             const auto& f = app.form15.ComputedLog();
             return f.empty() ? std::string("pdos") : core::StemOf4(f) + "_PDOS";
         },
         {{"Energy up the page (yes/no)", vertical ? "yes" : "no"}},
         [&app](const std::vector<std::string>& a) -> std::optional<ui::fig::Figure> {
             if (app.form15.Plot().Empty()) {
                 app.ShowMessagePos("Nothing computed yet: press \"Compute PDOS\" in the PDOS window first.");
                 return std::nullopt;
             }
             return PdosFigureOf(app.form15, IsYes(a[0]));
         }});
}

}  // namespace mavrolin::pdos
