#pragma once
// Reading the MO coefficient tables of a log from the coefficient listing that follows the
// chosen printing of orbital energies (population output).
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/basis_lines.h"
#include "core/loaded_log.h"

#include "pdos/coefficient_table.h"

namespace mavrolin::pdos {

struct CoefficientLoad {
    // False when the tables of an earlier load must stay as they were (messages say why).
    bool loaded = false;
    CoefficientTables tables;
    // Messages for the user, in order (the load itself never shows anything).
    std::vector<std::string> messages;
    int printedAlpha = 0, printedBeta = 0;  // MOs whose coefficients were read
};

// The eigenvalue printing starts at line `blockStart` (1-based) and has `blockLength` lines
// (alpha then, for an unrestricted run, beta energies). The counts come from the lines
// before it: the last "NBasis=" (else the last "N basis functions," line) and "NBsUse="
// (else the number of alpha energies). The coefficient title must follow the printing
// directly, with or without its colon. Each block of the listing is placed by its printed
// MO numbers; orbitals that were never printed stay empty and have no sum.
// With `noted` (what the indexing scan noted of this log) and `marks` (its line marks) the
// counts and titles come from the notes and the reader jumps to the block; it reads the
// lines before the block only when they state no "NBasis=" count.
// Throws core::FileError when the log cannot be read.
CoefficientLoad ReadCoefficients(const std::filesystem::path& log, long long blockStart, int blockLength,
                                 const core::BasisLines* noted = nullptr, const core::LineMarks* marks = nullptr);

// The tests of the lines the scan notes for the load, shared with it.
using core::CountAfter;
using core::IsBetaCoefficientTitle;
using core::IsCoefficientTitle;
using core::NoteBasisLine;

// The AO label of a coefficient line from its first 21 characters. `atom` and `function`
// carry the parts of the previous line: a line naming no atom keeps the atom part, a line
// that cannot be read keeps both.
std::string CoefficientLabel(const std::string& line, std::string& atom, std::string& function);

// Numbers of orbitals as short ranges: "1-5, 9, 12-14".
std::string OrbitalRanges(const std::vector<int>& numbers);

}  // namespace mavrolin::pdos
