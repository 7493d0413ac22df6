#pragma once
// Writes a long Gaussian-layout optimisation log: a 30-atom molecule whose steps each
// print both orientations, SCF cycles, forces and a convergence table, closed by the
// final population analysis and a normal termination. Used to measure the log scan.
#include <cstdio>
#include <string>

namespace bench {

inline long long WriteLargeOptLog(const std::string& path, long long targetLines) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return -1;
    long long lines = 0;
    auto put = [&](const char* text) {
        std::fputs(text, f);
        std::fputc('\n', f);
        ++lines;
    };
    char buf[256];
    const char* dash = " ---------------------------------------------------------------------";
    auto orientation = [&](const char* kind, int step) {
        std::snprintf(buf, sizeof buf, "                         %s orientation:                         ", kind);
        put(buf);
        put(dash);
        put(" Center     Atomic      Atomic             Coordinates (Angstroms)");
        put(" Number     Number       Type             X           Y           Z");
        put(dash);
        for (int a = 1; a <= 30; ++a) {
            std::snprintf(buf, sizeof buf, "%7d%11d%12d%16.6f%12.6f%12.6f", a, a % 3 == 0 ? 1 : 6, 0,
                          0.1 * a + 1e-5 * step, -0.05 * a, 0.02 * (a % 7));
            put(buf);
        }
        put(dash);
    };
    put(" Entering Gaussian System, Link 0=g16");
    put(" ------------------------");
    put(" #p B3LYP/6-31G(d) Opt=(MaxCycles=100000)");
    put(" ------------------------");
    put(" -----------------");
    put(" Large optimisation");
    put(" -----------------");
    put(" Symbolic Z-matrix:");
    put(" Charge =  0 Multiplicity = 1");
    for (int step = 1; lines < targetLines - 120; ++step) {
        put(" (Enter /opt/g16/l202.exe)");
        orientation("Input", step);
        orientation("Standard", step);
        put(" NBasis=   290 RedAO= T EigKep=  1.21D-03  NBF=   290");
        put(" NBsUse=   290 1.00D-06 EigRej= -1.00D+00 NBFU=   290");
        for (int c = 1; c <= 12; ++c) {
            std::snprintf(buf, sizeof buf, " Cycle %3d  Pass 1  IDiag  1:", c);
            put(buf);
            std::snprintf(buf, sizeof buf, " E= %.12f     Delta-E=      %.12f Rises=F Damp=F",
                          -1150.0 - 1e-6 * step + 1e-3 / (c * c), -1e-3 / (c * c));
            put(buf);
        }
        std::snprintf(buf, sizeof buf, " SCF Done:  E(RB3LYP) =  %.9f     A.U. after   12 cycles",
                      -1150.123456789 - 1e-6 * step);
        put(buf);
        put("            NFock= 12  Conv=0.41D-08     -V/T= 2.0098");
        put(" -------------------------------------------------------------------");
        put(" Center     Atomic                   Forces (Hartrees/Bohr)");
        put(" Number     Number              X              Y              Z");
        put(" -------------------------------------------------------------------");
        for (int a = 1; a <= 30; ++a) {
            std::snprintf(buf, sizeof buf, "%7d%9d        %15.9f%15.9f%15.9f", a, a % 3 == 0 ? 1 : 6, 1e-4 * a, -2e-4,
                          3e-5 * a);
            put(buf);
        }
        put(" -------------------------------------------------------------------");
        put(" Berny optimization.");
        std::snprintf(buf, sizeof buf, " Step number %5d out of a maximum of 100000", step);
        put(buf);
        put("         Item               Value     Threshold  Converged?");
        put(" Maximum Force            0.001234     0.000450     NO ");
        put(" RMS     Force            0.000456     0.000300     NO ");
        put(" Maximum Displacement     0.012345     0.001800     NO ");
        put(" RMS     Displacement     0.004567     0.001200     NO ");
        put(" Predicted change in Energy=-1.234567D-06");
        put(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad");
    }
    put(" Optimization completed.");
    put("    -- Stationary point found.");
    orientation("Standard", 0);
    put(" Mulliken charges:");
    put("               1");
    for (int a = 1; a <= 30; ++a) {
        std::snprintf(buf, sizeof buf, "%6d  %-2s%11.6f", a, a % 3 == 0 ? "H" : "C", a % 3 == 0 ? 0.1 : -0.05);
        put(buf);
    }
    put(" Sum of Mulliken charges =   0.00000");
    put(" Dipole moment (field-independent basis, Debye):");
    put("    X=              0.1234    Y=             -0.5678    Z=              0.0000  Tot=              0.5811");
    while (lines < targetLines - 1) put(" Leave Link  601 at Wed Dec  9 08:00:00 2026, MaxMem=   134217728 cpu: 0.1");
    put(" Normal termination of Gaussian 16 at Wed Dec  9 08:00:00 2026.");
    std::fclose(f);
    return lines;
}

}  // namespace bench
