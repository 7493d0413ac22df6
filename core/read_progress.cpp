#include "core/read_progress.h"

#include <utility>

namespace core {

namespace {
thread_local ReadProgressScope* current = nullptr;
}

ReadProgressScope::ReadProgressScope(Sink sink) : sink_(std::move(sink)), outer_(current) { current = this; }

ReadProgressScope::~ReadProgressScope() { current = outer_; }

void ReadProgressScope::Report(long long done, long long total) {
    if (current && current->sink_) current->sink_(done, total);
}

}  // namespace core
