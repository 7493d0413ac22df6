#pragma once
// Writing figures and their data, shared by the batch commands (--figure, --csv and the
// print options) and by the windows' "Save Figure…" and "Save Figure Data…".
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "ui/controls.h"
#include "ui/figure.h"

namespace mavrolin {

class Application;
class BatchSession;

// The options every plotting command takes for its figure.
struct FigureOptions {
    std::string figure, csv, size = "8.5x6", title;
    int dpi = 600, fontPt = 8;
    bool Wanted() const { return !figure.empty() || !csv.empty(); }
};

void AddFigureOptions(CLI::App* cmd, FigureOptions& o);
// The print settings of the options, checked before any work (bad ones are bad arguments).
ui::fig::Style FigureStyle(const FigureOptions& o);
// Writes the figure and its CSV where asked; false (status 1) when one could not be written.
bool WriteFigureFiles(BatchSession& session, const ui::fig::Figure& figure, const FigureOptions& o);

// Draws and writes a figure: the extension of `path` (.png, .svg, .pdf) chooses the format.
// Throws core::FileError.
void WriteFigure(Application& app, const ui::fig::Figure& figure, const ui::fig::Style& style,
                 const std::string& path);

// "Save Figure…" and "Save Figure Data…" of a window. A small dialog asks for the title, the
// print settings (figure only) and the figure's own options (`fields`: label and initial
// text); the source then builds the figure of what the window shows from the answers to
// `fields` (nothing when it shows nothing), and a save dialog asks for the file.
struct FigureField {
    std::string label, initial;
};
using FigureSource = std::function<std::optional<ui::fig::Figure>(const std::vector<std::string>& answers)>;
struct FigureMenu {
    std::function<std::string()> stem;  // proposed file name without extension
    std::vector<FigureField> fields;
    FigureSource source;
};
// What was typed the last time in a window's dialogs (also when it was refused), offered
// again the next time; the figure's own fields keep theirs in the menu's `initial`.
struct FigureAnswers {
    std::string title, size = "8.5x6", font = "8", dpi = "600";
};
void SaveFigureDialog(Application& app, FigureMenu& menu, FigureAnswers& last);
void SaveFigureDataDialog(Application& app, FigureMenu& menu, FigureAnswers& last);
// Connects a window's two menu items to the dialogs.
void ConnectFigureItems(Application& app, ui::MenuItem& figure, ui::MenuItem& data, FigureMenu menu);
// An answer such as "yes", "y" or "1".
bool IsYes(const std::string& answer);

}  // namespace mavrolin
