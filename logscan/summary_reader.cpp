#include "logscan/summary_reader.h"

namespace mavrolin {

SummaryReader::SummaryReader(const std::string& path, long long nline) : reader_(path), limit_(nline) {}

bool SummaryReader::Next() {
    if (line_ >= limit_) return false;
    if (!reader_.ReadLine(scratch_)) {
        limit_ = line_;  // the file is shorter than counted: stay at its end
        return false;
    }
    ++line_;
    ring_[static_cast<size_t>(line_ % kHistory)].swap(scratch_);
    return true;
}

bool SummaryReader::AdvanceTo(long long n) {
    while (line_ < n)
        if (!Next()) return false;
    return true;
}

const std::string& SummaryReader::Raw(int back) const {
    static const std::string kEmpty;
    if (back < 0 || back >= kHistory || back >= line_) return kEmpty;
    return ring_[static_cast<size_t>((line_ - back) % kHistory)];
}

std::vector<std::string> Tokens(const std::string& text) {
    std::string buff = text;
    core::StrCode strcode;
    int ncode = 0;
    core::DecodeBlank(buff, strcode, ncode);
    if (buff.empty()) return {};
    return std::vector<std::string>(strcode.begin() + 1, strcode.begin() + 1 + ncode);
}

bool StartsUpper(const std::string& text, const std::string& upperLiteral) {
    if (text.size() < upperLiteral.size()) return false;
    return core::UpperAscii(text.substr(0, upperLiteral.size())) == upperLiteral;
}

int PositionAt(const std::vector<int>& positions, int index) {
    if (index < 0 || static_cast<size_t>(index) >= positions.size()) return 0;
    return positions[static_cast<size_t>(index)];
}

}  // namespace mavrolin
