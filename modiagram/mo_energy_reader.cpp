#include "modiagram/mo_energy_reader.h"

#include <algorithm>

#include "core/text_view.h"

namespace mavrolin::modiagram {

namespace {
constexpr size_t kField = 10;
}  // namespace

const char* KindCode(MoKind kind) {
    switch (kind) {
        case MoKind::AlphaOcc: return "ao";
        case MoKind::AlphaVirt: return "av";
        case MoKind::BetaOcc: return "bo";
        case MoKind::BetaVirt: return "bv";
        case MoKind::None: break;
    }
    return "";
}

bool IsBeta(MoKind kind) { return kind == MoKind::BetaOcc || kind == MoKind::BetaVirt; }
bool IsOccupied(MoKind kind) { return kind == MoKind::AlphaOcc || kind == MoKind::BetaOcc; }

MoKind KindOfCell(std::string_view cell) {
    std::string_view code = cell.substr(0, 2);
    if (code == "ao") return MoKind::AlphaOcc;
    if (code == "av") return MoKind::AlphaVirt;
    if (code == "bo") return MoKind::BetaOcc;
    if (code == "bv") return MoKind::BetaVirt;
    return MoKind::None;
}

MoKind KindOfHit(core::KeywordKind kind) {
    switch (kind) {
        case core::KeywordKind::AlphaOccupied: return MoKind::AlphaOcc;
        case core::KeywordKind::AlphaVirtual: return MoKind::AlphaVirt;
        case core::KeywordKind::BetaOccupied: return MoKind::BetaOcc;
        case core::KeywordKind::BetaVirtual: return MoKind::BetaVirt;
        default: return MoKind::None;
    }
}

std::vector<EigenRow> EigenRows(const core::KeywordIndex& index) {
    std::vector<EigenRow> rows;
    rows.reserve(static_cast<size_t>(std::count_if(index.begin(), index.end(), [](const core::KeywordHit& hit) {
        return KindOfHit(hit.kind) != MoKind::None;
    })));
    for (size_t i = 0; i < index.size(); ++i) {
        const auto hit = index[i];
        if (MoKind kind = KindOfHit(hit.kind); kind != MoKind::None)
            rows.push_back({static_cast<int>(i), hit.line, kind, hit.contents});
    }
    return rows;
}

std::vector<EigenBlock> FindBlocks(const std::vector<EigenRow>& rows) {
    std::vector<EigenBlock> blocks;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && rows[i].indexRow == rows[i - 1].indexRow + 1)
            ++blocks.back().length;
        else
            blocks.push_back({i, 1});
    }
    return blocks;
}

BlockChoice ChooseBlock(const std::vector<EigenBlock>& blocks) {
    BlockChoice c;
    for (const auto& b : blocks) {
        ++c.nenblock;
        c.blocksize2 = c.blocksize;
        c.blocksize = b.length;
        if (c.nenblock == 2 && c.blocksize != c.blocksize2) {
            c.firstPairDiffers = true;
            c.chosen = 1;
            return c;
        }
    }
    c.chosen = c.nenblock == 0 ? 0 : (c.nenblock == 1 ? 1 : 2);
    return c;
}

OrbitalCount CountOrbitals(const std::vector<EigenRow>& rows, const EigenBlock& block) {
    OrbitalCount n;
    for (int j = 0; j < block.length; ++j) {
        const auto& row = rows[block.first + static_cast<size_t>(j)];
        int fields = static_cast<int>(row.values.size() / kField);
        if (row.kind == MoKind::AlphaOcc || row.kind == MoKind::AlphaVirt) n.nalpha += fields;
        if (IsBeta(row.kind)) n.nbeta += fields;
    }
    return n;
}

bool IsOverflowText(std::string_view value) {
    value = core::TrimView(value);
    return !value.empty() && value.find_first_not_of('*') == std::string_view::npos;
}

MoSet ReadBlock(const std::vector<EigenRow>& rows, const EigenBlock& block, bool openShell) {
    MoSet set;
    for (int j = 0; j < block.length; ++j) {
        const auto& row = rows[block.first + static_cast<size_t>(j)];
        if (row.kind == MoKind::None) continue;  // not an energy line of either spin
        const bool beta = openShell && IsBeta(row.kind);
        auto& cells = beta ? set.beta : set.alpha;
        const size_t n = row.values.size() / kField;
        for (size_t v = 0; v < n; ++v) {
            std::string_view value = core::TrimView(row.values.substr(v * kField, kField));
            if (IsOverflowText(value)) ++set.overflowed;
            cells.push_back(std::string(KindCode(row.kind)) + "  " + std::string(value));
            if (openShell && row.kind == MoKind::AlphaOcc) ++set.homoalpha;
            if (openShell && row.kind == MoKind::BetaOcc) ++set.homobeta;
        }
    }
    return set;
}

}  // namespace mavrolin::modiagram
