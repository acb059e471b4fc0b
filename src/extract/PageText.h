#pragma once
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/WordSearch.h"

// The words the extractor looks for. The any-case ones are matched as in the
// lower-cased text, the exact ones in the text as it came.
enum class TMarker {
    Jpg,         // ".jpg"
    Href,        // "href"
    HrefQuote,   // href="
    Src,         // "src"
    SrcEq,       // "src="
    Img,         // "img"
    Quote,       // a double quote
    JpgExact,    // ".jpg"
    HtmExact,    // ".htm"
    HttpExact,   // "http"
    Count
};

struct TMarkerWord {
    std::string_view Word;
    bool AnyCase;
};

inline constexpr std::array<TMarkerWord, static_cast<size_t>(TMarker::Count)> kMarkerWords{{
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

constexpr bool LowerCaseWords()
{
    for (const TMarkerWord& word : kMarkerWords)
        for (char c : word.Word)
            if (word.AnyCase && c >= 'A' && c <= 'Z')
                return false;
    return true;
}
static_assert(LowerCaseWords(), "any-case words are matched against lowered text");

constexpr const TMarkerWord& MarkerWord(TMarker marker) { return kMarkerWords[static_cast<size_t>(marker)]; }

// A part of the text: [Begin, End).
struct TSpan {
    size_t Begin = 0;
    size_t End = 0;
    size_t Size() const { return End - Begin; }
};

// Where a word occurs, searched outwards from the previous answer: the
// callers' searches mostly move forward a little at a time.
struct TMarkerOccurrences {
    std::vector<size_t> At;
    size_t Finger = 0;
    size_t FirstIndexFrom(size_t pos);   // At.size() when none
};

// A page's text, joined from its lines. Any-case words match as in the text
// with its ASCII letters lowered (the lower-casing the extractor was made
// with).
// Finds look inside a span. From a point on, callers may search overlapping
// spans many times: there a word's searches read the text directly until
// they have read as much as that part holds, and then switch to a list of
// all its occurrences. Short searches stay cheap, and the worst case stays
// linear.
class TPageText {
public:
    explicit TPageText(const std::vector<std::string>& lines);
    // The same text made straight from a received body, split into lines as
    // LoadMemoFromMemoryStream splits it, without a string per line.
    static TPageText FromBody(std::string_view body);

    const std::string& Text() const { return FText; }
    size_t Size() const { return FText.size(); }
    // The spans of the lines it was joined from.
    const std::vector<TSpan>& Lines() const { return FLines; }

    // First / last occurrence lying wholly inside the span, or npos.
    size_t Find(TMarker marker, TSpan span) const
    {
        const TMarkerWord& word = MarkerWord(marker);
        if (span.End > FText.size() || span.Begin >= span.End || span.Size() < word.Word.size())
            return npos;
        if (span.Begin >= FIndexFrom && FIndex[static_cast<size_t>(marker)].List)
            return FindListed(marker, span);
        const size_t at = FindWord(FText, word.Word, span.Begin, span.End, word.AnyCase);
        if (span.Begin >= FIndexFrom)
            CountRead(marker, (at == npos ? span.End - word.Word.size() + 1 : at + 1) - span.Begin);
        return at;
    }
    size_t RFind(TMarker marker, TSpan span) const;
    bool Contains(TMarker marker, TSpan span) const { return Find(marker, span) != npos; }

    // Searches in spans from pos on may use occurrence lists from now on.
    void IndexFrom(size_t pos);

    static constexpr size_t npos = std::string::npos;

private:
    TPageText() = default;

    struct TIndexedWord {
        size_t Read = 0;   // start positions its direct searches have tried
        std::optional<TMarkerOccurrences> List;
    };

    size_t FindListed(TMarker marker, TSpan span) const;
    // Counts the starts a direct search tried; makes the list once they
    // outnumber the starts of the indexed part.
    void CountRead(TMarker marker, size_t starts) const
    {
        TIndexedWord& indexed = FIndex[static_cast<size_t>(marker)];
        indexed.Read += starts;
        if (indexed.Read > FText.size() - FIndexFrom)
            MakeList(marker);
    }
    void MakeList(TMarker marker) const;

    std::string FText;
    std::vector<TSpan> FLines;
    size_t FIndexFrom = npos;
    mutable std::array<TIndexedWord, static_cast<size_t>(TMarker::Count)> FIndex;
};

// The next occurrence at or after a point that only moves forward, before
// the limit: each part of the text is searched once however often the caller
// asks.
class TMarkerCursor {
public:
    TMarkerCursor(const TPageText& text, TMarker marker, size_t limit)
        : FText(text), FMarker(marker), FLimit(limit) {}
    size_t NextFrom(size_t from);

private:
    const TPageText& FText;
    TMarker FMarker;
    size_t FLimit;
    size_t FFrom = TPageText::npos;   // nothing known yet
    size_t FFound = TPageText::npos;
};
