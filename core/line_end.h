#pragma once
// Finding where lines end, shared by the readers that split lines themselves: one line at
// a time, or 64 bytes at a time as bit masks.
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace core {

// The first LF or CR in [p, end), or end. Sixteen bytes a step where SSE2 is there
// (every x86-64): a line is found in one pass, whichever of the two ends it.
inline const char* FindLineEnd(const char* p, const char* end) {
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
        if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
        p += 16;
    }
#endif
    for (; p < end; ++p)
        if (*p == '\n' || *p == '\r') return p;
    return end;
}

// 64 bytes of a file as bit masks, bit i for byte i.
struct LineBlock {
    std::uint64_t cr = 0, lf = 0;
    std::uint64_t blank = 0;  // bytes <= 32, the blank characters (CR and LF among them)
};

inline LineBlock ScanLineBlock(const char* p) {
    LineBlock b;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), space = _mm_set1_epi8(' ');
    for (int i = 0; i < 4; ++i) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        const auto bits = [](__m128i m) {
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m)));
        };
        b.lf |= bits(_mm_cmpeq_epi8(v, lf)) << (16 * i);
        b.cr |= bits(_mm_cmpeq_epi8(v, cr)) << (16 * i);
        b.blank |= bits(_mm_cmpeq_epi8(_mm_max_epu8(v, space), space)) << (16 * i);
    }
#else
    for (int i = 0; i < 64; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        b.lf |= static_cast<std::uint64_t>(c == '\n') << i;
        b.cr |= static_cast<std::uint64_t>(c == '\r') << i;
        b.blank |= static_cast<std::uint64_t>(c <= ' ') << i;
    }
#endif
    return b;
}

// The bytes of a block that end a line: a line ends at its first CR or LF, so every CR
// does, and an LF unless a CR comes just before it. `crBefore`: the byte before the
// block is a CR (1) or not (0).
inline std::uint64_t LineEnds(const LineBlock& b, std::uint64_t crBefore) {
    return b.cr | (b.lf & ~((b.cr << 1) | crBefore));
}

}  // namespace core
