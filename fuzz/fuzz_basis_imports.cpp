// The GFPrint basis listing and the formatted checkpoint file, imported into the
// coefficient tables of the fixture log they belong to, and the tables written out.
#include <cstdint>

#include "fuzz/fuzz_harness.h"

namespace {

const fuzz::Reader kReaders[] = {
    {"GFPrint listing",
     fuzz::Batch({"coefficients", "{data}/pdos/closed.log", "--gfprint", "{in}", "--mo-ao", "-o", "{out}"})},
    {"checkpoint file",
     fuzz::Batch({"coefficients", "{data}/pdos/closed.log", "--fchk", "{in}", "--squares", "-o", "{out}"})},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FeedOne(kReaders, data, size);
    return 0;
}
