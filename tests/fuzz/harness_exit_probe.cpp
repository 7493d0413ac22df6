// Feeds one input through the fuzz harness and exits as a fuzz run does: the harness must
// remove its private folder on the way out.
#include "fuzz/fuzz_harness.h"

int main() {
    const fuzz::Reader readers[] = {{"index", fuzz::Batch({"index", "{in}", "-o", "{out}"})}};
    const uint8_t input[] = "\0 Entering Gaussian System\n";
    fuzz::FeedOne(readers, input, sizeof input - 1);
}
