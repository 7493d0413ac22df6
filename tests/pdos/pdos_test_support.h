#pragma once
// Shared by the PDOS tests: fixture paths, the eigenvalue printing of a log as the MO
// energy import hands it over, and the fixture logs read into tables.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "pdos/coefficient_reader.h"
#include "support/test_app.h"

namespace pdos_test {

inline std::string Fixture(const std::string& name) { return testing_support::TestApp::data("pdos/" + name); }

struct Printing {
    long long start = 0;
    int length = 0;
};

// The last run of eigenvalue lines that comes before `beforeLine` (0: anywhere).
inline Printing FindPrinting(const std::filesystem::path& log, long long beforeLine = 0) {
    std::ifstream in(log);
    std::string line;
    Printing found, run;
    long long n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (beforeLine > 0 && n >= beforeLine) break;
        bool eigen = line.find("eigenvalues --") != std::string::npos &&
                     (line.find("Alpha") != std::string::npos || line.find("Beta") != std::string::npos);
        if (eigen) {
            if (run.length == 0) run.start = n;
            ++run.length;
            found = run;
        } else {
            run = {};
        }
    }
    return found;
}

inline mavrolin::pdos::CoefficientLoad Load(const std::filesystem::path& log) {
    Printing p = FindPrinting(log);
    return mavrolin::pdos::ReadCoefficients(log, p.start, p.length);
}

// The same load going straight to the printing, with what a scan notes of every line and
// the line marks of a counting pass.
inline mavrolin::pdos::CoefficientLoad LoadNoted(const std::filesystem::path& log) {
    Printing p = FindPrinting(log);
    core::BasisLines notes;
    notes.file = log.string();
    std::ifstream in(log);
    std::string line;
    for (long long n = 1; std::getline(in, line); ++n) mavrolin::pdos::NoteBasisLine(line, n, notes);
    core::LineMarks marks;
    core::CountLines(log, &marks);
    return mavrolin::pdos::ReadCoefficients(log, p.start, p.length, &notes, &marks);
}

// Every cell of the two tables, row by row, for comparing two loads.
inline std::string TableText(const mavrolin::pdos::CoefficientLoad& load) {
    std::string text;
    for (const auto* g : {&load.tables.alpha, &load.tables.beta})
        for (int r = 0; r < g->Rows(); ++r, text += '\n')
            for (int c = 0; c < g->Cols(); ++c) text += g->Cell(c, r) + '\t';
    for (const auto& m : load.messages) text += m + '\n';
    return text;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < text.size()) {
        size_t nl = text.find('\n', at);
        if (nl == std::string::npos) nl = text.size();
        std::string l = text.substr(at, nl - at);
        if (!l.empty() && l.back() == '\r') l.pop_back();
        out.push_back(l);
        at = nl + 1;
    }
    return out;
}

inline std::string Join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += l + "\r\n";
    return out;
}

}  // namespace pdos_test
