#include "modiagram/mo_settings_file.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"
#include "core/text_view.h"

namespace mavrolin::modiagram {

namespace {

constexpr size_t kLabelWidth = 40;

constexpr const char* kLabels[kSettingsItems] = {
    "Alpha Occupied Orbital Color", "Alpha Virtual Orbital Color", "Beta Occupied Orbital Color",
    "Beta Virtual Orbital Color",   "Line Width for Occupied MOs", "Line Width for Virtual MOs",
    "Line Style for Occupied MOs",  "Line Style for Virtual MOs",  "Side Separation Mode",
    "Overlay Alpha/Beta Mode",      "Display MO Energies (ON/OFF)", "Font Size for MO Energies",
    "Digits for MO Energies",       "MO Energy Unit",              "Display FileName(s) (ON/OFF)"};

std::string Padded(const char* label) {
    std::string s = label;
    s.resize(kLabelWidth, ' ');
    return s;
}

}  // namespace

std::vector<std::string> SettingsLines(const std::string& dateTime, const SettingsValues& values) {
    std::vector<std::string> lines{"Title: Created on " + dateTime};
    for (int i = 0; i < kSettingsItems; ++i) lines.push_back(Padded(kLabels[i]) + core::IntText(values[i]));
    lines.push_back("--------------------------------------------     end of settings");
    return lines;
}

void WriteSettingsFile(const std::filesystem::path& path, const std::string& dateTime, const SettingsValues& values) {
    core::TextWriter out(path);
    for (const auto& line : SettingsLines(dateTime, values)) out.WriteLine(line);
    out.Close();
}

void ReadSettingsFile(const std::filesystem::path& path, const std::function<void(int, long long)>& apply) {
    core::TextReader in(path);
    std::string line;
    for (int i = 0; in.ReadLine(line); ++i) {
        if (i < 1 || i > kSettingsItems) continue;
        std::string text = core::Trim(line.size() > kLabelWidth ? line.substr(kLabelWidth) : std::string());
        long long value = 0;
        if (!core::TryParseInt(text, value))
            throw core::ConversionError("'" + text + "' (line " + core::IntText(i + 1) + " of " + path.string() +
                                        ") is not a valid integer value");
        apply(i, value);
    }
}

}  // namespace mavrolin::modiagram
