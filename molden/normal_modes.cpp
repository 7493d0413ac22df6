#include "molden/normal_modes.h"

#include <algorithm>
#include <map>

#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/text_view.h"
#include "core/tokenizer.h"
#include "irraman/vibrational_modes.h"

namespace mavrolin::molden {

namespace {

using Displacements = std::map<int, std::vector<std::array<double, 3>>>;  // by mode number

// The displacements of one set, in both listings.
class DisplacementParser {
public:
    void Line(std::string_view line) {
        const std::string_view t = core::TrimView(line);
        if (t.starts_with("Harmonic frequencies")) {
            Finish();
            return;
        }
        // "Frequencies ---    53.1981   84.7415 ..." (high precision) or "Frequencies --  53.1981 ..."
        if (t.starts_with("Frequencies --")) {
            const bool hp = t.starts_with("Frequencies ---");
            const core::LineTokens v(t.substr(hp ? 15 : 14));
            auto& next = hp ? nextHp_ : nextStd_;
            block_.assign(static_cast<size_t>(v.Count()), 0);
            for (auto& n : block_) n = ++next;
            rows_ = Rows::None;
            hpBlock_ = hp;
            return;
        }
        if (block_.empty()) return;
        // " Coord Atom Element:" then "   1     1     6     0.00000  -0.00000 ..."
        if (hpBlock_ && t.starts_with("Coord Atom Element:")) {
            rows_ = Rows::Coordinate;
            return;
        }
        // "  Atom  AN      X      Y      Z        X      Y      Z ..." then "     1   6     0.00   0.00  -0.08 ..."
        if (!hpBlock_ && t.starts_with("Atom  AN")) {
            rows_ = Rows::Atom;
            return;
        }
        if (rows_ == Rows::None) return;
        const core::LineTokens tok(t);
        const int n = static_cast<int>(block_.size());
        if (rows_ == Rows::Atom ? !AtomRow(tok, n) : !CoordinateRow(tok, n)) rows_ = Rows::None;
    }

    // Ends the set being read; a set with displacements replaces the kept one.
    void Finish() {
        if (!std_.empty() || !hp_.empty()) {
            highPrecision_ = !hp_.empty();
            kept_ = highPrecision_ ? std::move(hp_) : std::move(std_);
        }
        std_.clear();
        hp_.clear();
        block_.clear();
        nextStd_ = nextHp_ = 0;
        rows_ = Rows::None;
    }

    Displacements kept_;
    bool highPrecision_ = false;

private:
    enum class Rows { None, Atom, Coordinate };

    bool Value(const core::LineTokens& tok, int k, double& v) const {
        return core::TryParseDouble(tok[k], v) && v > -1e3 && v < 1e3;
    }

    // Atom number, atomic number, then X, Y, Z of each mode of the block.
    bool AtomRow(const core::LineTokens& tok, int n) {
        long long atom = 0;
        if (tok.Count() != 2 + 3 * n || !core::TryParseInt(tok[1], atom)) return false;
        for (int m = 0; m < n; ++m) {
            auto& rows = std_[block_[static_cast<size_t>(m)]];
            if (atom != static_cast<long long>(rows.size()) + 1) return false;
            std::array<double, 3> d{};
            for (int c = 0; c < 3; ++c)
                if (!Value(tok, 3 + 3 * m + c, d[static_cast<size_t>(c)])) return false;
            rows.push_back(d);
        }
        return true;
    }

    // Coordinate (1 X, 2 Y, 3 Z), atom number, atomic number, then one value per mode.
    bool CoordinateRow(const core::LineTokens& tok, int n) {
        long long coord = 0, atom = 0;
        if (tok.Count() != 3 + n || !core::TryParseInt(tok[1], coord) || !core::TryParseInt(tok[2], atom) ||
            coord < 1 || coord > 3)
            return false;
        for (int m = 0; m < n; ++m) {
            auto& rows = hp_[block_[static_cast<size_t>(m)]];
            if (coord == 1) {
                if (atom != static_cast<long long>(rows.size()) + 1) return false;
                rows.push_back({});
            } else if (atom != static_cast<long long>(rows.size())) {
                return false;
            }
            if (!Value(tok, 4 + m, rows.back()[static_cast<size_t>(coord - 1)])) return false;
        }
        return true;
    }

    Displacements std_, hp_;
    std::vector<int> block_;  // mode numbers of the open block
    int nextStd_ = 0, nextHp_ = 0;
    bool hpBlock_ = false;
    Rows rows_ = Rows::None;
};

NormalModes Join(const irraman::VibModes& values, DisplacementParser& parser) {
    parser.Finish();
    std::vector<irraman::VibMode> all = values.modes;
    all.insert(all.end(), values.imaginary.begin(), values.imaginary.end());
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.number < b.number; });
    NormalModes out;
    out.highPrecision = parser.highPrecision_;
    out.leftOut = values.overflowed;
    size_t atoms = 0;
    for (const auto& [number, rows] : parser.kept_) atoms = std::max(atoms, rows.size());
    for (const auto& m : all) {
        auto it = parser.kept_.find(m.number);
        // [INT] needs the IR intensity: a mode whose intensity was printed as asterisks is left out.
        if (!m.irRead || it == parser.kept_.end() || it->second.size() != atoms || atoms == 0) {
            out.leftOut.push_back(m.number);
            continue;
        }
        out.modes.push_back({m.number, m.frequency, m.ir, std::move(it->second)});
    }
    std::sort(out.leftOut.begin(), out.leftOut.end());
    return out;
}

}  // namespace

NormalModes ReadNormalModes(const std::filesystem::path& log) {
    const auto values = irraman::ReadVibrationalModes(log);
    DisplacementParser parser;
    core::LineReader reader(log, 0);
    while (reader.Next()) parser.Line(reader.Line(0));
    return Join(values, parser);
}

NormalModes ParseNormalModes(std::string_view text) {
    const auto values = irraman::ParseVibrationalModes(text);
    DisplacementParser parser;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        parser.Line(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return Join(values, parser);
}

}  // namespace mavrolin::molden
