#include "spectrum/esi_report.h"

#include <cmath>

#include "core/number_text.h"

namespace mavrolin::spectrum {

namespace {

const std::string kTab = "\t";

double Squared(const std::string& text) {
    double c = core::ParseDouble(text);
    return c * c;
}

void AppendStructure(const EsiReportInput& in, std::vector<std::string>& out) {
    const auto& g = in.structure;
    if (g.size() <= 2) return;
    const int cols = in.structureCols;
    const std::string dash78(78, '-');
    out.insert(out.end(), {"", "", "Table S**. Atomic coordinates used to carry out the TD-DFT calculation.", dash78});
    if (cols > 3) {
        std::string h = "Atom\tX\tY\tZ";
        if (cols > 4) h += "\tMulliken Charge";
        if (cols > 5) h += "\tSpin Density";
        out.push_back(h);
    }
    out.push_back(dash78);
    auto cell = [](const std::vector<std::string>& row, size_t c) { return c < row.size() ? row[c] : std::string(); };
    for (size_t r = 1; r < g.size(); ++r) {
        std::string line = cell(g[r], 0) + kTab + cell(g[r], 1) + kTab + cell(g[r], 2) + kTab + cell(g[r], 3);
        if (cols > 4) line += kTab + cell(g[r], 4);
        if (cols > 5) line += kTab + cell(g[r], 5);
        out.push_back(line);
    }
    out.insert(out.end(), {dash78, "", ""});
}

}  // namespace

std::string EsiLabel(int style, const std::string& from, const std::string& to) {
    switch (style) {
        case 1: return "MO" + from + " -> MO" + to;
        case 2: return from + " -> " + to;
        case 3: return "#" + from + " -> #" + to;
        default: return {};
    }
}

std::string EsiStyleExample(int style) { return EsiLabel(style, "77A", "78A"); }

std::vector<std::string> EsiShares(const std::vector<std::string>& coefficients) {
    double sum = 0;
    for (const auto& c : coefficients) sum += Squared(c);
    std::vector<std::string> shares;
    for (const auto& c : coefficients) {
        double share = sum > 0 ? static_cast<double>(core::RoundHalfEven(Squared(c) / sum * 100000)) / 1000 : 0.0;
        shares.push_back(core::FloatText(share) + "%");
    }
    return shares;
}

std::string BadEsiLimit(const EsiLimits& limits) {
    double v = 0;
    if (!core::TryParseDouble(limits.nm, v)) return "Lower Limit for Wavelength (nm)";
    if (!core::TryParseDouble(limits.f, v)) return "Threshold of Oscillator Strength (f)";
    if (!core::TryParseDouble(limits.ci, v)) return "Threshold  for abs(CI coefficients)";
    return {};
}

std::vector<std::string> EsiReportLines(const EsiReportInput& in) {
    const double nmLimit = core::ParseDouble(in.limits.nm);
    const double fLimit = core::ParseDouble(in.limits.f);
    const double ciLimit = core::ParseDouble(in.limits.ci);
    const std::string dash114(114, '-');
    std::vector<std::string> out = {
        "Table S**. Oscilator strengths computed by TD-DFT  together with the major contributions of transition "
        "components.",
        dash114,
        "Excited State\tE (cm-1)\tl (nm)\tf^a ( > " + in.limits.f + ")\tMajor Transition\t|CI coef| ( > " +
            in.limits.ci + ")",
        dash114};
    for (const auto& s : in.states) {
        if (!(s.f > fLimit && s.nm > nmLimit)) continue;
        std::string line = core::IntText(s.number) + kTab + core::FloatText(static_cast<double>(core::RoundHalfEven(s.kz))) +
                           kTab + core::FloatText(s.nm) + kTab + core::FloatText(s.f) + kTab;
        bool first = true;
        for (const auto& c : s.components) {
            if (!(std::fabs(core::ParseDouble(c.coefficient)) > ciLimit)) continue;
            if (!first) line = "\t\t\t\t";
            line += c.label + kTab + c.coefficient + " (" + c.share + ")";
            out.push_back(line);
            first = false;
        }
        if (first) out.push_back(line);
    }
    out.insert(out.end(), {dash114, "a^Oscilator strength.", "", ""});
    out.insert(out.end(), in.summary.begin(), in.summary.end());
    out.insert(out.end(), {"", ""});
    AppendStructure(in, out);
    return out;
}

}  // namespace mavrolin::spectrum
