#include "geometry/xyz_file.h"

#include <cmath>

#include "core/elements.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "geometry/geometry_text.h"

namespace mavrolin::geometry {

namespace {

// Atom counts beyond this are no molecule this program draws or writes: a typo.
constexpr long long kMaxAtoms = 1000000;
constexpr double kMaxCoordinate = 1e6;  // angstrom from the origin

[[noreturn]] void BadLine(long long line, const std::string& what) {
    throw core::InputError("Line " + std::to_string(line) + ": " + what);
}

std::string Symbol(int z) { return z >= 1 && z <= 118 ? core::elem[static_cast<size_t>(z)] : "X"; }

// "C", "cl", "Cl3" or an atomic number such as "17".
int AtomicNumberOf(const std::string& token, long long line) {
    long long z = 0;
    if (core::TryParseInt(token, z)) {
        if (z < 0 || z > 118) BadLine(line, "'" + token + "' is not an atomic number (0 to 118).");
        return static_cast<int>(z);
    }
    const std::string upper = core::UpperAscii(token);
    if (upper == "X" || upper.starts_with("BQ")) return 0;
    int z2 = AtomicNumberOfLabel(token);
    if (z2 == 0) BadLine(line, "'" + token + "' is not an element symbol.");
    return z2;
}

double CoordinateOf(const std::string& token, long long line) {
    double v = 0;
    if (!core::TryParseDouble(token, v) || !(std::fabs(v) <= kMaxCoordinate))
        BadLine(line, "'" + token + "' is not a coordinate in angstrom.");
    return v;
}

}  // namespace

namespace {
// Fixed notation, eight decimals, fifteen wide; a value that rounds to zero has no sign.
std::string Coordinate(double v) {
    std::string s = core::FixedText(v, 15, 8);
    auto minus = s.find('-');
    if (minus != std::string::npos && s.find_first_not_of("0.", minus + 1) == std::string::npos) s[minus] = ' ';
    return s;
}
}  // namespace

std::string XyzLine(const XyzAtom& atom) {
    std::string symbol = Symbol(atom.atomicNumber);
    symbol.resize(std::max<size_t>(symbol.size(), 3), ' ');
    return symbol + Coordinate(atom.x) + Coordinate(atom.y) + Coordinate(atom.z);
}

void WriteXyz(const std::filesystem::path& file, const XyzMolecule& molecule) { WriteXyzFrames(file, {molecule}); }

void WriteXyzFrames(const std::filesystem::path& file, const std::vector<XyzMolecule>& frames) {
    core::TextWriter out(file);
    for (const auto& molecule : frames) {
        std::string comment = molecule.comment;
        for (char& c : comment)
            if (c == '\r' || c == '\n') c = ' ';
        out.WriteLine(std::to_string(molecule.atoms.size()));
        out.WriteLine(comment);
        for (const auto& atom : molecule.atoms) out.WriteLine(XyzLine(atom));
    }
    out.Close();
}

bool StartsWithAtomCount(const std::filesystem::path& file) {
    core::TextReader reader(file);
    std::string line;
    if (!reader.ReadLine(line)) return false;
    const core::LineTokens t(line);
    long long n = 0;
    return t.Count() == 1 && core::TryParseInt(t[1], n);
}

XyzMolecule ReadXyz(const std::filesystem::path& file) {
    core::TextReader reader(file);
    std::string line;
    long long count = 0;
    if (!reader.ReadLine(line) || !core::TryParseInt(core::Trim(line), count) || count < 1 || count > kMaxAtoms)
        BadLine(1, "'" + core::Trim(line) + "' is not an atom count (a whole number from 1 to 1000000).");
    XyzMolecule molecule;
    if (!reader.ReadLine(molecule.comment)) BadLine(2, "the comment line is missing; the file ends after the count.");
    molecule.atoms.reserve(static_cast<size_t>(count));
    for (long long i = 1; i <= count; ++i) {
        if (!reader.ReadLine(line))
            BadLine(reader.LineNumber() + 1, "the file ends after " + std::to_string(i - 1) + " of the " +
                                                 std::to_string(count) + " atoms its first line announces.");
        const core::LineTokens t(line);
        const long long at = reader.LineNumber();
        if (t.Count() < 4) BadLine(at, "an atom line needs an element and three coordinates: '" + core::Trim(line) + "'.");
        molecule.atoms.push_back(
            {AtomicNumberOf(t[1], at), CoordinateOf(t[2], at), CoordinateOf(t[3], at), CoordinateOf(t[4], at)});
    }
    // Anything after the atoms other than blank lines means the count is wrong.
    while (reader.ReadLine(line))
        if (!core::IsBlank(line))
            BadLine(reader.LineNumber(), "more atom lines than the " + std::to_string(count) +
                                             " the first line announces.");
    return molecule;
}

std::string ScfDoneEnergy(std::string_view line) {
    auto eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    const core::LineTokens t(line.substr(eq + 1));
    return t.Count() >= 1 ? t[1] : std::string();
}

std::string LastScfEnergyText(const std::filesystem::path& file) {
    core::TextReader reader(file);
    std::string_view line;
    std::string energy;
    while (reader.ReadLineView(line)) {
        if (line.find("SCF Done:") == std::string_view::npos) continue;
        std::string e = ScfDoneEnergy(line);
        if (!e.empty()) energy = std::move(e);
    }
    return energy;
}

}  // namespace mavrolin::geometry
