#pragma once
// The Molden file: the format molecular viewers read structures, normal modes and
// orbitals from. Sections written: [Molden Format], [Atoms] (angstrom), then from a
// frequency job [FREQ], [FR-COORD] (bohr), [FR-NORM-COORD], [INT], and with a basis and
// orbitals [GTO] and [MO] (with [5D]/[7F]/[9G] flags for pure shells).
#include <filesystem>
#include <string>
#include <vector>

#include "molden/gaussian_basis.h"
#include "molden/normal_modes.h"
#include "pdos/coefficient_table.h"

namespace mavrolin::molden {

inline constexpr double kBohrPerAngstrom = 1.0 / 0.529177210903;  // CODATA 2018 Bohr radius

struct MoldenAtom {
    int atomicNumber = 0;
    double x = 0, y = 0, z = 0;  // angstrom
};

struct MoldenOrbital {
    double energy = 0;        // hartree
    bool beta = false;
    double occupation = 0;
    std::vector<double> coefficients;  // one per basis function, in the file's order
};

struct MoldenData {
    std::string title;
    std::vector<MoldenAtom> atoms;
    NormalModes modes;                 // empty: no vibration sections
    BasisSet basis;                    // empty: no [GTO] and [MO]
    std::vector<MoldenOrbital> orbitals;
};

// The orbitals of loaded coefficient tables: energies from the MO headers, occupations from
// their occupied/virtual codes (2 and 0 for a closed-shell run, 1 and 0 per spin for an
// open-shell one), coefficients as numbers. Throws core::InputError when an MO misses an
// energy or a coefficient.
std::vector<MoldenOrbital> OrbitalsFromTables(const pdos::CoefficientTables& tables);

// Checks that the parts fit together (as many displacement rows as atoms, as many
// coefficients as basis functions, shells on existing atoms; core::InputError otherwise)
// and writes the file through the atomic writer.
void WriteMolden(const std::filesystem::path& file, const MoldenData& data);

}  // namespace mavrolin::molden
