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

// Where a run of bytes stops, and what the bytes before the stop hold.
struct Run
{
    std::ptrdiff_t stop = -1;      // position of the first stop byte; -1 when none
    bool lineFeedOrSpaces = false; // a line feed or two adjacent spaces
    bool ampersand = false;
};

// Scans [from, to) up to the first byte that equals stop or stop2, in one pass.
inline Run scanRun(const char *from, const char *to, char stop, char stop2)
{
    Run run;
    const char *p = from;
#ifdef __SSE2__
    const __m128i a = _mm_set1_epi8(stop);
    const __m128i b = _mm_set1_epi8(stop2);
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i amp = _mm_set1_epi8('&');
    unsigned spaceBefore = 0; // 1 when the byte before the block is a space
    for (; to - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const unsigned stops = unsigned(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b))));
        const unsigned spaces = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, space)));
        const unsigned pairs = spaces & ((spaces << 1) | spaceBefore);
        const unsigned feeds = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)));
        const unsigned amps = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, amp)));
        const unsigned before = stops ? (1u << __builtin_ctz(stops)) - 1 : 0xFFFFu;
        run.lineFeedOrSpaces |= ((feeds | pairs) & before) != 0;
        run.ampersand |= (amps & before) != 0;
        if (stops) {
            run.stop = p - from + __builtin_ctz(stops);
            return run;
        }
        spaceBefore = (spaces >> 15) & 1;
    }
#endif
    for (; p < to; ++p) {
        const char c = *p;
        if (c == stop || c == stop2) {
            run.stop = p - from;
            return run;
        }
        run.lineFeedOrSpaces |= c == '\n' || (c == ' ' && p > from && p[-1] == ' ');
        run.ampersand |= c == '&';
    }
    return run;
}

} // namespace ByteScan
