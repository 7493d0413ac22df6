#!/usr/bin/env python3
"""Writes the small Gaussian-layout logs the MO energy tests read: printings of orbital
energies of equal and of different lengths, an open-shell run whose beta levels start with
a virtual one, and energies too large for their field. Run it in this folder; the outputs
are kept in the repository so the tests never need Python."""

STAMP = "Wed Dec  9 08:00:00 2026"
DASH = " " + "-" * 69
WATER = [(8, (0.0, 0.0, 0.1173)), (1, (0.0, 0.7572, -0.4692)), (1, (0.0, -0.7572, -0.4692))]


def header(w, route, title, charge, mult):
    w(" Entering Gaussian System, Link 0=g16")
    w(" Gaussian 16:  ES64L-G16RevC.01  3-Jul-2019")
    w(" %chk=fixture.chk")
    w(" " + "-" * (len(route) + 1))
    w(" " + route)
    w(" " + "-" * (len(route) + 1))
    w(" 1/18=20,19=15,38=1/1,3;")
    w(" 99//99;")
    w(" " + "-" * (len(title) + 1))
    w(" " + title)
    w(" " + "-" * (len(title) + 1))
    w(" Symbolic Z-matrix:")
    w(" Charge = %2d Multiplicity = %d" % (charge, mult))
    for an, (x, y, z) in WATER:
        w(" %-2s %12.6f %12.6f %12.6f" % ({1: "H", 8: "O"}[an], x, y, z))
    w(" ")


def orientation(w):
    w(" " * 25 + "Standard orientation:" + " " * 25)
    w(DASH)
    w(" Center     Atomic      Atomic             Coordinates (Angstroms)")
    w(" Number     Number       Type             X           Y           Z")
    w(DASH)
    for i, (an, (x, y, z)) in enumerate(WATER, 1):
        w("%7d%11d%12d%16.6f%12.6f%12.6f" % (i, an, 0, x, y, z))
    w(DASH)


def fields(values):
    return "".join("%10s" % v if isinstance(v, str) else "%10.5f" % v for v in values)


def printing(w, energy, alpha_occ, alpha_virt, beta_occ=(), beta_virt=(), method="RHF"):
    """One SCF result with its orbital energies, five to a line as Gaussian prints them."""
    orientation(w)
    w(" NBasis=     7 RedAO= T EigKep=  3.89D-01  NBF=     4     0     1     2")
    w(" NBsUse=     7 1.00D-06 EigRej= -1.00D+00 NBFU=     4     0     1     2")
    w(" SCF Done:  E(%s) =  %.9f     A.U. after    9 cycles" % (method, energy))
    w(" **********************************************************************")
    w("            Population analysis using the SCF Density.")
    w(" **********************************************************************")
    for label, values in ((" Alpha  occ.", alpha_occ), (" Alpha virt.", alpha_virt),
                          ("  Beta  occ.", beta_occ), ("  Beta virt.", beta_virt)):
        for i in range(0, len(values), 5):
            w(label + " eigenvalues -- " + fields(values[i:i + 5]))
    w("          Condensed to atoms (all electrons):")
    w(" Mulliken charges:")
    w("               1")
    for i, (an, _) in enumerate(WATER, 1):
        w("%6d  %-2s%11.6f" % (i, {1: "H", 8: "O"}[an], -0.330 if an == 8 else 0.165))
    w(" Sum of Mulliken charges =   0.00000")


def padding(w, n):
    for k in range(n):
        w("      %2d        %10.5f%10.5f%10.5f" % (k % 7 + 1, 0.1 * (k % 5), -0.05 * (k % 3), 0.02 * k))


def save(name, lines):
    with open(name, "w", newline="") as fh:
        fh.write("\n".join(lines) + "\n")


def log(name, route, title, mult, printings):
    lines = []
    w = lines.append
    header(w, route, title, 0, mult)
    for p in printings:
        printing(w, *p)
        padding(w, 40)
    padding(w, max(0, 210 - len(lines)))
    w(" Job cpu time:       0 days  0 hours  0 minutes  3.1 seconds.")
    w(" Normal termination of Gaussian 16 at " + STAMP + ".")
    save(name, lines)


OCC = (-20.25158, -1.25758, -0.59399, -0.45978, -0.39263)
VIRT = (0.58179, 0.69267)
MORE_OCC = OCC + (-0.31234, -0.30123, -0.29012, -0.28001, -0.27123, -0.26012)

# Two printings of equal length: the second (the final geometry) is imported.
log("two_printings.log", "#p HF/STO-3G Opt", "Water optimisation", 1, [
    (-74.961, OCC, VIRT),
    (-74.962, tuple(e - 0.001 for e in OCC), tuple(e + 0.001 for e in VIRT)),
])

# Printings of 2, 4 and 4 lines (as an MP2 run prints them): the first pair differs, so the
# first printing is imported, by its own two lines.
log("unequal_printings.log", "#p MP2/STO-3G Opt", "Water MP2 optimisation", 1, [
    (-74.961, OCC, VIRT + (0.71, 0.72, 0.73)),
    (-74.962, MORE_OCC, VIRT),
    (-74.963, MORE_OCC, VIRT),
])

# Printings of 2, 2 and 5 lines: the second is imported by its own two lines.
log("longer_last.log", "#p HF/STO-3G Opt Freq", "Water optimisation then a larger basis", 1, [
    (-74.961, OCC, VIRT),
    (-74.962, tuple(e - 0.002 for e in OCC), tuple(e + 0.002 for e in VIRT)),
    (-75.010, MORE_OCC, VIRT + (0.75, 0.76, 0.77, 0.78, 0.79)),
])

# A doublet whose single electron is alpha: the beta levels start with a virtual one.
log("open_beta_virtual_first.log", "#p UHF/STO-3G", "Hydrogen atom in a box", 2, [
    (-0.466, (-0.46658,), (0.59321, 0.81234, 1.10234, 1.52345),
     (), (0.06789, 0.61234, 0.84567, 1.20123, 1.60234), "UHF"),
])

# Core levels too deep for the ten-character field are printed as stars.
log("overflowed_core.log", "#p HF/3-21G", "Heavy atom core levels", 1, [
    (-7000.123, ("**********", "**********", -99.12345, -10.18932, -0.54321), VIRT),
])
