// The trigger table both scans classify lines with, and the typed keyword index the
// analysis report grid shows and later phases read.
#include <gtest/gtest.h>

#include <map>

#include "core/text_file.h"
#include "logscan/keyword_scan.h"
#include "logscan/keyword_triggers.h"
#include "logscan/log_scan.h"
#include "scan_test_support.h"

namespace {

using namespace scan_test;
using core::KeywordKind;
using mavrolin::logscan::Classify;
using mavrolin::logscan::Trigger;
using testing_support::TestApp;

TEST(KeywordTriggers, ClassifiesTrimmedLines) {
    struct Case {
        const char* line;
        bool inputOrientation;
        Trigger expected;
    } cases[] = {
        {"#p B3LYP/6-31G(d) Opt", false, Trigger::Route},
        {"Charge =  0 Multiplicity = 1", false, Trigger::ChargeMultiplicity},
        {"SCF Done:  E(RHF) =  -75.31", false, Trigger::ScfDone},
        {"scf done:", false, Trigger::ScfDone},  // any case
        {"Alpha  occ. eigenvalues --  -20.5", false, Trigger::AlphaOccupied},
        {"Alpha virt. eigenvalues --    0.2", false, Trigger::AlphaVirtual},
        {"Beta  occ. eigenvalues --  -20.5", false, Trigger::BetaOccupied},
        {"NBasis=    25 RedAO= T", false, Trigger::NBasis},
        {"NBasisX=   25", false, Trigger::None},
        {"NBsUse=    25 1.00D-06", false, Trigger::NBsUse},
        {"Molecular Orbital Coefficients:", false, Trigger::MoCoefficients},
        {"Molecular Orbital Coefficients: x", false, Trigger::None},
        {"Standard orientation:", false, Trigger::Orientation},
        {"Standard orientation:", true, Trigger::OtherOrientation},
        {"Input orientation:", true, Trigger::Orientation},
        {"Input orientation:", false, Trigger::OtherOrientation},
        {"Z-Matrix orientation:", true, Trigger::Orientation},
        {"Mulliken charges:", false, Trigger::Mulliken},
        {"Mulliken atomic charges:", false, Trigger::Mulliken},
        {"Total atomic charges:", false, Trigger::Mulliken},
        {"Mulliken charges and spin densities:", false, Trigger::Mulliken},
        {"Mulliken charges with hydrogens summed into heavy atoms:", false, Trigger::None},
        {"Dipole moment (field-independent basis, Debye):", false, Trigger::DipoleMoment},
        {"Normal termination of Gaussian 16", false, Trigger::NormalTermination},
        {"Excited State   1:      Singlet-A", false, Trigger::ExcitedState},
        {"EXCITED STATE   1:", false, Trigger::None},  // exact case
        {"Frequencies --   1611.1", false, Trigger::Frequencies},
        {"Zero-point correction=   0.021", false, Trigger::ZeroPoint},
        {"Annihilation of the first spin contaminant:", false, Trigger::Annihilation},
        {"Maximum Force            0.000451", false, Trigger::MaximumForce},
        {"", false, Trigger::None},
        {"Leave Link  202", false, Trigger::None},
    };
    for (const auto& c : cases) EXPECT_EQ(Classify(c.line, c.inputOrientation), c.expected) << c.line;
}

// The counts of the counting scan are the hits the indexing scan records: both classify
// with the same table, so the sized arrays always fit.
TEST(KeywordIndex, CountingAndIndexingScansAgree) {
    using namespace mavrolin::logscan;
    for (const char* name : {"water_opt_freq.log", "oh_doublet.log", "water_input_orientation.log"}) {
        const KeywordScan scan = ScanKeywords(Fixture(name));
        const KeywordCounts& c = scan.counts;
        std::map<KeywordKind, int> counted = {
            {KeywordKind::ChargeMultiplicity, c.nchgmlt}, {KeywordKind::ScfDone, c.ndone},
            {KeywordKind::MaximumForce, c.nforce},        {KeywordKind::Orientation, scan.Orientations()},
            {KeywordKind::Mulliken, c.nmllkn},            {KeywordKind::DipoleMoment, c.ndipol},
            {KeywordKind::Frequencies, c.nfreq},          {KeywordKind::ZeroPoint, c.nzero},
            {KeywordKind::NormalTermination, c.nterm},    {KeywordKind::AlphaOccupied, c.nalphaocc},
            {KeywordKind::AlphaVirtual, c.nalphavrt},     {KeywordKind::BetaOccupied, c.nbetaocc},
            {KeywordKind::BetaVirtual, c.nbetavrt},       {KeywordKind::Route, c.njob}};
        for (const auto& [kind, n] : counted) {
            EXPECT_EQ(static_cast<int>(scan.index.Lines(kind).size()), n)
                << name << " kind " << static_cast<int>(kind);
        }
        EXPECT_GT(scan.index.size(), 10u) << name;
    }
}

TEST(KeywordIndex, ReportGridShowsTheIndexRowByRow) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_unconverged.log")));
    const auto& hits = t.app.log.keywords;
    auto rows = ReportRows(t.app);
    ASSERT_EQ(rows.size(), hits.size());
    bool sawMessage = false;
    for (size_t i = 0; i < hits.size(); ++i) {
        EXPECT_EQ(rows[i].line, std::to_string(hits[i].line));
        EXPECT_EQ(rows[i].keyword, hits[i].keyword);
        EXPECT_EQ(rows[i].contents, hits[i].contents);
        EXPECT_EQ(rows[i].remark, hits[i].remark);
        EXPECT_EQ(rows[i].message, hits[i].message);
        sawMessage |= !hits[i].message.empty();
    }
    EXPECT_TRUE(sawMessage);
    EXPECT_EQ(t.app.form3.StringGrid1.Cell(4, 0), "Message");
}

