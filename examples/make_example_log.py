#!/usr/bin/env python3
"""Writes examples/opt_freq_td.log: ethylene, B3LYP/6-31G(d), an optimisation in three
steps, the frequency job Gaussian chains after it, and a TD-DFT job chained by Link1.
The numbers are of the size and pattern that method gives for ethylene: SCF energies near
-78.587 hartree, twelve harmonic modes with their D2h labels (IR-active modes Raman-silent and
the reverse, the CH2 wag near 960 cm-1 the strongest IR band), the pi -> pi* excitation near
7.5 eV with f ~ 0.35. Quantities that follow from others (nuclear repulsion, rotational
constants, virial parts, thermochemistry) are computed from them here."""
import math
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else "opt_freq_td.log"
DASH69 = " " + "-" * 69
STAMP = "Wed Dec  9 08:30:00 2026"
ATOMS = [6, 6, 1, 1, 1, 1]
SYMB = {1: "H", 6: "C"}

lines = []
w = lines.append


def banner(step):
    w(" Entering Gaussian System, Link 0=g16")
    w(" Initial command:")
    w(" /opt/g16/l1.exe \"/scratch/Gau-4711.inp\" -scrdir=\"/scratch/\"")
    w(" Entering Link 1 = /opt/g16/l1.exe PID=      4712.")
    w("  ")
    w(" Copyright (c) 1988-2017, Gaussian, Inc.  All Rights Reserved.")
    w("  ")
    w(" ******************************************")
    w(" Gaussian 16:  ES64L-G16RevC.01  3-Jul-2019")
    w("                 9-Dec-2026 ")
    w(" ******************************************")
    w(" %chk=ethylene.chk")
    w(" %mem=1GB")
    if step == 1:
        w(" %nprocshared=2")
        w(" Will use up to    2 processors via shared memory.")


def route(texts):
    width = max(len(t) for t in texts) + 1
    w(" " + "-" * width)
    for t in texts:
        w(" " + t)
    w(" " + "-" * width)
    w(" 1/18=20,19=15,26=3,38=1/1,3;")
    w(" 2/9=110,12=2,17=6,18=5,40=1/2;")
    w(" 3/5=1,6=6,7=1,11=2,25=1,30=1,71=1,74=-5/1,2,3;")
    w(" 4//1;")
    w(" 5/5=2,38=5/2;")
    w(" 6/7=2,8=2,9=2,10=2,28=1/1;")
    w(" 99//99;")
    w(" Leave Link    1 at " + STAMP + ", MaxMem=   134217728 cpu:               0.1 elap:               0.1")
    w(" (Enter /opt/g16/l101.exe)")


def title(text, zmat):
    w(" " + "-" * (len(text) + 1))
    w(" " + text)
    w(" " + "-" * (len(text) + 1))
    if zmat:
        w(" Symbolic Z-matrix:")
    else:
        w(" Structure from the checkpoint file:  \"ethylene.chk\"")
    w(" Charge =  0 Multiplicity = 1")
    if zmat:
        w(" C")
        w(" C                    1    B1")
        w(" H                    1    B2       2    A1")
        w(" H                    1    B3       2    A2       3    D1       0")
        w(" H                    2    B4       1    A3       3    D2       0")
        w(" H                    2    B5       1    A4       3    D3       0")
        w("       Variables:")
        for name, val in (("B1", 1.32), ("B2", 1.08), ("B3", 1.08), ("B4", 1.08), ("B5", 1.08),
                          ("A1", 121.5), ("A2", 121.5), ("A3", 121.5), ("A4", 121.5),
                          ("D1", 180.0), ("D2", 0.0), ("D3", 180.0)):
            w(" %-21s%.4f" % (name, val) if name[0] != "D" else " %-20s%.1f" % (name, val))
    else:
        w(" C,0,0.,0.,0.6654")
        w(" C,0,0.,0.,-0.6654")
        w(" H,0,0.,0.9236,1.2398")
        w(" H,0,0.,-0.9236,1.2398")
        w(" H,0,0.,0.9236,-1.2398")
        w(" H,0,0.,-0.9236,-1.2398")
        w(" Recover connectivity data from disk.")
    w(" ")
    w(" NAtoms=      6 NQM=        6 NQMF=       0 NMMM=       0 NMMF=       0")


