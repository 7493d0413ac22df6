#!/usr/bin/env python3
"""Writes examples/opt_freq_td.log: ethylene, B3LYP/6-31G(d), an optimisation in three
steps, the frequency job Gaussian chains after it, and a TD-DFT job chained by Link1.
The numbers are made up but consistent: energies fall, the forces shrink until all four
criteria are met, every job ends normally."""
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


def basis():
    w(" Standard basis: 6-31G(d) (6D, 7F)")
    w(" There are    38 symmetry adapted cartesian basis functions of AG  symmetry.")
    w("    38 basis functions,    72 primitive gaussians,    38 cartesian basis functions")
    w("     8 alpha electrons        8 beta electrons")
    w("       nuclear repulsion energy        33.4212345678 Hartrees.")
    w(" NBasis=    38 RedAO= T EigKep=  1.54D-02  NBF=    38")
    w(" NBsUse=    38 1.00D-06 EigRej= -1.00D+00 NBFU=    38")


def scf(energy, cycles):
    w(" Requested convergence on RMS density matrix=1.00D-08 within 128 cycles.")
    w(" Requested convergence on MAX density matrix=1.00D-06.")
    w(" Requested convergence on             energy=1.00D-06.")
    for c in range(1, 4):
        w(" Cycle   %d  Pass 1  IDiag  1:" % c)
        w(" E= %.12f     Delta-E=       %.12f Rises=F Damp=F" % (energy + 0.001 / c ** 3, -0.001 / c ** 3))
    w(" SCF Done:  E(RB3LYP) =  %.9f     A.U. after   %2d cycles" % (energy, cycles))
    w("            NFock= %2d  Conv=0.41D-08     -V/T= 2.0098" % cycles)
    w(" KE= 7.782123456789D+01 PE=-2.498765432101D+02 EE= 6.034567890123D+01")
    w(" Leave Link  502 at " + STAMP + ", MaxMem=   134217728 cpu:               1.2 elap:               0.6")


OCC = [-10.16789, -10.16712, -0.76012, -0.58123, -0.47234, -0.41987, -0.36512, -0.26745]
VIRT = [0.01234, 0.11432, 0.14987, 0.16543, 0.23456, 0.35678, 0.48912, 0.52345, 0.56789,
        0.61234, 0.63456, 0.68912, 0.79123, 0.81234, 0.86789, 0.91234, 1.02345, 1.10987,
        1.21234, 1.34567, 1.45678, 1.56789, 1.67891, 1.78912, 1.89123, 2.01234, 2.12345,
        2.23456, 2.45678, 2.89123]


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
    w(" Electronic spatial extent (au):  <R**2>=             82.3456")
    w(" Charge=              0.0000 electrons")
    w(" Dipole moment (field-independent basis, Debye):")
    w("    X=              0.0000    Y=              0.0000    Z=             %7.4f  Tot=             %7.4f"
      % (dipole, abs(dipole)))
    w(" Quadrupole moment (field-independent basis, Debye-Ang):")
    w("   XX=            -15.4321   YY=            -12.1234   ZZ=            -11.9876")
    w("   XY=              0.0000   XZ=              0.0000   YZ=              0.0000")
    w(" N-N= 3.342123456789D+01 E-N=-2.498765432101D+02  KE= 7.782123456789D+01")


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
    route(["#p B3LYP/6-31G(d) Opt Freq Pop=Regular"])
    title("Ethylene: optimisation, frequencies and excited states", True)
    steps = [  # C=C, C-H, H-C-C angle, energy, convergence values, predicted change
        (1.3200, 1.0800, 121.50, -78.585301234, (0.018235, 0.007412, 0.041234, 0.021567), "-2.058821D-03"),
        (1.3301, 1.0871, 121.81, -78.587374567, (0.001412, 0.000634, 0.004123, 0.002311), "-8.123456D-05"),
        (1.3308, 1.0873, 121.83, -78.587454321, (0.000012, 0.000005, 0.000041, 0.000023), "-1.234567D-09"),
    ]
    for n, (cc, ch, ang, energy, conv, pred) in enumerate(steps, 1):
        w(" (Enter /opt/g16/l202.exe)")
        xyz = geometry(cc, ch, ang)
        orientation("Input", xyz)
        w("                    Distance matrix (angstroms):")
        orientation("Standard", xyz)
        w(" Rotational constants (GHZ):    146.1234567     29.9876543     24.8765432")
        w(" (Enter /opt/g16/l301.exe)")
        basis()
        w(" (Enter /opt/g16/l502.exe)")
        scf(energy, 10 - n)
        if n == 1:
            w(" (Enter /opt/g16/l601.exe)")
            population(0.0, [-0.268123, -0.268123, 0.134061, 0.134061, 0.134062, 0.134062], 0.0)
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
    population(0.0012, [-0.271234, -0.271234, 0.135617, 0.135617, 0.135617, 0.135617], 0.0)
    w(" 1\\1\\GINC-NODE7\\FOpt\\RB3LYP\\6-31G(d)\\C2H4\\CHEMIST\\09-Dec-2026\\0\\\\#p B3LYP/6-31G(d) Opt")
    w("  Freq\\\\Ethylene\\\\0,1\\C,0.,0.,0.6654\\\\@")
    w(" Job cpu time:       0 days  0 hours  0 minutes 14.2 seconds.")
    w(" Elapsed time:       0 days  0 hours  0 minutes  7.3 seconds.")
    w(" Normal termination of Gaussian 16 at " + STAMP + ".")


