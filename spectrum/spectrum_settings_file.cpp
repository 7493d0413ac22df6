#include "spectrum/spectrum_settings_file.h"

#include "core/line_reader.h"
#include "core/text_view.h"

namespace mavrolin::spectrum {

namespace {

std::string Pad40(std::string s) {
    s.resize(40, ' ');
    return s;
}

std::array<std::string, kSettingLines> MakeLabels() {
    std::array<std::string, kSettingLines> l;
    const char* head[] = {"Number of spectral data points", "Sigma value (1000*sigma  )",
                          "Scaling factor for f (100*scale)", "Unit for the vertical axis",
                          "X-axis auto-adjust mode (ON/OFF)", "Maximum value in eV",
                          "Minimum value in eV", "Minimum value in nm", "Maximum value in nm"};
    for (int i = 0; i < 9; ++i) l[static_cast<size_t>(i)] = Pad40(head[i]);
    for (int c = 1; c <= 20; ++c)
        l[static_cast<size_t>(8 + c)] = Pad40(std::string("Line Color ") + (c < 10 ? " #" : "#") + std::to_string(c));
    const char* tail[] = {"Line width for gaussian function", "Line style for gaussian function",
                          "Display gaussian functions (ON/OFF)", "Line width for oscillator strength",
                          "Line style for oscillator strength", "Line width for simulated spectrum",
                          "Line style for simulated spectrum", "Line color for simulated spectrum",
                          "Line width for the frame", "Line color for the frame", "Line style for the frame",
                          "Display Trnasition Energies (ON/OFF)", "Threshold of f to be displayed",
                          "Font size for transition energies", "Font size for the frame",
                          "Font name for the frame", "Font style for the frame",
                          "Y-axis auto-adjust mode (ON/OFF)", "Draw with black only (ON/OFF)"};
    for (int i = 0; i < 19; ++i) l[static_cast<size_t>(29 + i)] = Pad40(tail[i]);
    return l;
}

}  // namespace

const std::string& SettingLabel(int line) {
    static const auto labels = MakeLabels();
    return labels.at(static_cast<size_t>(line - 1));
}

std::vector<std::string> SettingsFileLines(const std::string& dateTime,
                                           const std::array<std::string, kSettingLines>& values) {
    std::vector<std::string> out = {"Title: Created on " + dateTime};
    for (int i = 1; i <= kSettingLines; ++i) out.push_back(SettingLabel(i) + values[static_cast<size_t>(i - 1)]);
    out.push_back("--------------------------------------------     end of settings");
    return out;
}

SettingValues ReadSettingsFile(const std::filesystem::path& path) {
    SettingValues values;
    core::LineReader in(path, 0, kSettingLines + 1);  // the title, then lines 1..48
    for (int n = 0; in.Next(); ++n) {
        if (n == 0) continue;
        const std::string_view line = in.Line();
        values[static_cast<size_t>(n - 1)] = line.size() > 40 ? core::Trim(line.substr(40)) : std::string();
    }
    return values;
}

}  // namespace mavrolin::spectrum
