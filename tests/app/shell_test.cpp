#include <gtest/gtest.h>

#include "core/errors.h"
#include "support/test_app.h"

using testing_support::TestApp;

TEST(Shell, WindowsCreatedInOrderWithCaptions) {
    TestApp t;
    std::vector<std::string> captions;
    for (auto* f : t.app.Forms()) captions.push_back(f->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{
                            "Mavrolin 2025 (February 9, 2025)",
                            "SCF Energy Change Profile during Opt (No chemical meaning!)",
                            "Log/Out Analysis Report", "Frequencies and Other Reports", "Help",
                            "List of MO Energy Levels Imported", "Comparison of MO Energy Levels",
                            "Graphics Settings", "Spectral Simulation Using TD-DFT Results",
                            "Graphics Setting for TD-DFT Spectral Simulation", "ESI Report Format",
                            "Contributions", "Form13", "MO Coefficients",
                            "Projected Density Of States (PDOS)", "Projected DOS Diagram", "BS Names",
                            "IR/Raman Spectra", "Thermochemistry of Several Logs", "ECD Spectrum",
                            "Weighted Spectrum"}));
    EXPECT_TRUE(t.app.form1.Visible());
    EXPECT_FALSE(t.app.form13.Visible());
    EXPECT_EQ(t.app.form1.ClientWidth(), 1038);
    EXPECT_EQ(t.app.form1.ClientHeight(), 532);
    EXPECT_EQ(t.app.form1.StringGrid1.ColWidth(0), 63);
    EXPECT_EQ(t.app.form1.StringGrid1.ColWidth(1), 96);
    EXPECT_FALSE(t.app.form1.StringGrid2.Visible());
}

TEST(Shell, MenuTreeCaptionsAndSeparators) {
    TestApp t;
    auto& menu = t.app.form1.Menu;
    std::vector<std::string> top;
    for (auto* i : menu.Items()) top.push_back(i->Caption());
    EXPECT_EQ(top, (std::vector<std::string>{"File", "View Results", "Show Z-matrix", "Help"}));
    std::vector<std::string> file;
    for (auto* i : menu.Items()[0]->Items()) file.push_back(i->Caption());
    EXPECT_EQ(file, (std::vector<std::string>{
                        "Open Log/Out File (Opt,Freq)", "Open Log/Out File (SCAN)", "Recent Files", "-",
                        "Save Cartesian Coordinates with Labels", "Save as XYZ\u2026", "Save SCF Energy Changes during Opt ", "-",
                        "Read Cartesian Coordinates from *.PDB (Spartan)",
                        "Read Cartesian Coordinates from *.ENT; *.PDB",
                        "Read Standard Cartesian Coordinates (Space-separated)", "-",
                        "Get Final Standard Orientation in Log/Out File",
                        "Get Final Z-matrix Coordinates  in Log/Out File",
                        "Save Imported Z-matrix (Log/Out) in Constrained Format",
                        "Save Imported Z-matrix (Log/Out) int Non-constrained Format",
                        "Convert Z-Matrix Format; Numerical (Gaussview.gjf) to Standard (Rn=,An=,Dn=)", "-",
                        "Save", "-", "Exit"}));
    std::vector<std::string> view;
    for (auto* i : menu.Items()[1]->Items()) view.push_back(i->Caption());
    EXPECT_EQ(view, (std::vector<std::string>{"Analysis Report for Log/Out File", "SCF Energy Change Profile (Opt)",
                                              "MO Energy Table/Diagram", "Frequencies, Energies. etc. (Opt) ",
                                              "Spectra (TD-DFT Results)", "-", "Scan Messages",
                                              "Thermochemistry of Several Logs\u2026"}));
    EXPECT_FALSE(t.app.form1.SpectraTDDFTResults1.Enabled());
}

