// "Convert Z-Matrix Format; Numerical (Gaussview.gjf) to Standard (Rn=,An=,Dn=)": the
// Z-matrix of a Gaussian input goes into the final Z-matrix grid and is written back
// with every coordinate as a named variable.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "core/dir_memory.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "geometry/geometry_text.h"
#include "geometry/zmatrix_menu.h"

namespace mavrolin {

namespace {

constexpr const char* kNotFound = "There seems no line involving \"Z-MATRIX (ANGSTROMS AND DEGREES)\" !";
constexpr const char* kInputFilter =
    "Gaussian input (*.gjf;*.com)|*.gjf;*.com|All files (*.*)|*.*";

bool StartsWithWord(const std::string& line, const char* word) {
    return core::UpperAscii(core::Trim(line)).rfind(word, 0) == 0;
}

// The molecule section of a Gaussian input: the lines after the charge and
// multiplicity line (which follows the second empty line), up to the next empty line
// or a "Variables:" line; then, when present, the variables that follow.
struct InputZmatrix {
    long long nline = 0;
    bool started = false;  // the charge and multiplicity line was reached
    bool complete = false;
    std::vector<std::string> lines;
    std::vector<long long> lineNumbers;  // of each of `lines` in the file
    std::map<std::string, std::string> variables;  // upper-case name -> value text
};

void AddVariable(InputZmatrix& z, const std::string& line) {
    std::string buff = line;
    for (auto& ch : buff)
        if (ch == '=' || ch == ',' || ch == '\t') ch = ' ';
    core::StrCode t;
    int n = 0;
    core::DecodeBlank(buff, t, n);
    if (n >= 2) z.variables.emplace(core::UpperAscii(t[1]), t[2]);
}

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

// A symbolic value (name, or name with a sign) replaced by its number from the
// variables section. Returns false when the name has no value there.
bool ResolveValue(const InputZmatrix& z, std::string& token) {
    double d = 0;
    if (token.empty() || core::TryParseDouble(token, d)) return true;
    char sign = token[0] == '-' || token[0] == '+' ? token[0] : 0;
    auto it = z.variables.find(core::UpperAscii(sign ? token.substr(1) : token));
    if (it == z.variables.end()) return false;
    token = sign == '-' ? geometry::NegatedValue(it->second) : it->second;
    return true;
}

// Column of the final Z-matrix grid for token k (1-based) of a Z-matrix line.
constexpr int kTokenColumn[9] = {-1, 2, 3, 4, 6, 7, 9, 10, 12};

void PrepareFinalGrid(ui::StringGrid& g, int rows) {
    g.SetColCount(13);
    g.SetRowCount(rows + 1);
    g.ClearCells();
    const std::pair<int, const char*> headers[] = {{2, "Elem"}, {3, "BndTo"},    {4, "Bnd(A)"},   {6, "AngTo"},
                                                   {7, "Ang(deg)"}, {9, "TrsTo"}, {10, "Tors(deg)"}};
    for (const auto& [col, text] : headers) g.SetCell(col, 0, text);
}

bool IsNumber(const std::string& text) {
    double d = 0;
    return core::TryParseDouble(text, d);
}

// The fields of a Z-matrix line. Gaussian separates them by blanks, tabs or commas.
std::vector<std::string> ZmatrixFields(const std::string& line) {
    std::string buff = line;
    for (auto& ch : buff)
        if (ch == '\t' || ch == ',') ch = ' ';
    return core::LineTokens(buff).ToVector();
}

// The angle-mode flag of a fourth or later line: its third coordinate is then a second
// bond angle rather than a dihedral.
bool IsAngleFlag(const std::string& text) { return text == "1" || text == "-1"; }

// Why the next row cannot be a line of this Z-matrix, or "" when it can. Line i needs
// a symbol and min(i-1, 3) pairs of reference atom and value; a reference is an earlier
// line's number or its symbol, and the references of a line differ.
std::string RowProblem(const InputZmatrix& z, const std::vector<std::vector<std::string>>& earlier,
                       const std::vector<std::string>& row) {
    const size_t i = earlier.size() + 1;
    const bool cartesian = (row.size() == 4 && IsNumber(row[1]) && IsNumber(row[2]) && IsNumber(row[3])) ||
                           (row.size() == 5 && (row[1] == "0" || row[1] == "-1") && IsNumber(row[2]) &&
                            IsNumber(row[3]) && IsNumber(row[4]));
    if (i == 1 && cartesian)
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

// The named lines, keeping the angle-mode flag of a line: its second angle is named as
// an angle (AAn), not as a dihedral.
std::vector<std::string> ConvertedLines(const ui::StringGrid& g, int last) {
    auto tail = [&g](int r) { return IsAngleFlag(g.Cell(12, r)) ? "     " + g.Cell(12, r) : std::string(); };
    auto lines = geometry::NamedZmatrixLines(g, last, tail);
    for (int r = 4; r <= last; ++r) {
        if (!IsAngleFlag(g.Cell(12, r))) continue;
        const std::string d = "D" + core::IntText(r), aa = "AA" + core::IntText(r);
        std::string& atom = lines[static_cast<size_t>(r - 1)];
        auto at = atom.rfind("     " + d);
        if (at != std::string::npos) atom.replace(at + 5, d.size(), aa);
        for (auto& line : lines)
            if (line.rfind(d + "=", 0) == 0) line.replace(0, d.size(), aa);
    }
    return lines;
}

}  // namespace

void TForm1::ConvertZmatrix1Click() {
    auto& log = app_.log;
    auto chosen = app_.platform.OpenFileDialog(DialogOptions("Open", kInputFilter));
    if (chosen) {
        log.FileDum = *chosen;
        core::RememberDirectory(log, *chosen, [this](int ms) { app_.Pause(ms); });
        auto z = ReadInputZmatrix(*chosen);
        app_.Pause(log.sleeptime);
        log.nline = z.nline;
        std::vector<std::vector<std::string>> rows;
        std::string unresolved, refused;
        for (size_t i = 0; i < z.lines.size() && refused.empty(); ++i) {
            auto row = ZmatrixFields(z.lines[i]);
            refused = RowProblem(z, rows, row);
            if (!refused.empty()) {
                refused = "Line " + std::to_string(z.lineNumbers[i]) + ": " + refused;
                break;
            }
            for (size_t k = 2; k < row.size() && k <= 6; k += 2) {  // bond, angle, dihedral values
                std::string name = row[k];
                if (!ResolveValue(z, row[k])) {
                    if (unresolved.empty()) unresolved = row[k];
                } else if (!IsNumber(row[k])) {
                    refused = "Line " + std::to_string(z.lineNumbers[i]) + ": the value of " + name + " (" + row[k] +
                              ") is not a number";
                }
            }
            if (!refused.empty()) break;
            rows.push_back(std::move(row));
        }
        if (!refused.empty()) {
            app_.ShowMessagePos(refused + "; nothing was converted.");
            app_.Fail();
        } else if (z.started && !z.complete && !z.lines.empty()) {
            app_.ShowMessagePos("The Z-matrix is cut off by the end of the file; nothing was converted.");
            app_.Fail();
        } else if (!z.complete) {
            app_.ShowMessagePos(kNotFound);
            app_.Fail();
        } else if (!unresolved.empty()) {
            app_.ShowMessagePos("The variable " + unresolved + " has no value in the input; nothing was converted.");
            app_.Fail();
        } else {
            log.ndata = static_cast<int>(rows.size());
            PrepareFinalGrid(StringGrid2, log.ndata);
            for (int r = 1; r <= log.ndata; ++r) {
                const auto& row = rows[static_cast<size_t>(r - 1)];
                for (size_t k = 0; k < row.size(); ++k) StringGrid2.SetCell(kTokenColumn[k + 1], r, row[k]);
            }
        }
    }

    auto target = app_.platform.SaveFileDialog(
        DialogOptions("Save", kInputFilter, core::StemOf4(log.FileDum) + "_zmat.com"));
    if (!target) return;
    log.FileDum = *target;
    core::RememberDirectory(log, *target, [this](int ms) { app_.Pause(ms); });
    core::TextWriter w(*target);
    int last = StringGrid2.RowCount() - 1;
    for (const auto& line : ConvertedLines(StringGrid2, last)) w.WriteLine(line);
    for (int i = 0; i < 7; ++i) w.WriteLine();
    w.Close();
    app_.Pause(log.sleeptime);
    StringGrid2.SetVisible(true);
    ShowZmatrix1.SetCaption("Hide Z-matrix");
}

}  // namespace mavrolin