def geometry(cc, ch, ang):
    half = cc / 2
    y = ch * math.sin(math.radians(180 - ang))
    z = half + ch * math.cos(math.radians(180 - ang))
    return [(0.0, 0.0, half), (0.0, 0.0, -half), (0.0, y, z), (0.0, -y, z), (0.0, y, -z), (0.0, -y, -z)]


def orientation(kind, xyz):
    w(" " * 25 + kind + " orientation:" + " " * 25)
    w(DASH69)
    w(" Center     Atomic      Atomic             Coordinates (Angstroms)")
    w(" Number     Number       Type             X           Y           Z")
    w(DASH69)
    for i, (an, (x, y, z)) in enumerate(zip(ATOMS, xyz), 1):
        w("%7d%11d%12d%16.6f%12.6f%12.6f" % (i, an, 0, x, y, z))
    w(DASH69)


BOHR = 0.52917721092
MASS = {1: 1.00782504, 6: 12.0}


def repulsion(xyz):
    e = 0.0
    for i in range(len(xyz)):
        for j in range(i):
            e += ATOMS[i] * ATOMS[j] / (math.dist(xyz[i], xyz[j]) / BOHR)
    return e


def rotational_constants(xyz):
    """Principal rotational constants (GHz; 505.379 GHz amu A**2 over the moment) of the planar molecule; its axes are the
    coordinate axes here, so the inertia tensor is diagonal."""
    m = [MASS[a] for a in ATOMS]
    inertia = [sum(mi * (p[(k + 1) % 3] ** 2 + p[(k + 2) % 3] ** 2) for mi, p in zip(m, xyz)) for k in range(3)]
    return sorted((505.37907 / i for i in inertia if i > 1e-9), reverse=True)


def basis(xyz):
    w(" Standard basis: 6-31G(d) (6D, 7F)")
    w(" There are    38 symmetry adapted cartesian basis functions of AG  symmetry.")
    w("    38 basis functions,    72 primitive gaussians,    38 cartesian basis functions")
    w("     8 alpha electrons        8 beta electrons")
    w("       nuclear repulsion energy %20.10f Hartrees." % repulsion(xyz))
    w(" NBasis=    38 RedAO= T EigKep=  1.54D-02  NBF=    38")
    w(" NBsUse=    38 1.00D-06 EigRej= -1.00D+00 NBFU=    38")


LAST_SCF = {}  # energy parts of the last SCF, printed again by the population analysis


def scf(energy, cycles, xyz, first_error):
    """The SCF cycles as DIIS converges them: the error in the energy falls by about an
    order of magnitude per cycle from `first_error` hartree."""
    w(" Requested convergence on RMS density matrix=1.00D-08 within 128 cycles.")
    w(" Requested convergence on MAX density matrix=1.00D-06.")
    w(" Requested convergence on             energy=1.00D-06.")
    previous = None
    for c in range(1, cycles + 1):
        e = energy + first_error * (0.083 ** (c - 1)) * (1.0 + 0.37 * math.sin(2.1 * c))
        w(" Cycle %3d  Pass 1  IDiag  1:" % c)
        if previous is None:
            w(" E= %.13f" % e)
        else:
            w(" E= %.12f     Delta-E=       %.12f Rises=F Damp=%s" % (e, e - previous, "T" if c == 2 else "F"))
        mantissa, exponent = ("%.2E" % (3.2e-2 * 0.12 ** (c - 1))).split("E")
        w(" DIIS: error= %sD%s at cycle %3d NSaved=%4d." % (mantissa, exponent, c, c))
        previous = e
    vt = 2.0097
    ke = -energy / (vt - 1.0)
    nn = repulsion(xyz)
    ee = 70.4637 - 0.31 * (nn - 33.4)  # electron repulsion follows the nuclei as they move
    pe = energy - ke - nn - ee
    LAST_SCF.update(nn=nn, pe=pe, ke=ke)
    w(" SCF Done:  E(RB3LYP) =  %.9f     A.U. after %4d cycles" % (energy, cycles))
    w("            NFock= %3d  Conv=0.%02dD-08     -V/T= %.4f" % (cycles, 29 + 7 * cycles % 60, vt))
    w(" KE= %sD+01 PE=%sD+02 EE= %sD+01" % (("%.12f" % (ke / 10)), ("%.12f" % (pe / 100)), ("%.12f" % (ee / 10))))
    w(" Leave Link  502 at " + STAMP + ", MaxMem=   134217728 cpu:               1.2 elap:               0.6")


