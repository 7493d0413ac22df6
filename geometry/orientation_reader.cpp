#include "geometry/orientation_reader.h"

#include "core/elements.h"
#include "core/errors.h"
#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/tokenizer.h"

namespace mavrolin::geometry {

namespace {

// Reads on from the header line to the closing rule; false when the file ends first.
bool ReadBlockAfterHeader(core::LineReader& in, long long header, OrientationBlock& block) {
    // The two rules and the column titles, then the first atom line, which is never tested.
    for (int k = 0; k < 5; ++k)
        if (!in.Next()) return false;
    while (in.Next()) {
        if (IsClosingRule(in.Line())) {
            block = {header, header + 5, in.LineNumber() - 1};
            return true;
        }
    }
    return false;
}

}  // namespace

// "                         Standard orientation:                         "
bool IsOrientationHeader(std::string_view line) {
    const std::string_view t = core::TrimView(line);
    return t == "Standard orientation:" || t == "Input orientation:" || t == "Z-Matrix orientation:";
}

// " ---------------------------------------------------------------------"
bool IsClosingRule(std::string_view line) { return line.starts_with(" -----"); }

OrientationSearch FindLastOrientation(const std::filesystem::path& file, core::LineMarks* marks) {
    OrientationSearch result;
    core::LineReader in(file, 0);
    if (marks) in.TakeMarks(*marks);
    static const core::LineStarts headers = core::LineStarts().Add("St").Add("In").Add("Z-");
    while (in.NextStartingWith(headers)) {
        if (!IsOrientationHeader(in.Line())) continue;
        const long long header = in.LineNumber();
        OrientationBlock block;
        if (!ReadBlockAfterHeader(in, header, block)) {
            result.cutOffHeader = header;
            break;
        }
        result.last = block;
    }
    result.lines = in.LineNumber();  // the search ends with the file
    return result;
}

std::optional<OrientationBlock> BlockAtHeader(const std::filesystem::path& file, long long header) {
    if (header < 1) return std::nullopt;
    core::LineReader in(file, 0);
    if (!in.AdvanceTo(header)) return std::nullopt;
    OrientationBlock block;
    if (!ReadBlockAfterHeader(in, header, block)) return std::nullopt;
    return block;
}

// "      1          6           0        1.205666    0.676891   -0.000000"
OrientationAtom ParseAtomLine(std::string_view line) {
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

std::vector<OrientationAtom> ReadOrientationAtoms(const std::filesystem::path& file, const OrientationBlock& block,
                                                  const core::LineMarks* marks) {
    std::vector<OrientationAtom> atoms;
    if (block.first < 1 || block.last < block.first) return atoms;
    core::LineReader in(file, 0, core::LineReader::kNoLimit, marks);
    if (!in.AdvanceTo(block.first - 1))
        throw core::InputError("The file \"" + file.string() + "\" ends before line " +
                               core::IntText(block.first) + ".");
    atoms.reserve(static_cast<size_t>(block.AtomCount()));
    while (in.LineNumber() < block.last) {
        if (!in.Next())
            throw core::InputError("The file \"" + file.string() + "\" ends inside the atom list at line " +
                                   core::IntText(in.LineNumber()) + ".");
        try {
            atoms.push_back(ParseAtomLine(in.Line()));
        } catch (const core::ConversionError& e) {
            throw core::ConversionError("Line " + core::IntText(in.LineNumber()) + " of \"" +
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
