#pragma once
// The spectrum of several conformers: each conformer's curve computed on one common grid,
// and their sum weighted by the conformers' populations,
//   y(x) = sum_i w_i y_i(x),  sum_i w_i = 1.
// A kind of spectrum (UV-vis, IR, ECD ...) is plugged in per conformer as its own range and
// a function giving its curve on any grid, so this knows nothing of any one kind.
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace mavrolin::conformers {

struct Range {
    double lo = 0, hi = 0;
};

// The curve of one conformer's log on the given grid (as many values as grid points).
using CurveOnGrid = std::function<std::vector<double>(std::span<const double> grid)>;

struct Conformer {
    std::string name;  // shown in legends and column headers (the log's file name)
    double weight = 0;
    Range range;       // where its own spectrum would be drawn
    CurveOnGrid curve;
};

// The smallest range holding every conformer's range.
Range Union(std::span<const Conformer> conformers);
// n points evenly from lo to hi inclusive (n >= 2).
std::vector<double> Grid(Range r, int n);

struct WeightedCurve {
    std::vector<double> x, total;
    std::vector<std::vector<double>> curves;  // each conformer's own curve on x, unweighted
    std::vector<std::string> names;
    std::vector<double> weights;
};

// Every conformer's curve on `grid` and their weighted sum. Throws core::InputError when a
// curve does not give one value per grid point.
WeightedCurve Combine(std::span<const Conformer> conformers, std::vector<double> grid);

// The weighted curve as text: `header` lines after "# ", one line per conformer
// ("# weight 0.6 conf1.log"), then x and y separated by a tab, CR LF line ends.
std::string CurveText(const WeightedCurve& c, const std::vector<std::string>& header);

}  // namespace mavrolin::conformers
