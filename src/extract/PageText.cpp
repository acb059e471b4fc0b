#include "extract/PageText.h"

#include <algorithm>
#include <cstring>

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

size_t Search(std::string_view haystack, std::string_view word, size_t from, size_t to)
{
    const void* hit = memmem(haystack.data() + from, to - from, word.data(), word.size());
    return hit ? static_cast<const char*>(hit) - haystack.data() : TPageText::npos;
}

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    return lower;
}

}

TPageText::TPageText(std::string text)
    : FText(std::move(text))
    , FLower(LowerCase(FText))
    , FLines{Whole()}
{
}

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
    FLower = LowerCase(FText);
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
    const std::vector<size_t>& all = Occurrences(marker);
    const auto it = std::lower_bound(all.begin(), all.end(), span.Begin);
    return it != all.end() && *it + word.size() <= span.End ? *it : npos;
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
    const std::vector<size_t>& all = Occurrences(marker);
    const auto it = std::upper_bound(all.begin(), all.end(), lastStart);
    return it != all.begin() && *std::prev(it) >= span.Begin ? *std::prev(it) : npos;
}

void TPageText::IndexFrom(size_t pos)
{
    if (pos >= FIndexFrom)
        return;
    FIndexFrom = pos;
    for (auto& list : FIndex)
        list.reset();
}

const std::vector<size_t>& TPageText::Occurrences(TMarker marker) const
{
    std::optional<std::vector<size_t>>& list = FIndex[static_cast<size_t>(marker)];
    if (!list) {
        list.emplace();
        const std::string_view haystack = Haystack(marker);
        const std::string_view word = WordOf(marker).word;
        for (size_t at = Search(haystack, word, FIndexFrom, haystack.size()); at != npos;
             at = Search(haystack, word, at + 1, haystack.size()))
            list->push_back(at);
    }
    return *list;
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
