// `mavrolin ir` on every frequency log of the corpus: the saved curve is checked against
// the modes read plainly from each file (the last set after a "Harmonic frequencies"
// header): the area under the curve is the sum of the intensities, and every isolated
// band stands at its mode's frequency with at least its own peak height.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "support/test_app.h"

namespace {

using testing_support::CorpusDir;
using testing_support::RunCli;
using testing_support::TestApp;

struct PlainMode {
    double frequency = 0, ir = 0, raman = 0;
};

std::vector<double> ValuesAfter(const std::string& line) {
    std::istringstream in(line.substr(line.find("--") + 2));
    std::vector<double> v;
    for (std::string w; in >> w;) v.push_back(std::stod(w));
    return v;
}

// The standard listing of the last set; `raman` tells whether it prints activities.
std::vector<PlainMode> LastSet(const std::filesystem::path& path, bool& raman) {
    std::ifstream in(path);
    std::vector<PlainMode> modes;
    size_t first = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.find("Harmonic frequencies (cm**-1)") != std::string::npos) {
            modes.clear();
            raman = false;
        } else if (line.rfind(" Frequencies --", 0) == 0) {
            first = modes.size();
            for (double f : ValuesAfter(line)) modes.push_back({f, 0, 0});
        } else if (line.rfind(" IR Inten    --", 0) == 0 || line.rfind(" Raman Activ --", 0) == 0) {
            const bool ir = line[1] == 'I';
            raman = raman || !ir;
            const auto v = ValuesAfter(line);
            for (size_t k = 0; k < v.size(); ++k) (ir ? modes[first + k].ir : modes[first + k].raman) = v[k];
        }
    }
    return modes;
}

std::vector<std::filesystem::path> FrequencyLogs() {
    std::vector<std::filesystem::path> logs;
    auto dir = CorpusDir();
    if (dir.empty()) return logs;
    for (auto& e : std::filesystem::recursive_directory_iterator(dir)) {
        const auto ext = e.path().extension().string();
        bool raman = false;
        if (e.is_regular_file() && (ext == ".log" || ext == ".out") && !LastSet(e.path(), raman).empty())
            logs.push_back(e.path());
    }
    std::sort(logs.begin(), logs.end());
    return logs;
}

struct Curve {
    std::vector<double> x, y;
};

Curve ReadCurve(const std::filesystem::path& file) {
    std::ifstream in(file);
    Curve c;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        c.x.push_back(std::stod(line.substr(0, tab)));
        c.y.push_back(std::stod(line.substr(tab + 1)));
    }
    return c;
}

size_t Nearest(const Curve& c, double x) {
    size_t best = 0;
    for (size_t i = 1; i < c.x.size(); ++i)
        if (std::fabs(c.x[i] - x) < std::fabs(c.x[best] - x)) best = i;
    return best;
}

}  // namespace

TEST(IrRamanCorpus, CurveAgreesWithThePlainlyReadModes) {
    const auto logs = FrequencyLogs();
    if (logs.empty()) GTEST_SKIP() << "no corpus";
    constexpr double kFwhm = 8;
    const double sigma = kFwhm / (2 * std::sqrt(2 * std::log(2.0)));
    const double peakPerArea = 1 / (sigma * std::sqrt(2 * std::numbers::pi));
    for (const auto& path : logs) {
        bool hasRaman = false;
        const auto modes = LastSet(path, hasRaman);
        for (bool raman : {false, true}) {
            SCOPED_TRACE(path.string() + (raman ? " (Raman)" : " (IR)"));
            TestApp t;
            const auto out = t.dir / "curve.txt";
            std::vector<std::string> args{"--quiet", "ir", path.string(), "--shape", "gauss", "--fwhm", "8", "-o",
                                          out.string()};
            if (raman) args.push_back("--raman");
            std::string so, se;
            const int status = RunCli(args, so, se);
            if (raman && !hasRaman) {
                EXPECT_EQ(status, 1);
                EXPECT_FALSE(std::filesystem::exists(out));
                continue;
            }
            ASSERT_EQ(status, 0) << se;
            const Curve c = ReadCurve(out);
            ASSERT_GT(c.x.size(), 100u);
            double area = 0, sum = 0;
            for (size_t i = 1; i < c.x.size(); ++i) area += (c.x[i] - c.x[i - 1]) * (c.y[i] + c.y[i - 1]) / 2;
            for (const auto& m : modes)
                if (m.frequency > 0) sum += raman ? m.raman : m.ir;
            EXPECT_NEAR(area, sum, 1e-3 * sum + 1e-6);
            for (size_t k = 0; k < modes.size(); ++k) {
                const double f = modes[k].frequency, v = raman ? modes[k].raman : modes[k].ir;
                if (f <= 0) continue;
                bool isolated = true;
                for (size_t j = 0; j < modes.size(); ++j)
                    if (j != k && std::fabs(modes[j].frequency - f) < 6 * kFwhm) isolated = false;
                if (!isolated) continue;
                // Alone within six widths: at the grid point nearest the mode the curve is that
                // mode's own band (neighbours add < 1e-9), and no point within a width is higher.
                const size_t i = Nearest(c, f);
                const double d = c.x[i] - f, own = v * peakPerArea * std::exp(-d * d / (2 * sigma * sigma));
                EXPECT_NEAR(c.y[i], own, 1e-4 * v * peakPerArea + 1e-6) << "mode at " << f;
                for (size_t j = 0; j < c.x.size(); ++j) {
                    if (std::fabs(c.x[j] - f) < kFwhm && std::fabs(c.x[j] - f) > std::fabs(d) + 1e-9) {
                        EXPECT_LE(c.y[j], c.y[i] + 1e-9) << "mode at " << f;
                    }
                }
            }
        }
    }
}
