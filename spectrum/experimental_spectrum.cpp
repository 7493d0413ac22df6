#include "spectrum/experimental_spectrum.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numeric>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"

namespace mavrolin::spectrum {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The x unit a header line names, or 0 when it names none. Units are matched as whole
// words ("nm", "eV"), so "level" or "environment" name nothing.
int HeaderUnit(std::string_view line) {
    const std::string l = Lower(line);
    for (const char* cm : {"cm-1", "cm^-1", "cm**-1", "1/cm", "cm\xe2\x81\xbb\xc2\xb9"})
        if (l.find(cm) != std::string::npos) return kUnitCm;
    int unit = 0;
    size_t i = 0;
    while (i < l.size() && unit == 0) {
        while (i < l.size() && !std::isalnum(static_cast<unsigned char>(l[i]))) ++i;
        size_t j = i;
        while (j < l.size() && std::isalnum(static_cast<unsigned char>(l[j]))) ++j;
        const std::string_view word = std::string_view(l).substr(i, j - i);
        if (word == "wavenumber" || word == "wavenumbers" || word == "kayser") unit = kUnitCm;
        if (word == "nm" || word == "wavelength") unit = kUnitNm;
        if (word == "ev") unit = kUnitEv;
        i = j;
    }
    return unit;
}

// Two numbers separated by blanks, tabs or one comma (with blanks around it); false otherwise.
bool TwoNumbers(std::string_view line, double& x, double& y) {
    std::vector<std::string_view> parts;
    size_t i = 0;
    bool comma = false;  // a comma since the last number: another one would leave a field empty
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        if (line[i] == ',') {
            if (parts.empty() || comma) return false;
            comma = true;
            ++i;
            continue;
        }
        comma = false;
        size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != ',') ++j;
        parts.push_back(line.substr(i, j - i));
        i = j;
    }
    return parts.size() == 2 && !comma && core::TryParseDouble(parts[0], x) && core::TryParseDouble(parts[1], y) &&
           std::isfinite(x) && std::isfinite(y);
}

class OverlayParser {
public:
    OverlayParser(int windowUnit, std::string name) : name_(std::move(name)) {
        result_.unit = windowUnit;
        result_.name = name_;
    }

    void Line(long long number, std::string_view raw) {
        const std::string_view t = core::TrimView(raw);
        if (t.empty() || t.front() == '#') return;
        double x = 0, y = 0;
        if (TwoNumbers(t, x, y)) {
            result_.x.push_back(x);
            result_.y.push_back(y);
            return;
        }
        // One header line before the data; it may name the x unit.
        if (result_.x.empty() && !header_) {
            header_ = true;
            if (int u = HeaderUnit(t)) result_.unit = u;
            return;
        }
        throw core::InputError("Line " + core::IntText(number) + " of " + name_ +
                               " is not two numbers (x and intensity): \"" + std::string(t.substr(0, 60)) + "\".");
    }

    ExperimentalSpectrum Result() {
        if (result_.x.empty())
            throw core::InputError(name_ + " holds no data lines (two numbers per line: x and intensity).");
        return std::move(result_);
    }

private:
    std::string name_;
    bool header_ = false;
    ExperimentalSpectrum result_;
};

double Convert(double x, int from, int to) {
    if (from == to) return x;
    // Everything through cm-1: nm and cm-1 are reciprocal, eV is proportional to cm-1.
    const double cm = from == kUnitCm ? x : from == kUnitNm ? 1e7 / x : x * kCmPerEv;
    return to == kUnitCm ? cm : to == kUnitNm ? 1e7 / cm : cm / kCmPerEv;
}

}  // namespace

ExperimentalSpectrum ReadExperimentalSpectrum(const std::filesystem::path& path, int windowUnit) {
    core::TextReader in(path);
    OverlayParser parser(windowUnit, path.filename().string());
    std::string_view line;
    while (in.ReadLineView(line)) parser.Line(in.LineNumber(), line);
    return parser.Result();
}

ExperimentalSpectrum ParseExperimentalSpectrum(std::string_view text, int windowUnit, const std::string& name) {
    OverlayParser parser(windowUnit, name);
    long long number = 0;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            text.remove_prefix(end + (crlf ? 2 : 1));
        }
        parser.Line(++number, line);
    }
    return parser.Result();
}

OverlayPoints ExperimentalIn(const ExperimentalSpectrum& s, int unit) {
    std::vector<size_t> keep;
    std::vector<double> xs;
    for (size_t i = 0; i < s.x.size(); ++i) {
        if (s.unit != unit && !(s.x[i] > 0)) continue;
        keep.push_back(i);
        xs.push_back(Convert(s.x[i], s.unit, unit));
    }
    std::vector<size_t> order(keep.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return xs[a] < xs[b]; });
    OverlayPoints p;
    for (size_t k : order) {
        p.x.push_back(xs[k]);
        p.y.push_back(s.y[keep[k]]);
    }
    return p;
}

void ScaleToMaximum(OverlayPoints& p, double target) {
    double m = 0;
    for (double v : p.y) m = std::max(m, v);
    if (!(m > 0) || !std::isfinite(target)) return;
    for (auto& v : p.y) v *= target / m;
}

}  // namespace mavrolin::spectrum
