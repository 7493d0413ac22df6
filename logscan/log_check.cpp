#include "logscan/log_check.h"

#include <array>
#include <string_view>

#include "core/errors.h"
#include "core/text_file.h"
#include "core/text_view.h"

namespace mavrolin::logscan {

namespace {

// Lines every Gaussian output has near its start (banner, link 0, copyright, route,
// "%" Link 0 commands echoed), or that any job step prints; a cut or concatenated log
// still carries one of them within its first lines.
bool IsGaussianLine(std::string_view line) {
    static constexpr std::array<std::string_view, 7> kInside = {
        "Entering Gaussian System", "Entering Link 1", "Gaussian, Inc.", "Normal termination of Gaussian",
        "Error termination", "SCF Done:", "Standard orientation:"};
    for (auto marker : kInside)
        if (line.find(marker) != std::string_view::npos) return true;
    // The route line: " #P B3LYP/6-31G(d) Opt" (one blank, then "#").
    return line.size() > 2 && line[0] == ' ' && line[1] == '#';
}

// A formatted checkpoint file starts with the title, the job-type line, then
// "Number of atoms" followed by its type letter "I" at a fixed column.
bool IsFchkStart(std::string_view line) {
    return line.starts_with("Number of atoms") && line.size() > 44 && line[43] == 'I';
}

std::string Quoted(const std::filesystem::path& p) { return "\"" + p.string() + "\""; }

}  // namespace

void RequireGaussianOutput(const std::filesystem::path& path) {
    core::TextReader reader(path);  // refuses folders, devices, binary and UTF-16 files
    std::string_view line;
    while (reader.LineNumber() < kGaussianSniffLines && reader.ReadLineView(line)) {
        if (reader.LineNumber() <= 5 && IsFchkStart(line))
            throw core::InputError(
                "Cannot open " + Quoted(path) +
                " as a log: it is a formatted checkpoint file, not a Gaussian output. Formatted checkpoint files "
                "are read by \"Import_Coeffs_from_fch\" in the File menu of the \"MO Coefficients\" window. The "
                "data loaded before stays as it was.");
        if (IsGaussianLine(line)) return;
    }
    throw core::InputError("Cannot open " + Quoted(path) +
                           " as a log: it is not a Gaussian output (none of its first " +
                           std::to_string(kGaussianSniffLines) +
                           " lines is one Gaussian writes, such as \"Entering Gaussian System\", the route line "
                           "\"#...\" or \"Normal termination\"). The data loaded before stays as it was.");
}

bool HasFewerLines(const std::filesystem::path& path, long long lines) {
    core::TextReader reader(path);
    std::string_view line;
    while (reader.LineNumber() < lines)
        if (!reader.ReadLineView(line)) return true;
    return false;
}

core::JobEnd ReadJobEnd(const std::filesystem::path& path) {
    // Gaussian ends with the termination line, after an error a few timing lines follow it.
    const std::string tail = core::ReadTail(path, 16 * 1024);
    std::string_view rest = tail, last;
    size_t normalAt = std::string_view::npos, errorAt = std::string_view::npos, offset = 0;
    while (!rest.empty()) {
        size_t end = rest.find_first_of("\r\n");
        std::string_view line = rest.substr(0, end);
        if (!core::TrimView(line).empty()) last = core::TrimView(line);
        if (line.find("Normal termination") != std::string_view::npos) normalAt = offset;
        if (line.find("Error termination") != std::string_view::npos) errorAt = offset;
        if (end == std::string_view::npos) break;
        offset += end + 1;
        rest.remove_prefix(end + 1);
    }
    if (last.starts_with("Normal termination")) return core::JobEnd::Normal;
    if (errorAt != std::string_view::npos && (normalAt == std::string_view::npos || errorAt > normalAt))
        return core::JobEnd::Error;
    return core::JobEnd::Unfinished;
}

std::string JobEndText(core::JobEnd end) {
    switch (end) {
        case core::JobEnd::Normal: return "normal";
        case core::JobEnd::Error: return "error";
        case core::JobEnd::Unfinished: return "unfinished";
        case core::JobEnd::Unknown: break;
    }
    return {};
}

}  // namespace mavrolin::logscan
