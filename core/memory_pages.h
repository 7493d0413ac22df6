#pragma once
// Large tables of a long log (the keyword index, the report grid) fill megabytes of fresh
// memory at once. Touching it page by page costs a fault per page, which is dear where the
// machine is virtual; asking for the pages in one call costs a fraction of it.
#include <cstddef>

namespace core {

// Maps the whole pages inside [start, start + bytes) for writing now; nothing happens
// where the system cannot, or for less than a few pages.
void PrefaultForWriting(void* start, size_t bytes);

}  // namespace core
