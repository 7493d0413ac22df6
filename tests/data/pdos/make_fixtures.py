#!/usr/bin/env python3
"""Writes the PDOS fixtures: small logs in Gaussian's population-output layout, a GFPrint
basis listing and formatted checkpoint files with the same numbers. Run from this folder."""
import random

AOS7 = [(1, "O", "1S"), (1, "O", "2S"), (1, "O", "2PX"), (1, "O", "2PY"), (1, "O", "2PZ"),
        (2, "H", "1S"), (3, "H", "1S")]
AOS13 = [(1, "O", f) for f in ("1S", "2S", "2PX", "2PY", "2PZ", "3S", "3PX", "3PY", "3PZ")] + \
        [(2, "H", "1S"), (2, "H", "2S"), (3, "H", "1S"), (3, "H", "2S")]


def coefficients(seed, nbasis, nmo):
    rnd = random.Random(seed)
    return [[round(rnd.uniform(-0.99, 0.99), 5) for _ in range(nbasis)] for _ in range(nmo)]


def header(nbasis, extra_lines, version="16"):
    out = [f" Entering Gaussian System, Link 0=g{version}", " ******************************************",
           f" Gaussian {version}:  Test fixture written by hand", " ******************************************",
           " -------------", " #p b3lyp/sto-3g pop=full", " -------------", " Symbolic Z-matrix:",
           " Charge =  0 Multiplicity = 1"]
    out += [f" Filler line {i} of the route and input echo." for i in range(extra_lines)]
    out += [f"  {nbasis:5d} basis functions,    {3 * nbasis:5d} primitive gaussians,  {nbasis:5d} cartesian basis functions",
            f" NBasis={nbasis:6d} RedAO= T EigKep=  1.00D-01  NBF={nbasis:6d}",
            f" NBsUse={nbasis:6d} 1.00D-06 EigRej= -1.00D+00 NBFU={nbasis:6d}",
            " SCF Done:  E(RB3LYP) =  -75.3129813421     A.U. after    8 cycles",
            "", " **********************************************************************", "",
            "            Population analysis using the SCF density.", "",
            " **********************************************************************", ""]
    return out


def energy_lines(prefix, values):
    return [prefix + "".join(f"{v:10.5f}" for v in values[i:i + 5]) for i in range(0, len(values), 5)]


def eigen_block(occ, virt, spin="Alpha"):
    lead = " Alpha " if spin == "Alpha" else "  Beta "
    return energy_lines(lead + " occ. eigenvalues -- ", occ) + energy_lines(lead + "virt. eigenvalues -- ", virt)


def ao_line(r, aos, first_of_atom):
    atom, elem, func = aos[r - 1]
    if first_of_atom:
        return f"{r:4d} {atom:<4d}{elem:<3s}{func:<9s}"
    return f"{r:4d}" + " " * 8 + f"{func:<9s}"


def coefficient_blocks(title, mos, energies, nocc, coef, aos, eigen="Eigenvalues"):
    """mos: the orbital numbers printed (1-based), in blocks of five."""
    out = [title] if title else []
    for b in range(0, len(mos), 5):
        block = mos[b:b + 5]
        out.append(" " * 18 + "".join(f"{m:10d}" for m in block))
        out.append(" " * 18 + "".join(f"{'O' if m <= nocc else 'V':>10s}" for m in block))
        out.append(f"     {eigen} --  " + "".join(f"{energies[m - 1]:10.5f}" for m in block))
        seen = set()
        for r in range(1, len(aos) + 1):
            first = aos[r - 1][0] not in seen
            seen.add(aos[r - 1][0])
            out.append(ao_line(r, aos, first) + "".join(f"{coef[m - 1][r - 1]:10.5f}" for m in block))
    return out


def footer(version="16"):
    return ["     Density Matrix:", " " * 18 + "".join(f"{m:10d}" for m in range(1, 4)),
            "   1 1   O  1S          2.06598", "   2        2S         -0.11399   0.34633",
            " Mulliken charges:", "               1", "     1  O   -0.330000", "     2  H    0.165000",
            "     3  H    0.165000", " Sum of Mulliken charges =   0.00000", f" Normal termination of Gaussian {version} at Tue Dec  8 10:00:00 2026."]


