// The MO model without any window: printings and their choice, slots and level ends,
// ranges, the unit conversion of the range boxes, and the three files.
#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"
#include "modiagram/mo_energy_reader.h"
#include "modiagram/mo_layout.h"
#include "modiagram/mo_settings_file.h"
#include "modiagram/mo_sheet.h"
#include "modiagram/mo_table_file.h"
#include "support/test_app.h"

using namespace mavrolin::modiagram;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

// Eigenvalue rows at the given index positions, each of `fields` ten-character values.
std::vector<EigenRow> Rows(const std::vector<std::pair<int, MoKind>>& at, int fields = 5) {
    static const std::string kFields = "  -1.00000  -1.00000  -1.00000  -1.00000  -1.00000";
    std::vector<EigenRow> rows;
    for (auto [pos, kind] : at) rows.push_back({pos, 100 + pos, kind, std::string_view(kFields).substr(0, 10 * fields)});
    return rows;
}

MoTableData Table(std::vector<std::vector<std::string>> columns) {
    MoTableData t;
    for (const auto& c : columns) t.rows = std::max(t.rows, static_cast<int>(c.size()));
    for (auto& c : columns) c.resize(static_cast<size_t>(t.rows));
    t.columns = std::move(columns);
    return t;
}

constexpr auto AO = MoKind::AlphaOcc;
constexpr auto AV = MoKind::AlphaVirt;

}  // namespace

TEST(MoEnergyReader, KindsOfIndexHits) {
    core::KeywordIndex index;
    const core::KeywordKind kinds[] = {core::KeywordKind::ScfDone,      core::KeywordKind::AlphaOccupied,
                                       core::KeywordKind::AlphaVirtual, core::KeywordKind::BetaOccupied,
                                       core::KeywordKind::BetaVirtual,  core::KeywordKind::Mulliken};
    for (auto kind : kinds) index.Add(100 + static_cast<long long>(index.size()), kind, "", "  -1.00000");
    auto rows = EigenRows(index);
    ASSERT_EQ(rows.size(), 4u);
    const MoKind expected[] = {MoKind::AlphaOcc, MoKind::AlphaVirt, MoKind::BetaOcc, MoKind::BetaVirt};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i].kind, expected[i]);
        EXPECT_EQ(rows[i].indexRow, static_cast<int>(i) + 1);
        EXPECT_EQ(rows[i].line, 101 + static_cast<long long>(i));
    }
    EXPECT_STREQ(KindCode(MoKind::BetaVirt), "bv");
    EXPECT_EQ(KindOfCell("bo  -1"), MoKind::BetaOcc);
}

TEST(MoEnergyReader, BlockChoice) {
    struct Case {
        const char* name;
        std::vector<int> lengths;
        int nenblock, chosen;
        bool differs;
    };
    const Case cases[] = {
        {"none", {}, 0, 0, false},
        {"one printing", {3}, 1, 1, false},
        {"first and final geometry", {3, 3}, 2, 2, false},
        {"first pair differs: first, count stops", {2, 3, 3, 3}, 2, 1, true},
        {"a longer last printing: second", {2, 2, 5}, 3, 2, false},
        {"MP2 optimisation 50 51 51 26 26", {50, 51, 51, 26, 26}, 2, 1, true},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<int, MoKind>> at;
        int pos = 1;
        for (int len : c.lengths) {
            for (int j = 0; j < len; ++j) at.push_back({pos++, AO});
            ++pos;  // an unrelated index row between printings
        }
        auto rows = Rows(at);
        auto blocks = FindBlocks(rows);
        ASSERT_EQ(blocks.size(), c.lengths.size()) << c.name;
        for (size_t b = 0; b < blocks.size(); ++b) EXPECT_EQ(blocks[b].length, c.lengths[b]) << c.name;
        auto choice = ChooseBlock(blocks);
        EXPECT_EQ(choice.nenblock, c.nenblock) << c.name;
        EXPECT_EQ(choice.chosen, c.chosen) << c.name;
        EXPECT_EQ(choice.firstPairDiffers, c.differs) << c.name;
    }
}

TEST(MoEnergyReader, OpenShellBlockReadsBothSpinsFromRowOne) {
    auto rows = Rows({{1, AO}, {2, AV}, {3, MoKind::BetaOcc}, {4, MoKind::BetaVirt}}, 2);
    rows[2].values = "  -2.00000  -1.50000";
    rows[0].values = "  -1.00000  -1.00000123";  // a remainder shorter than a field is ignored
    auto blocks = FindBlocks(rows);
    ASSERT_EQ(blocks.size(), 1u);
    auto n = CountOrbitals(rows, blocks[0]);
    EXPECT_EQ(n.nalpha, 4);
    EXPECT_EQ(n.nbeta, 4);
    auto set = ReadBlock(rows, blocks[0], true);
    EXPECT_EQ(set.alpha, (std::vector<std::string>{"ao  -1.00000", "ao  -1.00000", "av  -1.00000", "av  -1.00000"}));
    EXPECT_EQ(set.beta, (std::vector<std::string>{"bo  -2.00000", "bo  -1.50000", "bv  -1.00000", "bv  -1.00000"}));
    EXPECT_EQ(set.homoalpha, 2);
    EXPECT_EQ(set.homobeta, 2);
    auto closed = ReadBlock(rows, {0, 2}, false);
    EXPECT_EQ(closed.homoalpha, 0);  // closed-shell sets leave the counts to the table
}

