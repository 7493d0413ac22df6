#pragma once
// The standard XYZ layout: a line with the atom count, a comment line, then one line per
// atom (element symbol or atomic number, X, Y, Z in angstrom; further columns ignored).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mavrolin::geometry {

struct XyzAtom {
    int atomicNumber = 0;  // 0 for a ghost or dummy centre, written "X"
    double x = 0, y = 0, z = 0;
};

struct XyzMolecule {
    std::string comment;
    std::vector<XyzAtom> atoms;
};

// One atom line: the symbol left-aligned in three characters, then X, Y, Z in fixed
// notation with eight decimals, fifteen characters each.
std::string XyzLine(const XyzAtom& atom);

// Writes the molecule through the atomic writer. The comment is kept to one line.
void WriteXyz(const std::filesystem::path& file, const XyzMolecule& molecule);
// Several molecules one after another in one file: the frames of a trajectory.
void WriteXyzFrames(const std::filesystem::path& file, const std::vector<XyzMolecule>& frames);

// True when the file's first line holds one whole number and nothing else: an XYZ file,
// not the space-separated atom list (whose lines all carry a label and coordinates).
bool StartsWithAtomCount(const std::filesystem::path& file);

// Reads a whole XYZ file. A bad count, a missing or bad atom line throws core::InputError
// or core::ConversionError whose message starts with "Line n: ".
XyzMolecule ReadXyz(const std::filesystem::path& file);

// The energy of the last "SCF Done:" line of a Gaussian output as printed ("" when the
// file has none).
std::string LastScfEnergyText(const std::filesystem::path& file);
// The energy of one "SCF Done:" line as printed: the first token after '=' ("" when none).
std::string ScfDoneEnergy(std::string_view line);

}  // namespace mavrolin::geometry
