// The tokenizers and number texts on every line of the input, then the whole log scan
// and the readers that work on a scanned log, each through its batch command.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/tokenizer.h"
#include "fuzz/fuzz_harness.h"

namespace {

const fuzz::Reader kReaders[] = {
    {"index", fuzz::Batch({"index", "{in}", "-o", "{out}"})},
    {"scf", fuzz::Batch({"scf", "{in}", "-o", "{out}"})},
    {"report", fuzz::Batch({"report", "{in}", "-o", "{out}"})},
    {"esi", fuzz::Batch({"esi", "{in}", "-o", "{out}"})},
    {"spectrum", fuzz::Batch({"spectrum", "{in}", "-o", "{out}"})},
    {"mo", fuzz::Batch({"mo", "{in}", "--table", "{out}", "--sheet", "{out}.sheet"})},
    {"coefficients", fuzz::Batch({"coefficients", "{in}", "--mo-ao", "-o", "{out}"})},
    {"ir", fuzz::Batch({"ir", "{in}", "-o", "{out}"})},
    {"thermo", fuzz::Batch({"thermo", "{in}", "-o", "{out}"})},
};

void CheckTokens(std::string_view line) {
    core::StrCode code;
    int n = 0;
    for (auto decode : {core::DecodeBlank, core::DecodeTab}) {
        std::string buff(line);
        int r = decode(buff, code, n);
        if (r != n || n < 1 || n > core::kMaxTokens) fuzz::Finding("token count " + std::to_string(n));
    }
    std::string buff(line);
    if (core::Decode10(buff, code, n) && static_cast<size_t>(n) * 10 != buff.size())
        fuzz::Finding("Decode10 count " + std::to_string(n));
    core::LineTokens tokens(line);
    if (tokens.Count() < 0 || tokens.Count() > core::kMaxTokens || tokens.ToVector().size() != size_t(tokens.Count()))
        fuzz::Finding("LineTokens count");
}

// A text the parser takes gives the same number through the throwing form, and a number
// written by FloatText reads back as itself to 15 digits.
void CheckNumber(std::string_view text) {
    double v = 0;
    long long i = 0;
    bool isDouble = core::TryParseDouble(text, v);
    try {
        double w = core::ParseDouble(text);
        if (!isDouble || (w != v && !(std::isnan(w) && std::isnan(v)))) fuzz::Finding("ParseDouble differs");
    } catch (const core::ConversionError&) {
        if (isDouble) fuzz::Finding("ParseDouble refuses what TryParseDouble takes");
    }
    if (isDouble && std::isfinite(v)) {
        double back = core::ParseDouble(core::FloatText(v));
        if (std::fabs(back - v) > 1e-14 * std::fabs(v)) fuzz::Finding("FloatText round trip of " + std::string(text));
    }
    bool isInt = core::TryParseInt(text, i);
    try {
        if (core::ParseInt(text) != i || !isInt) fuzz::Finding("ParseInt differs");
    } catch (const core::ConversionError&) {
        if (isInt) fuzz::Finding("ParseInt refuses what TryParseInt takes");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    for (size_t from = 0; from <= text.size();) {
        size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        CheckTokens(line);
        core::LineTokens tokens(line);
        for (int k = 1; k <= tokens.Count() && k <= 8; ++k) CheckNumber(tokens[k]);
        from = end + 1;
    }
    fuzz::FeedOne(kReaders, data, size);
    return 0;
}
