#pragma once
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Substring search inside [from, to) of a text, inline so that callers
// searching for a constant word get it folded in. An any-case search matches
// as if the text's ASCII capitals were lowered; its word must be lower case.
// Setting bit 5 of a text byte folds exactly the capitals onto a lower-case
// letter of the word, so letters are compared that way and other bytes as
// they are: no lowered copy of the text is needed.

inline char CaseBit(char wordByte, bool anyCase)
{
    return anyCase && wordByte >= 'a' && wordByte <= 'z' ? 0x20 : 0;
}

inline bool SameBytes(const char* at, std::string_view word, size_t from, bool anyCase)
{
    for (size_t i = from; i < word.size(); ++i)
        if (static_cast<char>(at[i] | CaseBit(word[i], anyCase)) != word[i])
            return false;
    return true;
}

// Calls stop(at) for each occurrence inside [from, to), in order, until it
// returns true; gives that occurrence, or npos.
// Blocks of 16 start positions are tested at once on the word's first and
// last byte; only the few that match both are compared in full. A last,
// partial block may read past `to` while inside the haystack (short spans
// are the common case); what starts past the span's end is ignored.
template <class Stop>
inline size_t VisitWords(std::string_view haystack, std::string_view word, size_t from, size_t to, bool anyCase,
                         Stop&& stop)
{
    const size_t size = word.size();
    if (to < from || to - from < size)
        return std::string_view::npos;
    const char* const base = haystack.data();
    const char* at = base + from;
    const char* const last = base + to - size;   // the last possible start
    // The library's byte search pays off on long spans, but only once the
    // first blocks, where the byte mostly is, have not held it.
    const char* const byteSearchFrom =
        size == 1 && CaseBit(word[0], anyCase) == 0 && last - at > 64 ? at + 32 : nullptr;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(word[0]);
    const __m128i final = _mm_set1_epi8(word[size - 1]);
    const __m128i firstBit = _mm_set1_epi8(CaseBit(word[0], anyCase));
    const __m128i finalBit = _mm_set1_epi8(CaseBit(word[size - 1], anyCase));
    // A block at `at` reads 15 + size bytes from there.
    while (at <= last && static_cast<size_t>(at - base) + 15 + size <= haystack.size()) {
        const __m128i heads = _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), firstBit);
        const __m128i tails =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + size - 1)), finalBit);
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, final))));
        if (last - at < 15)
            mask &= (1u << (last - at + 1)) - 1;
        for (; mask != 0; mask &= mask - 1) {
            const char* start = at + __builtin_ctz(mask);
            if (SameBytes(start, word, 1, anyCase) && stop(static_cast<size_t>(start - base)))
                return start - base;
        }
        if (last - at <= 15)
            return std::string_view::npos;   // the block held every start left
        at += 16;
        if (at == byteSearchFrom)
            break;
    }
#endif
    if (at == byteSearchFrom) {
        for (;;) {
            const void* hit = std::memchr(at, word[0], base + to - at);
            if (!hit)
                return std::string_view::npos;
            at = static_cast<const char*>(hit);
            if (stop(static_cast<size_t>(at - base)))
                return at - base;
            if (++at == base + to)
                return std::string_view::npos;
        }
    }
    for (; at <= last; ++at)
        if (SameBytes(at, word, 0, anyCase) && stop(static_cast<size_t>(at - base)))
            return at - base;
    return std::string_view::npos;
}

inline size_t FindWord(std::string_view haystack, std::string_view word, size_t from, size_t to, bool anyCase)
{
    return VisitWords(haystack, word, from, to, anyCase, [](size_t) { return true; });
}

// The last occurrence starting inside [from, to - word size], or npos.
inline size_t RFindWord(std::string_view haystack, std::string_view word, size_t from, size_t to, bool anyCase)
{
    const size_t size = word.size();
    if (to - from < size)
        return std::string_view::npos;
    const char* const base = haystack.data();
    if (size == 1 && CaseBit(word[0], anyCase) == 0) {
        const void* hit = memrchr(base + from, word[0], to - from);
        return hit ? static_cast<const char*>(hit) - base : std::string_view::npos;
    }
    for (size_t at = to - size + 1; at-- > from;)
        if (SameBytes(base + at, word, 0, anyCase))
            return at;
    return std::string_view::npos;
}
