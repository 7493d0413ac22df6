#pragma once
// The simulated UV-vis curve: one Gaussian band per transition, centred at its energy,
// scaled by its oscillator strength, summed and sampled on an even grid in the chosen unit.
// A pure function of the states and a settings value, so it runs without any window.
#include <span>
#include <string>
#include <vector>

namespace mavrolin::spectrum {

// Physical constants used by every conversion of the spectrum, exactly as printed.
inline constexpr double kPlanck = 6.62608e-34;            // J s
inline constexpr double kLight = 2.99792458e10;           // cm/s
inline constexpr double kCharge = 1.60217733e-19;         // C
inline constexpr double kHcJnm = 1.98644881010464e-16;    // h c in J nm
inline constexpr double kHcEvNm = 1239.8432888228672;     // h c / e in nm eV
inline constexpr double kCmPerEv = 8065.53545125385;      // cm-1 per eV
inline constexpr double kHalfWidthFactor = 3.0348542587702925;  // 2 sqrt(ln 10)

enum Unit { kUnitEv = 1, kUnitNm = 2, kUnitCm = 3 };

// exp(-(x - y)^2 / (2 sigma^2)): a band of peak 1 at y.
double Gaus(double x, double y, double sigma);
// 1/(sqrt(2 pi) sigma): the normalisation the band function cancels; the rubber band's
// pause and the saved file's formula refer to it.
double Scaling(double sigma);

// The rounded conversions that the settings window displays.
double EvToNmTenths(double ev);    // Round(12398.43.../E)/10
double EvToCmHundredths(double ev);
double NmToEvMillionths(double nm);
double NmToCmTenths(double nm);
// The exact conversion of the wavelength grid.
double NmToEv(double nm);

// Bound texts as the automatic range writes them back: Round(v*10)/10.
std::string TenthText(double v);

// The transitions, 0-based views of equal length.
struct Transitions {
    std::span<const double> en_ev, nm, f;
    int Count() const { return static_cast<int>(en_ev.size()); }
};

// The settings a redraw reads, as the settings window holds them (bounds are texts).
struct CurveSettings {
    int unit = kUnitEv;
    int points = 300;
    int sigmaValue = 200;  // sigma in thousandths of an eV
    bool xAuto = true;
    std::string evMin = "1", evMax = "12", nmMin = "103", nmMax = "1240";
    bool yAuto = true;
    std::string dispYmin, dispYmax;
};

struct SpectrumCurve {
    enum class Status { Ok, NoBrightState, NoUnit, BadRange };
    Status status = Status::Ok;
    std::string message;  // why nothing can be drawn (status other than Ok)

    double sigma = 0, pkh_100 = 0, scaling = 0, xdiv = 0;
    double dxmin = 0, dxmax = 0, dymin = 0, dymax = 0;
    std::vector<double> y;  // the curve of the current unit, npoints samples

    // Automatic range: the texts written back into the settings window.
    bool boundsWritten = false;
    std::string evMin, evMax, nmMin, nmMax, kayserMax, kayserMin;
    std::string refusedBound;  // a rounded automatic bound <= 0, kept at its previous value

    bool Ok() const { return status == Status::Ok; }
};

// Grid point i of the range: i*(max - min)/(n - 1) + min, in that form every time.
inline double GridX(int i, double dxmin, double dxmax, int n) {
    return i * (dxmax - dxmin) / (n - 1) + dxmin;
}

// Horizontal range, curve and vertical range of one redraw. Bound texts that are not
// numbers raise core::ConversionError.
SpectrumCurve ComputeSpectrum(const Transitions& states, const CurveSettings& settings);

}  // namespace mavrolin::spectrum
