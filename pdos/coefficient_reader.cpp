#include "pdos/coefficient_reader.h"

#include <optional>
#include <string_view>

#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "core/tokenizer.h"

namespace mavrolin::pdos {

namespace {

constexpr size_t kLabelWidth = 21;  // AO number, atom, element and function name
constexpr size_t kField = 10;       // one coefficient

const char* const kFailed = "Extraction of MO coefficients failed due to an unexpected problem!";

std::vector<std::string> Tokens(const std::string& text) {
    std::string buff = text;
    core::StrCode code;
    int n = 0;
    core::DecodeBlank(buff, code, n);
    std::vector<std::string> out;
    for (int t = 1; t <= n; ++t)
        if (!code[static_cast<size_t>(t)].empty()) out.push_back(code[static_cast<size_t>(t)]);
    return out;
}

// "    60 basis functions,   180 primitive gaussians, ..."
std::optional<int> BasisFunctionsLine(const std::string& line) {
    auto words = Tokens(line);
    long long v = 0;
    if (words.size() < 3 || words[1] != "basis" || words[2] != "functions,") return std::nullopt;
    if (!core::TryParseInt(words[0], v) || v < 0 || v > 1000000) return std::nullopt;
    return static_cast<int>(v);
}

// The counts of the lines before the printing; the last of each belongs to it.
struct Preamble {
    std::optional<int> nbasis, nbsuse, basisFunctions;
    bool titleSeen = false;
};

// The counts of the last noted lines before line `blockStart`.
Preamble NotedPreamble(const core::BasisLines& noted, long long blockStart) {
    Preamble pre;
    auto last = [blockStart](const std::vector<std::pair<long long, int>>& lines) -> std::optional<int> {
        std::optional<int> v;
        for (const auto& [lineNo, count] : lines)
            if (lineNo < blockStart) v = count;
        return v;
    };
    pre.nbasis = last(noted.nbasis);
    pre.nbsuse = last(noted.nbsuse);
    pre.titleSeen = !noted.titles.empty() && noted.titles.front() < blockStart;
    return pre;
}

bool TitleNotedAfter(const core::BasisLines& noted, long long line) {
    return !noted.titles.empty() && noted.titles.back() > line;
}

enum class EnergyKind { None, AlphaOcc, AlphaVirt, BetaOcc, BetaVirt };

EnergyKind KindOfLine(const std::string& line) {
    std::string t = core::UpperAscii(core::Trim(line));
    if (t.starts_with("ALPHA  OCC")) return EnergyKind::AlphaOcc;
    if (t.starts_with("ALPHA VIRT")) return EnergyKind::AlphaVirt;
    if (t.starts_with("BETA  OCC")) return EnergyKind::BetaOcc;
    if (t.starts_with("BETA VIRT")) return EnergyKind::BetaVirt;
    return EnergyKind::None;
}

const char* Code(EnergyKind k) {
    switch (k) {
        case EnergyKind::AlphaOcc: return "ao";
        case EnergyKind::AlphaVirt: return "av";
        case EnergyKind::BetaOcc: return "bo";
        case EnergyKind::BetaVirt: return "bv";
        default: return "";
    }
}

// The MO-table cells of a printing: type code, two blanks, the energy as printed.
struct EnergyCells {
    std::vector<std::string> alpha, beta;
};

// The values of an eigenvalue line are 10-character fields after "-- ".
void AddEnergies(const std::string& line, EnergyCells& cells) {
    EnergyKind kind = KindOfLine(line);
    auto dash = line.find("--");
    if (kind == EnergyKind::None || dash == std::string::npos) return;
    std::string values = dash + 3 <= line.size() ? line.substr(dash + 3) : std::string();
    auto& out = (kind == EnergyKind::BetaOcc || kind == EnergyKind::BetaVirt) ? cells.beta : cells.alpha;
    for (size_t at = 0; at + kField <= values.size(); at += kField)
        out.push_back(std::string(Code(kind)) + "  " + core::Trim(values.substr(at, kField)));
}

// An MO-number line: one to five orbital numbers within 1..nmo.
std::optional<std::vector<int>> MoNumbers(const std::string& line, int nmo) {
    auto words = Tokens(line);
    if (words.empty() || words.size() > 5) return std::nullopt;
    std::vector<int> numbers;
    for (const auto& w : words) {
        long long v = 0;
        if (!core::TryParseInt(w, v) || v < 1 || v > nmo) return std::nullopt;
        numbers.push_back(static_cast<int>(v));
    }
    return numbers;
}

bool IsEigenvalueLine(const std::string& line) {
    return core::UpperAscii(core::Trim(line)).starts_with("EIGENVALUES");
}

// The coefficient fields after the label part; a last field shorter than ten characters
// is kept when it holds anything.
std::vector<std::string> CoefficientFields(const std::string& line) {
    std::vector<std::string> fields;
    for (size_t at = kLabelWidth; at < line.size(); at += kField) {
        std::string f = line.substr(at, kField);
        if (f.size() < kField && core::Trim(f).empty()) break;
        fields.push_back(f);
    }
    return fields;
}

// The blocks of one spin. Reading stops at the first line that is not an MO-number line,
// which is handed back in `next` (empty at the end of the file).
struct SpinRead {
    int printed = 0;
    std::string next;
    bool atEnd = false;
};

class SpinReader {
public:
    SpinReader(core::TextReader& in, CoefficientGrid& grid, std::vector<std::string>& messages, bool beta)
        : in_(in), grid_(grid), messages_(messages), beta_(beta) {}

