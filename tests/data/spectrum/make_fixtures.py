#!/usr/bin/env python3
"""Writes the small TD-DFT logs the spectrum tests read: the water single point of the log
scan fixtures with excited-state sections in Gaussian's layout put before its end. Run it
in this folder; the outputs are kept in the repository so the tests never need Python."""

BASE = "../logscan/water_sp.log"
STAMP = "Wed Dec  9 08:00:00 2026"


def state(n, label, ev, nm, f, s2="0.000", width=11):
    return " Excited State %3d:%s%*.4f eV %7.2f nm  f=%.4f  <S**2>=%s" % (n, label, width, ev, nm, f, s2)


def contrib(a, arrow, b, c):
    return "     %6s %s %-6s %11.5f" % (a, arrow, b, c) if arrow else "     %s %11.5f" % (a, c)


def make(name, route, section):
    with open(BASE) as fh:
        lines = fh.read().split("\n")[:-1]
    i = lines.index(" #p HF/STO-3G Pop=Full")
    lines[i] = " " + route
    lines[i - 1] = lines[i + 1] = " " + "-" * (len(route) + 1)
    end = next(k for k, l in enumerate(lines) if l.startswith(" Job cpu time:"))
    lines[end:end] = section
    with open(name, "w", newline="") as fh:
        fh.write("\n".join(lines) + "\n")


def header():
    return [" ", " Excitation energies and oscillator strengths:", " "]


def trailer(nstates):
    return [" SavETr:  write IOETrn=   770 NScale= 10 NData=  16 NLR=1 NState=%5d LETran=      64." % nstates,
            " Leave Link  914 at " + STAMP + ", MaxMem=   134217728 cpu:               0.3 elap:               0.3",
            " (Enter /opt/g16/l601.exe)"]


def closed():
    s = header()
    s += [state(1, "      Singlet-B1", 4.5000, 275.52, 0.0500),
          "       5 ->  6         0.68000", "       5 ->  7        -0.15000", "       4 ->  6         0.12000",
          " This state for optimization and/or second-order correction.",
          " Total Energy, E(TD-HF/TD-DFT) =  -75.7000000000",
          " Copying the excited state density for this state as the 1-particle RhoCI density.", " "]
    s += [state(2, "      Singlet-A2", 5.0000, 247.97, 0.0200),
          "       5 ->  6         0.70312", "       5 <-7         0.10000", " "]
    s += [state(3, "      Singlet-A1", 5.8000, 213.77, 0.0050), "       4 ->  6         0.69000", " "]
    s += [state(4, "      Singlet-B2", 6.2000, 199.90, 0.3000), "       3 ->  6         0.69500",
          "       4 ->  7        -0.20000"]
    s += trailer(4)
    make("td_closed.log", "#p TD(NStates=4) B3LYP/6-31G(d)", s)


def open_shell():
    s = header()
    s += [state(1, "   ?Spin  -B3G", 0.5254, 2359.86, 0.0000, "0.750", 10),
          "      5A ->  6A        0.98765", "      4B ->  5B       -0.12000", " "]
    s += [state(2, "      Doublet-B1", 3.1000, 399.95, 0.0410, "0.752"),
          "      5A ->  7A        0.91000", "      5B ->  6B        0.30000"]
    s += trailer(2)
    make("td_open.log", "#p TD(NStates=2) UB3LYP/6-31G(d)", s)


def cisd():
    s = header()
    s += [state(1, "      Singlet-B1", 7.5000, 165.31, 0.0600), "       5 ->  6         0.70000", " "]
    s += [state(2, "      Singlet-A1", 9.0000, 137.76, 0.1200), "       4 ->  6         0.65000",
          "       5 ->  7         0.25000", " Calling MO disk program.", " Leave Link  914 at " + STAMP + "."]
    make("td_cisd.log", "#p CIS(D,NStates=2)/6-31G(d)", s)


def dark():
    s = header()
    s += [state(1, "      Singlet-A2", 5.5000, 225.43, 0.0000), "       5 ->  6         0.70500", " "]
    s += [state(2, "      Singlet-A2", 6.5000, 190.75, 0.0000), "       4 ->  6         0.70400"]
    s += trailer(2)
    make("td_dark.log", "#p TD(NStates=2) B3LYP/6-31G(d)", s)


def blocks():
    s = []
    geometries = [(5.90, 6.05, 6.20), (5.55, 5.80, 6.17), (4.33, 5.10, 5.95)]
    for g, evs in enumerate(geometries, 1):
        s += header()
        for n, ev in enumerate(evs, 1):
            f = 0.2500 if n == 1 else 0.0100 * n
            s += [state(n, "      Singlet-A1", ev, 1239.84 / ev, f), "       5 ->  %d         0.70%d00" % (5 + n, g)]
            s += [" This state for optimization and/or second-order correction."] if n == 1 else [" "]
        s += trailer(3)
        if g < 3:
            s += [" Step number   %d out of a maximum of  100" % g,
                  "         Item               Value     Threshold  Converged?",
                  " 1 2 3", " Predicted change in Energy=-1.234567D-04"]
    make("td_opt_blocks.log", "#p Opt TD(NStates=3,Root=1) B3LYP/6-31G(d)", s)


def eom():
    s = header()
    s += [state(1, "      Singlet-A1", 8.1000, 153.07, 0.0800),
          "       5 ->    6          0.654321   0.000001",
          "       4 ->    7         -0.210000   0.000002", " "]
    s += [state(2, "      Singlet-B1", 9.3000, 133.32, 0.0400), "     3Ag ->  6          0.80000"]
    s += trailer(2)
    make("td_eom.log", "#p EOM-CCSD(NStates=2)/6-31G(d)", s)


closed()
open_shell()
cisd()
dark()
blocks()
eom()
