#include "core/loaded_log.h"

#include <algorithm>
#include <system_error>

#include "core/text_file.h"

namespace core {

void InitLoadedLog(LoadedLog& log, const std::filesystem::path& startDir,
                   const std::function<void(int)>& pause) {
    log.dirinfo0 = startDir.string();
    log.form1_window_pos_check = log.form3_window_pos_check = log.form4_window_pos_check = 0;
    log.sleeptime = 10;
    log.dirinfo.clear();

    auto memory = startDir / "dirinfo";
    std::error_code ec;
    if (std::filesystem::is_regular_file(memory, ec)) {
        TextReader r(memory);
        std::string first;
        if (r.ReadLine(first)) log.dirinfo = first;
    }
    if (pause && std::filesystem::exists(memory, ec)) pause(log.sleeptime);

    log.read_moview_setting_chk = false;
    log.read_tddft_setting_chk = false;
    log.EnUnit = log.PreENU = 27.2114;

    log.dxmin = 0, log.dxmax = 1, log.dymin = 0, log.dymax = 1;
    log.gxmin = log.dxmin - 0.025 * (log.dxmax - log.dxmin);
    log.gxmax = log.dxmax + 0.015 * (log.dxmax - log.dxmin);
    log.gymin = log.dymin - 0.032 * (log.dymax - log.dymin);
    log.gymax = log.dymax + 0.032 * (log.dymax - log.dymin);

    SizeArray(log.lab, log.ndata, 10);
    SizeArray(log.atomicn, log.ndata, 10);
    SizeArray(log.a, log.ndata, 10);
    SizeArray(log.b, log.ndata, 10);
    SizeArray(log.c, log.ndata, 10);
    SizeArray(log.job_pos, log.njob, 10);
    for (auto* v : {&log.nm, &log.kz, &log.en_ev, &log.f}) SizeArray(*v, log.nexstt, 10);
    SizeArray(log.FileMem, log.nfile);
    for (auto* v : {&log.chgmlt_pos, &log.nterm_pos, &log.scfdone_pos, &log.std_pos,
                    &log.force_pos, &log.mllkn_pos, &log.dipol_pos, &log.freq_pos,
                    &log.zero_pos, &log.exstt_pos, &log.exctd_pos, &log.alphaocc_pos,
                    &log.alphavrt_pos, &log.betaocc_pos, &log.betavrt_pos})
        SizeArray(*v, 0);
    for (auto* v : {&log.maxfrce, &log.rmsfrce, &log.maxdisp, &log.rmsdisp, &log.prdcten,
                    &log.calc, &log.calc2})
        SizeArray(*v, 0);
    SizeArray(log.nci_coeff, log.nexstt);
    log.scfengy.assign(10, 0.0);
}

}  // namespace core
