#pragma once
// Progress of long reads. While a ReadProgressScope lives, every text reader on this
// thread reports how much of its file it has read (bytes read, file size) to the
// scope's sink each time it fetches a block. The sink may throw to stop the read: a
// cancelled log scan does. Without a scope a report costs one test of a pointer.
//
// The scope is per thread and nests: the innermost one receives the reports, and the
// enclosing one is back when it ends.
#include <functional>

namespace core {

class ReadProgressScope {
public:
    using Sink = std::function<void(long long done, long long total)>;

    explicit ReadProgressScope(Sink sink);
    ~ReadProgressScope();
    ReadProgressScope(const ReadProgressScope&) = delete;
    ReadProgressScope& operator=(const ReadProgressScope&) = delete;

    // Called by the readers: `done` bytes of a file of `total` bytes have been read.
    static void Report(long long done, long long total);

private:
    Sink sink_;
    ReadProgressScope* outer_;
};

}  // namespace core