TEST(Shell, PlacementRulesAreAppliedOnceOnly) {
    TestApp t;
    auto& f1 = t.app.form1;
    t.platform.monitor = {1920, 1080};
    f1.SetBounds(10, 20, 1000, 500);
    f1.AlanlysisReport1Click();
    EXPECT_EQ(t.app.form3.Left(), 1010);
    EXPECT_EQ(t.app.form3.Top(), 20);
    EXPECT_EQ(t.app.form3.Width(), 910);
    EXPECT_EQ(t.app.form3.Height(), 500);
    EXPECT_TRUE(t.app.form3.Visible());
    f1.SetBounds(100, 100, 800, 400);
    f1.AlanlysisReport1Click();
    EXPECT_EQ(t.app.form3.Left(), 1010);

    f1.FrequenciesEnergiesOpt1Click();
    auto& f4 = t.app.form4;
    EXPECT_EQ(f4.Height(), 994);   // 1080 * 0.92 = 993.6
    EXPECT_EQ(f4.Width(), 1862);   // 1920 * 0.97 = 1862.4
    EXPECT_EQ(f4.Top(), (1080 - 100) * 15 / 31 + 100 - 994 / 2);
    EXPECT_EQ(f4.Left(), (1920 - 100) / 2 + 100 - 1862 / 2);

    f1.PlaceOnFirstEnergies();
    EXPECT_EQ(f1.Height(), 1026);
    f1.SetHeight(300);
    f1.PlaceOnFirstEnergies();
    EXPECT_EQ(f1.Height(), 300);

    // Help is centred on the main window every time.
    f1.Help1Click();
    EXPECT_EQ(t.app.form5.Left(), 100 + 800 / 2 - 509 / 2);
    EXPECT_EQ(t.app.form5.Top(), 100 + 300 / 2 - 334 / 2);
}

TEST(Shell, ResizeKeepsHiddenGridsAtHalfTheClientHeight) {
    TestApp t;
    t.app.form1.SetClientHeight(601);
    EXPECT_EQ(t.app.form1.StringGrid2.Height(), 300);
    EXPECT_EQ(t.app.form1.StringGrid3.Height(), 300);
}

TEST(Shell, HelpTextCarriesTheAdvice) {
    TestApp t;
    EXPECT_NE(t.app.form5.Memo1.Text().find(
                  "*Warning: Please always add Freq or Freq=Raman in the job command line for Opt, even if "
                  "CalcAll is added. Another encouragement is to add Pop=Full always in order to make easy "
                  "access to the MO coefficient tables."),
              std::string::npos);
}

TEST(Shell, ExitReleasesTheFirstTenWindowsWithPauses) {
    TestApp t;
    t.platform.events.clear();
    ASSERT_TRUE(t.app.form1.Exit1.Click());
    std::vector<std::string> expected;
    for (int i = 1; i <= 10; ++i) {
        expected.push_back("release Form" + std::to_string(i));
        expected.push_back("pause 10");
    }
    expected.push_back("quit");
    EXPECT_EQ(t.platform.events, expected);
    EXPECT_FALSE(std::filesystem::exists(t.dir / "dirinfo"));  // nothing written at exit
}

TEST(Shell, UtilityButtonsWorkOnTheSharedRecord) {
    TestApp t;
    auto& log = t.app.log;
    log.buff = "  a  b ";
    t.app.form1.DecodeClick();
    EXPECT_EQ(log.ncode, 2);
    log.buff = std::string(51, 'x');
    t.app.form1.Decode10Click();
    EXPECT_EQ(t.platform.messages.back().text, "Error!!");
    EXPECT_TRUE(t.platform.messages.back().centred);
    t.app.form1.StringGrid1.SetRowCount(10);
    t.app.form1.StringGrid1.SetCell(0, 0, "header");
    t.app.form1.ClearStringGrid1Click();
    EXPECT_EQ(t.app.form1.StringGrid1.RowCount(), 2);
    EXPECT_EQ(t.app.form1.StringGrid1.Cell(0, 0), "");
}

TEST(Shell, DispatchReportsErrorsAndCarriesOn) {
    TestApp t;
    EXPECT_FALSE(t.app.Dispatch([] { throw core::ConversionError("'x' is not a valid floating point value"); }));
    EXPECT_TRUE(t.platform.messages.back().error);
    EXPECT_TRUE(t.app.Dispatch([] {}));
    t.app.ShowMessagePos("hi");
    EXPECT_EQ(t.platform.messages.back().x, 0 + 1038 / 2 - 200);
    EXPECT_EQ(t.platform.messages.back().y, 0 + 532 / 4);
}
