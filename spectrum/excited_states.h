#pragma once
// Reading the excited states of a TD-DFT or CIS log: the state lines (wavelength and
// oscillator strength), the rows of the ESI grid (one per kept line of the excited-state
// section, contribution rows holding from-orbital, arrow, to-orbital and coefficient), the
// contribution counts and the highest from-orbital.
//
// Excited-state optimisations and multi-step jobs print one block of states per geometry;
// a block starts where the state numbering starts again, and only the last block (the
// final geometry) is imported, so states of different geometries are never summed.
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_file.h"

namespace mavrolin::spectrum {

struct StateLine {
    int number = 0;   // the state number printed after "Excited State" (0 when unreadable)
    double nm = 0;    // the token before "nm"
    double f = 0;     // the token that begins with "f=", from its third character
    double ev = 0;    // the token before "eV" (0 when there is none)
};

// Parses a trimmed "Excited State" line. Labels with a blank inside ("?Spin  -B3G") are
// fine, as the values are found by their units. Throws core::ConversionError.
StateLine ParseStateLine(std::string_view line);
// Just the state number, 0 when it cannot be read.
int StateNumberOf(std::string_view line);

// Wavenumber and energy as the import derives them: 1e7/nm and the energy from that
// wavenumber, each rounded to 6 decimals.
double WavenumberOf(double nm);
double EnergyOfWavenumber(double kz);

using EsiRow = std::vector<std::string>;  // cells of columns 0.. (at most 9)

struct ExcitedStateImport {
    std::vector<StateLine> states;            // the states of the last block
    std::vector<double> nm, kz, en_ev, f;     // 0-based, one per state
    std::vector<EsiRow> rows;                 // the ESI grid, row 0 first
    std::vector<int> exctd_pos;               // 0-based per state: its header row
    std::vector<int> nci_coeff;               // contribution rows per state
    int blocks = 0;                           // blocks of states in the file
    long long firstLine = 0;                  // file line of the imported block's first state
    long long previousBlockEnd = 0;           // file line of the last state of the block before (0: none)
    int headersRead = 0;                      // "Excited State" lines met in the section
    int homo = 0;                             // highest integer from-orbital, 0 when none
    long long cutLine = 0;                    // file line of a last state line that could not be
                                              // read (a log cut inside it): left out, 0 when none
    int StatesWithoutContributions() const;
};

// One "Excited State" line found by the scan: its 1-based line number and its text.
struct StateHeader {
    long long line = 0;
    std::string text;
};

// Every "Excited State" line of `file`, in order, read without a scan (a pass that looks
// only at lines beginning as one does); with `marks`, takes the file's line marks on the way.
std::vector<StateHeader> ReadStateHeaders(const std::filesystem::path& file, core::LineMarks* marks = nullptr);

// Reads the states of the last block of `headers` (every "Excited State" line of the file,
// in order) and the contribution rows that follow their lines in `file`. The file's last
// state line, when it cannot be read (a job killed while writing it), is left out with
// the states before it kept; any other unreadable state line throws core::ConversionError.
// With the line marks of `file`, the reader jumps to the block instead of reading every
// line before it.
ExcitedStateImport ReadExcitedStates(const std::filesystem::path& file, std::span<const StateHeader> headers,
                                     const core::LineMarks* marks = nullptr);

// Splits the state line numbers into blocks by the restart of the numbering; returns the
// index in `numbers` where each block starts.
std::vector<size_t> BlockStarts(std::span<const int> numbers);

}  // namespace mavrolin::spectrum