// What the excited-state phase finds: the state lines with their numbers and texts.
TEST(KeywordIndex, ExcitedStateHitsCarryLineAndTexts) {
    TestApp t;
    auto path = Variant(t, "water_sp.log", "td.log", [](std::vector<std::string>& l) {
        auto at = l.begin() + static_cast<long>(Find(l, "Normal termination"));
        at = l.insert(at, " Excited State   2:      Singlet-B2     8.1000 eV  153.07 nm  f=0.0500  <S**2>=0.000");
        l.insert(at, " Excited State   1:      Singlet-A2     7.1234 eV  174.05 nm  f=0.0000  <S**2>=0.000");
    });
    ASSERT_TRUE(Open(t, path));
    const auto lines = Lines(path);
    auto states = t.app.log.keywords.Of(KeywordKind::ExcitedState);
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0].line, static_cast<long long>(Find(lines, "Excited State   1")) + 1);
    EXPECT_EQ(states[0].keyword, "Excited State   1:");
    EXPECT_EQ(states[1].contents, "Singlet-B2     8.1000 eV  153.07 nm  f=0.0500  <S**2>=0.000");
    EXPECT_EQ(t.app.log.nexstt, 2);
    EXPECT_EQ(t.app.log.exstt_pos[2], states[1].line);
    // The eigenvalue hits of the same log, for the MO energy phase.
    auto occupied = t.app.log.keywords.Of(KeywordKind::AlphaOccupied);
    ASSERT_FALSE(occupied.empty());
    EXPECT_EQ(occupied[0].keyword, "Alpha  occ. eigenvalues");
}

}  // namespace

// The index keeps its texts packed: every hit must read back as it was added across
// block and chunk boundaries, after late changes, and through a copy and a move.
TEST(KeywordIndex, PackedTextsReadBackThroughGrowthCopyAndMove) {
    core::KeywordIndex index;
    const std::string longText(300000, 'x');  // longer than a block: stored on its own
    // Runs of 64 hits share a keyword, so each kind meets its last keyword again (reused).
    auto keywordOf = [](size_t i) { return i / 64 % 7 == 0 ? std::string() : "Key " + std::to_string(i / 64 % 5); };
    auto contentsOf = [&](size_t i) { return i == 5000 ? longText : std::string(i % 50, char('a' + i % 26)); };
    constexpr size_t kHits = 20000;  // several chunks of records and blocks of text
    for (size_t i = 0; i < kHits; ++i)
        EXPECT_EQ(index.Add(static_cast<long long>(i) + 1, KeywordKind(i % 16), keywordOf(i), contentsOf(i)), i);
    index.SetKeyword(3, "SCF Done: #1");
    index.SetContents(4, "1.8532 Debye");
    index.SetRemark(6, core::HitRemark::Excluded);
    index.SetNotConverged(8);
    index.SetRemark(8, core::HitRemark::NotAvailable);
    auto check = [&](const core::KeywordIndex& ix) {
        ASSERT_EQ(ix.size(), kHits);
        size_t i = 0;
        for (const core::KeywordHit hit : ix) {
            EXPECT_EQ(hit.line, static_cast<long long>(i) + 1);
            EXPECT_EQ(hit.kind, KeywordKind(i % 16));
            EXPECT_EQ(hit.keyword, i == 3 ? "SCF Done: #1" : keywordOf(i)) << i;
            EXPECT_EQ(hit.contents, i == 4 ? "1.8532 Debye" : contentsOf(i)) << i;
            EXPECT_EQ(hit.remark, i == 6 ? "Excluded" : i == 8 ? "N/A" : "") << i;
            EXPECT_EQ(hit.message.empty(), i != 8) << i;
            ++i;
        }
        EXPECT_EQ(ix.Of(KeywordKind(5)).size(), ix.Lines(KeywordKind(5)).size());
    };
    check(index);
    core::KeywordIndex copy = index;
    check(copy);
    core::KeywordIndex moved = std::move(index);
    check(moved);
    EXPECT_TRUE(index.empty());  // NOLINT(bugprone-use-after-move): a moved-from index is empty and usable
    index.Add(1, KeywordKind::Title, "Title Section", "again");
    EXPECT_EQ(index[0].contents, "again");
    check(moved);
}
