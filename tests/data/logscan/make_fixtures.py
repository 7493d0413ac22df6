#!/usr/bin/env python3
"""Writes the small Gaussian-layout logs the log scan tests read. Run it in this folder;
the outputs are kept in the repository so the tests never need Python."""

STAMP = "Wed Dec  9 08:00:00 2026"
DASH = " " + "-" * 69
WATER = [(8, (0.0, 0.0, 0.1173)), (1, (0.0, 0.7572, -0.4692)), (1, (0.0, -0.7572, -0.4692))]
OH = [(8, (0.0, 0.0, 0.1083)), (1, (0.0, 0.0, -0.8663))]


class Log:
    def __init__(self):
        self.lines = []

    def w(self, text=""):
        self.lines.append(text)

    def save(self, name, crlf=False):
        end = "\r\n" if crlf else "\n"
        with open(name, "w", newline="") as fh:
            fh.write(end.join(self.lines) + end)


def header(log, route, title, charge, mult, atoms, zmat=True):
    w = log.w
    w(" Entering Gaussian System, Link 0=g16")
    w(" Copyright (c) 1988-2017, Gaussian, Inc.  All Rights Reserved.")
    w(" ******************************************")
    w(" Gaussian 16:  ES64L-G16RevC.01  3-Jul-2019")
    w("                 9-Dec-2026 ")
    w(" ******************************************")
    w(" %chk=fixture.chk")
    width = max(len(r) for r in route) + 1
    w(" " + "-" * width)
    for r in route:
        w(" " + r)
    w(" " + "-" * width)
    w(" 1/18=20,19=15,38=1/1,3;")
    w(" 2/9=110,12=2,17=6,18=5,40=1/2;")
    w(" 99//99;")
    w(" Leave Link    1 at " + STAMP + ", MaxMem=   134217728 cpu:               0.1 elap:               0.1")
    w(" " + "-" * (len(title) + 1))
    w(" " + title)
    w(" " + "-" * (len(title) + 1))
    w(" Symbolic Z-matrix:" if zmat else " Structure from the checkpoint file:  \"fixture.chk\"")
    w(" Charge = %2d Multiplicity = %d" % (charge, mult))
    for an, (x, y, z) in atoms:
        w(" %-2s %12.6f %12.6f %12.6f" % ({1: "H", 8: "O"}[an], x, y, z))
    w(" ")
    w(" NAtoms=      %d NQM=        %d NQMF=       0 NMMM=       0 NMMF=       0" % (len(atoms), len(atoms)))


def orientation(log, kind, atoms, scale=1.0):
    w = log.w
    w(" " * 25 + kind + " orientation:" + " " * 25)
    w(DASH)
    w(" Center     Atomic      Atomic             Coordinates (Angstroms)")
    w(" Number     Number       Type             X           Y           Z")
    w(DASH)
    for i, (an, (x, y, z)) in enumerate(atoms, 1):
        w("%7d%11d%12d%16.6f%12.6f%12.6f" % (i, an, 0, x * scale, y * scale, z * scale))
    w(DASH)