TEST(MoEnergyReader, OverflowedFieldsAreCounted) {
    auto rows = Rows({{1, AO}}, 0);
    rows[0].values = "**********  -1.00000";
    auto set = ReadBlock(rows, {0, 1}, false);
    EXPECT_EQ(set.overflowed, 1);
    EXPECT_EQ(set.alpha.front(), "ao  **********");
    double e = 0;
    EXPECT_FALSE(CellEnergy(set.alpha.front(), e));
    EXPECT_TRUE(CellEnergy(set.alpha.back(), e));
    EXPECT_DOUBLE_EQ(e, -1.0);
    EXPECT_FALSE(CellEnergy("   ", e));
    EXPECT_THROW(CellEnergy("ao  -1.2x", e), core::ConversionError);
}

TEST(MoLayout, SlotsOfClosedShellSets) {
    auto table = Table({{"Alpha", "ao  -1"}, {"Alpha", "ao  -1"}, {"Alpha", "ao  -1"}});
    SlotOptions o{4, 0};
    EXPECT_DOUBLE_EQ(*SlotExtent(o, 3, 0), 12);
    auto places = PlaceColumns(table, o);
    for (int k = 0; k < 3; ++k) {
        auto ends = LevelSpan(o, places[static_cast<size_t>(k)].slot, false, false);
        EXPECT_EQ(ends.x1, 4 * k + 1);
        EXPECT_EQ(ends.x2, 4 * k + 3);
    }
}

TEST(MoLayout, OpenShellSetInEachOverlayMode) {
    auto table = Table({{"Alpha", "ao  -1", "av  1"}, {"Beta", "bo  -1", "bv  1"}});
    struct Case {
        int overlay;
        LevelEnds alpha, beta;
        double dxmax;
    };
    for (auto c : {Case{2, {1, 5}, {3, 7}, 8}, Case{1, {1, 7}, {1, 7}, 8}, Case{0, {1, 7}, {9, 15}, 16}}) {
        SlotOptions o{8, c.overlay};
        auto levels = VisibleLevels(table, o, 1.0, -5, 5);
        ASSERT_EQ(levels.size(), 4u);
        EXPECT_EQ(levels[0].ends.x1, c.alpha.x1) << c.overlay;
        EXPECT_EQ(levels[0].ends.x2, c.alpha.x2) << c.overlay;
        EXPECT_EQ(levels[2].ends.x1, c.beta.x1) << c.overlay;
        EXPECT_EQ(levels[2].ends.x2, c.beta.x2) << c.overlay;
        EXPECT_EQ(*SlotExtent(o, 2, 1), c.dxmax);
    }
    EXPECT_FALSE(SlotExtent({4, 1}, 3, 0).has_value());
}

TEST(MoLayout, RangesAndVisibleLevels) {
    auto table = Table({{"Alpha", "ao  **********", "ao  -0.5", "av  0.25"}});
    double lo = 0, hi = 0;
    EnergyExtent(table, 27.2114, lo, hi);
    EXPECT_DOUBLE_EQ(lo, -0.5 * 27.2114);  // the overflowed level is left out
    EXPECT_DOUBLE_EQ(hi, 0.25 * 27.2114);
    EXPECT_EQ(VisibleLevels(table, {4, 0}, 1.0, -0.4, 1).size(), 1u);
}

TEST(MoLayout, EnergyLabelsAreCutNotRounded) {
    EXPECT_EQ(EnergyLabel(-10.1893245, 8), "-10.1893");
    EXPECT_EQ(EnergyLabel(-10.1893245, 4), "-10.");
    EXPECT_EQ(EnergyLabel(2.5, 10), "2.5");
}

TEST(MoLayout, RangeBoxesThroughUnits) {
    const auto& ev = EnergyUnitOf(1);
    const auto& kcal = EnergyUnitOf(3);
    const double lo = ConvertRangeValue(-20, ev.factor, kcal), hi = ConvertRangeValue(5, ev.factor, kcal);
    EXPECT_NEAR(lo, -461.21111, 1e-5);
    EXPECT_NEAR(hi, 115.30278, 1e-5);
    EXPECT_EQ(lo, std::nearbyint(lo * 1e13) / 1e13);
    EXPECT_EQ(ConvertRangeValue(lo, kcal.factor, ev), -20);
    EXPECT_EQ(ConvertRangeValue(hi, kcal.factor, ev), 5);
    const auto& hartree = EnergyUnitOf(2);
    EXPECT_DOUBLE_EQ(ConvertRangeValue(-20, ev.factor, hartree), -20 / 27.2114);
    EXPECT_STREQ(EnergyUnitOf(4).name, "kJ/mol");
}

