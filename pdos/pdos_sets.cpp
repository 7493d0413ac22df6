#include "pdos/pdos_sets.h"

#include <algorithm>

#include "core/errors.h"
#include "core/number_text.h"

namespace mavrolin::pdos {

namespace {

// "#2 1_C2PX": set 2, label "1_C2PX". Returns 0 for a label without a prefix.
int SplitPrefix(const std::string& label, std::string& bare) {
    bare = label;
    if (!label.starts_with("#")) return 0;
    auto blank = label.find(' ');
    long long s = 0;
    core::TryParseInt(label.substr(1, blank == std::string::npos ? std::string::npos : blank - 1), s);
    bare = blank == std::string::npos ? std::string() : label.substr(blank + 1);
    return static_cast<int>(s);
}

void SetLabel(CoefficientTables& tables, int ao, const std::string& label) {
    tables.alpha.SetCell(0, ao, label);
    if (tables.OpenShell()) tables.beta.SetCell(0, ao, label);
}

std::string Remove(CoefficientTables& tables, PdosSetList& sets, int ao, const std::string& label) {
    std::string bare;
    const int s = SplitPrefix(label, bare);
    SetLabel(tables, ao, bare);
    if (s < 1 || static_cast<size_t>(s) > sets.size() || sets[static_cast<size_t>(s) - 1].empty())
        return kSomethingWrong;
    auto& set = sets[static_cast<size_t>(s) - 1];
    auto it = std::find_if(set.begin(), set.end(), [&](const std::string& e) { return EntryAo(e) == ao; });
    if (it == set.end()) return kSomethingWrong;
    set.erase(it);
    return "";
}

void Add(CoefficientTables& tables, PdosSetList& sets, int ao, int selected, const std::string& label) {
    SetLabel(tables, ao, "#" + core::IntText(selected) + " " + label);
    if (sets.size() < static_cast<size_t>(selected)) sets.resize(static_cast<size_t>(selected));
    auto& set = sets[static_cast<size_t>(selected) - 1];
    auto at = std::find_if(set.begin(), set.end(), [&](const std::string& e) { return EntryAo(e) >= ao; });
    set.insert(at, core::IntText(ao) + " " + label);
}

}  // namespace

int EntryAo(const std::string& entry) {
    return static_cast<int>(core::ParseInt(entry.substr(0, entry.find(' '))));
}

std::string ToggleAo(CoefficientTables& tables, PdosSetList& sets, int ao, int selected) {
    if (ao < 1 || ao > tables.nbasis || selected < 1) return "";
    const std::string label = tables.alpha.Cell(0, ao);
    if (label.starts_with("#")) return Remove(tables, sets, ao, label);
    Add(tables, sets, ao, selected, label);
    return "";
}

std::vector<std::string> ToggleRows(CoefficientTables& tables, PdosSetList& sets, int top, int bottom,
                                    int selected) {
    std::vector<std::string> messages;
    for (int r = top; r <= bottom; ++r) {
        std::string m = ToggleAo(tables, sets, r, selected);
        if (!m.empty()) messages.push_back(m);
    }
    return messages;
}

int PdosTableRows(const PdosSetList& sets) {
    size_t longest = 1;
    for (const auto& s : sets) longest = std::max(longest, s.size());
    return static_cast<int>(longest) + 1;
}

std::vector<UsedSet> SetsInUse(const PdosSetList& sets) {
    std::vector<UsedSet> used;
    for (size_t c = 0; c < sets.size(); ++c) {
        if (sets[c].empty() || sets[c][0].empty()) continue;
        UsedSet u;
        u.col = static_cast<int>(c);
        for (const auto& e : sets[c]) {
            if (e.empty()) break;  // the first empty cell ends the set
            u.aos.push_back(EntryAo(e));
        }
        used.push_back(std::move(u));
    }
    return used;
}

void CheckLegendColumns(const std::vector<UsedSet>& used, int legendColumns) {
    for (const auto& u : used)
        if (u.col >= legendColumns)
            throw core::InputError("PDOS-" + core::IntText(u.col + 1) +
                                   " has no legend column (and so no colour) any more. Press \"Increase Max\" "
                                   "to bring it back, or empty that set.");
}

std::array<std::string, 21> BsNames(const CoefficientGrid& grid, int ao) {
    std::array<std::string, 21> rows;
    for (int i = -10; i <= 10; ++i) {
        const int r = ao + i;
        if (r > 0 && r < grid.nbasis() + 1)
            rows[static_cast<size_t>(i + 10)] = grid.Cell(0, r) + (i == 0 ? "___here!" : "");
    }
    return rows;
}

}  // namespace mavrolin::pdos
