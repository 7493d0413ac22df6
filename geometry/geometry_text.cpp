#include "geometry/geometry_text.h"

#include <cctype>

#include "core/elements.h"
#include "core/number_text.h"
#include "core/tokenizer.h"

namespace mavrolin::geometry {

std::vector<std::string> WordFields(const std::string& line) {
    std::vector<size_t> starts;
    for (size_t p = 1; p < line.size(); ++p)
        if (line[p - 1] == ' ' && line[p] != ' ') starts.push_back(p);
    std::vector<std::string> fields;
    fields.reserve(starts.size());
    for (size_t k = 0; k < starts.size(); ++k) {
        size_t end = k + 1 < starts.size() ? starts[k + 1] : line.size();
        fields.push_back(line.substr(starts[k], end - starts[k]));
    }
    return fields;
}

int AtomicNumberOfLabel(const std::string& label) {
    std::string letters;
    for (unsigned char ch : core::Trim(label)) {
        if (!std::isalpha(ch)) break;
        letters += static_cast<char>(ch);
    }
    if (letters.empty()) return 0;
    if (letters.size() >= 2 && std::toupper(static_cast<unsigned char>(letters[0])) == 'B' &&
        std::toupper(static_cast<unsigned char>(letters[1])) == 'Q')
        return 0;  // ghost centre
    bool lowerSecond = letters.size() >= 2 && std::islower(static_cast<unsigned char>(letters[1]));
    // Mixed case ("Cl1") names a two-letter element; in upper case ("CL1", "HG2") a
    // one-letter element comes first, as PDB atom names are mostly built that way.
    if (lowerSecond) {
        if (int z = core::AtomicNumber(letters.substr(0, 2))) return z;
    }
    if (int z = core::AtomicNumber(letters.substr(0, 1))) return z;
    if (letters.size() >= 2) return core::AtomicNumber(letters.substr(0, 2));
    return 0;
}

std::string NegatedValue(const std::string& v) {
    double d = 0;
    if (v.empty() || (core::TryParseDouble(v, d) && d == 0)) return v;
    if (v[0] == '-') return v.substr(1);
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "-" + string.
    std::string negated = "-";
    negated.append(v, v[0] == '+' ? 1 : 0);
    return negated;
}

bool IsNumberText(const std::string& text) {
    double d = 0;
    return core::TryParseDouble(text, d);
}

bool IsCartesianRow(const std::vector<std::string>& t) {
    if (t.size() == 4) return IsNumberText(t[1]) && IsNumberText(t[2]) && IsNumberText(t[3]);
    if (t.size() == 5)
        return (t[1] == "0" || t[1] == "-1") && IsNumberText(t[2]) && IsNumberText(t[3]) && IsNumberText(t[4]);
    return false;
}

}  // namespace mavrolin::geometry
