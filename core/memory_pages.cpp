#include "core/memory_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace core {

void PrefaultForWriting(void* start, size_t bytes) {
#ifdef MADV_POPULATE_WRITE
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto from = (reinterpret_cast<std::uintptr_t>(start) + page - 1) / page * page;
    const auto to = (reinterpret_cast<std::uintptr_t>(start) + bytes) / page * page;
    if (to >= from + 4 * page) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#else
    (void)start;
    (void)bytes;
#endif
}

}  // namespace core
