#include "search/SearchEngine.h"

#include "core/Scrapers.h"
#include "core/TextHelpers.h"
#include "extract/LinkExtractor.h"
#include "net/HttpCli.h"
#include "platform/CatchAll.h"
#include "search/CountingSink.h"

#include <string_view>

namespace {

// The first call queues or meets a waiting line; every later one meets the
// line the first left waiting. A refused URL is refused each time, uncounted.
uint64_t Repeats(TQueueResult first, uint64_t times)
{
    if (first == TQueueResult::Refused)
        return 0;
    return times - 1 + (first == TQueueResult::Repeat ? 1 : 0);
}

void Report(const std::function<void(uint64_t)>& to, uint64_t repeats)
{
    if (repeats > 0 && to)
        to(repeats);
}

using TScraper = bool (*)(const TStringList&, TSearchSink&);

TScraper ScraperOf(int engineCode)
{
    switch (engineCode) {
    case ecScourNet: return ExractDataFromScourNet;
    case ecHotBot: return ExractDataFromHotBot;
    case ecLycos: return ExractDataFromLycos;
    case ecLycosImagesDirect: return ExractDataFromLycosImagesDirect;
    default: return nullptr;
    }
}

}

void TSearchEngine::QueuePageFetch(const std::string& url, int engineCode) { QueuePageFetchTimes(url, engineCode, 1); }

void TSearchEngine::QueueLinkCheck(const std::string& url) { QueueLinkCheckTimes(url, 1); }

void TSearchEngine::QueuePageFetchTimes(const std::string& url, int engineCode, uint64_t times)
{
    if (times > 0)
        Report(OnPageRepeats, Repeats(AppendPageFetch(Scheduler.GetPageQueue, url, engineCode), times));
}

void TSearchEngine::QueueLinkCheckTimes(const std::string& url, uint64_t times)
{
    if (times > 0)
        Report(OnCheckRepeats, Repeats(AppendLinkCheck(Scheduler.CheckLinkQueue, url), times));
}

void TSearchEngine::GetPageRequestDone(THttpCli* sender)
{
    CatchAll("error code : #0039 (GetPageRequestDone)", [&] {
        // A page cut off at its size limit is read as far as it came.
        const std::string_view body = Scheduler.PageBody(sender);
        const int code = static_cast<int>(sender->Tag);
        if (const TScraper scraper = ScraperOf(code)) {
            // The service pages are read a line at a time.
            TServiceHealth& health = FHealth[ServiceIndex(code)];
            const bool answered = !sender->HeaderLines().empty();
            if (answered)
                ++health.Pages;
            TStringList lines;
            LoadMemoFromMemoryStream(lines, body);
            TCountingSink counted(*this, health.Links);
            const bool read = scraper(lines, counted);
            if (!answered)
                health.Warning = sender->ReasonPhrase().empty() ? "no answer" : sender->ReasonPhrase();
            else
                health.Warning = read ? "" : FormatChangedWarning;
        } else if (code == ecThumbnailPage) {
            // Web pages are read straight from the body, without a string per line.
            CheckNewPageForSrcOnBody(body, sender->URL, *this);
        } else if (code == ecListedPage) {
            StartExtractLoopOnBody(body, sender->URL, *this);
        }
        Scheduler.MarkFinished(sender);
    });
}

bool TSearchEngine::CheckLinksTicked() const { return CheckLinks && CheckLinks(); }

bool TSearchEngine::IsFound(const std::string& url) const { return FoundFiles.ContainsKey(url); }

void TSearchEngine::AddToListView(const std::string& url, int64_t size) { List(url, size, {}); }

bool TSearchEngine::List(const std::string& url, int64_t size, TDimensions dimensions)
{
    bool listed = false;
    CatchAll("error code : #0044 (AddToListView)", [&] {
        if (!SearchActive || IsFound(url))
            return;
        if (size > 0 && !PassesSizeFilter(url, size))
            return;
        if (!FDimensionFilter.Passes(dimensions))
            return;
        if (url.find_first_of("&=?%") != std::string::npos)
            return;
        FoundFiles.Append(url);
        FDimensions.push_back(dimensions);
        listed = true;
        if (OnFound)
            OnFound(url, size);
    });
    return listed;
}

void TSearchEngine::CheckLinkHeaderEnd(THttpCli* sender)
{
    CatchAll("error code : #0003 (CheckLinkHeaderEnd)", [&] {
        FReads.erase(sender); // a relocation's header came first
        const TPictureType type = LinkPictureType(sender->URL, TPictureTypes::All()).value_or(TPictureType::Jpeg);
        if (ContentTypeFits(sender->ContentType(), type)) {
            const int64_t size = sender->ContentLength();
            if (WaitForDimensions || FDimensionFilter.On()) {
                // Refused by its size, it is not worth reading.
                if (size <= 0 || PassesSizeFilter(sender->URL, size)) {
                    StartDimensionRead(sender, size, NotListed);
                    return;
                }
            } else if (List(sender->URL, size, {})) {
                // Listed as always; the bytes that come before the reaper
                // ends the check may still tell its dimensions.
                StartDimensionRead(sender, size, FoundFiles.size() - 1);
            }
        }
        Scheduler.MarkFinished(sender);
    });
}
