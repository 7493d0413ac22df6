#pragma once
// Physical constants of the thermochemistry, CODATA 2018 (SI; the first five are exact
// by the definition of the SI units).
namespace mavrolin::thermo::constants {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kBoltzmann = 1.380649e-23;       // J/K
inline constexpr double kPlanck = 6.62607015e-34;        // J s
inline constexpr double kAvogadro = 6.02214076e23;       // 1/mol
inline constexpr double kLightSpeed = 299792458.0;       // m/s
inline constexpr double kAtmosphere = 101325.0;          // Pa
inline constexpr double kAtomicMass = 1.66053906660e-27; // kg (dalton)
inline constexpr double kHartree = 4.3597447222071e-18;  // J
inline constexpr double kCalorie = 4.184;                // J (thermochemical calorie)

inline constexpr double kGasConstant = kBoltzmann * kAvogadro;                     // J/(mol K)
inline constexpr double kHartreeKcalMol = kHartree * kAvogadro / (1000 * kCalorie);  // 627.5094740631
// Second radiation constant h c / k, in K cm: a wavenumber in cm-1 times this is a temperature.
inline constexpr double kWavenumberKelvin = kPlanck * kLightSpeed * 100 / kBoltzmann;

}  // namespace mavrolin::thermo::constants
