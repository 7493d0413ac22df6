#pragma once
// The MO diagram settings file ("moview_graphics.inf"): a title line, fifteen lines of a
// 40-character label followed by an integer, and a closing line. The display range and the
// unit factors are not stored.
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace mavrolin::modiagram {

inline constexpr const char* kSettingsFileName = "moview_graphics.inf";

// Items of lines 2..16, in file order: four colours, then the eleven spin-edit values.
inline constexpr int kSettingsItems = 15;
using SettingsValues = std::array<long long, kSettingsItems>;

std::vector<std::string> SettingsLines(const std::string& dateTime, const SettingsValues& values);
void WriteSettingsFile(const std::filesystem::path& path, const std::string& dateTime, const SettingsValues& values);

// Reads the file line by line and hands item i (1..15, file line i + 1) with the integer
// found from character 41 on to `apply` as soon as it is read. A value that is not an
// integer raises core::ConversionError; the items before it have been applied.
void ReadSettingsFile(const std::filesystem::path& path, const std::function<void(int item, long long value)>& apply);

}  // namespace mavrolin::modiagram
