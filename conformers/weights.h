#pragma once
// The weights of several conformers' spectra: given on the command line ("0.6,0.4"), or
// read from the "boltzmann" column of the table that the thermochemistry of several logs
// writes (one row per log, in the order of the logs). Weights that do not add up to 1 are
// scaled so that they do, and the caller tells the user so.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mavrolin::conformers {

// "W1,W2,...": numbers of at least 0. Throws core::InputError naming the item that is not one.
std::vector<double> ParseWeights(std::string_view text);

// The "boltzmann" column of a thermochemistry CSV (header row first, fields quoted where
// they hold commas), one weight per data row, which must be `logs` rows. Throws
// core::InputError when the column is missing, the rows are not as many as the logs, or a
// row has no population (a log without thermochemistry: its file is named).
std::vector<double> BoltzmannColumn(std::string_view csv, size_t logs, const std::string& name = "the table");
// The same read from a file (core::FileError when it cannot be read).
std::vector<double> ReadBoltzmannColumn(const std::filesystem::path& csv, size_t logs);

struct Weights {
    std::vector<double> w;  // adding up to 1
    std::string warning;    // set when the given weights were scaled to add up to 1
};

// Scales weights to add up to 1, with a warning when they added up to more than 1e-3 away
// from it (less is the rounding of printed populations). Throws
// core::InputError when one is negative or not finite, or when they add up to zero.
Weights Normalise(std::vector<double> given);

}  // namespace mavrolin::conformers
