// Every coordinate and Z-matrix reader and the relaxed-scan reader, through their batch
// commands (reader and writer of each).
#include <cstdint>

#include "fuzz/fuzz_harness.h"

namespace {

const fuzz::Reader kReaders[] = {
    {"geometry", fuzz::Batch({"geometry", "{in}", "-o", "{out}"})},
    {"coords --pdb", fuzz::Batch({"coords", "--pdb", "{in}", "-o", "{out}"})},
    {"coords --ent", fuzz::Batch({"coords", "--ent", "{in}", "-o", "{out}"})},
    {"coords --xyz", fuzz::Batch({"coords", "--xyz", "{in}", "-o", "{out}"})},
    {"zmatrix --free", fuzz::Batch({"zmatrix", "--free", "{in}", "-o", "{out}"})},
    {"zmatrix --constrained", fuzz::Batch({"zmatrix", "--constrained", "{in}", "-o", "{out}"})},
    {"convert-zmatrix", fuzz::Batch({"convert-zmatrix", "{in}", "-o", "{out}"})},
    {"scan", fuzz::Batch({"scan", "{in}", "-o", "{out}"})},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::FeedOne(kReaders, data, size);
    return 0;
}
