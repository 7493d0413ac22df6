#pragma once
// The coefficient tables as tab-separated text for spreadsheets: "Alpha MO Coefficients",
// an empty line and the alpha table; for an open-shell run two empty lines, "Beta MO
// Coefficients", an empty line and the beta table in the same layout.
#include <filesystem>
#include <string>

#include "pdos/coefficient_table.h"

namespace mavrolin::pdos {

enum class CoefficientLayout {
    LinePerAo,  // the table as shown ("Save MO vs AO File", "_AOvsMO.txt")
    LinePerMo,  // the table transposed ("Save AO vs MO File", "_MOvsAO.txt")
    Squares,    // every coefficient squared ("Save AO*AO vs MO", "_AOxAOvsMO.txt")
};

// The suffix of the proposed file name.
std::string ExportSuffix(CoefficientLayout layout);

// The exports are offered only when coefficients are loaded: the first AO row of some MO
// holds one (a partial printing leaves the orbitals it did not print empty).
bool HasCoefficients(const CoefficientTables& tables);

// Writes the file through the atomic writer. Squares re-formats every coefficient as
// general float text (an empty cell of an unprinted orbital stays empty); a cell that is
// not a number throws core::ConversionError and leaves no file.
void WriteCoefficients(const std::filesystem::path& file, const CoefficientTables& tables, CoefficientLayout layout);

}  // namespace mavrolin::pdos
