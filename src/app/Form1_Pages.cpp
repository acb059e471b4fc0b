#include "app/Form1.h"

#include "core/TextHelpers.h"
#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "platform/CatchAll.h"

void TForm1::GetPageRequestDone(THttpCli* sender)
{
    CatchAll("error code : #0039 (GetPageRequestDone)", [&] {
        TStringList lines;
        const TMemoryStream& body = *FPageBuffers.at(sender);
        LoadMemoFromMemoryStream(lines, body.Data(), static_cast<size_t>(body.Size()));
        // dispatch by engine code follows when the scrapers and the extractor land
        for (std::string& line : GetPageRequests) {
            if (TextAfterTab(line) == sender->URL) {
                line = "X\t" + sender->URL;
                break;
            }
        }
    });
}
