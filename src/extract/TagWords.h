#pragma once
#include "extract/PageText.h"

// Which of the words that steer a tag check a tag (or line) holds. The
// others are only looked for when it holds ".jpg", as nothing else is read
// otherwise.
struct TTagWords {
    bool Jpg = false;
    bool Src = false;
    bool Img = false;
    bool Href = false;
};

// Inline: it runs for every tag and line, mostly finding its words at once.
inline TTagWords TagWordsIn(const TPageText& text, TSpan tag)
{
    TTagWords words;
    words.Jpg = text.Contains(TMarker::Jpg, tag);
    if (words.Jpg) {
        words.Src = text.Contains(TMarker::Src, tag);
        words.Img = text.Contains(TMarker::Img, tag);
        words.Href = text.Contains(TMarker::Href, tag);
    }
    return words;
}