# Orbital energies (hartree): the pi HOMO near -7.3 eV, the pi* LUMO just above zero.
OCC = [-10.16762, -10.16604, -0.75474, -0.57383, -0.46482, -0.41766, -0.35772, -0.26748]
VIRT = [0.01170, 0.11582, 0.15020, 0.16480, 0.22631, 0.35724, 0.49075, 0.52311, 0.55869,
        0.61502, 0.63797, 0.69156, 0.78433, 0.80917, 0.87244, 0.90518, 1.01869, 1.11309,
        1.20762, 1.33951, 1.45086, 1.57433, 1.66218, 1.79705, 1.88642, 2.00873, 2.13926,
        2.25581, 2.47120, 2.87659]


def eigen(label, values, shift):
    for i in range(0, len(values), 5):
        w(" " + label + " eigenvalues -- " + "".join("%10.5f" % (v + shift) for v in values[i:i + 5]))


def population(shift, charges, dipole):
    w(" **********************************************************************")
    w(" ")
    w("            Population analysis using the SCF Density.")
    w(" ")
    w(" **********************************************************************")
    w(" ")
    w(" Orbital symmetries:")
    w("       Occupied  (AG) (B1U) (AG) (B1U) (B2U) (AG) (B3G) (B3U)")
    w("       Virtual   (B2G) (AG) (B1U) (B3G) (B2U) (AG) (B1U) (B3U) (AG) (B2G)")
    w(" The electronic state is 1-AG.")
    eigen("Alpha  occ.", OCC, shift)
    eigen("Alpha virt.", VIRT, shift)
    w("          Condensed to atoms (all electrons):")
    w("               1          2          3          4          5          6")
    for i, an in enumerate(ATOMS, 1):
        w("%6d  %-2s" % (i, SYMB[an]) + "".join("%11.6f" % (0.01 * ((i * j) % 7)) for j in range(1, 7)))
    w(" Mulliken charges:")
    w("               1")
    for i, (an, q) in enumerate(zip(ATOMS, charges), 1):
        w("%6d  %-2s%11.6f" % (i, SYMB[an], q))
    w(" Sum of Mulliken charges =   0.00000")
    w(" Mulliken charges with hydrogens summed into heavy atoms:")
    w("               1")
    w("     1  C    0.000000")
    w("     2  C    0.000000")
    w(" Electronic spatial extent (au):  <R**2>=             82.0618")
    w(" Charge=              0.0000 electrons")
    w(" Dipole moment (field-independent basis, Debye):")
    w("    X=              0.0000    Y=              0.0000    Z=             %7.4f  Tot=             %7.4f"
      % (dipole, abs(dipole)))
    w(" Quadrupole moment (field-independent basis, Debye-Ang):")
    w("   XX=            -15.5806   YY=            -12.0317   ZZ=            -11.9240")
    w("   XY=              0.0000   XZ=              0.0000   YZ=              0.0000")
    w(" N-N= %.12fD+01 E-N=%.12fD+02  KE= %.12fD+01" % (LAST_SCF["nn"] / 10, LAST_SCF["pe"] / 100, LAST_SCF["ke"] / 10))


