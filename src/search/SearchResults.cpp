#include "search/SearchEngine.h"

#include "core/Scrapers.h"
#include "core/TextHelpers.h"
#include "extract/LinkExtractor.h"
#include "net/HttpCli.h"
#include "platform/CatchAll.h"
#include "search/CountingSink.h"
#include "search/SizeFilter.h"

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

using TScraper = bool (*)(const TStringList&, TSearchSink&);

// Why a page came to nothing, or came cut short over TLS.
std::string Unanswered(const THttpCli& client)
{
    if (!client.TlsFailure().empty())
        return "TLS: " + client.TlsFailure();
    return client.ReasonPhrase().empty() ? "no answer" : client.ReasonPhrase();
}

TScraper ScraperOf(EngineCode engineCode)
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

void TSearchEngine::QueuePageFetch(const std::string& url, EngineCode engineCode) { QueuePageFetchTimes(url, engineCode, 1); }

void TSearchEngine::QueueLinkCheck(const std::string& url) { QueueLinkCheckTimes(url, 1); }

void TSearchEngine::QueuePageFetchTimes(const std::string& url, EngineCode engineCode, uint64_t times)
{
    if (times == 0)
        return;
    if (const uint64_t repeats = Repeats(FScheduler.QueuePage(url, engineCode), times))
        OnPageRepeats(repeats);
}

void TSearchEngine::QueueLinkCheckTimes(const std::string& url, uint64_t times)
{
    if (times == 0)
        return;
    if (const uint64_t repeats = Repeats(FScheduler.QueueCheck(url), times))
        OnCheckRepeats(repeats);
}

void TSearchEngine::GetPageRequestDone(THttpCli* sender)
{
    CatchAll("error code : #0039 (GetPageRequestDone)", [&] {
        // A page cut off at its size limit is read as far as it came.
        const std::string_view body = FScheduler.PageBody(sender);
        const EngineCode code = FScheduler.PageCode(sender);
        if (TServiceHealth* health = HealthOf(code)) {
            const bool answered = !sender->HeaderLines().empty();
            if (answered)
                ++health->Pages;
            TCountingSink counted(*this, health->Links);
            const std::string warning = ReadAnswer(code, *sender, body, counted);
            if (!sender->TlsFailure().empty() || !answered)
                health->Warning = Unanswered(*sender); // a cut page is read as far as it came
            else
                health->Warning = warning;
        } else if (code == ecThumbnailPage) {
            // Web pages are read straight from the body, without a string per line.
            CheckNewPageForSrcOnBody(body, sender->URL, *this);
        } else if (TServiceHealth* start = HealthOf(code, sender->URL)) {
            ReadStartPage(*sender, body, *start);
        } else if (code == ecListedPage) {
            StartExtractLoopOnBody(body, sender->URL, *this);
        }
        FScheduler.MarkFinished(sender);
    });
}

// The page an http:// or https:// phrase names, counted as a service's
// result page is; an error status is as much a failure as no answer.
void TSearchEngine::ReadStartPage(const THttpCli& page, std::string_view body, TServiceHealth& health)
{
    const bool answered = !page.HeaderLines().empty();
    if (answered)
        ++health.Pages;
    TCountingSink counted(*this, health.Links);
    StartExtractLoopOnBody(body, page.URL, counted);
    if (!page.TlsFailure().empty() || !answered)
        health.Warning = Unanswered(page);
    else if (page.StatusCode() >= 400)
        health.Warning = "answered " + std::to_string(page.StatusCode()) + " " + page.ReasonPhrase();
    else
        health.Warning.clear();
}

std::string TSearchEngine::ReadAnswer(EngineCode code, const THttpCli& sender, std::string_view body, TSearchSink& sink)
{
    if (const TScraper scraper = ScraperOf(code)) {
        // The service pages are read a line at a time.
        TStringList lines;
        LoadMemoFromMemoryStream(lines, body);
        return scraper(lines, sink) ? "" : FormatChangedWarning;
    }
    return ReadSourceAnswer(SourceIndex(FSources, code), sender, body, sink);
}

bool TSearchEngine::CheckLinksTicked() const { return FCheckLinks && FCheckLinks(); }

bool TSearchEngine::IsFound(const std::string& url) const { return FFoundFiles.ContainsKey(url); }

void TSearchEngine::AddToListView(const std::string& url, TPictureSize size) { List(url, size, SourceDimensions(url)); }

// What a live source told of a picture's dimensions: no read needed.
TDimensions TSearchEngine::SourceDimensions(const std::string& url) const
{
    const TPictureRecord* record = SourcePicture(url);
    return record ? TDimensions{record->Width, record->Height} : TDimensions{};
}

bool TSearchEngine::List(const std::string& url, TPictureSize size, TDimensions dimensions)
{
    bool listed = false;
    CatchAll("error code : #0044 (AddToListView)", [&] {
        if (!FActive || IsFound(url))
            return;
        if (!PassesSizeFilter(*FSettings, size))
            return;
        if (!FDimensionFilter.Passes(dimensions))
            return;
        // A source's addresses are listed as it gives them, escapes and queries included.
        if (url.find_first_of("&=?%") != std::string::npos && !SourcePicture(url))
            return;
        FFoundFiles.Append(url);
        FDimensions.push_back(dimensions);
        listed = true;
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
            const TPictureSize size = TPictureSize::Checked(sender->ContentLength());
            if (const TDimensions known = SourceDimensions(sender->URL); known.Known()) {
                List(sender->URL, size, known);
            } else if (FWaitForDimensions || FDimensionFilter.On()) {
                // Refused by its size, it is not worth reading.
                if (PassesSizeFilter(*FSettings, size)) {
                    StartDimensionRead(sender, size, NotListed);
                    return;
                }
            } else if (List(sender->URL, size, {})) {
                // Listed as always; the bytes that come before the reaper
                // ends the check may still tell its dimensions.
                StartDimensionRead(sender, size, FFoundFiles.size() - 1);
            }
        }
        FScheduler.MarkFinished(sender);
    });
}
