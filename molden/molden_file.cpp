#include "molden/molden_file.h"

#include <fmt/format.h>

#include <cmath>

#include "core/elements.h"
#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"

namespace mavrolin::molden {

namespace {

// A value that prints as zero is written without a sign.
double Unsigned0(double v) { return std::fabs(v) < 5e-9 ? 0.0 : v; }

std::string Symbol(int z) { return z >= 1 && z <= 118 ? core::elem[static_cast<size_t>(z)] : "X"; }

const char* ShellName(const Shell& s) {
    static const char* const names[] = {"s", "p", "d", "f", "g"};
    return s.sp ? "sp" : names[s.l];
}

void Check(const MoldenData& data) {
    const auto atoms = data.atoms.size();
    if (atoms == 0) throw core::InputError("No atoms to write: the log holds no orientation.");
    for (const auto& m : data.modes.modes)
        if (m.displacement.size() != atoms)
            throw core::InputError("Mode " + core::IntText(m.number) + " displaces " +
                                   core::IntText(static_cast<long long>(m.displacement.size())) + " atoms, the orientation has " +
                                   core::IntText(static_cast<long long>(atoms)) + ".");
    if (data.basis.shells.empty()) return;
    data.basis.CheckWritable();
    for (const auto& s : data.basis.shells)
        if (s.atom < 1 || static_cast<size_t>(s.atom) > atoms)
            throw core::InputError("A basis shell sits on atom " + core::IntText(s.atom) + ", the orientation has " +
                                   core::IntText(static_cast<long long>(atoms)) + " atoms.");
    const auto functions = static_cast<size_t>(data.basis.Functions());
    for (const auto& o : data.orbitals)
        if (o.coefficients.size() != functions)
            throw core::InputError("The orbitals have " + core::IntText(static_cast<long long>(o.coefficients.size())) +
                                   " coefficients, the basis " + core::IntText(static_cast<long long>(functions)) +
                                   " functions: they belong to different runs.");
}

}  // namespace

std::vector<MoldenOrbital> OrbitalsFromTables(const pdos::CoefficientTables& tables) {
    std::vector<MoldenOrbital> out;
    for (const bool beta : {false, true}) {
        if (beta && !tables.OpenShell()) break;
        const auto& grid = beta ? tables.beta : tables.alpha;
        const double full = tables.OpenShell() ? 1 : 2;
        for (int j = 1; j <= grid.nmo(); ++j) {
            // Header "12_ao  -0.35000": number, spin and occupied/virtual code, energy in hartree.
            // The grid read its numbers when the cells were set; the texts serve the messages.
            const std::string& header = grid.Cell(j, 0);
            MoldenOrbital o;
            o.beta = beta;
            o.energy = grid.HeaderEnergy(j);
            const auto u = header.find('_');
            if (std::isnan(o.energy) || u == std::string::npos || u + 2 >= header.size())
                throw core::InputError("The energy of MO " + core::IntText(j) + " cannot be read from its header \"" +
                                       header + "\".");
            o.occupation = header[u + 2] == 'o' ? full : 0;
            o.coefficients.resize(static_cast<size_t>(grid.nbasis()));
            for (int a = 1; a <= grid.nbasis(); ++a) {
                o.coefficients[static_cast<size_t>(a) - 1] = grid.Value(j, a);
                if (std::isnan(o.coefficients[static_cast<size_t>(a) - 1]))
                    throw core::InputError("MO " + core::IntText(j) + " has no coefficient for AO " + core::IntText(a) +
                                           " ('" + grid.Cell(j, a) + "'): the log printed only part of the orbitals.");
            }
            out.push_back(std::move(o));
        }
    }
    return out;
}

void WriteMolden(const std::filesystem::path& file, const MoldenData& data) {
    Check(data);
    core::TextWriter w(file);
    w.WriteLine("[Molden Format]");
    if (!data.title.empty()) {
        w.WriteLine("[Title]");
        w.WriteLine(data.title);
    }
    w.WriteLine("[Atoms] Angs");
    for (size_t i = 0; i < data.atoms.size(); ++i) {
        const auto& a = data.atoms[i];
        w.WriteLine(fmt::format("{:<3}{:>6}{:>4} {:15.8f} {:15.8f} {:15.8f}", Symbol(a.atomicNumber), i + 1,
                                a.atomicNumber, Unsigned0(a.x), Unsigned0(a.y), Unsigned0(a.z)));
    }
    if (!data.modes.Empty()) {
        w.WriteLine("[FREQ]");
        for (const auto& m : data.modes.modes) w.WriteLine(fmt::format("{:12.4f}", m.frequency));
        w.WriteLine("[FR-COORD]");
        for (const auto& a : data.atoms)
            w.WriteLine(fmt::format("{:<3} {:15.8f} {:15.8f} {:15.8f}", Symbol(a.atomicNumber),
                                    Unsigned0(a.x * kBohrPerAngstrom), Unsigned0(a.y * kBohrPerAngstrom),
                                    Unsigned0(a.z * kBohrPerAngstrom)));
        w.WriteLine("[FR-NORM-COORD]");
        for (size_t k = 0; k < data.modes.modes.size(); ++k) {
            w.WriteLine(fmt::format("vibration {}", k + 1));
            for (const auto& d : data.modes.modes[k].displacement)
                w.WriteLine(fmt::format("{:12.5f} {:12.5f} {:12.5f}", d[0], d[1], d[2]));
        }
        w.WriteLine("[INT]");
        for (const auto& m : data.modes.modes) w.WriteLine(fmt::format("{:12.4f}", m.ir));
    }
    if (!data.basis.shells.empty()) {
        bool pure[5] = {};
        for (const auto& s : data.basis.shells) pure[s.l] = pure[s.l] || s.pure;
        // The flags come before [GTO]: a viewer reading the shells must know their kind.
        if (pure[2] && pure[3]) w.WriteLine("[5D]");  // pure d and f
        else if (pure[2]) w.WriteLine("[5D10F]");
        else if (pure[3]) w.WriteLine("[7F]");
        if (pure[4]) w.WriteLine("[9G]");
        w.WriteLine("[GTO]");
        for (size_t atom = 1; atom <= data.atoms.size(); ++atom) {
            w.WriteLine(fmt::format("{:>4} 0", atom));
            for (const auto& s : data.basis.shells) {
                if (static_cast<size_t>(s.atom) != atom) continue;
                w.WriteLine(fmt::format(" {:<2} {:>3} 1.00", ShellName(s), s.exponents.size()));
                for (size_t p = 0; p < s.exponents.size(); ++p)
                    w.WriteLine(s.sp ? fmt::format("{:20.10E} {:20.10E} {:20.10E}", s.exponents[p], s.coefficients[p],
                                                   s.pCoefficients[p])
                                     : fmt::format("{:20.10E} {:20.10E}", s.exponents[p], s.coefficients[p]));
            }
            w.WriteLine();
        }
        w.WriteLine("[MO]");
        for (const auto& o : data.orbitals) {
            w.WriteLine(fmt::format(" Ene= {:.6f}", o.energy));
            w.WriteLine(o.beta ? " Spin= Beta" : " Spin= Alpha");
            w.WriteLine(fmt::format(" Occup= {:.6f}", o.occupation));
            for (size_t a = 0; a < o.coefficients.size(); ++a)
                w.WriteLine(fmt::format("{:5} {:16.10f}", a + 1, o.coefficients[a]));
        }
    }
    w.Close();
}

}  // namespace mavrolin::molden
