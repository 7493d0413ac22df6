#pragma once
// The one shared record of what was read from the current files. Windows read and write
// its fields by name. Position arrays are 1-based (element 0 carries no data) and sized
// count + 3 unless noted; std_pos alone is 0-based.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/basis_lines.h"
#include "core/keyword_index.h"
#include "core/text_file.h"
#include "core/tokenizer.h"

namespace core {

// How the job of the scanned log ended: its last line is Gaussian's normal termination,
// an error termination, or the file breaks off before either (a job still running or killed).
enum class JobEnd { Unknown, Normal, Error, Unfinished };

struct LoadedLog {
    // File and directory state
    std::string FileDum;
    long long nline = 0;
    LineMarks linemarks;  // where lines of FileDum start, taken by the counting pass
    std::string dirinfo0;
    std::string dirinfo;
    int sleeptime = 10;
    std::string buff;
    StrCode strcode;
    int ncode = 0;

    // Keyword lines found by the log scan, as the analysis report shows them
    KeywordIndex keywords;

    // Job structure
    int njob = 0;
    std::vector<int> job_pos;  // sized njob + 10
    int nchgmlt = 0;
    std::vector<int> chgmlt_pos;
    std::int16_t charge = 0, multpl = 0;
    bool opt_chk = false;
    bool annihilation_check = false;
    int nterm = 0;
    JobEnd jobEnd = JobEnd::Unknown;  // of the last scan
    std::vector<int> nterm_pos;
    std::string tddft_file;

    // SCF energies and optimisation convergence
    int ndone = 0;
    std::vector<double> scfengy;
    std::vector<int> scfdone_pos;
    bool pick_energy_check = false;
    int nstd = 0;
    std::vector<int> std_pos;  // 0-based after the scan
    // Header of the last orientation of any kind (standard, input, Z-matrix): the final
    // geometry, also where std_pos holds an earlier one or none. 0 when there is none.
    long long lastOrientationLine = 0;
    int nforce = 0;
    std::vector<int> force_pos;
    // Every line that starts with "Maximum Force" is in force_pos: the indexing scan read
    // none of them over unclassified (in a route read ahead, after a dipole header).
    bool forceLinesIndexed = false;
    int nforce2 = 0;
    std::vector<double> maxfrce, rmsfrce, maxdisp, rmsdisp, prdcten;
    double maxf_thres = 0, rmsf_thres = 0, maxd_thres = 0, rmsd_thres = 0;
    int zeroinforces = 0;

    // Other properties indexed by the scan
    int nmllkn = 0;
    std::vector<int> mllkn_pos;
    int ndipol = 0;
    std::vector<int> dipol_pos;
    int nfreq = 0;
    std::vector<int> freq_pos;
    int nzero = 0;
    std::vector<int> zero_pos;
    int npfreq = 0;
    int freq_item = 0;

    // Excited states
    int nexstt = 0;
    std::vector<int> exstt_pos;
    std::vector<int> exctd_pos;
    std::vector<int> nci_coeff;  // 32-bit: a state may list more than 255 rows
    std::vector<double> nm, kz, en_ev, f;  // sized nexstt + 10
    std::vector<double> calc, calc2;
    double sigma = 0;
    int npoints = 0;
    double sigma2 = 0;
    bool read_tddft_setting_chk = false;

    // MO energies and coefficients
    int nalphaocc = 0, nalphavrt = 0, nbetaocc = 0, nbetavrt = 0;
    std::vector<int> alphaocc_pos, alphavrt_pos, betaocc_pos, betavrt_pos;
    int nenblock = 0;
    int nenblock2 = 0;
    int blocksize = 0, blocksize2 = 0;
    int nalpha = 0, nbeta = 0;
    std::string motype;
    int homoalpha = 0, homobeta = 0;
    int beta_col = 0;
    int nfile = 0;
    std::vector<std::string> FileMem;
    bool check_beta = false;
    double EnUnit = 27.2114, PreENU = 27.2114;
    int n_col = 0, n_row = 0;
    bool read_moview_setting_chk = false;
    int nbasis = 0, nbsuse = 0;
    int mocoeff_start = 0;
    int nmocoeff = 0;
    BasisLines basislines;  // of FileDum, from the last indexing scan

    // Geometry
    int ndata = 0;
    std::vector<std::string> lab;  // sized ndata + 10
    std::vector<int> atomicn;
    std::vector<double> a, b, c;
    std::string zmatlogfile;
    int natoms = 0, nparams = 0;

    // Plot mapping shared by the drawing windows
    double dxmin = 0, dxmax = 0, dymin = 0, dymax = 0;
    double gxmin = 0, gxmax = 0, gymin = 0, gymax = 0;
    double dx2min = 0, dx2max = 0, dy2min = 0, dy2max = 0;
    double gx2min = 0, gx2max = 0, gy2min = 0, gy2max = 0;
    double dx3min = 0, dx3max = 0, dy3min = 0, dy3max = 0;
    double gx3min = 0, gx3max = 0, gy3min = 0, gy3max = 0;
    int gwidth = 0, gheight = 0;
    int msdownx0 = 0, msdowny0 = 0, msdownx = 0, msdowny = 0;
    bool magnify = false;
    int waitme = 0;
    bool ms_left = false, ms_right = false;

    // Window placement (non-zero once applied)
    int form1_window_pos_check = 0, form3_window_pos_check = 0, form4_window_pos_check = 0;
};

// Resizes a 1-based array to count + extra and zeroes every element.
template <class T>
void SizeArray(std::vector<T>& v, int count, int extra = 3) {
    v.assign(static_cast<size_t>(std::max(count, 0) + extra), T{});
}

// Start-up initialisation: start directory, defaults, the remembered directory from the
// "dirinfo" memory file in startDir, plot defaults and initial array lengths.
// `pause` is called with sleeptime after the memory file is closed.
void InitLoadedLog(LoadedLog& log, const std::filesystem::path& startDir,
                   const std::function<void(int)>& pause);

}  // namespace core
