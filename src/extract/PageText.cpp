#include "extract/PageText.h"

#include "core/BodyLines.h"

#include <algorithm>

TPageText::TPageText(const std::vector<std::string>& lines)
{
    size_t size = 0;
    for (const std::string& line : lines)
        size += line.size();
    FText.reserve(size);
    FLines.reserve(lines.size());
    for (const std::string& line : lines) {
        FLines.push_back({FText.size(), FText.size() + line.size()});
        FText += line;
    }
}

TPageText TPageText::FromBody(std::string_view body)
{
    // Counted first, so that neither the text nor the spans grow by doubling.
    size_t size = 0, count = 0;
    ForEachBodyLine(body.data(), body.size(), [&](const char* begin, const char* end) {
        size += static_cast<size_t>(end - begin);
        ++count;
    });
    TPageText page;
    page.FText.reserve(size);
    page.FLines.reserve(count);
    ForEachBodyLine(body.data(), body.size(), [&](const char* begin, const char* end) {
        page.FLines.push_back({page.FText.size(), page.FText.size() + static_cast<size_t>(end - begin)});
        page.FText.append(begin, end);
    });
    return page;
}

size_t TPageText::FindListed(TMarker marker, TSpan span) const
{
    TMarkerOccurrences& all = *FIndex[static_cast<size_t>(marker)].List;
    const size_t index = all.FirstIndexFrom(span.Begin);
    return index < all.At.size() && all.At[index] + MarkerWord(marker).Word.size() <= span.End ? all.At[index] : npos;
}

size_t TPageText::RFind(TMarker marker, TSpan span) const
{
    const TMarkerWord& word = MarkerWord(marker);
    if (span.End > FText.size() || span.Begin >= span.End || span.Size() < word.Word.size())
        return npos;
    const size_t lastStart = span.End - word.Word.size();
    const bool indexed = span.Begin >= FIndexFrom;
    if (!indexed || !FIndex[static_cast<size_t>(marker)].List) {
        const size_t at = RFindWord(FText, word.Word, span.Begin, span.End, word.AnyCase);
        if (indexed)
            CountRead(marker, lastStart + 1 - (at == npos ? span.Begin : at));
        return at;
    }
    TMarkerOccurrences& all = *FIndex[static_cast<size_t>(marker)].List;
    const size_t after = all.FirstIndexFrom(lastStart + 1);
    return after > 0 && all.At[after - 1] >= span.Begin ? all.At[after - 1] : npos;
}

void TPageText::IndexFrom(size_t pos)
{
    if (pos >= FIndexFrom)
        return;
    FIndexFrom = pos;
    FIndex = {};
}

void TPageText::MakeList(TMarker marker) const
{
    std::optional<TMarkerOccurrences>& list = FIndex[static_cast<size_t>(marker)].List;
    if (list)
        return;
    list.emplace();
    const TMarkerWord& word = MarkerWord(marker);
    VisitWords(FText, word.Word, FIndexFrom, FText.size(), word.AnyCase, [&](size_t at) {
        list->At.push_back(at);
        return false;
    });
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
