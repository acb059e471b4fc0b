#include "app/Form1.h"

#include "core/Scrapers.h"
#include "core/TextHelpers.h"
#include "extract/LinkExtractor.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "platform/CatchAll.h"

void TForm1::GetPageRequestDone(THttpCli* sender)
{
    CatchAll("error code : #0039 (GetPageRequestDone)", [&] {
        TStringList lines;
        const TMemoryStream& body = *FPageBuffers.at(sender);
        LoadMemoFromMemoryStream(lines, body.Data(), static_cast<size_t>(body.Size()));
        switch (sender->Tag) {
        case ecScourNet: ExractDataFromScourNet(lines, *this); break;
        case ecHotBot: ExractDataFromHotBot(lines, *this); break;
        case ecLycos: ExractDataFromLycos(lines, *this); break;
        case ecLycosImagesDirect: ExractDataFromLycosImagesDirect(lines, *this); break;
        case ecThumbnailPage: CheckNewPageForSrc(lines, sender->URL, *this); break;
        case ecListedPage: StartExtractLoop(lines, sender->URL, *this); break;
        default: break;
        }
        for (std::string& line : GetPageRequests) {
            if (TextAfterTab(line) == sender->URL) {
                line = "X\t" + sender->URL;
                break;
            }
        }
    });
}
