#include "pdos/basis_imports.h"

#include <string_view>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/tokenizer.h"

namespace mavrolin::pdos {

namespace {

const char* const kGfprintTitle = "AO basis set (Overlap normalization):";
const char* const kBasisMismatch =
    "Number of basis functions does not match with the current one! Perhaps, a wrong file was selected!";

std::vector<std::string> Tokens(const std::string& line) {
    std::string buff = line;
    core::StrCode code;
    int n = 0;
    core::DecodeBlank(buff, code, n);
    std::vector<std::string> out;
    for (int t = 1; t <= n; ++t) out.push_back(code[static_cast<size_t>(t)]);
    if (out.size() == 1 && out[0].empty()) out.clear();
    return out;
}

// Blank-separated words without the tokenizer's array: the checkpoint lists are long.
void AppendWords(std::string_view line, std::vector<std::string>& out) {
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && static_cast<unsigned char>(line[at]) <= 32) ++at;
        size_t end = at;
        while (end < line.size() && static_cast<unsigned char>(line[end]) > 32) ++end;
        if (end > at) out.emplace_back(line.substr(at, end - at));
        at = end;
    }
}

bool IsEndMarker(const std::vector<std::string>& t) {
    static const char* const first[] = {"There", "nuclear", "IExCor=", "IRadAn=", "NAtoms=", "Integral"};
    static const char* const second[] = {"are", "basis", "alpha"};
    if (!t.empty())
        for (const char* w : first)
            if (t[0] == w) return true;
    if (t.size() > 1)
        for (const char* w : second)
            if (t[1] == w) return true;
    return false;
}

// " AO basis set (Overlap normalization):", or " AO basis set:" as Gaussian 03 titles the
// same listing.
bool IsGfprintTitle(const std::string& line) {
    const std::string t = core::Trim(line);
    return t.starts_with(kGfprintTitle) || t == "AO basis set:";
}

bool IsShellLine(const std::string& line) { return core::UpperAscii(core::Trim(line)).starts_with("ATOM"); }

// A checkpoint section title: the first 36 characters, trimmed, compared without case.
std::string SectionTitle(const std::string& line) { return core::UpperAscii(core::Trim(line.substr(0, 36))); }

class CheckpointReader {
public:
    explicit CheckpointReader(const std::filesystem::path& file) : in_(file), name_(file.filename().string()) {}

    // Reads up to the line titled `title`; returns that line.
    std::string Find(const std::string& title) {
        const std::string want = core::UpperAscii(title);
        std::string line;
        while (in_.ReadLine(line))
            if (SectionTitle(line) == want) return line;
        throw core::InputError("The formatted checkpoint file " + name_ + " ends before its \"" + title +
                               "\" section; nothing was imported.");
    }

    std::string Next(const std::string& expected) {
        std::string line;
        if (!in_.ReadLine(line))
            throw core::InputError("The formatted checkpoint file " + name_ + " ends before its \"" + expected +
                                   "\" section; nothing was imported.");
        return line;
    }

    // `count` values from the ceil(count / 5) lines that follow.
    std::vector<std::string> Values(long long count, const std::string& section) {
        std::vector<std::string> out;
        out.reserve(static_cast<size_t>(count));
        std::string line;
        for (long long k = 0; k < (count + 4) / 5; ++k) {
            if (!in_.ReadLine(line)) break;
            AppendWords(line, out);
        }
        if (static_cast<long long>(out.size()) < count)
            throw core::InputError("The \"" + section + "\" section of " + name_ + " holds fewer than " +
                                   core::IntText(count) + " values; nothing was imported.");
        out.resize(static_cast<size_t>(count));
        for (const auto& v : out) core::ParseDouble(v);  // a damaged value stops the import here
        return out;
    }

private:
    core::TextReader in_;
    std::string name_;
};

long long LastInteger(const std::string& line) {
    auto t = Tokens(line);
    return core::ParseInt(t.empty() ? std::string() : t.back());
}

// "12_ao  -0.35000" becomes "12_ao " followed by the checkpoint's value.
void SetEnergies(CoefficientGrid& grid, const std::vector<std::string>& values) {
    for (int c = 1; c <= grid.nmo(); ++c) {
        const std::string& header = grid.Cell(c, 0);
        auto u = header.find('_');
        if (u == std::string::npos)
            throw core::InputError("The coefficient tables have no MO headers (MO " + core::IntText(c) +
                                   "); load a log with its orbital energies first. Nothing was imported.");
        grid.SetCell(c, 0, header.substr(0, u + 4) + values[static_cast<size_t>(c) - 1]);
    }
}

// Value v (from 0) is the coefficient of AO v mod nbasis + 1 in MO v div nbasis + 1.
void SetCoefficients(CoefficientGrid& grid, const std::vector<std::string>& values) {
    const auto nbasis = static_cast<size_t>(grid.nbasis());
    for (size_t v = 0; v < values.size(); ++v)
        grid.SetCell(static_cast<int>(v / nbasis) + 1, static_cast<int>(v % nbasis) + 1, values[v]);
    const std::string label = grid.Cell(0, grid.SumRow());
    grid.FormSums(label);
}

}  // namespace

