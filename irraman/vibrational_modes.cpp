#include "irraman/vibrational_modes.h"

#include <algorithm>
#include <cmath>

#include "core/line_reader.h"
#include "core/number_text.h"
#include "core/text_view.h"

namespace mavrolin::irraman {

namespace {

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// Blank-separated tokens, with runs of asterisks split from digits they touch: a
// high-precision field that overflows fills its whole width and can meet its neighbour.
std::vector<std::string_view> Fields(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        if (i >= s.size()) break;
        size_t j = i;
        const bool star = s[i] == '*';
        while (j < s.size() && s[j] != ' ' && s[j] != '\t' && (s[j] == '*') == star) ++j;
        out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

bool IsNumber(std::string_view t, double& v) { return core::TryParseDouble(t, v) && std::isfinite(v); }

bool AllIntegers(const std::vector<std::string_view>& tokens, std::vector<int>& numbers) {
    numbers.clear();
    for (auto t : tokens) {
        long long n = 0;
        if (!core::TryParseInt(t, n) || n < 1 || n > 10'000'000) return false;
        numbers.push_back(static_cast<int>(n));
    }
    return !numbers.empty();
}

struct Pending {
    VibMode mode;
    bool bad = false;  // a frequency printed as asterisks or not a number, or no intensities
};

// One listing (standard or high-precision) of one set.
struct Listing {
    std::vector<Pending> modes;
    bool hasRaman = false;
};

class ModeParser {
public:
    // One line, with the two lines before it (as read, untrimmed).
    void Line(std::string_view line, std::string_view prev1, std::string_view prev2) {
        const std::string_view t = core::TrimView(line);
        if (block_ && Property(t)) return;
        CloseBlock();
        if (StartsWith(t, "Harmonic frequencies")) {
            Finish();
            inSet_ = true;
            ++sets_;
            return;
        }
        if (StartsWith(t, "Frequencies ---")) return Begin(t.substr(15), prev1, prev2, hp_);
        if (StartsWith(t, "Frequencies --")) return Begin(t.substr(14), prev1, prev2, std_);
    }

    // Inside a block every line counts; outside one only the lines that begin as a
    // set header or a frequency line does ("Ha", "Fr").
    bool InBlock() const { return block_; }

    VibModes Result() {
        Finish();
        kept_.sets = sets_;
        return std::move(kept_);
    }

private:
    // A block: mode numbers two lines up (one line up when no symmetry line is printed),
    // symmetry labels one line up, the frequencies on this line.
    void Begin(std::string_view values, std::string_view prev1, std::string_view prev2, Listing& listing) {
        if (!inSet_) {  // a block without its header (an older layout): a set of its own
            inSet_ = true;
            ++sets_;
        }
        const auto freqs = Fields(values);
        const size_t n = freqs.size();
        if (n == 0) return;
        std::vector<int> numbers;
        std::vector<std::string_view> symmetry;
        const auto above1 = Fields(prev1), above2 = Fields(prev2);
        if (AllIntegers(above1, numbers) && numbers.size() == n) {
            // no symmetry line
        } else if (AllIntegers(above2, numbers) && numbers.size() == n) {
            if (above1.size() == n) symmetry = above1;
        } else {
            numbers.clear();
            const int next = listing.modes.empty() ? 1 : listing.modes.back().mode.number + 1;
            for (size_t k = 0; k < n; ++k) numbers.push_back(next + static_cast<int>(k));
        }
        listing_ = &listing;
        first_ = listing.modes.size();
        count_ = n;
        irSeen_ = false;
        for (size_t k = 0; k < n; ++k) {
            Pending p;
            p.mode.number = numbers[k];
            if (!symmetry.empty()) p.mode.symmetry = std::string(symmetry[k]);
            p.bad = !IsNumber(freqs[k], p.mode.frequency);
            listing.modes.push_back(std::move(p));
        }
        block_ = true;
    }

    // A property line of the open block ("IR Inten    --  0.0342 ..."); false when the
    // line ends the block (the "Atom" or "Coord Atom Element:" header, anything else).
    bool Property(std::string_view t) {
        const size_t sep = t.find("--");
        if (sep == std::string_view::npos || StartsWith(t, "Atom") || StartsWith(t, "Coord")) return false;
        const std::string_view label = core::TrimView(t.substr(0, sep));
        std::string_view values = t.substr(sep + 2);
        if (!values.empty() && values.front() == '-') values.remove_prefix(1);  // "---"
        const bool ir = StartsWith(label, "IR Inten"), raman = StartsWith(label, "Raman Activ");
        if (!ir && !raman) return true;
        if (raman) listing_->hasRaman = true;
        if (ir) irSeen_ = true;
        const auto fields = Fields(values);
        for (size_t k = 0; k < count_; ++k) {
            VibMode& m = listing_->modes[first_ + k].mode;
            double v = 0;
            // A line that does not hold one value per mode cannot be attributed: every
            // mode of the block loses that value rather than take a neighbour's.
            //  Raman Activ --************************************************
            const bool read = fields.size() == count_ && IsNumber(fields[k], v);
            (ir ? m.irRead : m.ramanRead) = read;
            (ir ? m.ir : m.raman) = read ? v : 0;
        }
        return true;
    }

    // A block that ends without its IR intensities (the log was cut inside it) leaves its
    // modes out rather than draw them with no intensity.
    void CloseBlock() {
        if (block_ && !irSeen_)
            for (size_t k = 0; k < count_; ++k) listing_->modes[first_ + k].bad = true;
        block_ = false;
    }

    // Ends the set being read; it replaces the kept one when it holds any mode.
    void Finish() {
        CloseBlock();
        Listing& chosen = !std_.modes.empty() ? std_ : hp_;
        if (!chosen.modes.empty()) {
            VibModes r;
            r.hasRaman = chosen.hasRaman;
            r.highPrecision = &chosen == &hp_;
            for (auto& p : chosen.modes) {
                if (p.bad)
                    r.overflowed.push_back(p.mode.number);
                else if (p.mode.frequency < 0)
                    r.imaginary.push_back(std::move(p.mode));
                else
                    r.modes.push_back(std::move(p.mode));
            }
            kept_ = std::move(r);
        }
        std_ = {};
        hp_ = {};
        block_ = false;
        inSet_ = false;
    }

    Listing std_, hp_;
    Listing* listing_ = nullptr;
    size_t first_ = 0, count_ = 0;
    bool block_ = false, inSet_ = false, irSeen_ = false;
    int sets_ = 0;
    VibModes kept_;
};

}  // namespace

std::vector<int> ModesLeftOut(const VibModes& modes, bool raman) {
    std::vector<int> out = modes.overflowed;
    for (const auto& m : modes.modes)
        if (!(raman ? m.ramanRead : m.irRead)) out.push_back(m.number);
    std::sort(out.begin(), out.end());
    return out;
}

VibModes ReadVibrationalModes(const std::filesystem::path& log) {
    core::LineReader reader(log, 2);
    ModeParser parser;
    // "Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering"
    // " Frequencies --    53.1981               107.6203               161.2049"
    static const core::LineStarts kOutsideBlocks = core::LineStarts().Add("Ha").Add("Fr");
    while (parser.InBlock() ? reader.Next() : reader.NextStartingWith(kOutsideBlocks))
        parser.Line(reader.Line(0), reader.Line(1), reader.Line(2));
    return parser.Result();
}

VibModes ParseVibrationalModes(std::string_view text) {
    ModeParser parser;
    std::string_view prev1, prev2;
    while (!text.empty()) {
        size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            text.remove_prefix(end + (crlf ? 2 : 1));
        }
        parser.Line(line, prev1, prev2);
        prev2 = prev1;
        prev1 = line;
    }
    return parser.Result();
}

}  // namespace mavrolin::irraman
