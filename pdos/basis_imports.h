#pragma once
// Completing the coefficient tables from other files of the same calculation: AO names
// from a GFPrint basis listing, MO energies and coefficients from a formatted checkpoint
// file. Both refuse a file of another basis size with core::InputError (the tables then
// stay as they were).
#include <filesystem>
#include <string>
#include <vector>

#include "pdos/coefficient_table.h"

namespace mavrolin::pdos {

// The shell lines of a GFPrint listing ("Atom C1 Shell 1 S 6 bf 1 - 1 ..."): each row the
// line's tokens; token 2 the atom label, 5 the shell type, 8 and 10 its first and last
// basis function.
struct GfprintListing {
    std::vector<std::vector<std::string>> shells;
    long long titleLine = 0;  // the line after "AO basis set (Overlap normalization):" ("AO basis set:")
    long long endLine = 0;    // the line before the end marker
    // The two notes shown after the first pass ("StringCode #1 and #2 ===> ...").
    std::vector<std::string> notes;
};

// Throws core::InputError when the title or the end marker is missing or the title does
// not come before the end, core::FileError when the file cannot be read.
GfprintListing ReadGfprintListing(const std::filesystem::path& file);

// Suffixes of a shell's functions by their number: "X", "Y", "Z" for three, the pure and
// Cartesian sets for four to seven, "<0>", "<1>", ... for any other number.
std::vector<std::string> FunctionSuffixes(int functions);

// Labels every AO of both tables "atom_shell suffix" (C1_PX, C1_D+1) and the sum rows
// "Sum_Squares". Throws core::InputError when the last basis function is not nbasis (or a
// shell lies outside the tables), core::ConversionError for a non-numeric function number.
void ApplyGfprintLabels(CoefficientTables& tables, const GfprintListing& listing);

// Replaces the MO energies in the headers, the coefficients and the sums of squares from
// a formatted checkpoint file; the AO labels stay. Throws core::InputError for another
// basis, a wrong line after the basis-function count, a missing section or a table
// without MO headers; core::ConversionError for a value that is not a number.
void ImportCheckpoint(CoefficientTables& tables, const std::filesystem::path& file);

}  // namespace mavrolin::pdos
