#include "core/elements.h"

#include <cctype>

namespace core {

const std::array<const char*, 119> elem = {
    "",   "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si",
    "P",  "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu",
    "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru",
    "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr",
    "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",
    "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac",
    "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "Rf",
    "Db", "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og"};

const std::array<std::uint32_t, 10> gcolor = {0,        255,     16711680, 32768,    128,
                                              16711808, 1674448, 8404992,  16711935, 8421376};

std::string ElementLabel(long long z, int row) {
    if (z >= 1 && z <= 118) return elem[static_cast<size_t>(z)];
    return "Bq" + std::to_string(row);
}

int AtomicNumber(const std::string& symbol) {
    if (symbol.empty()) return 0;
    std::string s;
    s += static_cast<char>(std::toupper(static_cast<unsigned char>(symbol[0])));
    for (size_t i = 1; i < symbol.size(); ++i)
        s += static_cast<char>(std::tolower(static_cast<unsigned char>(symbol[i])));
    for (size_t z = 1; z < elem.size(); ++z)
        if (s == elem[z]) return static_cast<int>(z);
    return 0;
}

}  // namespace core
