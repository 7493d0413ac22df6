// make_large_log LINES FILE: writes a generated optimisation log of about LINES lines.
#include <cstdio>
#include <cstdlib>

#include "large_log.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_large_log LINES FILE\n");
        return 2;
    }
    long long n = bench::WriteLargeOptLog(argv[2], std::atoll(argv[1]));
    if (n < 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%lld lines written to %s\n", n, argv[2]);
    return 0;
}
