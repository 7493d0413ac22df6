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


def moments(rows_v, rows_l):
    """The transition-moment tables Gaussian 09 and 16 print (in the same layout) before the
    list of states: rotatory strengths in the velocity form (with the E-M angle) and in the
    length form, between the dipole tables and the Osc.(frdel) table."""
    n = len(rows_v)
    s = [" Ground to excited state transition electric dipole moments (Au):",
         "       state          X           Y           Z        Dip. S.      Osc."]
    s += ["    %5d        %7.4f     %7.4f     %7.4f     %7.4f     %7.4f" % (k, 0.1 * k, -0.2, 0.05, 0.06, 0.01)
          for k in range(1, n + 1)]
    s += [" Ground to excited state transition magnetic dipole moments (Au):",
          "       state          X           Y           Z"]
    s += ["    %5d        %7.4f     %7.4f     %7.4f" % (k, 0.01, -0.02 * k, 0.1) for k in range(1, n + 1)]
    s += [" <0|del|b> * <b|rxdel|0> + <0|del|b> * <b|delr+rdel|0>",
          " Rotatory Strengths (R) in cgs (10**-40 erg-esu-cm/Gauss)",
          "       state          XX          YY          ZZ    R(velocity)    E-M Angle"]
    s += ["    %5d     %10.4f  %10.4f  %10.4f  %13.4f  %10.2f" % (k, r, r, r, r, 90 - r) for k, r in enumerate(rows_v, 1)]
    s += [" 1/2[<0|r|b>*<b|rxdel|0> + (<0|rxdel|b>*<b|r|0>)*]",
          " Rotatory Strengths (R) in cgs (10**-40 erg-esu-cm/Gauss)",
          "       state          XX          YY          ZZ     R(length)"]
    s += ["    %5d     %10.4f  %10.4f  %10.4f  %13.4f" % (k, r, r, r, r) for k, r in enumerate(rows_l, 1)]
    s += ["  1/2[<0|del|b>*<b|r|0> + (<0|r|b>*<b|del|0>)*] (Au)",
          "       state          X           Y           Z        Dip. S.   Osc.(frdel)"]
    s += ["    %5d        %7.4f     %7.4f     %7.4f     %7.4f     %7.4f" % (k, 0.01, 0.0, 0.0, 0.01, 0.02)
          for k in range(1, n + 1)]
    return s


def chiral():
    """A TD optimisation of a made-up chiral molecule: two geometries, each with its tables of
    rotatory strengths before its states; only the last block's are read."""
    s = []
    blocks = [([(5.00, 0.0100), (5.60, 0.0400)], [9.9999, -9.9999], [8.8888, -8.8888]),
              ([(4.20, 0.0120), (4.90, 0.1500), (5.40, 0.0300), (6.10, 0.2200)],
               [12.3456, -30.5000, 4.2500, 20.0000], [11.0000, -28.7500, 5.1250, 18.5000])]
    for g, (states, rv, rl) in enumerate(blocks, 1):
        s += moments(rv, rl) + header()
        for n, (ev, f) in enumerate(states, 1):
            s += [state(n, "      Singlet-A", ev, 1239.84 / ev, f), "      17 -> %2d         0.70%d00" % (17 + n, g), " "]
        s += trailer(len(states))
        if g < len(blocks):
            s += [" Step number   %d out of a maximum of  100" % g, " Predicted change in Energy=-1.234567D-04"]
    make("td_chiral.log", "#p Opt TD(NStates=4,Root=1) B3LYP/6-31G(d)", s)


closed()
chiral()
open_shell()
cisd()
dark()
blocks()
eom()
