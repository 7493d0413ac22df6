#include "molden/gaussian_basis.h"

#include <cmath>
#include <map>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "pdos/basis_imports.h"

namespace mavrolin::molden {

namespace {

// Fortran "D" exponents as printed: 0.3047524880D+04.
double FortranValue(std::string text, const std::string& where) {
    for (char& c : text)
        if (c == 'D' || c == 'd') c = 'E';
    double v = 0;
    if (!core::TryParseDouble(text, v) || !std::isfinite(v))
        throw core::InputError(where + ": '" + text + "' is not a number.");
    return v;
}

int AngularMomentum(const std::string& type) {
    static const std::string letters = "SPDFGHIK";
    auto at = type.size() == 1 ? letters.find(type[0]) : std::string::npos;
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

// The centre number of a GFPrint atom label ("C1", "H12").
int AtomNumberOf(const std::string& label) {
    const auto digits = label.find_first_of("0123456789");
    long long n = 0;
    if (digits == std::string::npos || !core::TryParseInt(label.substr(digits), n) || n < 1 || n > 1'000'000) return 0;
    return static_cast<int>(n);
}

}  // namespace

int BasisSet::Functions() const {
    int n = 0;
    for (const auto& s : shells) n += s.Functions();
    return n;
}

void BasisSet::CheckWritable() const {
    std::map<int, bool> pureOf;  // per angular momentum from 2 on
    for (const auto& s : shells) {
        if (s.l > 4 || (s.l == 4 && !s.pure))
            throw core::InputError(std::string("The basis has ") + (s.pure ? "pure " : "Cartesian ") + "shells of angular momentum " +
                                   core::IntText(s.l) +
                                   "; orbitals can be written only with s, p, sp, d and f shells (pure or Cartesian) "
                                   "and pure g shells.");
        if (s.l < 2) continue;
        auto [it, fresh] = pureOf.emplace(s.l, s.pure);
        if (!fresh && it->second != s.pure)
            throw core::InputError("The basis mixes pure and Cartesian shells of angular momentum " + core::IntText(s.l) +
                                   "; the file format declares one kind per angular momentum.");
    }
}

BasisSet ReadGfprintBasis(const std::filesystem::path& log) {
    const auto listing = pdos::ReadGfprintListing(log);
    BasisSet basis;
    core::TextReader in(log);
    std::string line;
    if (!in.AdvanceTo(listing.titleLine - 1, line)) throw core::InputError("The basis-set listing is cut off.");
    while (in.LineNumber() < listing.endLine && in.ReadLine(line)) {
        const core::LineTokens t(line);
        const std::string where = "Line " + core::IntText(in.LineNumber()) + " of the basis-set listing";
        // " Atom C1       Shell     2 SP   3    bf    2 -     5   x y z"
        if (t.Count() >= 10 && core::UpperAscii(t[1]) == "ATOM") {
            Shell s;
            s.atom = AtomNumberOf(t[2]);
            const std::string type = core::UpperAscii(t[5]);
            long long first = 0, last = 0;
            if (s.atom == 0 || !core::TryParseInt(t[8], first) || !core::TryParseInt(t[10], last) || last < first)
                throw core::InputError(where + " is not a shell line.");
            s.sp = type == "SP";
            s.l = s.sp ? 1 : AngularMomentum(type);
            if (s.l < 0) throw core::InputError(where + ": unknown shell type '" + t[5] + "'.");
            s.pure = s.l >= 2 && last - first + 1 == 2 * s.l + 1;
            if (last - first + 1 != s.Functions())
                throw core::InputError(where + ": a " + t[5] + " shell of " + core::IntText(last - first + 1) +
                                       " functions.");
            basis.shells.push_back(std::move(s));
            continue;
        }
        // "      0.7868272350D+01 -0.1193324198D+00  0.6899906659D-01"
        if (t.Count() == 0) continue;
        if (basis.shells.empty() || t.Count() < 2) throw core::InputError(where + " is neither a shell nor a primitive.");
        Shell& s = basis.shells.back();
        if (t.Count() != (s.sp ? 3 : 2)) throw core::InputError(where + " does not hold an exponent and its coefficients.");
        s.exponents.push_back(FortranValue(t[1], where));
        s.coefficients.push_back(FortranValue(t[2], where));
        if (s.sp) s.pCoefficients.push_back(FortranValue(t[3], where));
    }
    for (const auto& s : basis.shells)
        if (s.exponents.empty()) throw core::InputError("A shell of the basis-set listing has no primitives.");
    return basis;
}

namespace {

// The named arrays of a formatted checkpoint file ("Shell types   I   N=   30" and the
// values on the lines after it).
class CheckpointArrays {
public:
    CheckpointArrays(const std::filesystem::path& file, const std::vector<std::string>& names) {
        core::TextReader in(file);
        std::string line;
        std::vector<double>* open = nullptr;
        long long wanted = 0;
        while (in.ReadLine(line)) {
            if (open) {
                const core::LineTokens t(line);
                for (int k = 1; k <= t.Count() && static_cast<long long>(open->size()) < wanted; ++k)
                    open->push_back(FortranValue(t[k], "Line " + core::IntText(in.LineNumber()) + " of " +
                                                           file.filename().string()));
                if (static_cast<long long>(open->size()) >= wanted) open = nullptr;
                continue;
            }
            const std::string title = core::Trim(line.substr(0, std::min<size_t>(line.size(), 43)));
            for (const auto& name : names) {
                if (title != name) continue;
                const core::LineTokens t(line.substr(std::min<size_t>(line.size(), 43)));
                if (t.Count() < 3 || t[2] != "N=" || !core::TryParseInt(t[3], wanted) || wanted < 0 || wanted > 100'000'000)
                    throw core::InputError("The \"" + name + "\" line of " + file.filename().string() + " is damaged.");
                open = &arrays_[name];
                open->reserve(static_cast<size_t>(wanted));
                if (wanted == 0) open = nullptr;
            }
        }
        if (open) throw core::InputError(file.filename().string() + " ends inside one of its basis sections.");
        name_ = file.filename().string();
    }

