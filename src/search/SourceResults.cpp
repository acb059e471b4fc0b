#include "search/SearchEngine.h"

#include "net/HttpCli.h"
#include "platform/AnsiCase.h"

std::string TSearchEngine::ReadSourceAnswer(int index, const THttpCli& sender, std::string_view body,
                                            TSearchSink& sink)
{
    const TSource& source = Sources[index];
    const TSourceAnswer answer = source.Read(body);
    for (const TPictureRecord& picture : answer.Pictures)
        RouteSourcePicture(source, picture, sink);
    if (!answer.NextSuffix.empty() && FActive && FSourcePagesAsked[index] < FSourcePageLimit) {
        ++FSourcePagesAsked[index];
        sink.QueuePageFetch(FSourceQuery[index] + answer.NextSuffix, source.EngineCode);
    }
    if (answer.Read)
        return "";
    if (!answer.Error.empty())
        return answer.Error;
    if (sender.StatusCode() != 200)
        return "HTTP " + std::to_string(sender.StatusCode()) + " " + sender.ReasonPhrase();
    return FormatChangedWarning;
}

// A picture with the source's size needs no check where the source holds the
// file, nor when links are not checked; any other goes the scrapers' way.
void TSearchEngine::RouteSourcePicture(const TSource& source, const TPictureRecord& picture, TSearchSink& sink)
{
    if (!IsListedPicture(picture) || sink.IsFound(picture.Url))
        return;
    // Kept before it is listed: whoever hears of the picture may ask.
    FSourcePictures.try_emplace(AnsiLowerCase(picture.Url), picture);
    if (picture.Size > 0 && (source.HostsFiles || !sink.CheckLinksTicked()))
        sink.AddToListView(picture.Url, TPictureSize::Told(picture.Size));
    else
        RoutePictureLink(sink, picture.Url);
}

const TPictureRecord* TSearchEngine::SourcePicture(const std::string& url) const
{
    const auto it = FSourcePictures.find(AnsiLowerCase(url));
    return it == FSourcePictures.end() ? nullptr : &it->second;
}
