#include "extract/PageText.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

struct TMarkerWord {
    std::string_view word;
    bool anyCase;
};

constexpr std::array<TMarkerWord, static_cast<size_t>(TMarker::Count)> kWords{{
    {"<a", true},
    {"/a", true},
    {"</a", true},
    {".jpg", true},
    {"href", true},
    {"href=\"", true},
    {"src", true},
    {"src=", true},
    {"img", true},
    {"\"", false},
    {".jpg", false},
    {".htm", false},
    {"http", false},
}};

const TMarkerWord& WordOf(TMarker marker) { return kWords[static_cast<size_t>(marker)]; }

bool SameBytes(const char* at, std::string_view word, size_t from)
{
    for (size_t i = from; i < word.size(); ++i)
        if (at[i] != word[i])
            return false;
    return true;
}

// Blocks of 16 start positions are tested at once on the word's first and
// last byte; only the few that match both are compared in full. Reads stay
// inside [from, to).
size_t Search(std::string_view haystack, std::string_view word, size_t from, size_t to)
{
    const size_t size = word.size();
    if (to - from < size)
        return TPageText::npos;
    const char* const base = haystack.data();
    if (size == 1) {
        const void* hit = std::memchr(base + from, word[0], to - from);
        return hit ? static_cast<const char*>(hit) - base : TPageText::npos;
    }
    const char* at = base + from;
    const char* const last = base + to - size;   // the last possible start
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(word[0]);
    const __m128i final = _mm_set1_epi8(word[size - 1]);
    for (; last - at >= 15; at += 16) {
        const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + size - 1));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, final))));
        for (; mask != 0; mask &= mask - 1) {
            const char* start = at + __builtin_ctz(mask);
            if (SameBytes(start, word, 1))
                return start - base;
        }
    }
#endif
    for (; at <= last; ++at)
        if (SameBytes(at, word, 0))
            return at - base;
    return TPageText::npos;
}

char LowerByte(char c)
{
    // Branch-free, so the copy loop vectorises.
    return static_cast<char>(c | (static_cast<unsigned char>(c - 'A') < 26 ? 0x20 : 0));
}

}

TPageText::TPageText(const std::vector<std::string>& lines)
{
    size_t size = 0;
    for (const std::string& line : lines)
        size += line.size();
    FText.resize(size);
    FLower.resize(size);
    FLines.reserve(lines.size());
    size_t at = 0;
    for (const std::string& line : lines) {
        FLines.push_back({at, at + line.size()});
        std::copy(line.begin(), line.end(), FText.begin() + at);
        std::transform(line.begin(), line.end(), FLower.begin() + at, LowerByte);
        at += line.size();
    }
}

std::string_view TPageText::Haystack(TMarker marker) const
{
    return WordOf(marker).anyCase ? std::string_view(FLower) : std::string_view(FText);
}

size_t TPageText::Find(TMarker marker, TSpan span) const
{
    const std::string_view word = WordOf(marker).word;
    if (span.End > FText.size() || span.Begin >= span.End || span.Size() < word.size())
        return npos;
    if (span.Begin < FIndexFrom)
        return Search(Haystack(marker), word, span.Begin, span.End);
    TMarkerOccurrences& all = Occurrences(marker);
    const size_t index = all.FirstIndexFrom(span.Begin);
    return index < all.At.size() && all.At[index] + word.size() <= span.End ? all.At[index] : npos;
}

size_t TPageText::RFind(TMarker marker, TSpan span) const
{
    const std::string_view word = WordOf(marker).word;
    if (span.End > FText.size() || span.Begin >= span.End || span.Size() < word.size())
        return npos;
    const size_t lastStart = span.End - word.size();
    if (span.Begin < FIndexFrom) {
        const size_t hit = Haystack(marker).substr(span.Begin, span.Size()).rfind(word);
        return hit == std::string_view::npos ? npos : span.Begin + hit;
    }
    TMarkerOccurrences& all = Occurrences(marker);
    const size_t after = all.FirstIndexFrom(lastStart + 1);
    return after > 0 && all.At[after - 1] >= span.Begin ? all.At[after - 1] : npos;
}

void TPageText::IndexFrom(size_t pos)
{
    if (pos >= FIndexFrom)
        return;
    FIndexFrom = pos;
    for (auto& list : FIndex)
        list.reset();
}

TMarkerOccurrences& TPageText::Occurrences(TMarker marker) const
{
    std::optional<TMarkerOccurrences>& list = FIndex[static_cast<size_t>(marker)];
    if (!list) {
        list.emplace();
        const std::string_view haystack = Haystack(marker);
        const std::string_view word = WordOf(marker).word;
        for (size_t at = Search(haystack, word, FIndexFrom, haystack.size()); at != npos;
             at = Search(haystack, word, at + 1, haystack.size()))
            list->At.push_back(at);
    }
    return *list;
}

size_t TMarkerOccurrences::FirstIndexFrom(size_t pos)
{
    // Bracket the answer by steps doubling away from the finger, then bisect.
    const size_t count = At.size();
    size_t low = 0;
    size_t high = count;
    if (Finger < count && At[Finger] < pos) {
        low = Finger + 1;
        for (size_t step = 1;; step *= 2) {
            const size_t probe = low + step - 1;
            if (probe >= count || At[probe] >= pos) {
                high = std::min(probe, count);
                break;
            }
            low = probe + 1;
        }
    } else {
        high = Finger;
        for (size_t step = 1;; step *= 2) {
            if (high < step || At[high - step] < pos) {
                low = high < step ? 0 : high - step + 1;
                break;
            }
            high -= step;
        }
    }
    Finger = static_cast<size_t>(std::lower_bound(At.begin() + low, At.begin() + high, pos) - At.begin());
    return Finger;
}

size_t TMarkerCursor::NextFrom(size_t from)
{
    // Known: no occurrence starts in [FFrom, FFound), and FFound is one (or
    // npos: none at all from FFrom on).
    if (FFrom == TPageText::npos || from < FFrom || (FFound != TPageText::npos && from > FFound)) {
        FFrom = from;
        FFound = FText.Find(FMarker, {from, FLimit});
    }
    return FFound;
}
