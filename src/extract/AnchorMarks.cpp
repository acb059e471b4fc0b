#include "extract/AnchorMarks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool IsA(char c) { return (c | 0x20) == 'a'; }

}

void TAnchorMarks::MoveTo(size_t from)
{
    constexpr size_t npos = std::string::npos;
    unsigned wanted = 0;   // bit per kind to look for again
    for (int kind = 0; kind < Kinds; ++kind) {
        const bool known = FFrom[kind] != npos && FFrom[kind] <= from && (FFound[kind] == npos || from <= FFound[kind]);
        if (!known) {
            wanted |= 1u << kind;
            FFrom[kind] = from;
            FFound[kind] = npos;
        }
    }
    const auto take = [&](int kind, size_t at) {
        if (wanted & (1u << kind)) {
            FFound[kind] = at;
            wanted &= ~(1u << kind);
        }
    };
    const char* const text = FText.data();
    const size_t size = FText.size();
    size_t at = from;
#if defined(__SSE2__)
    // Blocks of 16 start positions, reading up to two bytes past the block.
    const __m128i lt = _mm_set1_epi8('<');
    const __m128i slash = _mm_set1_epi8('/');
    const __m128i a = _mm_set1_epi8('a');
    const __m128i caseBit = _mm_set1_epi8(0x20);
    for (; wanted != 0 && at + 18 <= size; at += 16) {
        const __m128i c0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        const __m128i c1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + 1));
        const __m128i c2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + 2));
        const __m128i lt0 = _mm_cmpeq_epi8(c0, lt);
        const __m128i a1 = _mm_cmpeq_epi8(_mm_or_si128(c1, caseBit), a);
        const unsigned open = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(lt0, a1)));
        const unsigned slashA = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(c0, slash), a1)));
        const unsigned close = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
            _mm_and_si128(lt0, _mm_cmpeq_epi8(c1, slash)), _mm_cmpeq_epi8(_mm_or_si128(c2, caseBit), a))));
        if (open)
            take(Open, at + __builtin_ctz(open));
        if (slashA)
            take(Slash, at + __builtin_ctz(slashA));
        if (close)
            take(Close, at + __builtin_ctz(close));
    }
#endif
    for (; wanted != 0 && at + 2 <= size; ++at) {
        if (!IsA(text[at + 1])) {
            if (text[at] == '<' && text[at + 1] == '/' && at + 3 <= size && IsA(text[at + 2]))
                take(Close, at);
            continue;
        }
        if (text[at] == '<')
            take(Open, at);
        else if (text[at] == '/')
            take(Slash, at);
    }
}
