#pragma once
// The spectrum's graphics settings file ("tddft_graphics.inf"): a title line, 48 lines of
// a 40-character label followed by the value, and an end mark.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mavrolin::spectrum {

inline constexpr int kSettingLines = 48;

// The label of setting line 1..48, exactly 40 characters.
const std::string& SettingLabel(int line);

// The 50 lines of a file holding `values` (values[0] is line 1).
std::vector<std::string> SettingsFileLines(const std::string& dateTime,
                                           const std::array<std::string, kSettingLines>& values);

// The values of lines 1..48 of a file: the text from the 41st character on, trimmed. A
// line the file does not have is empty (a shorter file leaves those settings alone).
using SettingValues = std::array<std::optional<std::string>, kSettingLines>;
SettingValues ReadSettingsFile(const std::filesystem::path& path);

}  // namespace mavrolin::spectrum
