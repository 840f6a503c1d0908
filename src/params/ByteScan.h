#pragma once

#include <cstddef>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Sixteen bytes at a time where the processor allows: the profile reader looks
// for a few marker bytes in every token, and most tokens hold none of them.
namespace ByteScan {

// Position of the first byte of [from, to) that equals c or c2; -1 when none.
inline std::ptrdiff_t find(const char *from, const char *to, char c, char c2)
{
    const char *p = from;
#ifdef __SSE2__
    const __m128i a = _mm_set1_epi8(c);
    const __m128i b = _mm_set1_epi8(c2);
    auto matches = [&](const char *at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        return unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b))));
    };
    if (to - from >= 16) {
        for (; to - p >= 16; p += 16) {
            if (const unsigned mask = matches(p))
                return p - from + __builtin_ctz(mask);
        }
        // The last sixteen bytes, overlapping bytes already found clear.
        if (p < to) {
            const unsigned mask = matches(to - 16);
            return mask ? to - 16 - from + __builtin_ctz(mask) : -1;
        }
        return -1;
    }
#endif
    for (; p < to; ++p) {
        if (*p == c || *p == c2)
            return p - from;
    }
    return -1;
}

inline std::ptrdiff_t find(const char *from, const char *to, char c)
{
    return find(from, to, c, c);
}

// Whether [from, to) holds a line feed or two adjacent spaces.
inline bool hasLineFeedOrSpaces(const char *from, const char *to)
{
    const char *p = from;
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i space = _mm_set1_epi8(' ');
    // Blocks of sixteen that overlap by one byte, so that two spaces are
    // always seen together; the last block ends at the end.
    if (to - from >= 16) {
        for (;;) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
            const unsigned spaces = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, space)));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)) || (spaces & (spaces >> 1)))
                return true;
            if (p == to - 16)
                return false;
            p = to - p >= 31 ? p + 15 : to - 16;
        }
    }
#endif
    for (; p < to; ++p) {
        if (*p == '\n' || (*p == ' ' && p + 1 < to && p[1] == ' '))
            return true;
    }
    return false;
}

} // namespace ByteScan