def scf(log, method, energy, failed=False, open_shell=False):
    w = log.w
    w(" NBasis=     7 RedAO= T EigKep=  3.89D-01  NBF=     4     0     1     2")
    w(" NBsUse=     7 1.00D-06 EigRej= -1.00D+00 NBFU=     4     0     1     2")
    w(" Requested convergence on RMS density matrix=1.00D-08 within 128 cycles.")
    for c in range(1, 10):
        w(" Cycle %3d  Pass 1  IDiag  1:" % c)
        w(" E= %.12f     Delta-E=      %.12f Rises=F Damp=F" % (energy + 0.01 / c ** 4, -0.01 / c ** 4))
        w(" RMSDP=%.2fD-%02d MaxDP=%.2fD-%02d              OVMax= 0.00D+00" % (1.0 + c % 7, c, 2.0 + c % 5, c))
    if failed:
        w(" >>>>>>>>>> Convergence criterion not met.")
        w(" SCF Done:  E(%s) =  %.9f     A.U. after  129 cycles" % (method, energy + 0.0123))
        w("            NFock=128  Conv=0.21D-04     -V/T= 2.0052")
        w(" Convergence failure -- run terminated.")
        w(" Restarting the SCF with quadratic convergence.")
    w(" SCF Done:  E(%s) =  %.9f     A.U. after    9 cycles" % (method, energy))
    w("            NFock=  9  Conv=0.26D-08     -V/T= 2.0052")
    if open_shell:
        w(" <Sx>= 0.0000 <Sy>= 0.0000 <Sz>= 0.5000 <S**2>= 0.7532 S= 0.5011")
        w(" <L.S>= 0.000000000000E+00")
        w(" Annihilation of the first spin contaminant:")
        w(" S**2 before annihilation     0.7532,   after     0.7500")
    w(" KE= 7.507234567891D+01 PE=-1.973456789012D+02 EE= 3.824567890123D+01")
    w(" Leave Link  502 at " + STAMP + ", MaxMem=   134217728 cpu:               0.4 elap:               0.2")


def population(log, atoms, open_shell=False, dipole=1.7231):
    w = log.w
    w(" **********************************************************************")
    w("            Population analysis using the SCF Density.")
    w(" **********************************************************************")
    w(" Orbital symmetries:")
    w("       Occupied  (A1) (A1) (B2) (A1) (B1)")
    w("       Virtual   (A1) (B2)")
    if open_shell:
        w(" Alpha  occ. eigenvalues --  -20.41234  -1.20123  -0.55678  -0.50123  -0.41234")
        w(" Alpha virt. eigenvalues --    0.51234   0.67891")
        w("  Beta  occ. eigenvalues --  -20.39876  -1.15432  -0.52345  -0.45678")
        w("  Beta virt. eigenvalues --   -0.01234   0.53456   0.69876")
    else:
        w(" Alpha  occ. eigenvalues --  -20.25158  -1.25758  -0.59399  -0.45978  -0.39263")
        w(" Alpha virt. eigenvalues --    0.58179   0.69267")
    w("          Condensed to atoms (all electrons):")
    if open_shell:
        w(" Mulliken charges and spin densities:")
        w("               1          2")
        for i, (an, _) in enumerate(atoms, 1):
            q = -0.2712 if an == 8 else 0.2712 / (len(atoms) - 1)
            w("%6d  %-2s%11.6f%11.6f" % (i, {1: "H", 8: "O"}[an], q, 1.0 if an == 8 else 0.0))
        w(" Sum of Mulliken charges =   0.00000   1.00000")
    else:
        w(" Mulliken charges:")
        w("               1")
        for i, (an, _) in enumerate(atoms, 1):
            q = -0.330 if an == 8 else 0.165
            w("%6d  %-2s%11.6f" % (i, {1: "H", 8: "O"}[an], q))
        w(" Sum of Mulliken charges =   0.00000")
    w(" Electronic spatial extent (au):  <R**2>=             18.7654")
    w(" Charge=              0.0000 electrons")
    w(" Dipole moment (field-independent basis, Debye):")
    w("    X=              0.0000    Y=              0.0000    Z=             %7.4f  Tot=             %7.4f"
      % (-dipole, dipole))
    w(" Quadrupole moment (field-independent basis, Debye-Ang):")
    w("   XX=             -7.1234   YY=             -4.1234   ZZ=             -6.2345")


def forces(log, atoms, step):
    w = log.w
    w(" -------------------------------------------------------------------")
    w(" Center     Atomic                   Forces (Hartrees/Bohr)")
    w(" Number     Number              X              Y              Z")
    w(" -------------------------------------------------------------------")
    for i, (an, _) in enumerate(atoms, 1):
        w("%7d%9d        %15.9f%15.9f%15.9f" % (i, an, 0.0, 0.01 / step, -0.02 / step))
    w(" -------------------------------------------------------------------")


