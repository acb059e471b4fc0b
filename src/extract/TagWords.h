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

TTagWords TagWordsIn(const TPageText& text, TSpan tag);