TEST(MoTableFile, RoundTripWithBlankCells) {
    TempDir dir;
    auto table = Table({{"Alpha", "ao  -10.18932", "av  0.5"}, {"Alpha", "ao  -1.0"}, {"Beta", "bv  0.25"}});
    WriteTabbedFile(dir / "t.txt", table);
    EXPECT_EQ(ReadFile(dir / "t.txt"),
              "Alpha\tAlpha\tBeta\r\nao  -10.18932\tao  -1.0\tbv  0.25\r\nav  0.5\tNA\tNA\r\n");
    auto back = ReadTabbedFile(dir / "t.txt");
    ASSERT_EQ(back.Cols(), 3);
    ASSERT_EQ(back.Rows(), 3);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) EXPECT_EQ(back.Cell(c, r), table.Cell(c, r)) << c << "," << r;

    testing_support::WriteFile(dir / "short.txt", "Alpha\r\nao  -1\tav  2\r\n");
    auto narrow = ReadTabbedFile(dir / "short.txt");
    EXPECT_EQ(narrow.Cols(), 1);  // the first line decides the columns
    EXPECT_EQ(narrow.Cell(0, 1), "ao  -1");
}

TEST(MoSettingsFile, SeventeenLinesAndReadBack) {
    TempDir dir;
    SettingsValues v{16711680, 16711935, 32768, 255, 3, 1, 2, 0, 8, 2, 1, 12, 10, 3, 1};
    WriteSettingsFile(dir / kSettingsFileName, "2026/12/09 12:00:00", v);
    auto text = ReadFile(dir / kSettingsFileName);
    EXPECT_TRUE(text.starts_with("Title: Created on 2026/12/09 12:00:00\r\n"
                                 "Alpha Occupied Orbital Color            16711680\r\n"));
    EXPECT_NE(text.find("\r\nDisplay FileName(s) (ON/OFF)            1\r\n"
                        "--------------------------------------------     end of settings\r\n"),
              std::string::npos);
    SettingsValues back{};
    ReadSettingsFile(dir / kSettingsFileName, [&](int i, long long value) { back[static_cast<size_t>(i - 1)] = value; });
    EXPECT_EQ(back, v);

    // Labels may change; the value must stay at character 41. The lines before a bad one apply.
    testing_support::WriteFile(dir / "bad.inf", "title\nAny label at all                        77\nshort 5\n");
    std::vector<long long> seen;
    EXPECT_THROW(ReadSettingsFile(dir / "bad.inf", [&](int, long long value) { seen.push_back(value); }),
                 core::ConversionError);
    EXPECT_EQ(seen, std::vector<long long>{77});
}

TEST(MoSheet, TwoClosedShellSetsWithFillerCells) {
    auto table = Table({{"Alpha", "ao  -1", "ao  -0.5", "av  0.5"}, {"Alpha", "ao  -2", "ao  -1", "av  1", "av  2"}});
    std::vector<std::string> mem{"", "/w/a.log", "/w/b.log"};
    auto lines = SheetLines(table, mem, {4, 0}, 2.0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "/w/a.log\tAlpha\t1\t-2\t-1\t1\t");  // last table row blank: ends after a TAB
    EXPECT_EQ(lines[1], "  \tAlpha\t3\t-2\t-1\t1\t");
    EXPECT_EQ(lines[2], "/w/b.log\tAlpha\t5\t  \t  \t  \t-4\t-2\t2\t4");
    EXPECT_EQ(lines[3], "  \tAlpha\t7\t  \t  \t  \t-4\t-2\t2\t4");
    EXPECT_TRUE(SheetLines(Table({{"Alpha", "bo  -1"}}), mem, {4, 0}, 1.0).empty());
}

TEST(MoSheet, OpenShellSetsFollowTheirHeaders) {
    // The beta column of a doublet with one electron starts with a virtual level.
    auto table = Table({{"Alpha", "ao  -1", "av  1"}, {"Beta", "bv  0.5", "bv  1"}});
    std::vector<std::string> mem{"", "h.log"};
    auto lines = SheetLines(table, mem, {8, 2}, 1.0);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[0].starts_with("h.log\tAlpha\t1\t"));
    EXPECT_TRUE(lines[1].starts_with("  \tAlpha\t5\t"));
    EXPECT_TRUE(lines[2].starts_with("  \tBeta\t3\t"));
    EXPECT_TRUE(lines[3].starts_with("  \tBeta\t7\t  \t  \t0.5\t1"));
}