def forces(step):
    w(" ***** Axes restored to original set *****")
    w(" -------------------------------------------------------------------")
    w(" Center     Atomic                   Forces (Hartrees/Bohr)")
    w(" Number     Number              X              Y              Z")
    w(" -------------------------------------------------------------------")
    for i, an in enumerate(ATOMS, 1):
        f = 0.02 / (10 ** step) * (1 if i % 2 else -1)
        w("%7d%9d        %15.9f%15.9f%15.9f" % (i, an, 0.0, f / 2, f))
    w(" -------------------------------------------------------------------")
    w(" Cartesian Forces:  Max     %.9f RMS     %.9f" % (0.02 / 10 ** step, 0.01 / 10 ** step))


def convergence(vals, predicted):
    thres = (0.00045, 0.0003, 0.0018, 0.0012)
    names = (" Maximum Force         ", " RMS     Force         ",
             " Maximum Displacement  ", " RMS     Displacement  ")
    w("         Item               Value     Threshold  Converged?")
    for name, v, t in zip(names, vals, thres):
        w("%s%11.6f%13.6f     %s" % (name, v, t, "YES" if v < t else "NO "))
    w(" Predicted change in Energy=" + predicted)


def opt_job():
    banner(1)
    route(["#p B3LYP/6-31G(d) Opt Freq=Raman Pop=Regular"])
    title("Ethylene: optimisation, frequencies and excited states", True)
    steps = [  # C=C, C-H, H-C-C angle, energy, convergence values, predicted change
        (1.3200, 1.0800, 121.50, -78.585318842, (0.018176, 0.007531, 0.040867, 0.021942), "-2.087164D-03"),
        (1.3301, 1.0871, 121.81, -78.587389617, (0.001389, 0.000618, 0.004207, 0.002286), "-6.712093D-05"),
        (1.3308, 1.0873, 121.83, -78.587456134, (0.000013, 0.000006, 0.000038, 0.000021), "-2.847316D-09"),
    ]
    for n, (cc, ch, ang, energy, conv, pred) in enumerate(steps, 1):
        w(" (Enter /opt/g16/l202.exe)")
        xyz = geometry(cc, ch, ang)
        orientation("Input", xyz)
        w("                    Distance matrix (angstroms):")
        orientation("Standard", xyz)
        w(" Rotational constants (GHZ): %14.7f %14.7f %14.7f" % tuple(rotational_constants(xyz)))
        w(" (Enter /opt/g16/l301.exe)")
        basis(xyz)
        w(" (Enter /opt/g16/l502.exe)")
        # From the core guess the first step needs a dozen cycles; later steps start from
        # the previous step's density.
        scf(energy, (12, 10, 8)[n - 1], xyz, (0.47, 0.0031, 0.00009)[n - 1])
        if n == 1:
            w(" (Enter /opt/g16/l601.exe)")
            population(0.0, [-0.266918, -0.266918, 0.133459, 0.133459, 0.133459, 0.133459], 0.0)
        w(" (Enter /opt/g16/l716.exe)")
        forces(n)
        w(" (Enter /opt/g16/l103.exe)")
        w("")
        w(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
        w(" Berny optimization.")
        w(" Search for a local minimum.")
        w(" Step number   %d out of a maximum of   30" % n)
        w(" All quantities printed in internal units (Hartrees-Bohrs-Radians).")
        convergence(conv, pred)
        if n < len(steps):
            w(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
    w(" Optimization completed.")
    w("    -- Stationary point found.")
    w("                           ----------------------------")
    w("                           !   Optimized Parameters   !")
    w("                           ! (Angstroms and Degrees)  !")
    w(" --------------------------                            --------------------------")
    w(" ! Name  Definition              Value          Derivative Info.                !")
    w(" --------------------------------------------------------------------------------")
    w(" ! R1    R(1,2)                  1.3308         -DE/DX =    0.0                 !")
    w(" ! R2    R(1,3)                  1.0873         -DE/DX =    0.0                 !")
    w(" ! A1    A(2,1,3)              121.83           -DE/DX =    0.0                 !")
    w(" --------------------------------------------------------------------------------")
    w(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
    w(" (Enter /opt/g16/l202.exe)")
    orientation("Standard", geometry(1.3308, 1.0873, 121.83))
    w(" (Enter /opt/g16/l601.exe)")
    population(0.0012, [-0.270858, -0.270858, 0.135429, 0.135429, 0.135429, 0.135429], 0.0)
    w(" 1\\1\\GINC-NODE7\\FOpt\\RB3LYP\\6-31G(d)\\C2H4\\CHEMIST\\09-Dec-2026\\0\\\\#p B3LYP/6-31G(d) Opt")
    w("  Freq\\\\Ethylene\\\\0,1\\C,0.,0.,0.6654\\\\@")
    w(" Job cpu time:       0 days  0 hours  0 minutes 14.2 seconds.")
    w(" Elapsed time:       0 days  0 hours  0 minutes  7.3 seconds.")
    w(" Normal termination of Gaussian 16 at " + STAMP + ".")


# Harmonic modes of ethylene at B3LYP/6-31G(d): frequency (cm-1), D2h label (x out of the
# plane, C=C along z), reduced mass (AMU), IR intensity (km/mol), Raman activity (A**4/AMU).
# The molecule has a centre of symmetry: the u modes are IR-active and Raman-silent, the g
# modes the reverse, the AU twist is silent in both.
MODES = [(826.3418, "B2U", 1.0420, 0.3806, 0.0000), (960.7215, "B3U", 1.1623, 86.1243, 0.0000),
         (975.1042, "B2G", 1.5229, 0.0000, 0.8817), (1068.6287, "AU", 1.0078, 0.0000, 0.0000),
         (1238.9131, "B3G", 1.5247, 0.0000, 4.6972), (1386.7523, "B1U", 1.1945, 7.9136, 0.0000),
         (1475.9480, "AG", 1.1107, 0.0000, 13.9284), (1717.3164, "AG", 3.2011, 0.0000, 22.0659),
         (3133.9082, "B1U", 1.0478, 15.6628, 0.0000), (3149.6641, "AG", 1.0787, 0.0000, 141.7630),
         (3208.5271, "B3G", 1.1158, 0.0000, 66.8915), (3235.8895, "B2U", 1.1185, 19.8742, 0.0000)]
# Depolarisation ratios: below 3/4 for the totally symmetric modes only.
DEPOLAR_AG = {1475.9480: 0.3172, 1717.3164: 0.2865, 3149.6641: 0.1388}


def mode_columns(m):
    """freq, label, reduced mass, force constant (mDyne/A), IR, Raman, depolar P and U."""
    nu, label, mu, ir, raman = m
    p = DEPOLAR_AG.get(nu, 0.75)
    return (nu, label, mu, 5.8921e-7 * mu * nu * nu, ir, raman, p, 2 * p / (1 + p))


FREQS = [mode_columns(m) for m in MODES]


def freq_job():
    w(" Link1:  Proceeding to internal job step number  2.")
    # Gaussian wraps long route lines at a fixed width, also inside a word.
    route(["#P Geom=AllCheck Guess=TCheck SCRF=Check GenChk RB3LYP/6-31G(d) Fr",
           "eq=Raman Pop=Regular"])
    title("Ethylene: optimisation, frequencies and excited states", False)
    xyz = geometry(1.3308, 1.0873, 121.83)
    w(" (Enter /opt/g16/l202.exe)")
    orientation("Standard", xyz)
    w(" (Enter /opt/g16/l301.exe)")
    basis(xyz)
    w(" (Enter /opt/g16/l502.exe)")
    scf(-78.587456135, 1, xyz, 0.0000004)
    w(" (Enter /opt/g16/l601.exe)")
    population(0.0012, [-0.270858, -0.270858, 0.135429, 0.135429, 0.135429, 0.135429], 0.0)
    w(" (Enter /opt/g16/l716.exe)")
    w(" Full mass-weighted force constant matrix:")
    w(" Low frequencies ---   -8.3071   -0.0009   -0.0006    0.0007   11.4682   14.9027")
    w(" Low frequencies ---" + "".join("%10.4f" % m[0] for m in FREQS[:3]))
    w(" Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering")
    w(" activities (A**4/AMU), depolarization ratios for plane and unpolarized")
    w(" incident light, reduced masses (AMU), force constants (mDyne/A),")
    w(" and normal coordinates:")
    for b in range(0, len(FREQS), 3):
        block = FREQS[b:b + 3]
        w("".join("%23d" % (b + k + 1) if k == 0 else "%23d" % (b + k + 1) for k in range(len(block))))
        w("".join("%23s" % m[1] for m in block))
        w(" Frequencies --" + "".join("%12.4f" % m[0] if k == 0 else "%23.4f" % m[0] for k, m in enumerate(block)))
        w(" Red. masses --" + "".join("%12.4f" % m[2] if k == 0 else "%23.4f" % m[2] for k, m in enumerate(block)))
        for head, col in ((" Frc consts  --", 3), (" IR Inten    --", 4), (" Raman Activ --", 5),
                          (" Depolar (P) --", 6), (" Depolar (U) --", 7)):
            w(head + "".join("%12.4f" % m[col] if k == 0 else "%23.4f" % m[col] for k, m in enumerate(block)))
        w("  Atom  AN" + "      X      Y      Z  " * len(block))
        for i, an in enumerate(ATOMS, 1):
            w("%6d%4d" % (i, an) + "".join("  %7.2f%7.2f%7.2f" % (0.0, 0.05 * ((i + k) % 3), -0.04 * ((i * k) % 4))
                                           for k in range(len(block))))
    w("")
    w(" -------------------")
    w(" - Thermochemistry -")
    w(" -------------------")
    w(" Temperature   298.150 Kelvin.  Pressure   1.00000 Atm.")
    w(" Molecular mass:    28.03130 amu.")
    zpe = sum(m[0] for m in FREQS) / 2 / 219474.63
    e = -78.587456135
    entropy = 52.382  # cal/(mol K)
    ts = 298.15 * entropy / 627509.47
    w(" ")
    w(" Zero-point correction=                           %.6f (Hartree/Particle)" % zpe)
    w(" Thermal correction to Energy=                    %.6f" % (zpe + 0.003046))
    w(" Thermal correction to Enthalpy=                  %.6f" % (zpe + 0.003990))
    w(" Thermal correction to Gibbs Free Energy=         %.6f" % (zpe + 0.003990 - ts))
    w(" Sum of electronic and zero-point Energies=           %.6f" % (e + zpe))
    w(" Sum of electronic and thermal Energies=              %.6f" % (e + zpe + 0.003046))
    w(" Sum of electronic and thermal Enthalpies=            %.6f" % (e + zpe + 0.003990))
    w(" Sum of electronic and thermal Free Energies=         %.6f" % (e + zpe + 0.003990 - ts))
    w(" ")
    w("                     E (Thermal)             CV                S")
    w("                      KCal/Mol        Cal/Mol-Kelvin    Cal/Mol-Kelvin")
    w(" Total              %12.3f       %12.3f       %12.3f" % ((zpe + 0.003046) * 627.50947, 8.226, entropy))
    w(" (Enter /opt/g16/l103.exe)")
    w("")
    w(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
    w(" Berny optimization.")
    w(" Search for a local minimum.")
    w(" Step number   1 out of a maximum of    2")
    w(" All quantities printed in internal units (Hartrees-Bohrs-Radians).")
    convergence((0.000013, 0.000006, 0.000037, 0.000020), "-2.790614D-09")
    w(" Optimization completed.")
    w("    -- Stationary point found.")
    w(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
    w(" 1\\1\\GINC-NODE7\\Freq\\RB3LYP\\6-31G(d)\\C2H4\\CHEMIST\\09-Dec-2026\\0\\\\@")
    w(" Job cpu time:       0 days  0 hours  0 minutes 21.7 seconds.")
    w(" Elapsed time:       0 days  0 hours  0 minutes 11.0 seconds.")
    w(" Normal termination of Gaussian 16 at " + STAMP + ".")


# Orbitals 8 (HOMO, pi, B3U) and 9 (LUMO, pi*, B2G); 10 AG, 11 B1U, 12 B3G, 13 B2U. A
# state's symmetry is the product of the two orbitals'; only B1U (z), B2U (y) and B3U (x)
# states carry oscillator strength. The pi -> pi* state is the bright one.
STATES = [  # energy eV, symmetry, f, transitions
    (7.2386, "Singlet-B3U", 0.0684, [(8, 10, 0.70497)]),
    (7.4519, "Singlet-B1U", 0.3518, [(8, 9, 0.69874), (6, 11, -0.10215)]),
    (7.9132, "Singlet-B1G", 0.0000, [(8, 13, 0.70612)]),
    (8.1647, "Singlet-B2G", 0.0000, [(8, 11, 0.70388)]),
    (8.6953, "Singlet-AU", 0.0000, [(8, 12, 0.70151)]),
    (9.0271, "Singlet-B2U", 0.0213, [(7, 11, 0.69942)]),
]


def td_job():
    w(" Link1:  Proceeding to internal job step number  3.")
    banner(3)
    route(["#p TD(NStates=6) B3LYP/6-31G(d) Geom=Check Guess=Read"])
    title("Ethylene: vertical excitations at the optimised geometry", False)
    w(" (Enter /opt/g16/l202.exe)")
    orientation("Standard", geometry(1.3308, 1.0873, 121.83))
    w(" (Enter /opt/g16/l301.exe)")
    basis(geometry(1.3308, 1.0873, 121.83))
    w(" (Enter /opt/g16/l502.exe)")
    scf(-78.587456135, 1, geometry(1.3308, 1.0873, 121.83), 0.0000002)
    w(" (Enter /opt/g16/l914.exe)")
    w(" ")
    w(" **********************************************************************")
    w(" ")
    w(" Excited states from <AA,BB:AA,BB> singles matrix:")
    w(" ")
    w(" **********************************************************************")
    w(" ")
    w(" 1PDM for each excited state written to RWF  633")
    w(" Ground to excited state transition electric dipole moments (Au):")
    w("       state          X           Y           Z        Dip. S.      Osc.")
    for k, (ev, sym, f, _) in enumerate(STATES, 1):
        d = math.sqrt(f / (2.0 / 3.0 * ev / 27.2114)) if f > 0 else 0.0
        axis = {"B3U": 0, "B2U": 1, "B1U": 2}.get(sym.split("-")[1], 0)  # polarisation
        xyz = [0.0, 0.0, 0.0]
        xyz[axis] = d
        w("%11d%13.4f%12.4f%12.4f%12.4f%10.4f" % (k, xyz[0], xyz[1], xyz[2], d * d, f))
    w(" ")
    w(" Excitation energies and oscillator strengths:")
    w(" ")
    for k, (ev, sym, f, trans) in enumerate(STATES, 1):
        w(" Excited State %3d:%16s%11.4f eV %7.2f nm  f=%.4f  <S**2>=0.000"
          % (k, sym, ev, 1239.84193 / ev, f))
        for i, a, c in trans:
            w("%10d -> %-3d%15.5f" % (i, a, c))
        if k == 1:
            w(" This state for optimization and/or second-order correction.")
            w(" Total Energy, E(TD-HF/TD-DFT) =  %.9f" % (-78.587456135 + ev / 27.2114))
            w(" Copying the excited state density for this state as the 1-particle RhoCI density.")
        w(" ")
    w(" SavETr:  write IOETrn=   770 NScale= 10 NData=  16 NLR=1 NState=    6 LETran=     118.")
    w(" (Enter /opt/g16/l601.exe)")
    population(0.0012, [-0.270858, -0.270858, 0.135429, 0.135429, 0.135429, 0.135429], 0.0)
    w(" 1\\1\\GINC-NODE7\\SP\\RTD-B3LYP-FC\\6-31G(d)\\C2H4\\CHEMIST\\09-Dec-2026\\0\\\\@")
    w(" Job cpu time:       0 days  0 hours  0 minutes  9.8 seconds.")
    w(" Elapsed time:       0 days  0 hours  0 minutes  5.1 seconds.")
    w(" Normal termination of Gaussian 16 at " + STAMP + ".")


opt_job()
freq_job()
td_job()
with open(OUT, "w", newline="\n") as fh:
    fh.write("\n".join(lines) + "\n")
