#pragma once
// The application object: the shared record, the platform and the 17 windows, created
// in this order. There is no global state: tests and batch commands build their own.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/form13.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "core/loaded_log.h"
#include "irraman/ir_window.h"
#include "logscan/report_window.h"
#include "logscan/summary_window.h"
#include "modiagram/mo_diagram_window.h"
#include "modiagram/mo_settings_window.h"
#include "modiagram/mo_table_window.h"
#include "optprofile/profile_window.h"
#include "pdos/basis_names_window.h"
#include "pdos/coefficient_window.h"
#include "pdos/pdos_diagram_window.h"
#include "pdos/pdos_window.h"
#include "spectrum/contributions_window.h"
#include "spectrum/ecd_window.h"
#include "spectrum/esi_options_window.h"
#include "spectrum/spectrum_settings_window.h"
#include "spectrum/spectrum_window.h"
#include "thermo/thermo_window.h"
#include "conformers/weighted_window.h"
#include "ui/platform.h"

namespace mavrolin {

class Application {
public:
    Application(ui::Platform& platform, const std::filesystem::path& startDir);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    ui::Platform& platform;
    core::LoadedLog log;

private:
    struct StartUp {
        StartUp(Application& app, const std::filesystem::path& startDir);
    } startUp_;  // initialises the record before any window exists

public:
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    TForm5 form5;
    TForm6 form6;
    TForm7 form7;
    TForm8 form8;
    TForm9 form9;
    TForm10 form10;
    TForm11 form11;
    TForm12 form12;
    TForm13 form13;
    TForm14 form14;
    TForm15 form15;
    TForm16 form16;
    TForm18 form18;
    TForm19 form19;  // IR/Raman spectra
    ThermoWindow thermo;  // thermochemistry of several logs
    EcdWindow ecd;        // circular dichroism of the scanned log
    WeightedSpectrumWindow weighted;  // spectra of several conformers weighted by population

    // Every window in creation order.
    std::vector<ui::Form*> Forms();

    // Windows that show data of the scanned log. After every scan and after "Get Final
    // Standard Orientation", LogChanged() runs each one's refresh: it redraws the window
    // from the new data and returns true, or returns false when the new log has nothing
    // for it, and the window is hidden. `source` names the log the window's data came
    // from, shown in the window's status line.
    struct LogView {
        ui::Form* form;
        std::function<std::string()> source;
        std::function<bool()> refresh;
    };
    void AddLogView(ui::Form& form, std::function<std::string()> source, std::function<bool()> refresh);
    const std::vector<LogView>& LogViews() const { return logViews_; }
    // `scanned`: a scan ran (its log becomes scannedLog); false: only the main table changed.
    void LogChanged(bool scanned);
    // Status lines of the main window (path, lines, how the job ended) and the log views.
    void ShowStatus();
    std::string scannedLog;  // the log the last scan read ("" before the first)
    // Files read besides the logs the windows show (the inputs of a batch command).
    std::vector<std::string> inputs;
    // What no save may replace: the logs whose data the windows show, and the inputs.
    std::vector<std::string> FilesInUse() const;

    void Pause(int ms) { platform.Pause(ms); }
    // Message at the standard point of the main window (left + width div 2 - 200,
    // top + height div 4), or at a given point.
    void ShowMessagePos(const std::string& text);
    void ShowMessagePos(const std::string& text, int x, int y);
    void ShowMessageCentred(const std::string& text);
    // A warning at the standard point: something the user must know that does not stop the action.
    void ShowWarningPos(const std::string& text);
    // A message at the standard point that reports a problem in what was read.
    void ShowProblemPos(const std::string& text);

    // "Save Picture…" of a drawing window: asks for a PNG, SVG or PDF name (`stem`.png in
    // the remembered folder is proposed) and, unless cancelled, runs `redraw` (when given;
    // false means there is nothing to draw) and writes the paint box.
    void SavePicture(ui::PaintBox& box, const std::string& stem, const std::function<bool()>& redraw = {});

    // Runs a user action: an error it raises is reported by the platform and ends only
    // that action. Returns false when the action raised an error or called Fail().
    // A programming error is reported as "Internal error in <where>: ..." or, when
    // rethrowInternalErrors is set (tests), thrown on so that it fails the test.
    bool Dispatch(const std::function<void()>& action, std::string_view where = {});
    bool rethrowInternalErrors = false;
    // A handler refused its input (reported with a message); batch exits with 1.
    void Fail() { failed_ = true; }
    bool Failed() const { return failed_; }
    // What failed so far in this action is taken back (it was reported as a warning).
    void ClearFailure() { failed_ = false; }
    // The batch command being run ("scf", "report" ...), empty on the desktop. A log scan
    // phase that such a command does not use reports its failure as a warning.
    std::string batchCommand;

    // The exit sequence: the first ten windows released in order with a pause after each.
    void Exit();

private:
    bool failed_ = false;
    std::vector<LogView> logViews_;
};

}  // namespace mavrolin
