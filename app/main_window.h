#pragma once
// The main window: the SCF/coordinate grids, the hidden utility buttons and the whole
// main menu. Menu handlers are members of this class; each is defined in the folder of
// the subsystem it belongs to (logscan/, geometry/, ...) and wired in the constructor.
#include <array>
#include <string>

#include "ui/controls.h"
#include "ui/platform.h"
#include "ui/recent_files.h"

namespace mavrolin {

class Application;

class TForm1 : public ui::Form {
public:
    explicit TForm1(Application& app);

    ui::StringGrid StringGrid2;  // top-aligned, hidden; coordinate work
    ui::StringGrid StringGrid3;  // bottom-aligned, hidden; coordinate work
    ui::StringGrid StringGrid1;  // fills the rest: SCF table or coordinate table

    // Hidden buttons holding the shared text utilities.
    ui::Button Decode, DecodeTab, Decode10, ClearStringGrid1;

    // Main menu
    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem OpenLOG1{"Open Log/Out File (Opt,Freq)", "OpenLOG1"};
    ui::MenuItem OpenLogOutFileSCAN1{"Open Log/Out File (SCAN)", "OpenLogOutFileSCAN1"};
    ui::MenuItem RecentFiles1{"Recent Files", "RecentFiles1"};
    std::array<ui::MenuItem, ui::RecentFiles::kMax> RecentFileItems;  // one per entry, newest first
    ui::MenuItem SaveABCwithLabels1{"Save Cartesian Coordinates with Labels", "SaveABCwithLabels1"};
    ui::MenuItem SaveXYZ1{"Save as XYZ\u2026", "SaveXYZ1"};
    ui::MenuItem SaveSCFEnergies1{"Save SCF Energy Changes during Opt ", "SaveSCFEnergies1"};
    ui::MenuItem ReadPDBSpartan1{"Read Cartesian Coordinates from *.PDB (Spartan)", "ReadPDBSpartan1"};
    ui::MenuItem ReadCartesianCoordinatesfromENTPDB1{"Read Cartesian Coordinates from *.ENT; *.PDB",
                                                     "ReadCartesianCoordinatesfromENTPDB1"};
    ui::MenuItem ReadStandardABC1{"Read Standard Cartesian Coordinates (Space-separated)",
                                  "ReadStandardABC1"};
    ui::MenuItem GetLastStdOrient1{"Get Final Standard Orientation in Log/Out File", "GetLastStdOrient1"};
    ui::MenuItem GetLastZmatrix1{"Get Final Z-matrix Coordinates  in Log/Out File", "GetLastZmatrix1"};
    ui::MenuItem SaveZmatinConstrained1{"Save Imported Z-matrix (Log/Out) in Constrained Format",
                                        "SaveZmatinConstrained1"};
    ui::MenuItem SaveZmatintNonconstrained1{"Save Imported Z-matrix (Log/Out) int Non-constrained Format",
                                            "SaveZmatintNonconstrained1"};
    ui::MenuItem ConvertZmatrix1{
        "Convert Z-Matrix Format; Numerical (Gaussview.gjf) to Standard (Rn=,An=,Dn=)", "ConvertZmatrix1"};
    ui::MenuItem Save1{"Save", "Save1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem ViewResults1{"View Results", "ViewResults1"};
    ui::MenuItem AlanlysisReport1{"Analysis Report for Log/Out File", "AlanlysisReport1"};
    ui::MenuItem SCFEnergies1{"SCF Energy Change Profile (Opt)", "SCFEnergies1"};
    ui::MenuItem MOEnergyDiTable1{"MO Energy Table/Diagram", "MOEnergyDiTable1"};
    ui::MenuItem FrequenciesEnergiesOpt1{"Frequencies, Energies. etc. (Opt) ", "FrequenciesEnergiesOpt1"};
    ui::MenuItem SpectraTDDFTResults1{"Spectra (TD-DFT Results)", "SpectraTDDFTResults1"};
    ui::MenuItem ScanMessages1{"Scan Messages", "ScanMessages1"};  // the last scan's messages
    ui::MenuItem Thermochemistry1{"Thermochemistry of Several Logs\u2026", "Thermochemistry1"};
    ui::MenuItem ShowZmatrix1{"Show Z-matrix", "ShowZmatrix1"};
    ui::MenuItem Help1{"Help", "Help1"};

    // Shared text utilities (on app.log.buff / strcode / ncode).
    void DecodeClick();
    void DecodeTabClick();
    void Decode10Click();
    void ClearStringGrid1Click();

    // Shell
    void Exit1Click();
    void FormClose();
    void FormResize();
    void Help1Click();
    void AlanlysisReport1Click();
    void FrequenciesEnergiesOpt1Click();
    // Main-window height rule, applied the first time a scan records SCF energies.
    void PlaceOnFirstEnergies();

    // Log scan and SCF table (logscan/)
    void OpenLOG1Click();
    void SaveSCFEnergies1Click();
    void Save1Click();

    // File > "Recent Files" (app/recent_files_menu.cpp): a scanned log becomes the newest
    // entry; picking an entry scans it again, or drops it with a message when it is gone.
    void AddRecentFile(const std::string& path);
    void RecentFileClick(size_t index);
    const ui::RecentFiles& Recent() const { return recent_; }

    // Geometry (geometry/)
    void OpenLogOutFileSCAN1Click();
    void SaveABCwithLabels1Click();
    void SaveXYZ1Click();  // the coordinate table as a standard XYZ file
    void ReadPDBSpartan1Click();
    void ReadCartesianCoordinatesfromENTPDB1Click();
    void ReadStandardABC1Click();  // also reads standard XYZ files (atom count first)
    void ReadXyzFile(const std::string& file);
    void GetLastStdOrient1Click();
    void GetLastZmatrix1Click();
    void SaveZmatinConstrained1Click();
    void SaveZmatintNonconstrained1Click();
    void ConvertZmatrix1Click();
    void ShowZmatrix1Click();

    // Optimisation profile (optprofile/)
    void SCFEnergies1Click();
    void SpectraTDDFTResults1Click();  // opens the spectrum window

    // MO energies (modiagram/)
    void MOEnergyDiTable1Click();

    // Dialog options with the remembered folder as initial directory.
    ui::FileDialogOptions DialogOptions(const std::string& title, const std::string& filter,
                                        const std::string& fileName = {}) const;

private:
    void BuildMenu();
    void BuildRecentFilesMenu();
    void ShowRecentFiles();
    ui::RecentFiles recent_;
    // Connects an item to a handler and enables it.
    void Wire(ui::MenuItem& item, void (TForm1::*handler)());
    Application& app_;
};

}  // namespace mavrolin
