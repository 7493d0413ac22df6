#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace core {

// Element symbols by atomic number; index 0 is empty.
extern const std::array<const char*, 119> elem;
// Colours (0x00BBGGRR) of the PDOS legend columns.
extern const std::array<std::uint32_t, 10> gcolor;

// The symbol of atomic number z, or "Bq" followed by `row` for a ghost centre (0) or a
// number outside 1..118.
std::string ElementLabel(long long z, int row);

// Atomic number of a symbol (case-insensitive, "Bq"/"X" and unknown give 0).
int AtomicNumber(const std::string& symbol);

}  // namespace core