GfprintListing ReadGfprintListing(const std::filesystem::path& file) {
    GfprintListing out;
    core::TextReader in(file);
    std::string line;
    bool ended = false;
    while (!ended && in.ReadLine(line)) {
        if (out.titleLine == 0) {
            if (IsGfprintTitle(line)) out.titleLine = in.LineNumber() + 1;
            continue;
        }
        auto t = Tokens(line);
        if (IsEndMarker(t)) {
            out.endLine = in.LineNumber() - 1;
            out.notes.push_back("StringCode #1 and #2 ===> " + t[0] + " ***AND*** " + (t.size() > 1 ? t[1] : "") +
                                " ===> Succeeded!!");
            out.notes.push_back("aoline1= " + core::IntText(out.titleLine) + "  aoline2 =" + core::IntText(out.endLine));
            ended = true;
        } else if (IsShellLine(line)) {
            out.shells.push_back(std::move(t));
        }
    }
    if (out.titleLine == 0)
        throw core::InputError("No basis-set listing (\"" + std::string(kGfprintTitle) + "\") was found in " +
                               file.filename().string() + ". Run the job with GFPrint to print it.");
    if (!ended)
        throw core::InputError("The basis-set listing in " + file.filename().string() +
                               " has no end: the file ends inside it. Nothing was imported.");
    if (out.titleLine >= out.endLine || out.shells.empty())
        throw core::InputError("Something is wrong! Please check the file content!!");
    return out;
}

std::vector<std::string> FunctionSuffixes(int functions) {
    switch (functions) {
        case 1: return {""};
        case 3: return {"X", "Y", "Z"};
        case 4: return {"-S", "-PX", "-PY", "-PZ"};
        case 5: return {" 0", "+1", "-1", "+2", "-2"};
        case 6: return {"XX", "YY", "ZZ", "XY", "XZ", "YZ"};
        case 7: return {" 0", "+1", "-1", "+2", "-2", "+3", "-3"};
        default: break;
    }
    std::vector<std::string> out;
    for (int i = 0; i < functions; ++i) out.push_back("<" + core::IntText(i) + ">");
    return out;
}

void ApplyGfprintLabels(CoefficientTables& tables, const GfprintListing& listing) {
    auto token = [](const std::vector<std::string>& row, size_t t) { return t <= row.size() ? row[t - 1] : ""; };
    if (listing.shells.empty() || tables.Empty() || core::ParseInt(token(listing.shells.back(), 10)) != tables.nbasis)
        throw core::InputError(kBasisMismatch);
    std::vector<std::string> labels(static_cast<size_t>(tables.nbasis) + 1);
    for (const auto& row : listing.shells) {
        const long long first = core::ParseInt(token(row, 8));
        const long long lastBf = core::ParseInt(token(row, 10));
        if (first < 1 || lastBf < first || lastBf > tables.nbasis)
            throw core::InputError("The shell of basis functions " + token(row, 8) + " to " + token(row, 10) +
                                   " lies outside the " + core::IntText(tables.nbasis) +
                                   " basis functions of the tables. Nothing was imported.");
        const auto suffixes = FunctionSuffixes(static_cast<int>(lastBf - first + 1));
        for (long long a = first; a <= lastBf; ++a)
            labels[static_cast<size_t>(a)] =
                token(row, 2) + "_" + token(row, 5) + suffixes[static_cast<size_t>(a - first)];
    }
    for (auto* grid : {&tables.alpha, &tables.beta}) {
        if (grid->Cols() == 0) continue;
        for (int a = 1; a <= tables.nbasis; ++a) grid->SetCell(0, a, labels[static_cast<size_t>(a)]);
        grid->SetCell(0, grid->SumRow(), kGfprintSumLabel);
    }
}

void ImportCheckpoint(CoefficientTables& tables, const std::filesystem::path& file) {
    if (tables.Empty())
        throw core::InputError("The coefficient tables are empty; load a log with its orbital energies first.");
    CheckpointReader in(file);
    if (LastInteger(in.Find("Number of basis functions")) != tables.nbasis) throw core::InputError(kBasisMismatch);
    // Older checkpoint files spell it "independant".
    const std::string line = in.Next("Number of independent functions");
    const std::string title = SectionTitle(line);
    if (title != "NUMBER OF INDEPENDENT FUNCTIONS" && title != "NUMBER OF INDEPENDANT FUNCTIONS")
        throw core::InputError("The line stating the number of independent functions has an error!");
    if (LastInteger(line) != tables.nbsuse)
        throw core::InputError(
            "Number of independent functions does not match with the current one! Perhaps, a wrong file was "
            "selected!");

    // Filled into a copy, so that a refusal half-way leaves the tables as they were.
    CoefficientTables out = tables;
    const long long nmo = tables.nbsuse;
    const long long ncoef = static_cast<long long>(tables.nbasis) * nmo;
    in.Find("Alpha Orbital Energies");
    SetEnergies(out.alpha, in.Values(nmo, "Alpha Orbital Energies"));
    if (out.OpenShell()) {
        if (SectionTitle(in.Next("Beta Orbital Energies")) != "BETA ORBITAL ENERGIES")
            throw core::InputError("The formatted checkpoint file " + file.filename().string() +
                                   " holds no beta orbitals, but the tables are those of an open-shell run. "
                                   "Nothing was imported.");
        SetEnergies(out.beta, in.Values(nmo, "Beta Orbital Energies"));
    }
    in.Find("Alpha MO coefficients");
    SetCoefficients(out.alpha, in.Values(ncoef, "Alpha MO coefficients"));
    if (out.OpenShell()) {
        if (SectionTitle(in.Next("Beta MO coefficients")) != "BETA MO COEFFICIENTS")
            throw core::InputError("The \"Beta MO coefficients\" section does not follow the alpha ones in " +
                                   file.filename().string() + ". Nothing was imported.");
        SetCoefficients(out.beta, in.Values(ncoef, "Beta MO coefficients"));
    }
    tables = std::move(out);
}

}  // namespace mavrolin::pdos
