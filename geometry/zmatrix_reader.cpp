#include "geometry/zmatrix_reader.h"

#include <cctype>

#include <string_view>

#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "geometry/geometry_text.h"

namespace mavrolin::geometry {

const std::array<const char*, 13> kFinalZmatrixHeaders = {
    "CD", "Cent", "Elem", "BndTo", "Bnd(A)", "Param#", "AngTo", "Ang(deg)", "Param#", "TrsTo", "Tors(deg)",
    "Param#", "AngMode"};

namespace {

bool IsInteger(const std::string& s) {
    long long v = 0;
    return !s.empty() && core::TryParseInt(s, v);
}

std::string StripClosing(std::string s) {
    if (!s.empty() && s.back() == ')') s.pop_back();
    return s;
}

}  // namespace

std::array<std::string, 13> SplitZmatrixTableLine(const std::string& line) {
    std::string buff = line;
    core::StrCode t;
    int n = 0;
    core::DecodeBlank(buff, t, n);
    std::array<std::string, 13> col;
    if (n < 1 || t[1].empty()) return col;
    int k = 1;
    col[0] = t[k++];
    // The centre number is missing on the lines of dummy centres.
    if (k <= n && IsInteger(t[k]) && k + 1 <= n) col[1] = t[k++];
    if (k <= n) col[2] = t[k++];
    for (int ref = 0; ref < 3 && n - k + 1 >= 2; ++ref) {
        col[static_cast<size_t>(3 + 3 * ref)] = t[k++];
        std::string value = t[k++];
        std::string param;
        auto open = value.find('(');
        if (open != std::string::npos) {
            param = StripClosing(value.substr(open + 1));
            value.erase(open);
            // "1.090000(  2)" arrives as two tokens; "1.090000(123)" as one.
            if (param.empty() && k <= n) param = StripClosing(t[k++]);
        }
        col[static_cast<size_t>(4 + 3 * ref)] = value;
        col[static_cast<size_t>(5 + 3 * ref)] = param;
    }
    if (k <= n) col[12] = t[n];
    return col;
}

namespace {

constexpr std::string_view kSymbolicHeader = "Symbolic Z-matrix:";
constexpr std::string_view kVariablesHeader = "Variables:";
constexpr std::string_view kTableHeader = "Z-MATRIX (ANGSTROMS AND DEGREES)";

// A line of the variables section: "name=value" or "name value", perhaps followed by
// what the variable is for ("D7  -180.  Scan 12  30."). Older versions follow the
// section with text and no empty line, so the first other line ends it.
bool IsVariableLine(const std::string& line) {
    std::string buff = line;
    for (auto& ch : buff)
        if (ch == '=') ch = ' ';
    auto t = core::LineTokens(buff).ToVector();
    return t.size() >= 2 && std::isalpha(static_cast<unsigned char>(t[0][0])) && IsNumberText(t[1]);
}

}  // namespace

ZmatrixSections ReadZmatrixSections(const std::filesystem::path& path) {
    ZmatrixSections s;
    std::string chargeLine;
    std::vector<std::string> tableLines;  // of the last table only
    enum class Sym { Seek, Charge, Centres, Variables, Done } sym = Sym::Seek;
    int tableSkip = 0;
    bool inTable = false;
    core::TextReader reader(path);
    std::string line;
    while (reader.ReadLine(line)) {
        switch (sym) {
            case Sym::Seek:
                // " Symbolic Z-matrix:"
                if (core::TrimView(line) == kSymbolicHeader) {
                    s.symbolicFound = true;
                    sym = Sym::Charge;
                }
                break;
            case Sym::Charge:
                // " Charge =  0 Multiplicity = 1"
                chargeLine = line;
                sym = Sym::Centres;
                break;
            case Sym::Centres:
                if (core::IsBlank(line)) {
                    s.symbolicComplete = true;
                    sym = Sym::Done;
                    // "       Variables:" after centre lines such as " H    1    R1       2    A1"
                } else if (core::TrimView(line) == kVariablesHeader && !s.centres.empty()) {
                    sym = Sym::Variables;
                } else {
                    if (s.centres.empty() && IsCartesianRow(core::LineTokens(line).ToVector())) {
                        s.cartesian = true;
                        sym = Sym::Done;  // the section is no Z-matrix: none of it is kept
                        break;
                    }
                    s.centres.push_back(line);
                }
                break;
            case Sym::Variables:
                if (core::IsBlank(line) || !IsVariableLine(line)) {
                    s.symbolicComplete = true;
                    sym = Sym::Done;
                } else {
                    s.variables.push_back(line);
                }
                break;
            case Sym::Done:
                break;
        }
        // "                         Z-MATRIX (ANGSTROMS AND DEGREES)", then the column titles
        // (" CD Cent Atom  N1     Length/X     N2    Alpha/Y ...") and a rule
        if (core::TrimView(line) == kTableHeader) {
            s.tableFound = true;
            s.tableComplete = false;
            tableLines.clear();
            inTable = true;
            tableSkip = 2;
        } else if (inTable) {
            if (tableSkip > 0) {
                --tableSkip;
            } else if (line.compare(0, 6, " -----") == 0) {
                s.tableComplete = true;
                inTable = false;
            } else {
                // "   3   3  H     1   0.990000(  2)   2  106.000(  3)"
                tableLines.push_back(line);
            }
        }
    }
    s.nline = reader.LineNumber();
    // "Charge = -3 Multiplicity =10" has no blank after the second "=": take the two
    // numbers wherever the blanks fall.
    s.charge = core::WordAfter(chargeLine, "Charge =");
    s.multiplicity = core::WordAfter(chargeLine, "Multiplicity =");
    s.table.reserve(tableLines.size());
    for (const auto& l : tableLines) s.table.push_back(SplitZmatrixTableLine(l));
    return s;
}

}  // namespace mavrolin::geometry
