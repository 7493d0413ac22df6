#pragma once
// Open Babel's obabel as an outside reader of our files; tests skip when it is absent.
#include <cstdlib>
#include <filesystem>
#include <string>

namespace testing_support {

inline bool HaveObabel() { return std::system("command -v obabel >/dev/null 2>&1") == 0; }

// Converts `in` (read as `format`) to the XYZ file `out`; true when obabel succeeded.
inline bool ObabelToXyz(const std::string& format, const std::filesystem::path& in, const std::filesystem::path& out) {
    return std::system(("obabel -i" + format + " '" + in.string() + "' -oxyz -O '" + out.string() + "' 2>/dev/null").c_str()) == 0;
}

}  // namespace testing_support
