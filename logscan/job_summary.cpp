#include "logscan/job_summary.h"

#include "app/application.h"
#include "app/batch.h"

namespace mavrolin {

void JobSummaryHeaderPhase(Application&) {}
void JobSummaryDetailsPhase(Application&) {}
void FrequencyPhase(Application&) {}
void RegisterReportCommand(CLI::App&, BatchSession&) {}

}  // namespace mavrolin