def write(name, lines):
    with open(name, "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


def fchk_values(values, fmt="{:16.8E}"):
    return ["".join(fmt.format(v) for v in values[i:i + 5]) for i in range(0, len(values), 5)]


def fchk(name, nbasis, spins, independent="independent"):
    out = ["Water written by hand", "SP        RB3LYP                                                      STO-3G",
           "Number of atoms                            I                3",
           f"Number of basis functions                  I   {nbasis:14d}",
           f"Number of {independent} functions            I   {nbasis:14d}",
           "Number of point charges in /Mol/           I                0"]
    for label, (energies, _) in zip(("Alpha", "Beta"), spins):
        out.append(f"{label + ' Orbital Energies':<43s}R   N={len(energies):12d}")
        out += fchk_values([e for e in energies])
    for label, (_, coef) in zip(("Alpha", "Beta"), spins):
        flat = [c for mo in coef for c in mo]
        out.append(f"{label + ' MO coefficients':<43s}R   N={len(flat):12d}")
        out += fchk_values(flat)
    out.append("Total SCF Density                          R   N=          28")
    write(name, out)


def main():
    # Closed shell, 7 AOs, 5 occupied orbitals, full population output.
    occ = [-20.55432, -1.33876, -0.70112, -0.56488, -0.49127]
    virt = [0.21045, 0.30312]
    coef = coefficients(7, 7, 7)
    lines = header(7, 190) + eigen_block(occ, virt)
    lines += coefficient_blocks("     Molecular Orbital Coefficients:", list(range(1, 8)), occ + virt, 5, coef, AOS7)
    write("closed.log", lines + footer())
    fchk("closed.fchk", 7, [(occ + virt, coef)])

    # Open shell: 5 alpha and 4 beta electrons.
    aocc = [-20.71001, -1.52002, -0.88003, -0.76004, -0.69005]
    avirt = [0.05006, 0.12007]
    bocc = [-20.69011, -1.47012, -0.85013, -0.73014]
    bvirt = [-0.30015, 0.07016, 0.14017]
    acoef, bcoef = coefficients(11, 7, 7), coefficients(13, 7, 7)
    lines = header(7, 190) + eigen_block(aocc, avirt) + eigen_block(bocc, bvirt, "Beta")
    lines += coefficient_blocks("     Alpha Molecular Orbital Coefficients:", list(range(1, 8)), aocc + avirt, 5,
                                acoef, AOS7)
    lines += coefficient_blocks("     Beta Molecular Orbital Coefficients:", list(range(1, 8)), bocc + bvirt, 4,
                                bcoef, AOS7)
    write("open.log", lines + footer())
    # The same run as Gaussian 03 prints it: no colon after the alpha title, a full stop
    # after the beta one, the eigenvalue label in capitals.
    lines = header(7, 190, "03") + eigen_block(aocc, avirt) + eigen_block(bocc, bvirt, "Beta")
    lines += coefficient_blocks("     Alpha Molecular Orbital Coefficients", list(range(1, 8)), aocc + avirt, 5,
                                acoef, AOS7, "EIGENVALUES")
    lines += coefficient_blocks("     Beta Molecular Orbital Coefficients.", list(range(1, 8)), bocc + bvirt, 4,
                                bcoef, AOS7, "EIGENVALUES")
    write("open_g03.log", lines + footer("03"))
    fchk("open.fchk", 7, [(aocc + avirt, acoef), (bocc + bvirt, bcoef)], independent="independant")

    # 13 AOs, 5 occupied: the default population output prints the occupied orbitals and
    # five virtual ones (here 1-10 of 13); an older version starts at the highest occupied.
    occ13 = [-20.56001, -1.34002, -0.70003, -0.57004, -0.49005]
    virt13 = [0.18006, 0.25007, 0.80008, 0.85009, 1.16010, 1.20011, 1.35012, 1.51013]
    coef13 = coefficients(17, 13, 13)
    lines = header(13, 190) + eigen_block(occ13, virt13)
    lines += coefficient_blocks("     Molecular Orbital Coefficients:", list(range(1, 11)), occ13 + virt13, 5,
                                coef13, AOS13)
    write("regular.log", lines + footer())
    lines = header(13, 190) + eigen_block(occ13, virt13)
    lines += coefficient_blocks("     Molecular Orbital Coefficients", list(range(4, 11)), occ13 + virt13, 5,
                                coef13, AOS13)
    write("oldstyle.log", lines + footer())

    # GFPrint listing of the closed-shell run: O1 S and SP shells, an S shell on each H.
    shells = [("O1", "S", 3, 1, 1), ("O1", "SP", 3, 2, 5), ("H2", "S", 3, 6, 6), ("H3", "S", 3, 7, 7)]
    lines = header(7, 10)[:9] + [" AO basis set (Overlap normalization):"]
    for n, (atom, kind, prims, first, last) in enumerate(shells, 1):
        lines.append(f" Atom {atom:<8s} Shell {n:5d} {kind:<3s}{prims:2d}     bf {first:4d} - {last:5d}"
                     "          0.000000000000          0.000000000000          0.221664000000")
        lines += [f"      0.{5 + k}000000000D+01  0.{1 + k}000000000D+00" for k in range(prims)]
    lines += ["     7 basis functions,    21 primitive gaussians,     7 cartesian basis functions",
              "     5 alpha electrons        5 beta electrons", " Normal termination of Gaussian 16."]
    write("gfprint.log", lines)


if __name__ == "__main__":
    main()
