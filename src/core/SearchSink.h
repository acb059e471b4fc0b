#pragma once
#include "core/EngineCode.h"
#include "core/PictureSize.h"
#include "pictures/PictureTypes.h"

#include <cstdint>
#include <exception>
#include <string>

// Where the scrapers and the link extractor hand what they find: the main
// window's queues, result list and search state.
class TSearchSink {
public:
    virtual ~TSearchSink() = default;

    virtual void QueuePageFetch(const std::string& url, EngineCode engineCode) = 0;
    virtual void QueueLinkCheck(const std::string& url) = 0;
    // The same call `times` times in a row with nothing between them, as an
    // anchor met again and again at every step yields: a queue can count its
    // repeats in one go. Each call stands on its own: one that fails does not
    // stop the others, and the first failure is thrown after the last call.
    virtual void QueuePageFetchTimes(const std::string& url, EngineCode engineCode, uint64_t times)
    {
        Repeat(times, [&] { QueuePageFetch(url, engineCode); });
    }
    virtual void QueueLinkCheckTimes(const std::string& url, uint64_t times)
    {
        Repeat(times, [&] { QueueLinkCheck(url); });
    }
    virtual void AddToListView(const std::string& url, TPictureSize size) = 0;
    // FoundFiles holds the URL (letter case ignored).
    virtual bool IsFound(const std::string& url) const = 0;

    virtual bool CheckLinksTicked() const = 0;   // read at every picture found
    virtual bool RecursiveSearchActive() const = 0;
    // The picture types a search lists; JPEG alone unless the user asks.
    virtual TPictureTypes PictureTypes() const { return TPictureTypes::JpegOnly(); }
    virtual std::string LycosBaseAddress() const = 0;
    virtual std::string ScourNetBaseAddress() const = 0;

private:
    template <class Call>
    static void Repeat(uint64_t times, Call call)
    {
        std::exception_ptr failure;
        for (; times > 0; --times) {
            try {
                call();
            } catch (...) {
                if (!failure)
                    failure = std::current_exception();
            }
        }
        if (failure)
            std::rethrow_exception(failure);
    }
};

// A picture link from a result page: checked when "Check Links" is ticked,
// listed at once, unchecked, otherwise.
inline void RoutePictureLink(TSearchSink& sink, const std::string& url)
{
    if (sink.CheckLinksTicked())
        sink.QueueLinkCheck(url);
    else
        sink.AddToListView(url, TPictureSize::Unchecked());
}
