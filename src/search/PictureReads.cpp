#include "search/SearchEngine.h"

#include "net/HttpCli.h"
#include "pictures/PictureHeader.h"
#include "platform/CatchAll.h"

void TSearchEngine::StartDimensionRead(THttpCli* sender, TPictureSize size, size_t row)
{
    FReads[sender] = {{}, size, row};
    sender->OnDocData = [this](THttpCli* client, const char* data, int length) {
        DimensionData(client, std::string_view(data, static_cast<size_t>(length)));
    };
    // The body ended (or was cut off) before the reader was sure.
    sender->OnRequestDone = [this](THttpCli* client, THttpRequest, uint16_t) { EndDimensionRead(client, {}); };
}

void TSearchEngine::DimensionData(THttpCli* sender, std::string_view data)
{
    CatchAll("error code : #0023 (CheckLinkDocData)", [&] {
        const auto read = FReads.find(sender);
        if (read == FReads.end())
            return;
        std::string& bytes = read->second.Bytes;
        bytes.append(data.substr(0, HeaderReadBound - bytes.size()));
        const TPictureHeader header = ReadPictureHeader(bytes);
        if (header.State == THeaderState::NotYet)
            return;
        EndDimensionRead(sender, header.State == THeaderState::Found ? TDimensions{header.Width, header.Height}
                                                                     : TDimensions{});
    });
}

void TSearchEngine::EndDimensionRead(THttpCli* sender, TDimensions dimensions)
{
    CatchAll("error code : #0023 (CheckLinkDocData)", [&] {
        auto read = FReads.extract(sender);
        if (read.empty())
            return;
        const TDimensionRead& done = read.mapped();
        if (done.Row == NotListed) {
            List(sender->URL, done.Size, dimensions);
        } else if (dimensions.Known() && done.Row < FDimensions.size()) {
            FDimensions[done.Row] = dimensions;
            OnDimensions(done.Row);
        }
        // Known: the rest of the picture is not needed.
        FScheduler.MarkFinished(sender);
    });
}