    const std::vector<double>& Get(const std::string& name) const {
        auto it = arrays_.find(name);
        if (it == arrays_.end())
            throw core::InputError("The formatted checkpoint file " + name_ + " has no \"" + name + "\" section.");
        return it->second;
    }
    bool Has(const std::string& name) const { return arrays_.count(name) > 0; }

private:
    std::map<std::string, std::vector<double>> arrays_;
    std::string name_;
};

}  // namespace

BasisSet ReadCheckpointBasis(const std::filesystem::path& fchk) {
    const std::string kTypes = "Shell types", kPrims = "Number of primitives per shell", kAtoms = "Shell to atom map",
                      kExp = "Primitive exponents", kCoef = "Contraction coefficients",
                      kP = "P(S=P) Contraction coefficients";
    const CheckpointArrays a(fchk, {kTypes, kPrims, kAtoms, kExp, kCoef, kP});
    const auto &types = a.Get(kTypes), &prims = a.Get(kPrims), &atoms = a.Get(kAtoms), &exps = a.Get(kExp),
               &coefs = a.Get(kCoef);
    const std::vector<double> none;
    const auto& pcoefs = a.Has(kP) ? a.Get(kP) : none;
    if (prims.size() != types.size() || atoms.size() != types.size())
        throw core::InputError("The shell sections of " + fchk.filename().string() + " differ in length.");
    BasisSet basis;
    size_t at = 0;
    for (size_t i = 0; i < types.size(); ++i) {
        Shell s;
        const int type = static_cast<int>(types[i]);
        s.sp = type == -1;
        s.l = s.sp ? 1 : std::abs(type);
        s.pure = type < -1;
        s.atom = static_cast<int>(atoms[i]);
        const auto n = static_cast<size_t>(prims[i]);
        if (prims[i] < 1 || at + n > exps.size() || at + n > coefs.size() || (s.sp && at + n > pcoefs.size()))
            throw core::InputError("The primitives of shell " + core::IntText(static_cast<long long>(i) + 1) + " of " +
                                   fchk.filename().string() + " lie beyond its exponent or coefficient sections.");
        s.exponents.assign(exps.begin() + static_cast<long>(at), exps.begin() + static_cast<long>(at + n));
        s.coefficients.assign(coefs.begin() + static_cast<long>(at), coefs.begin() + static_cast<long>(at + n));
        if (s.sp) s.pCoefficients.assign(pcoefs.begin() + static_cast<long>(at), pcoefs.begin() + static_cast<long>(at + n));
        at += n;
        basis.shells.push_back(std::move(s));
    }
    return basis;
}

}  // namespace mavrolin::molden