    SpinRead Read() {
        SpinRead out;
        std::string line;
        for (;;) {
            if (!in_.ReadLine(line)) {
                out.atEnd = true;
                break;
            }
            auto numbers = MoNumbers(line, grid_.nmo());
            if (!numbers) {
                out.next = line;
                break;
            }
            const BlockEnd end = ReadBlock(*numbers);
            if (end != BlockEnd::Read) {
                // A line of numbers without an eigenvalue line is what follows the listing;
                // a damaged block ends the reading too.
                out.atEnd = true;
                break;
            }
            for (int mo : *numbers)
                if (!filled_[static_cast<size_t>(mo)]) {
                    filled_[static_cast<size_t>(mo)] = true;
                    ++out.printed;
                }
        }
        return out;
    }

private:
    enum class BlockEnd { Read, NotABlock, Damaged };

    // The occupancy and eigenvalue lines, then one line per AO.
    BlockEnd ReadBlock(const std::vector<int>& numbers) {
        if (filled_.empty()) filled_.assign(static_cast<size_t>(grid_.nmo()) + 1, false);
        std::string line;
        bool eigen = false;
        for (int k = 0; k < 2 && !eigen; ++k) {
            if (!in_.ReadLine(line)) return BlockEnd::NotABlock;
            eigen = IsEigenvalueLine(line);
        }
        if (!eigen) return BlockEnd::NotABlock;
        std::string atom, function;
        for (int r = 1; r <= grid_.nbasis(); ++r) {
            if (!in_.ReadLine(line)) return Damaged(numbers, "the file ends");
            auto words = Tokens(line.substr(0, kLabelWidth));
            long long ao = 0;
            if (words.empty() || !core::TryParseInt(words[0], ao) || ao != r)
                return Damaged(numbers, "line " + core::IntText(in_.LineNumber()) + " is not the line of AO " +
                                            core::IntText(r));
            std::string label = CoefficientLabel(line, atom, function);
            if (grid_.Cell(0, r).empty()) grid_.SetCell(0, r, label);
            auto fields = CoefficientFields(line);
            for (size_t i = 0; i < numbers.size() && i < fields.size(); ++i) grid_.SetCell(numbers[i], r, fields[i]);
        }
        return BlockEnd::Read;
    }

    BlockEnd Damaged(const std::vector<int>& numbers, const std::string& why) {
        for (int mo : numbers)
            for (int r = 1; r <= grid_.nbasis(); ++r) grid_.SetCell(mo, r, "");
        messages_.push_back(std::string("The ") + (beta_ ? "beta " : "") +
                            "MO coefficient listing is damaged in the block of orbitals " + OrbitalRanges(numbers) +
                            " (" + why + "); reading stopped there and those orbitals are left empty.");
        return BlockEnd::Damaged;
    }

