#pragma once
#include "core/EngineCode.h"
#include "core/IndexedList.h"

#include <string>
#include <vector>

// Ordered text lines: the request lists and the lines of a page.
using TStringList = std::vector<std::string>;

// The page-fetch queue: lines of URL + "\t" + engine code.
struct TPageQueue : TIndexedList {
    TPageQueue() : TIndexedList(KeyKind::BeforeTab) {}
};
// The link-check queue and the found-pictures list: one URL a line.
using TUrlList = TIndexedList;

std::string TextBeforeTab(const std::string& line);
std::string TextAfterTab(const std::string& line);

enum class TQueueResult { Queued, Repeat, Refused };

// Append URL + "\t" + code unless a line with that URL waits already
// (letter case ignored, any code): Repeat. A URL holding a tab, CR or LF
// cannot travel in the line format and is Refused.
TQueueResult AppendPageFetch(TPageQueue& queue, const std::string& url, EngineCode engineCode);
// Append the URL unless it waits already (letter case ignored). A check line
// is the URL alone, so any URL fits: it is checked as the result list would
// list it unchecked.
TQueueResult AppendLinkCheck(TUrlList& queue, const std::string& url);
