#include "geometry/input_zmatrix.h"

#include <algorithm>

#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "geometry/geometry_text.h"

namespace mavrolin::geometry {

namespace {

bool StartsWithWord(const std::string& line, const char* word) {
    return core::UpperAscii(core::Trim(line)).rfind(word, 0) == 0;
}

void AddVariable(InputZmatrix& z, const std::string& line) {
    std::string buff = line;
    for (auto& ch : buff)
        if (ch == '=' || ch == ',' || ch == '\t') ch = ' ';
    core::StrCode t;
    int n = 0;
    core::DecodeBlank(buff, t, n);
    if (n >= 2) z.variables.emplace(core::UpperAscii(t[1]), t[2]);
}

// A symbolic value (name, or name with a sign) replaced by its number from the
// variables section. Returns false when the name has no value there.
bool ResolveValue(const InputZmatrix& z, std::string& token) {
    double d = 0;
    if (token.empty() || core::TryParseDouble(token, d)) return true;
    char sign = token[0] == '-' || token[0] == '+' ? token[0] : 0;
    auto it = z.variables.find(core::UpperAscii(sign ? token.substr(1) : token));
    if (it == z.variables.end()) return false;
    token = sign == '-' ? NegatedValue(it->second) : it->second;
    return true;
}

// The fields of a Z-matrix line. Gaussian separates them by blanks, tabs or commas.
std::vector<std::string> ZmatrixFields(const std::string& line) {
    std::string buff = line;
    for (auto& ch : buff)
        if (ch == '\t' || ch == ',') ch = ' ';
    return core::LineTokens(buff).ToVector();
}

// Why the next row cannot be a line of this Z-matrix, or "" when it can. Line i needs
// a symbol and min(i-1, 3) pairs of reference atom and value; a reference is an earlier
// line's number or its symbol, and the references of a line differ.
std::string RowProblem(const InputZmatrix& z, const std::vector<std::vector<std::string>>& earlier,
                       const std::vector<std::string>& row) {
    const size_t i = earlier.size() + 1;
    if (i == 1 && IsCartesianRow(row))
        return "the molecule is given in Cartesian coordinates, not as a Z-matrix";
    const size_t pairs = std::min<size_t>(i - 1, 3);
    const size_t wanted = 1 + 2 * pairs;
    const bool flagged = pairs == 3 && row.size() == 8;
    if (row.size() != wanted && !flagged)
        return "a line for atom " + std::to_string(i) + " needs " + std::to_string(wanted) + " fields, not " +
               std::to_string(row.size());
    if (flagged && !IsAngleFlag(row[7]) && row[7] != "0")
        return "the last field (" + row[7] + ") must be 0, 1 or -1";
    std::vector<size_t> refs;
    for (size_t p = 0; p < pairs; ++p) {
        const std::string& ref = row[1 + 2 * p];
        long long n = 0;
        size_t atom = 0;
        if (core::TryParseInt(ref, n)) {
            if (n >= 1 && n < static_cast<long long>(i)) atom = static_cast<size_t>(n);
        } else {
            for (size_t e = 0; e < earlier.size(); ++e)
                if (core::UpperAscii(earlier[e][0]) == core::UpperAscii(ref)) atom = e + 1;
        }
        if (atom == 0) return "the reference atom " + ref + " is not one of the atoms above it";
        for (size_t seen : refs)
            if (seen == atom) return "the reference atom " + ref + " is named twice";
        refs.push_back(atom);
        const std::string& value = row[2 + 2 * p];
        std::string sign = value.empty() || (value[0] != '-' && value[0] != '+') ? "" : value.substr(0, 1);
        std::string name = core::UpperAscii(value.substr(sign.size()));
        auto it = z.variables.find(name);
        if (it != z.variables.end() && core::UpperAscii(it->second) == name)
            return "the variable " + value + " is defined by itself";
    }
    return {};
}

}  // namespace

bool IsAngleFlag(const std::string& text) { return text == "1" || text == "-1"; }

InputZmatrix ReadInputZmatrix(const std::string& path) {
    enum class S { FirstEmpty, SecondEmpty, Charge, Lines, Variables, Done } s = S::FirstEmpty;
    InputZmatrix z;
    core::TextReader reader(path);
    std::string line;
    while (reader.ReadLine(line)) {
        bool empty = core::IsBlank(line);
        switch (s) {
            case S::FirstEmpty:
                if (empty) s = S::SecondEmpty;
                break;
            case S::SecondEmpty:
                if (empty) s = S::Charge;
                break;
            case S::Charge:
                z.started = true;
                s = S::Lines;
                break;
            case S::Lines:
                if (empty || StartsWithWord(line, "VARIABLES")) {
                    z.complete = !z.lines.empty();
                    s = S::Variables;
                } else {
                    z.lines.push_back(line);
                    z.lineNumbers.push_back(reader.LineNumber());
                }
                break;
            case S::Variables:
                if (empty)
                    s = S::Done;
                else if (!StartsWithWord(line, "VARIABLES") && !StartsWithWord(line, "CONSTANTS"))
                    AddVariable(z, line);
                break;
            case S::Done:
                break;
        }
    }
    z.nline = reader.LineNumber();
    return z;
}

ResolvedZmatrix ResolveInputZmatrix(const InputZmatrix& z) {
    ResolvedZmatrix r;
    for (size_t i = 0; i < z.lines.size(); ++i) {
        auto row = ZmatrixFields(z.lines[i]);
        const std::string line = "Line " + std::to_string(z.lineNumbers[i]) + ": ";
        if (std::string problem = RowProblem(z, r.rows, row); !problem.empty()) {
            r.refused = line + problem;
            return r;
        }
        for (size_t k = 2; k < row.size() && k <= 6; k += 2) {  // bond, angle, dihedral values
            const std::string name = row[k];
            if (!ResolveValue(z, row[k])) {
                if (r.unresolved.empty()) r.unresolved = row[k];
            } else if (!IsNumberText(row[k])) {  // the last such value of the line is named
                r.refused = line + "the value of " + name + " (" + row[k] + ") is not a number";
            }
        }
        if (!r.refused.empty()) return r;
        r.rows.push_back(std::move(row));
    }
    return r;
}

}  // namespace mavrolin::geometry
