#include "conformers/weights.h"

#include <cmath>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"

namespace mavrolin::conformers {

namespace {

using core::InputError;

// The fields of one CSV line: split at commas outside quotes; "" inside quotes is a quote.
std::vector<std::string> CsvFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += '"', ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::string Count(size_t n, const char* one) { return std::to_string(n) + " " + one + (n == 1 ? "" : "s"); }

}  // namespace

std::vector<double> ParseWeights(std::string_view text) {
    std::vector<double> w;
    for (const auto& item : CsvFields(text)) {
        double v = 0;
        if (!core::TryParseDouble(item, v) || !std::isfinite(v) || v < 0)
            throw InputError("The weight \"" + core::Trim(item) + "\" is not a number of at least 0.");
        w.push_back(v);
    }
    return w;
}

std::vector<double> BoltzmannColumn(std::string_view csv, size_t logs, const std::string& name) {
    std::vector<std::vector<std::string>> rows;
    size_t start = 0;
    while (start < csv.size()) {
        size_t end = csv.find('\n', start);
        if (end == std::string_view::npos) end = csv.size();
        const std::string_view line = csv.substr(start, end - start);
        if (!core::TrimView(line).empty()) rows.push_back(CsvFields(core::TrimView(line)));
        start = end + 1;
    }
    if (rows.empty()) throw InputError(name + " is empty: it needs a header row with a \"boltzmann\" column.");
    const auto& header = rows.front();
    size_t col = header.size(), fileCol = header.size();
    for (size_t k = 0; k < header.size(); ++k) {
        const std::string h = core::Trim(header[k]);
        if (h == "boltzmann") col = k;
        if (h == "file") fileCol = k;
    }
    if (col == header.size())
        throw InputError(name + " has no \"boltzmann\" column in its header row: write it with `mavrolin thermo -o`.");
    if (rows.size() - 1 != logs)
        throw InputError(name + " has " + Count(rows.size() - 1, "row") + " of populations for " + Count(logs, "log") +
                         ": it needs one row per log, in the order of the logs.");
    std::vector<double> w;
    for (size_t r = 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        double v = 0;
        const std::string cell = col < row.size() ? core::Trim(row[col]) : std::string();
        if (!core::TryParseDouble(cell, v) || !std::isfinite(v) || v < 0) {
            const std::string file = fileCol < row.size() ? row[fileCol] : "row " + std::to_string(r);
            throw InputError(name + ", row " + std::to_string(r) + " (" + file +
                             "): no population in the \"boltzmann\" column" +
                             (cell.empty() ? " (a log without thermochemistry?)." : ": \"" + cell + "\"."));
        }
        w.push_back(v);
    }
    return w;
}

std::vector<double> ReadBoltzmannColumn(const std::filesystem::path& csv, size_t logs) {
    core::TextReader in(csv);
    std::string text, line;
    while (in.ReadLine(line)) text += line + '\n';
    return BoltzmannColumn(text, logs, csv.filename().string());
}

Weights Normalise(std::vector<double> given) {
    double sum = 0;
    for (double v : given) {
        if (!std::isfinite(v) || v < 0) throw InputError("Every weight must be a number of at least 0.");
        sum += v;
    }
    if (!(sum > 0)) throw InputError("The weights add up to 0: at least one conformer needs a weight above 0.");
    Weights out;
    // Populations printed with four decimals add up to 1 within a few 1e-4: scaled silently.
    if (std::abs(sum - 1) > 1e-3)
        out.warning = "The weights add up to " + core::FloatText(sum) + ", not 1: each was divided by that sum.";
    for (double& v : given) v /= sum;
    out.w = std::move(given);
    return out;
}

}  // namespace mavrolin::conformers
