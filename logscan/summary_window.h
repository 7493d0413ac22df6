#pragma once
#include <string>

#include "ui/controls.h"

namespace mavrolin {

class Application;

// The job summary window ("Frequencies and Other Reports"): what a chemist copies into
// supporting information. The log scan fills the grids; the menu saves them as a report.
class TForm4 : public ui::Form {
public:
    explicit TForm4(Application& app);

    ui::ScrollBox ScrollBox1;    // fills the window, holds the three grids
    ui::StringGrid StringGrid3;  // summary: column 1 holds one text line per row
    ui::StringGrid StringGrid1;  // one row per vibrational mode, one column per property
    ui::StringGrid StringGrid2;  // final structure with Mulliken charges (hidden at start)

    ui::MenuItem File1{"File", "File1"};
    ui::MenuItem SaveReport1{"Save Report", "SaveReport1"};
    ui::MenuItem Exit1{"Exit", "Exit1"};
    ui::MenuItem ShowFinalOrientation1{"Show Final Orientation", "ShowFinalOrientation1"};
    ui::MenuItem ShowIRRamanSpectra1{"Show IR/Raman Spectra", "ShowIRRamanSpectra1"};

    void SaveReport1Click();
    void ShowFinalOrientation1Click();
    // Opens the IR/Raman window for the last scanned log.
    void ShowIRRamanSpectra1Click();
    void Exit1Click();  // hides the window, as its close box does
    void FormResize();

private:
    Application& app_;
};

// The report name the save dialog proposes for a scanned log: the path without its
// last four characters (the extension) followed by "_report.txt".
std::string ProposedReportName(const std::string& logPath);

}  // namespace mavrolin
