#include "geometry/orientation_reader.h"

#include "core/elements.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/tokenizer.h"

namespace mavrolin::geometry {

namespace {

// Reads on from the header line to the closing rule; false when the file ends first.
bool ReadBlockAfterHeader(core::TextReader& reader, long long header, OrientationBlock& block) {
    std::string line;
    // The two rules and the column titles, then the first atom line, which is never tested.
    for (int k = 0; k < 5; ++k)
        if (!reader.ReadLine(line)) return false;
    while (reader.ReadLine(line)) {
        if (IsClosingRule(line)) {
            block = {header, header + 5, reader.LineNumber() - 1};
            return true;
        }
    }
    return false;
}

}  // namespace

// "                         Standard orientation:                         "
bool IsOrientationHeader(const std::string& line) {
    auto t = core::Trim(line);
    return t == "Standard orientation:" || t == "Input orientation:" || t == "Z-Matrix orientation:";
}

// " ---------------------------------------------------------------------"
bool IsClosingRule(const std::string& line) { return line.compare(0, 6, " -----") == 0; }

OrientationSearch FindLastOrientation(const std::filesystem::path& file) {
    OrientationSearch result;
    core::TextReader reader(file);
    std::string line;
    while (reader.ReadLine(line)) {
        if (!IsOrientationHeader(line)) continue;
        long long header = reader.LineNumber();
        OrientationBlock block;
        if (!ReadBlockAfterHeader(reader, header, block)) {
            result.cutOffHeader = header;
            break;
        }
        result.last = block;
    }
    return result;
}

std::optional<OrientationBlock> BlockAtHeader(const std::filesystem::path& file, long long header) {
    if (header < 1) return std::nullopt;
    core::TextReader reader(file);
    std::string line;
    if (!reader.AdvanceTo(header, line)) return std::nullopt;
    OrientationBlock block;
    if (!ReadBlockAfterHeader(reader, header, block)) return std::nullopt;
    return block;
}

// "      1          6           0        1.205666    0.676891   -0.000000"
OrientationAtom ParseAtomLine(const std::string& line) {
    const core::LineTokens t(line);
    OrientationAtom atom;
    atom.atomicNumber = core::ParseInt(t[2]);
    // Without the atomic-type column the coordinates start one token earlier.
    int xk = t.Count() == 5 ? 3 : 4;
    atom.x = t[xk];
    atom.y = t[xk + 1];
    atom.z = t[xk + 2];
    atom.a = core::ParseDouble(atom.x);
    atom.b = core::ParseDouble(atom.y);
    atom.c = core::ParseDouble(atom.z);
    return atom;
}

std::vector<OrientationAtom> ReadOrientationAtoms(const std::filesystem::path& file,
                                                  const OrientationBlock& block) {
    std::vector<OrientationAtom> atoms;
    if (block.first < 1 || block.last < block.first) return atoms;
    core::TextReader reader(file);
    std::string line;
    if (!reader.AdvanceTo(block.first - 1, line) && block.first > 1)
        throw core::InputError("The file \"" + file.string() + "\" ends before line " +
                               core::IntText(block.first) + ".");
    atoms.reserve(static_cast<size_t>(block.AtomCount()));
    while (reader.LineNumber() < block.last) {
        if (!reader.ReadLine(line))
            throw core::InputError("The file \"" + file.string() + "\" ends inside the atom list at line " +
                                   core::IntText(reader.LineNumber()) + ".");
        try {
            atoms.push_back(ParseAtomLine(line));
        } catch (const core::ConversionError& e) {
            throw core::ConversionError("Line " + core::IntText(reader.LineNumber()) + " of \"" +
                                        file.string() + "\" is not an atom line: " + e.what());
        }
    }
    return atoms;
}

std::string AtomLabel(long long atomicNumber, int row) {
    if (atomicNumber >= 1 && atomicNumber <= 118) return core::ElementLabel(atomicNumber, row) + core::IntText(row);
    return core::ElementLabel(atomicNumber, row);  // "Bq" and the row number
}

namespace {
// Fixed notation, 5 decimals, 10 wide; a value that rounds to zero is written without sign.
std::string Coordinate(double v) {
    std::string s = core::FixedText(v, 10, 5);
    auto minus = s.find('-');
    if (minus != std::string::npos && s.find_first_not_of("0.", minus + 1) == std::string::npos) s[minus] = ' ';
    return s;
}
}  // namespace

std::string LabelledCartesianLine(const std::string& label, double x, double y, double z) {
    return label + " " + Coordinate(x) + " " + Coordinate(y) + " " + Coordinate(z);
}

}  // namespace mavrolin::geometry