def convergence(log, step, values, predicted):
    w = log.w
    w(" Berny optimization.")
    w(" Step number   %d out of a maximum of   20" % step)
    w("         Item               Value     Threshold  Converged?")
    names = (" Maximum Force         ", " RMS     Force         ", " Maximum Displacement  ", " RMS     Displacement  ")
    thres = ("0.000450", "0.000300", "0.001800", "0.001200")
    for name, v, t in zip(names, values, thres):
        try:
            flag = "YES" if float(v) < float(t) else "NO "
        except ValueError:
            flag = "NO "
        w("%s%11s%13s     %s" % (name, v, t, flag))
    w(" Predicted change in Energy=" + predicted)


def frequencies(log):
    w = log.w
    w(" Harmonic frequencies (cm**-1), IR intensities (KM/Mole), Raman scattering")
    w(" activities (A**4/AMU), depolarization ratios for plane and unpolarized")
    w(" incident light, reduced masses (AMU), force constants (mDyne/A),")
    w(" and normal coordinates:")
    w("                      1                      2                      3")
    w("                     A1                     A1                     B2")
    w(" Frequencies --   1713.0345              3727.4512              3849.6178")
    w(" Red. masses --      1.0823                 1.0453                 1.0811")
    w(" Frc consts  --      1.8712                 8.5567                 9.4398")
    w(" IR Inten    --     75.1234                 1.8765                18.2345")
    w("  Atom  AN      X      Y      Z        X      Y      Z        X      Y      Z")
    w("     1   8     0.00   0.00   0.07     0.00   0.00  -0.05     0.00   0.07   0.00")
    w("     2   1     0.00  -0.43  -0.56     0.00   0.58   0.40     0.00  -0.56   0.43")
    w("     3   1     0.00   0.43  -0.56     0.00  -0.58   0.40     0.00  -0.56  -0.43")
    w(" ")
    w(" Zero-point correction=                           0.021234 (Hartree/Particle)")
    w(" Thermal correction to Energy=                    0.024067")
    w(" Thermal correction to Enthalpy=                  0.025011")
    w(" Thermal correction to Gibbs Free Energy=         0.003612")
    w(" Sum of electronic and zero-point Energies=            -76.387456")
    w(" Sum of electronic and thermal Energies=               -76.384623")
    w(" Sum of electronic and thermal Enthalpies=             -76.383679")
    w(" Sum of electronic and thermal Free Energies=          -76.405078")


def termination(log, next_job=None):
    log.w(" Job cpu time:       0 days  0 hours  0 minutes  3.1 seconds.")
    log.w(" Normal termination of Gaussian 16 at " + STAMP + ".")
    if next_job:
        log.w(" Link1:  Proceeding to internal job step number  %d." % next_job)


def optimisation(log, method, atoms, steps, kind="Standard", open_shell=False, calc_all=False):
    """steps: (energy, four value texts, predicted text, failed SCF first)"""
    for n, (energy, values, predicted, failed) in enumerate(steps, 1):
        log.w(" (Enter /opt/g16/l202.exe)")
        if kind in ("Input", "both"):
            orientation(log, "Input", atoms, 1.0 + 0.01 * (len(steps) - n))
        if kind in ("Standard", "both"):
            orientation(log, "Standard", atoms, 1.0 + 0.01 * (len(steps) - n))
        scf(log, method, energy, failed, open_shell)
        if n == 1:
            population(log, atoms, open_shell)
        forces(log, atoms, n)
        convergence(log, n, values, predicted)
        log.w(" GradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGradGrad")
    log.w(" Optimization completed.")
    log.w("    -- Stationary point found.")
    if kind in ("Input", "both"):
        orientation(log, "Input", atoms)
    if kind in ("Standard", "both"):
        orientation(log, "Standard", atoms)
    population(log, atoms, open_shell)
    if calc_all:
        frequencies(log)


