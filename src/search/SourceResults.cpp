#include "search/SearchEngine.h"

#include "core/DescribedAnswer.h"
#include "core/Licence.h"
#include "core/RetryAfter.h"
#include "net/HttpCli.h"
#include "platform/AnsiCase.h"

#include <ctime>

std::string TSearchEngine::ReadSourceAnswer(int index, const THttpCli& sender, std::string_view body,
                                            TSearchSink& sink)
{
    if (LimitedBy(index, sender))
        return RateLimitedWarning;
    const TSource& source = FSources[index];
    const TSourceAnswer answer = ReadDescribedAnswer(source.Description, body, FSourcePagesAsked[index]);
    for (const TPictureRecord& picture : answer.Pictures)
        RouteSourcePicture(source, picture, sink);
    if (!answer.NextSuffix.empty() && FActive && FSourcePagesAsked[index] < FSourcePageLimit[index]) {
        ++FSourcePagesAsked[index];
        QueueSourcePage(index, FSourceQuery[index] + answer.NextSuffix);
    }
    if (answer.Read)
        return "";
    if (!answer.Error.empty())
        return answer.Error;
    // A relocation that was not followed leads to a login or an HTML page.
    if (sender.StatusCode() != 200 && sender.StatusCode() / 100 != 3)
        return "HTTP " + std::to_string(sender.StatusCode()) + " " + sender.ReasonPhrase();
    return FormatChangedWarning;
}

// The request itself is never repeated: the source's later pages and every
// later search skip it until the time is up.
bool TSearchEngine::LimitedBy(int source, const THttpCli& sender)
{
    const std::string retryAfter = RetryAfter::HeaderValue(sender.HeaderLines());
    if (sender.StatusCode() != 429 && !(sender.StatusCode() == 503 && !retryAfter.empty()))
        return false;
    const int64_t seconds = RetryAfter::Seconds(retryAfter, std::time(nullptr));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    FSourceRetryAt[FSources[source].ShortName] = until;
    FSourceHealth[source].RetryAt = until;
    return true;
}

// A picture with the source's size needs no check where the source holds the
// file, nor when links are not checked; any other goes the scrapers' way.
void TSearchEngine::RouteSourcePicture(const TSource& source, const TPictureRecord& picture, TSearchSink& sink)
{
    if (!IsListedPicture(picture, FTypes) || !LicencePasses(picture, FLicence) || sink.IsFound(picture.Url))
        return;
    // Kept before it is listed: whoever hears of the picture may ask.
    FSourcePictures.try_emplace(AnsiLowerCase(picture.Url), picture);
    if (picture.Size > 0 && (source.HostsFiles() || !sink.CheckLinksTicked()))
        sink.AddToListView(picture.Url, TPictureSize::Told(picture.Size));
    else
        RoutePictureLink(sink, picture.Url);
}

const TPictureRecord* TSearchEngine::SourcePicture(const std::string& url) const
{
    const auto it = FSourcePictures.find(AnsiLowerCase(url));
    return it == FSourcePictures.end() ? nullptr : &it->second;
}

std::string TSearchEngine::AgentFor(const std::string& url) const
{
    return SourcePicture(url) ? FSourceAgent : std::string();
}

std::string TSearchEngine::ThumbnailAddress(const std::string& url) const
{
    const TPictureRecord* record = SourcePicture(url);
    return record && !record->ThumbnailUrl.empty() ? record->ThumbnailUrl : url;
}
