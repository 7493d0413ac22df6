// Feeds one input through the fuzz harness, as a libFuzzer run would, and exits normally:
// the harness must remove its private folder on the way out.
#include <cstdint>

#include "fuzz/fuzz_harness.h"

int main() {
    const fuzz::Reader readers[] = {{"index", fuzz::Batch({"index", "{in}", "-o", "{out}"})}};
    const uint8_t input[] = "\0 Entering Gaussian System\n Normal termination of Gaussian\n";
    fuzz::FeedOne(readers, input, sizeof input - 1);
    return 0;
}