FREQS = [(825.1234, "B2U", 0.3312, 0.1331, 0.5012), (960.8765, "B3U", 1.1621, 0.6321, 82.3456),
         (972.4321, "B2G", 1.5234, 0.8487, 0.0000), (1068.2345, "AU", 1.0078, 0.6775, 0.0000),
         (1239.8765, "B3G", 1.5243, 1.3806, 0.0000), (1386.4321, "B1U", 1.1943, 1.3526, 0.3145),
         (1475.1234, "AG", 1.1106, 1.4238, 0.0000), (1717.6543, "AG", 3.2456, 5.6423, 0.0000),
         (3140.8765, "B1U", 1.0475, 6.0876, 20.1234), (3156.4321, "AG", 1.0786, 6.3312, 0.0000),
         (3216.2345, "B3G", 1.1156, 6.7987, 0.0000), (3243.8765, "B2U", 1.1184, 6.9345, 27.5432)]


def freq_job():
    w(" Link1:  Proceeding to internal job step number  2.")
    # Gaussian wraps long route lines at a fixed width, also inside a word.
    route(["#P Geom=AllCheck Guess=TCheck SCRF=Check GenChk RB3LYP/6-31G(d) Fr",
           "eq Pop=Regular"])
    title("Ethylene: optimisation, frequencies and excited states", False)
    xyz = geometry(1.3308, 1.0873, 121.83)
    w(" (Enter /opt/g16/l202.exe)")
    orientation("Standard", xyz)
    w(" (Enter /opt/g16/l301.exe)")
    basis()
    w(" (Enter /opt/g16/l502.exe)")
    scf(-78.587454398, 2)
    w(" (Enter /opt/g16/l601.exe)")
    population(0.0012, [-0.271234, -0.271234, 0.135617, 0.135617, 0.135617, 0.135617], 0.0)
    w(" (Enter /opt/g16/l716.exe)")
    w(" Full mass-weighted force constant matrix:")
    w(" Low frequencies ---   -6.1234   -0.0012    0.0009    0.0011    8.2345   12.3456")
    w(" Low frequencies ---  825.1234  960.8765  972.4321")
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
        w(" Frc consts  --" + "".join("%12.4f" % m[3] if k == 0 else "%23.4f" % m[3] for k, m in enumerate(block)))
        w(" IR Inten    --" + "".join("%12.4f" % m[4] if k == 0 else "%23.4f" % m[4] for k, m in enumerate(block)))
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
    e = -78.587454398
    w(" ")
    w(" Zero-point correction=                           %.6f (Hartree/Particle)" % zpe)
    w(" Thermal correction to Energy=                    %.6f" % (zpe + 0.003046))
    w(" Thermal correction to Enthalpy=                  %.6f" % (zpe + 0.003990))
    w(" Thermal correction to Gibbs Free Energy=         %.6f" % (zpe - 0.020512))
    w(" Sum of electronic and zero-point Energies=           %.6f" % (e + zpe))
    w(" Sum of electronic and thermal Energies=              %.6f" % (e + zpe + 0.003046))
    w(" Sum of electronic and thermal Enthalpies=            %.6f" % (e + zpe + 0.003990))
    w(" Sum of electronic and thermal Free Energies=         %.6f" % (e + zpe - 0.020512))
    w(" ")
    w("                     E (Thermal)             CV                S")
    w("                      KCal/Mol        Cal/Mol-Kelvin    Cal/Mol-Kelvin")
    w(" Total                   33.872              7.971             52.338")
    w(" (Enter /opt/g16/l103.exe)")
    w("")
    w(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
    w(" Berny optimization.")
    w(" Search for a local minimum.")
    w(" Step number   1 out of a maximum of    2")
    w(" All quantities printed in internal units (Hartrees-Bohrs-Radians).")
    convergence((0.000012, 0.000005, 0.000039, 0.000021), "-1.102345D-09")
    w(" Optimization completed.")
    w("    -- Stationary point found.")
    w(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
    w(" 1\\1\\GINC-NODE7\\Freq\\RB3LYP\\6-31G(d)\\C2H4\\CHEMIST\\09-Dec-2026\\0\\\\@")
    w(" Job cpu time:       0 days  0 hours  0 minutes 21.7 seconds.")
    w(" Elapsed time:       0 days  0 hours  0 minutes 11.0 seconds.")
    w(" Normal termination of Gaussian 16 at " + STAMP + ".")


STATES = [  # energy eV, symmetry, f, transitions
    (7.3412, "Singlet-B3U", 0.0712, [(8, 9, 0.70512)]),
    (7.6521, "Singlet-B1G", 0.0000, [(8, 10, 0.70634)]),
    (7.9876, "Singlet-B1U", 0.3621, [(8, 11, 0.69812), (7, 12, -0.10234)]),
    (8.4123, "Singlet-B2G", 0.0000, [(7, 9, 0.70123)]),
    (8.8765, "Singlet-AG", 0.0000, [(8, 13, 0.68765), (6, 9, 0.14321)]),
    (9.2345, "Singlet-B2U", 0.0145, [(7, 10, 0.70012)]),
]


def td_job():
    w(" Link1:  Proceeding to internal job step number  3.")
    banner(3)
    route(["#p TD(NStates=6) B3LYP/6-31G(d) Geom=Check Guess=Read"])
    title("Ethylene: vertical excitations at the optimised geometry", False)
    w(" (Enter /opt/g16/l202.exe)")
    orientation("Standard", geometry(1.3308, 1.0873, 121.83))
    w(" (Enter /opt/g16/l301.exe)")
    basis()
    w(" (Enter /opt/g16/l502.exe)")
    scf(-78.587454401, 1)
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
        w("%11d%13.4f%12.4f%12.4f%12.4f%10.4f" % (k, d, 0.0, 0.0, d * d, f))
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
            w(" Total Energy, E(TD-HF/TD-DFT) =  %.9f" % (-78.587454401 + ev / 27.2114))
            w(" Copying the excited state density for this state as the 1-particle RhoCI density.")
        w(" ")
    w(" SavETr:  write IOETrn=   770 NScale= 10 NData=  16 NLR=1 NState=    6 LETran=     118.")
    w(" (Enter /opt/g16/l601.exe)")
    population(0.0012, [-0.271234, -0.271234, 0.135617, 0.135617, 0.135617, 0.135617], 0.0)
    w(" 1\\1\\GINC-NODE7\\SP\\RTD-B3LYP-FC\\6-31G(d)\\C2H4\\CHEMIST\\09-Dec-2026\\0\\\\@")
    w(" Job cpu time:       0 days  0 hours  0 minutes  9.8 seconds.")
    w(" Elapsed time:       0 days  0 hours  0 minutes  5.1 seconds.")
    w(" Normal termination of Gaussian 16 at " + STAMP + ".")


opt_job()
freq_job()
td_job()
with open(OUT, "w", newline="\n") as fh:
    fh.write("\n".join(lines) + "\n")
