#include "app/Form1.h"

#include "core/Scrapers.h"
#include "core/TextHelpers.h"
#include "extract/LinkExtractor.h"
#include "net/HttpCli.h"
#include "platform/CatchAll.h"

#include <string_view>

void TForm1::GetPageRequestDone(THttpCli* sender)
{
    CatchAll("error code : #0039 (GetPageRequestDone)", [&] {
        // A page cut off at its size limit is read as far as it came.
        const std::string_view body = Scheduler.PageBody(sender);
        // The service pages are read a line at a time; web pages are read
        // straight from the body, without a string per line.
        const auto scrape = [&](void (*scraper)(const TStringList&, TSearchSink&)) {
            TStringList lines;
            LoadMemoFromMemoryStream(lines, body);
            scraper(lines, *this);
        };
        switch (sender->Tag) {
        case ecScourNet: scrape(ExractDataFromScourNet); break;
        case ecHotBot: scrape(ExractDataFromHotBot); break;
        case ecLycos: scrape(ExractDataFromLycos); break;
        case ecLycosImagesDirect: scrape(ExractDataFromLycosImagesDirect); break;
        case ecThumbnailPage: CheckNewPageForSrcOnBody(body, sender->URL, *this); break;
        case ecListedPage: StartExtractLoopOnBody(body, sender->URL, *this); break;
        default: break;
        }
        Scheduler.MarkFinished(sender);
    });
}