def closed_shell_opt_freq():
    log = Log()
    header(log, ["#p B3LYP/STO-3G", "Opt=CalcAll Freq", "Pop=Regular"], "Water optimisation then frequencies",
           0, 1, WATER)
    optimisation(log, "RB3LYP", WATER, [
        (-75.312345671, ("0.021234", "0.012345", "0.045678", "0.023456"), "-1.234567D-03", False),
        (-75.313456782, ("0.002345", "0.001234", "0.004567", "0.002345"), "-2.345678D-05", False),
        (-75.313467893, ("0.000012", "0.000007", "0.000034", "0.000019"), "-1.111111D-08", False),
    ], calc_all=True)
    termination(log, 2)
    header(log, ["#P Geom=AllCheck Guess=TCheck SCRF=Check GenChk RB3LYP/STO-3G Freq"],
           "Water optimisation then frequencies", 0, 1, WATER, zmat=False)
    orientation(log, "Standard", WATER)
    scf(log, "RB3LYP", -75.313467901)
    population(log, WATER)
    frequencies(log)
    convergence(log, 1, ("0.000011", "0.000006", "0.000031", "0.000017"), "-9.876543D-09")
    termination(log)
    log.save("water_opt_freq.log")


def doublet():
    log = Log()
    header(log, ["#p UB3LYP/STO-3G Opt"], "Hydroxyl radical", 0, 2, OH)
    optimisation(log, "UB3LYP", OH, [
        (-74.712345678, ("0.031234", "0.031234", "0.041234", "0.041234"), "-2.123456D-03", False),
        (-74.714567891, ("0.000123", "0.000123", "0.000456", "0.000456"), "-3.456789D-07", False),
    ], open_shell=True)
    termination(log)
    log.save("oh_doublet.log")


def single_point():
    log = Log()
    header(log, ["#p HF/STO-3G Pop=Full"], "Water single point", 0, 1, WATER)
    log.w(" (Enter /opt/g16/l202.exe)")
    orientation(log, "Input", WATER)
    orientation(log, "Standard", WATER)
    scf(log, "RHF", -74.962927654)
    population(log, WATER)
    for k in range(110):
        log.w("      %2d        %10.5f%10.5f%10.5f" % (k % 7 + 1, 0.1 * (k % 5), -0.05 * (k % 3), 0.02 * k))
    termination(log)
    log.save("water_sp.log")


def input_only():
    log = Log()
    header(log, ["#p B3LYP/STO-3G Opt NoSymm"], "Water without symmetry", 0, 1, WATER)
    optimisation(log, "RB3LYP", WATER, [
        (-75.301234567, ("0.011234", "0.006345", "0.025678", "0.013456"), "-6.234567D-04", False),
        (-75.301987654, ("0.000345", "0.000234", "0.001567", "0.000945"), "-1.345678D-06", False),
    ], kind="Input")
    termination(log)
    log.save("water_input_orientation.log")


def unconverged():
    log = Log()
    header(log, ["#p HF/STO-3G Opt"], "Water with a hard first SCF", 0, 1, WATER)
    optimisation(log, "RHF", WATER, [
        (-74.960123456, ("0.015234", "0.009345", "0.035678", "0.018456"), "-1.034567D-03", True),
        (-74.961234567, ("0.000245", "0.000134", "0.001067", "0.000745"), "-1.045678D-06", False),
    ])
    termination(log)
    log.save("water_unconverged.log")


def odd_values():
    log = Log()
    header(log, ["#p HF/STO-3G Opt"], "Water with odd convergence fields", 0, 1, WATER)
    optimisation(log, "RHF", WATER, [
        (-74.950123456, ("0.015234", "0.009345", "0.000000", "0.018456"), "NaN", False),
        (-74.955234567, ("0.004245", "********", "0.006067", "0.003745"), "-1.234567D-05", False),
        (-74.955334567, ("0.000000", "0.000034", "0.000267", "0.000145"), "NaN", False),
        (-74.955335678, ("0.000010", "0.000004", "0.000021", "0.000011"), "-2.000000D-10", False),
    ])
    termination(log)
    log.save("water_odd_values.log", crlf=True)


closed_shell_opt_freq()
doublet()
single_point()
input_only()
unconverged()
odd_values()
