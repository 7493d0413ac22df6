#include "conformers/weighted_curve.h"

#include <algorithm>

#include "core/errors.h"
#include "core/number_text.h"

namespace mavrolin::conformers {

Range Union(std::span<const Conformer> conformers) {
    Range r{0, 0};
    for (size_t i = 0; i < conformers.size(); ++i) {
        const Range& c = conformers[i].range;
        r = i == 0 ? c : Range{std::min(r.lo, c.lo), std::max(r.hi, c.hi)};
    }
    return r;
}

std::vector<double> Grid(Range r, int n) {
    n = std::max(n, 2);
    std::vector<double> x(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) x[static_cast<size_t>(i)] = r.lo + (r.hi - r.lo) * i / (n - 1);
    return x;
}

WeightedCurve Combine(std::span<const Conformer> conformers, std::vector<double> grid) {
    WeightedCurve out;
    out.x = std::move(grid);
    out.total.assign(out.x.size(), 0.0);
    for (const auto& c : conformers) {
        auto y = c.curve(out.x);
        if (y.size() != out.x.size())
            throw core::InputError("The curve of " + c.name + " has " + std::to_string(y.size()) + " values for " +
                                   std::to_string(out.x.size()) + " grid points.");
        for (size_t k = 0; k < y.size(); ++k) out.total[k] += c.weight * y[k];
        out.curves.push_back(std::move(y));
        out.names.push_back(c.name);
        out.weights.push_back(c.weight);
    }
    return out;
}

std::string CurveText(const WeightedCurve& c, const std::vector<std::string>& header) {
    std::string text;
    for (const auto& h : header) text += "# " + h + "\r\n";
    for (size_t i = 0; i < c.names.size(); ++i)
        text += "# weight " + core::FloatText(c.weights[i]) + " " + c.names[i] + "\r\n";
    for (size_t k = 0; k < c.x.size(); ++k) text += core::FloatText(c.x[k]) + "\t" + core::FloatText(c.total[k]) + "\r\n";
    return text;
}

}  // namespace mavrolin::conformers
