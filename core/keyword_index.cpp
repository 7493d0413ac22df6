#include "core/keyword_index.h"

#include <algorithm>

namespace core {

std::vector<long long> KeywordIndex::Lines(KeywordKind kind) const {
    std::vector<long long> lines;
    for (const auto& h : hits)
        if (h.kind == kind) lines.push_back(h.line);
    return lines;
}

std::vector<const KeywordHit*> KeywordIndex::Of(KeywordKind kind) const {
    std::vector<const KeywordHit*> found;
    for (const auto& h : hits)
        if (h.kind == kind) found.push_back(&h);
    return found;
}

bool KeywordIndex::Has(KeywordKind kind) const {
    return std::any_of(hits.begin(), hits.end(), [kind](const KeywordHit& h) { return h.kind == kind; });
}

}  // namespace core
