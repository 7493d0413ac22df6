// The tabbed file of the MO table (opened, then drawn as the diagram), the settings
// files of the MO diagram and of the spectrum, each applied to a fixture's windows, and
// an experimental spectrum laid over a computed IR spectrum.
#include <cstdint>

#include "app/application.h"
#include "fuzz/fuzz_harness.h"

namespace {

const fuzz::Reader kReaders[] = {
    {"MO tabbed file", fuzz::InApp([](mavrolin::Application& app) {
         app.form6.Open1Click();
         app.form6.ViewMOClick();
     })},
    {"MO diagram settings",
     fuzz::Batch({"mo", "{data}/modiagram/two_printings.log", "--settings", "{in}", "--sheet", "{out}"})},
    {"spectrum settings",
     fuzz::Batch({"spectrum", "{data}/spectrum/td_closed.log", "--settings", "{in}", "-o", "{out}"})},
    {"experimental spectrum",
     fuzz::Batch({"ir", "{data}/irraman/h2co_two_freq_raman.log", "--experimental", "{in}", "-o", "{out}"})},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FeedOne(kReaders, data, size);
    return 0;
}
