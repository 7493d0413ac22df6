#pragma once
// The reading at the heart of the log scan: one pass over a Gaussian output that counts
// its keyword lines (the counting scan) and indexes them (the indexing scan). It returns
// the keyword index with the counts and shows nothing; the scan's window phases size the
// position arrays from the counts, fill them and the analysis report grid from the index,
// and say what went wrong.
//
// The two scans look at the same lines with the same trigger table but read them a little
// differently (the indexing scan reads the line after a dipole header over it), so the
// pass runs both side by side on the lines it reads: their results are those of two
// separate passes.
#include <exception>
#include <filesystem>
#include <utility>
#include <vector>

#include "core/basis_lines.h"
#include "core/keyword_index.h"
#include "core/text_file.h"

namespace mavrolin::logscan {

// What the counting scan counts: the keyword lines of each kind (named as the loaded-log
// fields they size), all zero before a scan.
struct KeywordCounts {
    int njob = 0;  // route lines
    int nchgmlt = 0, ndone = 0, nterm = 0, nforce = 0, nfreq = 0, nzero = 0, nmllkn = 0, ndipol = 0, nexstt = 0;
    int nalphaocc = 0, nalphavrt = 0, nbetaocc = 0, nbetavrt = 0;
    int standardOrientations = 0;  // "Standard orientation:" headers
    int inputOrientations = 0;     // "Input orientation:" and "Z-Matrix orientation:" headers
    long long firstTermination = 0;  // line of the first "Normal termination", 0 without one
    bool annihilation = false;       // a spin-contaminant annihilation line: an unrestricted job
};

struct KeywordScan {
    long long lines = 0;  // in the file, as the line count gives them
    KeywordCounts counts;
    // The log has no standard orientation but several SCF energies (an optimisation run
    // with nosymm): its input orientations are indexed in their place.
    bool inputOrientations = false;

    // What the indexing scan found, in file order. Frequency and zero-point lines inside
    // an optimisation's own job carry the remark "Excluded".
    core::KeywordIndex index;
    // The SCF energies taken (converged, of the first job, not a whole-number
    // placeholder): line and value in hartree.
    std::vector<std::pair<long long, double>> energies;
    int nbasis = 0, nbsuse = 0;  // the first readable counts; 0 without
    int nmocoeff = 0;            // coefficient table titles
    bool optJob = false;         // a route line holds an OPT keyword
    long long lastOrientationLine = 0;  // header of the last orientation of any kind
    // No "Maximum Force" line was read over without being tested (in a route read ahead,
    // after a dipole header), so the index holds every one.
    bool forceLinesIndexed = false;
    core::BasisLines basisLines;

    // A bad number (core::ConversionError) ended the indexing at line `errorLine`: the
    // index holds what came before it, the counts cover the whole file.
    std::exception_ptr error;
    long long errorLine = 0;

    // The orientation headers the index holds.
    int Orientations() const {
        return inputOrientations ? counts.inputOrientations : counts.standardOrientations;
    }
};

// Scans `log` to its end. With `marks`, takes the line marks of the file on the way.
// Throws core::FileError when the file cannot be read.
KeywordScan ScanKeywords(const std::filesystem::path& log, core::LineMarks* marks = nullptr);

}  // namespace mavrolin::logscan
