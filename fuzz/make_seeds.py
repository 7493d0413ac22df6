#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets from our fixtures under tests/data.

A seed is one byte naming the reader of the target's table (its index) followed by a
file that reader takes. Run from anywhere: python3 fuzz/make_seeds.py [MAVROLIN]
With the path of a built mavrolin, the tabbed MO file seed is written by `mavrolin mo`.
"""
import pathlib
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
DATA = ROOT / "tests" / "data"
SEEDS = ROOT / "fuzz" / "seeds"


def glob(*patterns):
    return [p for pat in patterns for p in sorted(DATA.glob(pat))]


# Target -> one list of fixtures per reader, in the order of the target's table.
TABLES = {
    "fuzz_logscan": [
        glob("logscan/*.log", "summary/*.log"),  # index
        glob("logscan/water_opt_freq.log", "profile/*.log"),  # scf
        glob("summary/*.log", "logscan/oh_doublet.log"),  # report
        glob("spectrum/*.log"),  # esi
        glob("spectrum/td_closed.log", "spectrum/td_open.log"),  # spectrum
        glob("modiagram/*.log"),  # mo
        glob("pdos/*.log"),  # coefficients
        glob("irraman/*.log", "logscan/water_opt_freq.log"),  # ir
    ],
    "fuzz_geometry": [
        glob("orientation/*", "profile/ammonia_nosym_opt.log"),  # geometry
        glob("geometry/spartan.pdb"),  # coords --pdb
        glob("geometry/chain.ent"),  # coords --ent
        glob("geometry/methane.txt"),  # coords --xyz
        glob("geometry/*zmat*.log"),  # zmatrix --free
        glob("geometry/*zmat*.log"),  # zmatrix --constrained
        glob("geometry/*.gjf"),  # convert-zmatrix
        glob("geometry/water_scan_relaxed.log"),  # scan
    ],
    "fuzz_basis_imports": [
        glob("pdos/gfprint.log"),
        glob("pdos/closed.fchk", "pdos/open.fchk"),
    ],
}

MO_LABELS = ["Alpha Occupied Orbital Color", "Alpha Virtual Orbital Color", "Beta Occupied Orbital Color",
             "Beta Virtual Orbital Color", "Line Width for Occupied MOs", "Line Width for Virtual MOs",
             "Line Style for Occupied MOs", "Line Style for Virtual MOs", "Side Separation Mode",
             "Overlay Alpha/Beta Mode", "Display MO Energies (ON/OFF)", "Font Size for MO Energies",
             "Digits for MO Energies", "MO Energy Unit", "Display FileName(s) (ON/OFF)"]
MO_VALUES = [255, 16711680, 32768, 8421504, 2, 1, 0, 2, 8, 0, 1, 9, 3, 1, 1]

SPECTRUM = ([("Number of spectral data points", "300"), ("Sigma value (1000*sigma  )", "200"),
             ("Scaling factor for f (100*scale)", "90"), ("Unit for the vertical axis", "1"),
             ("X-axis auto-adjust mode (ON/OFF)", "ON"), ("Maximum value in eV", "6.5"),
             ("Minimum value in eV", "2.5"), ("Minimum value in nm", "190"), ("Maximum value in nm", "500")]
            + [("Line Color " + (" #" if c < 10 else "#") + str(c), str(255 * c)) for c in range(1, 21)]
            + [("Line width for gaussian function", "1"), ("Line style for gaussian function", "0"),
               ("Display gaussian functions (ON/OFF)", "ON"), ("Line width for oscillator strength", "2"),
               ("Line style for oscillator strength", "0"), ("Line width for simulated spectrum", "2"),
               ("Line style for simulated spectrum", "0"), ("Line color for simulated spectrum", "0"),
               ("Line width for the frame", "1"), ("Line color for the frame", "0"),
               ("Line style for the frame", "0"), ("Display Trnasition Energies (ON/OFF)", "ON"),
               ("Threshold of f to be displayed", "0.01"), ("Font size for transition energies", "8"),
               ("Font size for the frame", "10"), ("Font name for the frame", "Arial"),
               ("Font style for the frame", "0"), ("Y-axis auto-adjust mode (ON/OFF)", "ON"),
               ("Draw with black only (ON/OFF)", "OFF")])

END = "--------------------------------------------     end of settings"


def settings_file(pairs):
    lines = ["Title: Created on 2026/01/01 12:00:00"] + [label.ljust(40) + value for label, value in pairs] + [END]
    return ("\r\n".join(lines) + "\r\n").encode()


def write(target, index, name, content):
    folder = SEEDS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / f"{index}_{name}").write_bytes(bytes([index]) + content)


def tabbed_seed(mavrolin):
    with tempfile.TemporaryDirectory() as d:
        table = pathlib.Path(d) / "table.txt"
        logs = [str(DATA / "modiagram" / n) for n in ("two_printings.log", "open_beta_virtual_first.log")]
        subprocess.run([mavrolin, "--quiet", "mo", *logs, "--table", str(table)], check=True)
        return table.read_bytes()


def main():
    for target, readers in TABLES.items():
        for index, files in enumerate(readers):
            for f in files:
                write(target, index, f.name, f.read_bytes())
    if len(sys.argv) > 1:
        write("fuzz_settings", 0, "mo_table.txt", tabbed_seed(sys.argv[1]))
    write("fuzz_settings", 1, "moview_graphics.inf",
          settings_file(zip(MO_LABELS, (str(v) for v in MO_VALUES))))
    write("fuzz_settings", 2, "tddft_graphics.inf", settings_file(SPECTRUM))
    # The line reader: the first byte picks what it looks for and its history, the rest is
    # any text; heads of fixture logs and line ends of every kind.
    for f in glob("logscan/water_opt_freq.log", "logscan/water_odd_values.log", "summary/h2co_opt_freq.log"):
        write("fuzz_lines", 1, f.name, f.read_bytes()[:3000])
    for index, name, content in ((4, "cr_lf_mix.txt", " #p opt\r\n Maximum Force 1\r \tMA\n\r\n\r   \n"),
                                 (7, "long_lines.txt", "x" * 70 + "\r" + " " * 63 + "MA\n" + " " * 64 + "\r\n#"),
                                 (9, "mark.txt", "\xef\xbb\xbfCharge = 0\n" * 40)):
        write("fuzz_lines", index, name, content.encode("latin-1"))
    for index, name, content in ((3, "ir_tab.txt", "# cm-1\n3000\t0.1\n1700\t0.9\n1000\t0.4\n"),
                                 (3, "ir_comma.csv", "wavenumber,absorbance\n3000,0.1\n1700,0.9\n"),
                                 (3, "uv_nm.txt", "# nm\n200 0.5\n250 1.0\n300 0.2\n")):
        write("fuzz_settings", index, name, content.encode())


if __name__ == "__main__":
    main()
