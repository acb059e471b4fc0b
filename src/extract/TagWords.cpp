#include "extract/TagWords.h"

TTagWords TagWordsIn(const TPageText& text, TSpan tag)
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
