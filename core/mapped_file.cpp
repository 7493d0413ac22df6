// Reading a file through a memory map: mapping it, mapping ahead of the reader and
// letting go behind it, and the guard against a file shortened under the map.
#include "core/mapped_file.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <iterator>

#include "core/file_common.h"
#include "core/read_progress.h"
#include "core/text_file.h"

namespace core {

namespace {

// A mapped file is let go of in steps of kReleaseStep, keeping kKeepBehind before the
// current line (the few lines a reader's history reaches back stay resident).
constexpr size_t kReleaseStep = 1024 * 1024;
constexpr size_t kKeepBehind = 64 * 1024;
// Pages ahead of the reader are mapped kMapAhead at a time by one call, instead of by a
// page fault every few pages (costly where the machine is virtual).
constexpr size_t kMapAhead = 2 * 1024 * 1024;
// Reading a mapped page past the end of a file that another program has shortened
// meanwhile (a job re-run under the same log name) raises SIGBUS. The handler puts
// zero pages in place of the rest of that map and marks it, so the reader stops with a
// message instead of the program dying. Maps register in a fixed table the handler can
// read without locks.
struct MapSlot {
    std::atomic<char*> start{nullptr};
    std::atomic<size_t> size{0};
    std::atomic<bool> shrunk{false};
};
MapSlot g_maps[16];
struct sigaction g_previousBusAction {};
size_t g_pageSize = 4096;

void OnBusError(int, siginfo_t* info, void*) {
    char* at = static_cast<char*>(info->si_addr);
    for (auto& slot : g_maps) {
        char* start = slot.start.load();
        const size_t size = slot.size.load();
        if (start == nullptr || at < start || at >= start + size) continue;
        char* from = start + static_cast<size_t>(at - start) / g_pageSize * g_pageSize;
        ::mmap(from, static_cast<size_t>(start + size - from), PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED,
               -1, 0);
        slot.shrunk.store(true);
        return;  // the read is retried and now sees zeros
    }
    // Not one of ours: hand it back to whoever handled it before; the fault repeats there.
    ::sigaction(SIGBUS, &g_previousBusAction, nullptr);
}

}  // namespace

void InstallMappedFileGuard() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    g_pageSize = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &g_previousBusAction);
}

int RegisterMap(char* start, size_t size) {
    for (int i = 0; i < static_cast<int>(std::size(g_maps)); ++i) {
        char* none = nullptr;
        if (!g_maps[i].start.compare_exchange_strong(none, start)) continue;
        g_maps[i].shrunk.store(false);
        g_maps[i].size.store(size);  // until set, the handler matches no address of the map
        return i;
    }
    return -1;  // too many files open at once: the caller reads through a buffer
}

void ForgetMap(int slot) {
    if (slot >= 0) g_maps[slot].start.store(nullptr);
}

bool MapShrunk(int slot) { return slot >= 0 && g_maps[slot].shrunk.load(std::memory_order_relaxed); }

// A shared read-only map: pages let go of are read back from the file when a view into
// them is used again, so dropping them never invalidates a view.
void TextReader::Map(size_t size) {
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd_, 0);
    if (at == MAP_FAILED) return;  // read through the buffer instead
    slot_ = RegisterMap(static_cast<char*>(at), size);
    if (slot_ < 0) {
        ::munmap(at, size);
        return;
    }
    ::madvise(at, size, MADV_SEQUENTIAL);
    map_ = static_cast<char*>(at);
    mapSize_ = size;
    data_ = map_;
    end_ = size;
    eof_ = true;  // everything is in view: nothing to fill
    ::close(fd_);
    fd_ = -1;
}

void TextReader::Unmap() {
    if (map_) ::munmap(map_, mapSize_);
    ForgetMap(slot_);
    map_ = nullptr;
    slot_ = -1;
}

void TextReader::RefuseIfShrunk() const {
    if (MapShrunk(slot_))
        Refuse("It became shorter while it was read (rewritten by a running job?); open it again.");
}

// Lets go of the mapped pages well behind the current line, so that a whole pass over
// a file of any size holds only a few MiB of it.
void TextReader::ReleaseBehind() {
    if (!map_) return;
    if (pos_ + kMapAhead / 2 > populated_ && populated_ < mapSize_) MapAhead();
    if (pos_ < released_ + kReleaseStep + kKeepBehind) return;
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const size_t upTo = (pos_ - kKeepBehind) / page * page;
    ::madvise(map_ + released_, upTo - released_, MADV_DONTNEED);
    released_ = upTo;
    ReadProgressScope::Report(static_cast<long long>(pos_), file_.size);  // every kReleaseStep
}

void TextReader::MapAhead() {
#ifdef MADV_POPULATE_READ
    const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    const size_t from = std::max(populated_, pos_ / page * page);
    const size_t to = std::min(mapSize_, from + kMapAhead);
    // A file cut under the map fails here; the faults of the reads then say so.
    populated_ = ::madvise(map_ + from, to - from, MADV_POPULATE_READ) == 0 ? to : mapSize_;
#else
    populated_ = mapSize_;
#endif
}

}  // namespace core
