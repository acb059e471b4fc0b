#include "extract/AnchorPass.h"

#include "extract/AnchorMarks.h"
#include "extract/TagCheck.h"
#include "platform/CatchAll.h"

#include <algorithm>
#include <vector>

namespace {

// From the first "<a" through the character after the first "/a"; empty
// when that character lies before the "<a". Without any "/a" the anchor is
// at most "<a", which holds no ".jpg": empty too.
TSpan AnchorAt(const TPageText& text, size_t open, size_t slash)
{
    if (slash == TPageText::npos || slash + 2 < open)
        return {open, open};
    return {open, std::min(slash + 3, text.Size())};
}

// The line that is exactly a span, for spans whose ends mostly move forward:
// the search walks on from the previous answer.
class TLineFinder {
public:
    explicit TLineFinder(const std::vector<TSpan>& lines) : FLines(lines) {}

    size_t LineAt(TSpan span)
    {
        if (FNext > 0 && FLines[FNext - 1].End >= span.End)
            FNext = static_cast<size_t>(
                std::lower_bound(FLines.begin(), FLines.begin() + FNext, span.End,
                                 [](const TSpan& line, size_t end) { return line.End < end; }) -
                FLines.begin());
        while (FNext < FLines.size() && FLines[FNext].End < span.End)
            ++FNext;
        if (FNext == FLines.size() || FLines[FNext].Begin != span.Begin || FLines[FNext].End != span.End)
            return TPageText::npos;
        return FNext;
    }

private:
    const std::vector<TSpan>& FLines;
    size_t FNext = 0;   // the first line that may end at or after the span
};

void CheckAnchor(TExtractPage& page, TSpan anchor, TLineFinder& lines, TSearchSink& sink, size_t times)
{
    const TTagWords words = TagWordsIn(page.Text, anchor);
    if (!words.Jpg)
        return;
    if (!Check_IMG_and_SRC_and_HREF(page, anchor, words, sink, page.Links, times))
        return;
    // Kept in line order for the line pass, which walks them once.
    const size_t line = lines.LineAt(anchor);
    if (line != TPageText::npos && (page.LineAnchors.empty() || page.LineAnchors.back().Line < line))
        page.KeepLineAnchor(line, words, page.Links);
}

}

void HtmlPageToOneLine(TExtractPage& page, TSearchSink& sink)
{
    CatchAll("error code : #0011 (HtmlPageToOneLine)", [&] { EvaluateLinesForATags(page, sink); });
}

void EvaluateLinesForATags(TExtractPage& page, TSearchSink& sink)
{
    CatchAll("error code : #0014 (EvaluateLinesForATags)", [&] {
        TPageText& text = page.Text;
        TAnchorMarks marks(text.Text());
        TLineFinder lines(text.Lines());
        // The remaining text starts at `start`; what went before is deleted.
        size_t start = 0;
        // While an "</a" lies ahead, each step drops through it, past the
        // anchor's end: the anchors do not overlap.
        for (;;) {
            marks.MoveTo(start);
            const size_t open = marks.At(TAnchorMarks::Open);
            if (open == TPageText::npos)
                return;
            const size_t close = marks.At(TAnchorMarks::Close);
            if (close == TPageText::npos)
                break;
            CheckAnchor(page, AnchorAt(text, open, marks.At(TAnchorMarks::Slash)), lines, sink, 1);
            start = std::min(close + 3, text.Size());
        }
        // No "</a" is left: every step drops two characters, and the steps
        // up to the next "<a" or "/a" all meet the same anchor. Those anchors
        // overlap, so the finds inside them may switch to occurrence lists.
        text.IndexFrom(start);
        for (;;) {
            marks.MoveTo(start);
            const size_t open = marks.At(TAnchorMarks::Open);
            const size_t slash = marks.At(TAnchorMarks::Slash);
            if (open == TPageText::npos || slash == TPageText::npos)
                return;   // without "/a" an anchor is at most "<a"
            const size_t steps = (std::min(open, slash) - start) / 2 + 1;
            CheckAnchor(page, AnchorAt(text, open, slash), lines, sink, steps);
            start += 2 * steps;
        }
    });
}
