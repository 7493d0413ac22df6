// Phase of "Open Log/Out File (Opt,Freq)": chooses one printing of the orbital energies
// among the eigenvalue hits of the keyword index and appends it as a set to the MO table.
#include "modiagram/mo_energy_phase.h"

#include "app/application.h"
#include "core/number_text.h"
#include "modiagram/mo_energy_reader.h"

namespace mavrolin::modiagram {

namespace {

void SetsMessage(Application& app) {
    const int nfile = app.log.nfile;
    if (nfile > 1 && nfile % 10 == 1)
        app.ShowMessagePos("The number of MO energy sets in your MO Table exceeds " + core::IntText(nfile - 1) +
                           " If you do not need them, please go to the table and initialize to avoid the excessive "
                           "memory usage!");
}

}  // namespace

void LoadMoCoefficients(Application& app, long long blockStart, int blockLength) {
    app.form14.LoadCoefficients(blockStart, blockLength);
}

void MoEnergyPhase(Application& app) {
    auto& log = app.log;
    const auto rows = EigenRows(log.keywords);
    const auto blocks = FindBlocks(rows);
    const BlockChoice choice = ChooseBlock(blocks);
    log.nenblock = choice.nenblock;
    log.blocksize = choice.blocksize;
    log.blocksize2 = choice.blocksize2;
    if (choice.firstPairDiffers)
        app.ShowMessagePos("Something is worng! Please check whether you have an appropriate LOG file or not!! Job "
                           "aborted!");
    else if (choice.nenblock == 0)
        return;  // no orbital energies in this log
    app.ShowMessagePos("There is(are) " + core::IntText(log.nenblock) +
                       " block(s) of MO energy data, and the block number used is " + core::IntText(choice.chosen));
    log.nenblock2 = choice.chosen;
    if (choice.chosen < 1 || static_cast<size_t>(choice.chosen) > blocks.size()) {
        app.ShowMessagePos("Error! Check the file content!");
        return;
    }
    // The chosen printing is walked by its own length: printings of one log may differ.
    const EigenBlock& block = blocks[static_cast<size_t>(choice.chosen) - 1];
    log.blocksize = block.length;

    const OrbitalCount n = CountOrbitals(rows, block);
    log.nalpha = n.nalpha;
    log.nbeta = n.nbeta;
    app.ShowMessagePos("nalpha = " + core::IntText(n.nalpha) + " / nbeta = " + core::IntText(n.nbeta));
    if (n.nbeta != 0 && n.nalpha != n.nbeta) {
        app.ShowMessagePos(
            "Inconsistency in the number of alpha and beta orbitals!! Please check!! Requested job aborted!");
        return;
    }

    const bool openShell = n.nbeta != 0;
    log.mocoeff_start = static_cast<int>(rows[block.first].line);
    log.homoalpha = log.homobeta = 0;
    if (n.nalpha > 0) {
        const MoSet set = ReadBlock(rows, block, openShell);
        log.homoalpha = set.homoalpha;
        log.homobeta = set.homobeta;
        log.motype = KindCode(rows[block.first + static_cast<size_t>(block.length) - 1].kind);
        app.form6.AppendSet(set, openShell, n.nalpha);
        if (set.overflowed > 0)
            app.ShowMessagePos(core::IntText(set.overflowed) +
                               " orbital energies of this log are printed as ********** (too large for their "
                               "field). They stay in the MO table but are left out of display ranges, diagrams, "
                               "spreadsheets and densities of states.");
    }

    if (app.form6.StringGrid1.Cell(0, 1).starts_with("ao")) {
        app.form6.RecountSets();
        log.FileMem[static_cast<size_t>(log.nfile)] = log.FileDum;
        SetsMessage(app);
    }
    if (log.mocoeff_start > 0) LoadMoCoefficients(app, log.mocoeff_start, block.length);
}

}  // namespace mavrolin::modiagram
