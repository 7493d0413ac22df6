#pragma once
// Job summary phases of the log scan (window TForm4): called by OpenLOG1Click in order.

namespace mavrolin {

class Application;

void JobSummaryHeaderPhase(Application& app);   // phase 7: summary header lines
void JobSummaryDetailsPhase(Application& app);  // phase 9: details and final structure
void FrequencyPhase(Application& app);          // phase 10: frequency table, thermochemistry

}  // namespace mavrolin
