#include "optprofile/profile_figure.h"

#include <algorithm>
#include <cmath>

namespace mavrolin::optprofile {

ui::fig::Figure ProfileFigure(const core::LoadedLog& log, const std::string& title) {
    using namespace ui::fig;
    Figure fig;
    fig.title = title;
    fig.sharedX = true;
    fig.csvX = "step";
    // Arrays are 1-based: value i belongs to step i.
    const int n = std::max(0, std::min(log.ndone, static_cast<int>(log.scfengy.size()) - 1));
    if (n < 1) return fig;

    Panel energy;
    energy.x.integers = true;
    energy.x.min = 1, energy.x.max = std::max(n, 2);
    energy.y.title = "\u0394" + Quantity("E", "kcal mol\u207B\u00B9");
    double lowest = log.scfengy[1];
    for (int i = 1; i <= n; ++i) lowest = std::min(lowest, log.scfengy[static_cast<size_t>(i)]);
    Series e;
    e.column = "relative energy / kcal mol-1";
    e.color = ui::kBlack;
    for (int i = 1; i <= n; ++i) {
        e.x.push_back(i);
        e.y.push_back((log.scfengy[static_cast<size_t>(i)] - lowest) * kKcalPerHartree);
    }
    energy.series.push_back(std::move(e));
    energy.weight = 1;

    int steps = log.nforce2;
    for (const auto* v : {&log.maxfrce, &log.rmsfrce, &log.maxdisp, &log.rmsdisp})
        steps = std::min(steps, static_cast<int>(v->size()) - 1);
    if (steps < 1) {
        energy.x.title = "Step";
        fig.panels.push_back(std::move(energy));
        return fig;
    }
    Panel conv;
    conv.x = energy.x;
    conv.x.max = std::max({n, steps, 2});
    energy.x.max = conv.x.max;
    conv.x.title = "Step";
    conv.y.title = "Criterion / a.u.";
    conv.y.scale = AxisScale::Log;
    struct Criterion {
        const std::vector<double>* values;
        double threshold;
        const char* name;
        const char* column;
    };
    const Criterion criteria[] = {{&log.maxfrce, log.maxf_thres, "Max. force", "max force / hartree bohr-1"},
                                  {&log.rmsfrce, log.rmsf_thres, "RMS force", "rms force / hartree bohr-1"},
                                  {&log.maxdisp, log.maxd_thres, "Max. displ.", "max displacement / bohr"},
                                  {&log.rmsdisp, log.rmsd_thres, "RMS displ.", "rms displacement / bohr"}};
    int k = 1;
    for (const auto& c : criteria) {
        Series s;
        s.name = c.name;
        s.column = c.column;
        s.color = PaletteColor(k);
        s.widthPt = 0.8;
        for (int i = 1; i <= steps; ++i) {
            const double v = (*c.values)[static_cast<size_t>(i)];
            s.x.push_back(i), s.y.push_back(v > 0 ? v : std::nan(""));
        }
        conv.series.push_back(std::move(s));
        if (c.threshold > 0) conv.markers.push_back({false, c.threshold, PaletteColor(k), 0.6, ui::psDash, ""});
        ++k;
    }
    conv.weight = 1.2;
    fig.panels.push_back(std::move(energy));
    fig.panels.push_back(std::move(conv));
    return fig;
}

}  // namespace mavrolin::optprofile
