// Files a user may open by mistake or that ended early: each scans or stops with a
// clear message, never crashes, and the grids keep what was written.
#include <gtest/gtest.h>

#include <random>

#include "scan_test_support.h"

namespace {

using namespace scan_test;
using testing_support::TestApp;

bool AnyCell(const ui::StringGrid& g, char c) {
    for (int r = 0; r < g.RowCount(); ++r)
        for (int col = 0; col < g.ColCount(); ++col)
            if (g.Cell(col, r).find(c) != std::string::npos) return true;
    return false;
}

TEST(ScanBadInput, EmptyFileIsTooShort) {
    TestApp t;
    EXPECT_FALSE(Open(t, t.write("empty.log", "")));
    EXPECT_EQ(t.app.log.nline, 0);
    EXPECT_EQ(t.platform.MessageTexts().size(), 1u);
}

TEST(ScanBadInput, DevicesAndFoldersAreRefused) {
    TestApp t;
    for (const char* path : {"/dev/zero", "/tmp"}) {
        if (!std::filesystem::exists(path)) continue;
        EXPECT_FALSE(Open(t, path)) << path;
        ASSERT_FALSE(t.platform.messages.empty());
        EXPECT_TRUE(t.platform.messages.back().error) << path;
    }
    EXPECT_FALSE(Open(t, (t.dir / "missing.log").string()));
}

TEST(ScanBadInput, BinaryFileIsRefusedAsSuch) {
    TestApp t;
    std::mt19937 rng(7);
    std::string bytes;
    for (int i = 0; i < 40000; ++i) bytes += static_cast<char>(rng() % 256);
    for (int i = 0; i < 300; ++i) bytes += "\n\x01\xff\xfe";
    auto path = t.write("binary.log", bytes);
    EXPECT_FALSE(Open(t, path));
    ASSERT_FALSE(t.platform.messages.empty());
    EXPECT_NE(t.platform.messages.back().text.find("It holds binary data, not text."), std::string::npos);
    EXPECT_EQ(t.app.log.ndone, 0);
}

TEST(ScanBadInput, CrLfLineEndsLeaveNoCarriageReturnBehind) {
    TestApp t;
    ASSERT_TRUE(Open(t, Fixture("water_odd_values.log")));
    EXPECT_FALSE(AnyCell(t.app.form3.StringGrid1, '\r'));
    EXPECT_FALSE(AnyCell(t.app.form1.StringGrid1, '\r'));
    EXPECT_EQ(t.app.log.ndone, 4);
}

TEST(ScanBadInput, MegabyteLinesAndInvalidBytes) {
    TestApp t;
    auto path = Variant(t, "water_opt_freq.log", "long.log", [](std::vector<std::string>& l) {
        l.insert(l.begin() + 40, std::string(1 << 20, 'x'));
        l.insert(l.begin() + 41, " Frequencies --  " + std::string((1 << 20) - 17, '1'));  // 1 MiB in all
        l[Find(l, "Water optimisation then frequencies")] = " Wa\xff\xfe\xc3(ter \x80\x81";
    });
    ASSERT_TRUE(Open(t, path));
    EXPECT_EQ(t.app.log.ndone, 3);
    EXPECT_EQ(RowsWithKeyword(t.app, "Title Section")[0].contents, "Wa\xff\xfe\xc3(ter \x80\x81");
    auto freq = RowsWithKeyword(t.app, "Frequencies");
    ASSERT_EQ(freq.size(), 3u);
    EXPECT_EQ(freq[0].contents.size(), (size_t{1} << 20) - 17);

    // One byte more is refused, naming the line, rather than read into ever more memory.
    auto over = Variant(t, "water_opt_freq.log", "over.log", [](std::vector<std::string>& l) {
        l.insert(l.begin() + 41, std::string((1 << 20) + 1, 'x'));
    });
    EXPECT_FALSE(Open(t, over));
    EXPECT_NE(t.platform.messages.back().text.find("Line 42 is longer than 1 MiB"), std::string::npos);
}

TEST(ScanBadInput, RouteOrDipoleHeaderAsTheLastLine) {
    for (const char* last : {" #p HF/STO-3G", " Dipole moment (field-independent basis, Debye):"}) {
        TestApp t;
        auto path = Variant(t, "water_sp.log", "tail.log", [last](std::vector<std::string>& l) { l.push_back(last); });
        ASSERT_TRUE(Open(t, path)) << last;
        EXPECT_EQ(t.app.log.ndone, 1);
    }
}

TEST(ScanBadInput, ExtraKeywordHiddenFromTheCountingScanStillFits) {
    // A route line read ahead by the counting scan hides the SCF line right after it;
    // the indexing scan, which reads a dipole header's next line, sees it. The arrays grow.
    TestApp t;
    auto path = Variant(t, "water_sp.log", "hidden.log", [](std::vector<std::string>& l) {
        size_t at = Find(l, "SCF Done:");
        std::vector<std::string> extra = {" Dipole moment (field-independent basis, Debye):", " #p",
                                          " SCF Done:  E(RHF) =  -74.1234     A.U. after    9 cycles",
                                          " Maximum Force            0.000001     0.000450     YES",
                                          " Maximum Force            0.000001     0.000450     YES",
                                          " Standard orientation:", " -------"};
        l.insert(l.begin() + static_cast<long>(at) - 30, extra.begin(), extra.end());
    });
    Open(t, path);
    EXPECT_EQ(t.app.log.ndone, 2);
    EXPECT_LE(static_cast<size_t>(t.app.log.ndone) + 3, t.app.log.scfengy.size());
    EXPECT_LE(static_cast<size_t>(t.app.log.nforce) + 3, t.app.log.force_pos.size());
    EXPECT_LE(static_cast<size_t>(t.app.log.nstd) + 3, t.app.log.std_pos.size());
}

// A log cut inside a later section still yields its index and SCF table.
TEST(ScanBadInput, LogsCutInsideLaterSections) {
    struct Cut {
        const char* name;
        const char* start;
        int occurrence;
        int keep;  // lines kept after the start line
    };
    for (const Cut& cut : {Cut{"convergence", "RMS     Force", 3, 0}, Cut{"frequencies", "Frequencies --", 2, 2},
                           Cut{"mulliken", "Mulliken charges:", 3, 2}}) {
        TestApp t;
        auto path = Variant(t, "water_opt_freq.log", std::string(cut.name) + ".log", [&](std::vector<std::string>& l) {
            l.resize(Find(l, cut.start, cut.occurrence) + 1 + static_cast<size_t>(cut.keep));
        });
        Open(t, path);  // later phases may report the cut; the scan itself must finish
        EXPECT_EQ(t.app.log.ndone, 3) << cut.name;
        EXPECT_EQ(t.app.form1.StringGrid1.Cell(1, 3), "-75.313467893") << cut.name;
        EXPECT_FALSE(t.app.form3.StringGrid1.Cell(1, t.app.form3.StringGrid1.RowCount() - 1).empty()) << cut.name;
    }
}

}  // namespace
