#pragma once
// The contracted Gaussian basis of a run, shell by shell, as molecular viewers need it to
// draw orbitals: from the GFPrint listing of a log ("AO basis set (Overlap normalization):")
// or from a formatted checkpoint file. Shells whose functions cannot be put in the order
// the viewers' file format expects are refused.
#include <filesystem>
#include <string>
#include <vector>

namespace mavrolin::molden {

struct Shell {
    int atom = 0;          // 1-based centre
    int l = 0;             // 0 s, 1 p, 2 d ...; an sp shell has l = 1 and sp = true
    bool sp = false;
    bool pure = false;     // spherical (5d, 7f, 9g) rather than Cartesian (6d, 10f)
    std::vector<double> exponents, coefficients, pCoefficients;  // pCoefficients: sp shells only
    int Functions() const { return sp ? 4 : pure ? 2 * l + 1 : (l + 1) * (l + 2) / 2; }
};

struct BasisSet {
    std::vector<Shell> shells;
    int Functions() const;
    // Throws core::InputError for a shell the file format has no order for (Cartesian g,
    // any h or higher), and for pure and Cartesian shells of one kind mixed in one basis.
    void CheckWritable() const;
};

// The GFPrint listing of a log: each "Atom C1 Shell 1 SP 3 bf 2 - 5 ..." line and the
// exponent/coefficient lines under it. Throws core::InputError when the listing is
// missing, cut or damaged.
BasisSet ReadGfprintBasis(const std::filesystem::path& log);

// "Shell types", "Number of primitives per shell", "Shell to atom map", "Primitive
// exponents", "Contraction coefficients" and "P(S=P) Contraction coefficients" of a
// formatted checkpoint file. Throws core::InputError for a missing or short section.
BasisSet ReadCheckpointBasis(const std::filesystem::path& fchk);

}  // namespace mavrolin::molden