    core::TextReader& in_;
    CoefficientGrid& grid_;
    std::vector<std::string>& messages_;
    bool beta_;
    std::vector<bool> filled_;
};

void ReportPartial(CoefficientLoad& load, int printed, bool beta) {
    const int nmo = load.tables.nbsuse;
    if (printed >= nmo) return;
    const auto& grid = beta ? load.tables.beta : load.tables.alpha;
    std::vector<int> present;
    for (int c = 1; c <= nmo; ++c)
        if (!grid.Cell(c, 1).empty()) present.push_back(c);
    std::string spin = load.tables.OpenShell() ? (beta ? " beta" : " alpha") : "";
    std::string which = present.empty() ? "" : " (orbitals " + OrbitalRanges(present) + ")";
    load.messages.push_back("The log prints the coefficients of " + core::IntText(printed) + " of the " +
                            core::IntText(nmo) + spin + " orbitals" + which +
                            "; the others are left empty. Pop=Full prints them all.");
}

void FormSums(CoefficientLoad& load, CoefficientGrid& grid) {
    std::vector<int> bad = grid.FormSums(kLogSumLabel);
    if (!bad.empty())
        load.messages.push_back("Some coefficients of orbitals " + OrbitalRanges(bad) +
                                " are not numbers; those orbitals have no sum of squares.");
}

// Goes on to the end of the file looking for a coefficient title anywhere.
bool TitleLater(core::TextReader& in) {
    std::string line;
    while (in.ReadLine(line))
        if (IsCoefficientTitle(line)) return true;
    return false;
}

}  // namespace

std::string CoefficientLabel(const std::string& line, std::string& atom, std::string& function) {
    auto w = Tokens(line.substr(0, kLabelWidth));
    switch (w.size()) {
        case 2: function = w[1]; break;
        case 3: function = w[1] + " " + w[2]; break;
        case 4:
            atom = w[1] + "_" + w[2];
            function = w[3];
            break;
        case 5:  // first function of an atom printed as two words ("5D 0")
            atom = w[1] + "_" + w[2];
            function = w[3] + " " + w[4];
            break;
        default: break;
    }
    return atom + function;
}

std::string OrbitalRanges(const std::vector<int>& numbers) {
    std::string out;
    for (size_t i = 0; i < numbers.size();) {
        size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
        if (!out.empty()) out += ", ";
        out += core::IntText(numbers[i]);
        if (j > i) out += "-" + core::IntText(numbers[j]);
        i = j + 1;
    }
    return out;
}

CoefficientLoad ReadCoefficients(const std::filesystem::path& log, long long blockStart, int blockLength,
                                 const core::BasisLines* noted, const core::LineMarks* marks) {
    CoefficientLoad load;
    core::TextReader in(log);
    std::string line;
    if (noted && noted->file != log.string()) noted = nullptr;
    Preamble pre = noted ? NotedPreamble(*noted, blockStart) : Preamble{};
    if (pre.nbasis) {
        if (marks) in.JumpTowards(*marks, blockStart);
        std::string_view skipped;
        while (in.LineNumber() < blockStart - 1 && in.ReadLineView(skipped)) {
        }
    } else {
        pre = Preamble{};
        while (in.LineNumber() < blockStart - 1 && in.ReadLine(line)) {
            if (auto v = CountAfter(line, "NBasis=")) pre.nbasis = v;
            if (auto v = CountAfter(line, "NBsUse=")) pre.nbsuse = v;
            if (auto v = BasisFunctionsLine(line)) pre.basisFunctions = v;
            if (IsCoefficientTitle(line)) pre.titleSeen = true;
        }
    }
    EnergyCells energies;
    for (int k = 0; k < blockLength; ++k) {
        if (!in.ReadLine(line)) {
            load.messages.push_back(kFailed);
            return load;
        }
        AddEnergies(line, energies);
    }

    auto& t = load.tables;
    t.file = log.string();
    t.nalpha = static_cast<int>(energies.alpha.size());
    t.nbeta = static_cast<int>(energies.beta.size());
    t.nbasis = pre.nbasis.value_or(pre.basisFunctions.value_or(0));
    t.nbsuse = pre.nbsuse.value_or(t.nalpha);
    if (t.nalpha == 0 || t.nbsuse > t.nalpha || (t.nbeta != 0 && t.nbeta != t.nalpha)) {
        load.messages.push_back(kFailed);
        return load;
    }

    // Sized and headed in every case: the coefficients may still come from a checkpoint file.
    load.loaded = true;
    t.alpha = CoefficientGrid(t.nbasis, t.nbsuse);
    if (t.OpenShell()) t.beta = CoefficientGrid(t.nbasis, t.nbsuse);
    for (int c = 1; c <= t.nbsuse; ++c) {
        t.alpha.SetCell(c, 0, core::IntText(c) + "_" + energies.alpha[static_cast<size_t>(c) - 1]);
        if (t.OpenShell()) t.beta.SetCell(c, 0, core::IntText(c) + "_" + energies.beta[static_cast<size_t>(c) - 1]);
    }

    const bool titleHere = in.ReadLine(line) && IsCoefficientTitle(line);
    if (!titleHere) {
        if (pre.titleSeen || (noted ? TitleNotedAfter(*noted, blockStart + blockLength) : TitleLater(in)))
            load.messages.push_back(
                "The MO coefficients of this log are not printed right after the orbital energies that were "
                "imported, so they were not loaded; the coefficient tables hold the headers only.");
        return load;
    }
    if (t.nbasis == 0) {
        load.messages.push_back(
            "The log prints MO coefficients but states no number of basis functions (\"NBasis=\" or \"basis "
            "functions,\"), so they were not loaded; the coefficient tables hold the headers only.");
        return load;
    }

    SpinRead alpha = SpinReader(in, t.alpha, load.messages, false).Read();
    load.printedAlpha = alpha.printed;
    ReportPartial(load, alpha.printed, false);
    FormSums(load, t.alpha);
    if (!t.OpenShell()) return load;

    for (int r = 1; r <= t.nbasis; ++r) t.beta.SetCell(0, r, t.alpha.Cell(0, r));
    if (alpha.atEnd || !IsBetaCoefficientTitle(alpha.next)) {
        t.beta.FormSums(kLogSumLabel);
        load.messages.push_back(
            "The beta MO coefficients do not follow the alpha ones in this log; the beta table holds the "
            "headers only.");
        return load;
    }
    SpinRead beta = SpinReader(in, t.beta, load.messages, true).Read();
    load.printedBeta = beta.printed;
    ReportPartial(load, beta.printed, true);
    FormSums(load, t.beta);
    return load;
}

}  // namespace mavrolin::pdos
