#include "logscan/keyword_triggers.h"

#include <array>

#include "core/text_view.h"

namespace mavrolin::logscan {

namespace {

enum class Rule {
    Prefix,        // the line starts with the literal, any case
    PrefixOfSize,  // the same, and the line has exactly `size` characters
    Field,         // the first `size` characters, trimmed, are the literal (exact case)
};

enum class Orient { Any, Standard, Input };

struct Entry {
    Trigger trigger;
    Rule rule;
    std::string_view literal;  // upper case for the case-folded rules
    size_t size = 0;
    Orient orient = Orient::Any;
};

// In the order the indexing scan tests them: what follows DipoleMoment is tried again on
// the line it reads over.
constexpr std::array kTable = {
    // " #p ub3lyp/sto-3g pop=full iop(3/33=1,3/36=-1) nosym"
    Entry{Trigger::Route, Rule::Prefix, "#"},
    // " Charge =  0 Multiplicity = 1"
    Entry{Trigger::ChargeMultiplicity, Rule::Prefix, "CHARGE ="},
    // " SCF Done:  E(RHF) =  -74.9643254911     A.U. after    4 cycles"
    Entry{Trigger::ScfDone, Rule::Prefix, "SCF DONE"},
    // " Alpha virt. eigenvalues --    0.57076   0.70842"
    Entry{Trigger::AlphaVirtual, Rule::Prefix, "ALPHA VIRT. EIGENVALUES"},
    // " Alpha  occ. eigenvalues --  -20.24401  -1.25073  -0.60333  -0.44547  -0.38834"
    Entry{Trigger::AlphaOccupied, Rule::Prefix, "ALPHA  OCC. EIGENVALUES"},
    // "  Beta virt. eigenvalues --   -0.30053  -0.14705  -0.10316  -0.07372  -0.00823"
    Entry{Trigger::BetaVirtual, Rule::Prefix, "BETA VIRT. EIGENVALUES"},
    // "  Beta  occ. eigenvalues --  -10.25059 -10.25054 -10.21899 -10.21895 -10.21858"
    Entry{Trigger::BetaOccupied, Rule::Prefix, "BETA  OCC. EIGENVALUES"},
    // " NBasis=     7 RedAO= T  NBF=     7"
    Entry{Trigger::NBasis, Rule::Field, "NBasis=", 8},
    // " NBsUse=     7 1.00D-04 NBFU=     7"
    Entry{Trigger::NBsUse, Rule::Field, "NBsUse=", 8},
    // "     Alpha Molecular Orbital Coefficients:"
    Entry{Trigger::MoCoefficients, Rule::PrefixOfSize, "ALPHA MOLECULAR ORBITAL COEFFICIENTS:", 37},
    // "     Molecular Orbital Coefficients:"
    Entry{Trigger::MoCoefficients, Rule::PrefixOfSize, "MOLECULAR ORBITAL COEFFICIENTS:", 31},
    // " Maximum Force            0.000035     0.000450     YES"
    Entry{Trigger::MaximumForce, Rule::Prefix, "MAXIMUM FORCE"},
    // "                         Standard orientation:"
    Entry{Trigger::Orientation, Rule::Prefix, "STANDARD ORIENTATION", 0, Orient::Standard},
    // "                          Input orientation:"
    Entry{Trigger::Orientation, Rule::Prefix, "INPUT ORIENTATION", 0, Orient::Input},
    // A Z-matrix input run with nosymm prints its geometry only as
    // "                         Z-Matrix orientation:"
    Entry{Trigger::Orientation, Rule::Prefix, "Z-MATRIX ORIENTATION", 0, Orient::Input},
    // The headers of the kind the scan does not index still mark where a geometry is printed.
    Entry{Trigger::OtherOrientation, Rule::Prefix, "STANDARD ORIENTATION", 0, Orient::Input},
    Entry{Trigger::OtherOrientation, Rule::Prefix, "INPUT ORIENTATION", 0, Orient::Standard},
    Entry{Trigger::OtherOrientation, Rule::Prefix, "Z-MATRIX ORIENTATION", 0, Orient::Standard},
    // The header line with its colon: " Mulliken charges and spin densities:", " Mulliken charges:".
    Entry{Trigger::Mulliken, Rule::PrefixOfSize, "MULLIKEN CHARGES AND SPIN DENSITIES", 36},
    Entry{Trigger::Mulliken, Rule::PrefixOfSize, "MULLIKEN CHARGES", 17},
    // Older versions: "Mulliken atomic charges:" (Gaussian 98: "Total atomic charges:"),
    // an open shell's spin densities in a block of their own further on.
    Entry{Trigger::Mulliken, Rule::PrefixOfSize, "MULLIKEN ATOMIC CHARGES", 24},
    Entry{Trigger::Mulliken, Rule::PrefixOfSize, "TOTAL ATOMIC CHARGES", 21},
    // " Dipole moment (field-independent basis, Debye):"
    Entry{Trigger::DipoleMoment, Rule::Prefix, "DIPOLE MOMENT"},
    // " Normal termination of Gaussian 16 at Wed Apr  4 10:16:46 2018."
    Entry{Trigger::NormalTermination, Rule::Prefix, "NORMAL TERMINATION"},
    // " Excited State   1:      Singlet-A      5.6287 eV  220.27 nm  f=0.0018  <S**2>=0.000"
    Entry{Trigger::ExcitedState, Rule::Field, "Excited State", 14},
    // " Frequencies --     53.1981                84.7415               149.4005"
    Entry{Trigger::Frequencies, Rule::Prefix, "FREQUENCIES"},
    // " Zero-point correction=                           0.177140 (Hartree/Particle)"
    Entry{Trigger::ZeroPoint, Rule::Prefix, "ZERO-POINT CORRECTION"},
    // " Annihilation of the first spin contaminant:"
    Entry{Trigger::Annihilation, Rule::Prefix, "ANNIHILATION"},
};

bool Matches(const Entry& e, std::string_view line, bool inputOrientation) {
    if (e.orient == Orient::Standard && inputOrientation) return false;
    if (e.orient == Orient::Input && !inputOrientation) return false;
    switch (e.rule) {
        case Rule::Prefix:
            return core::StartsUpper(line, e.literal);
        case Rule::PrefixOfSize:
            return line.size() == e.size && core::StartsUpper(line, e.literal);
        case Rule::Field:
            return core::TrimmedPrefix(line, e.size) == e.literal;
    }
    return false;
}

// For every first character of a line, the table positions (ascending) whose literal
// can start with it: a line is tested only against those, and most lines against none.
// A Field literal may follow leading blanks (a line read over arrives untrimmed).
struct Candidates {
    std::array<unsigned char, 8> at{};
    unsigned char count = 0;
};

constexpr std::array<Candidates, 256> ByFirstChar() {
    std::array<Candidates, 256> by{};
    auto add = [&by](unsigned char c, size_t i) {
        auto& list = by[c];
        if (list.count == 0 || list.at[list.count - 1] != i) list.at[list.count++] = static_cast<unsigned char>(i);
    };
    for (size_t i = 0; i < kTable.size(); ++i) {
        const auto& e = kTable[i];
        auto c = static_cast<unsigned char>(e.literal[0]);
        add(c, i);
        if (e.rule != Rule::Field && c >= 'A' && c <= 'Z') add(static_cast<unsigned char>(c - 'A' + 'a'), i);
        if (e.rule == Rule::Field)
            for (int b = 0; b <= 32; ++b) add(static_cast<unsigned char>(b), i);
    }
    return by;
}
constexpr std::array<Candidates, 256> kByFirstChar = ByFirstChar();

}  // namespace

Trigger Classify(std::string_view line, bool inputOrientation, size_t from, size_t& at) {
    if (line.empty()) return Trigger::None;
    const auto& list = kByFirstChar[static_cast<unsigned char>(line[0])];
    for (unsigned char k = 0; k < list.count; ++k) {
        size_t i = list.at[k];
        if (i >= from && Matches(kTable[i], line, inputOrientation)) {
            at = i;
            return kTable[i].trigger;
        }
    }
    return Trigger::None;
}

const core::LineStarts& TriggerStarts() {
    static const core::LineStarts starts = [] {
        core::LineStarts st;
        for (const auto& e : kTable) st.Add(e.literal.substr(0, 2), e.rule != Rule::Field);
        return st;
    }();
    return starts;
}

size_t TriggerLiteralSize(size_t at) { return at < kTable.size() ? kTable[at].literal.size() : 0; }

}  // namespace mavrolin::logscan
