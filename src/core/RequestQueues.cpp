#include "core/RequestQueues.h"

std::string TextBeforeTab(const std::string& line)
{
    return line.substr(0, line.find('\t'));
}

std::string TextAfterTab(const std::string& line)
{
    const size_t tab = line.find('\t');
    return tab == std::string::npos ? std::string() : line.substr(tab + 1);
}

namespace {
bool FitsInALine(const std::string& url)
{
    return url.find_first_of("\t\r\n") == std::string::npos;
}
}

TQueueResult AppendPageFetch(TPageQueue& queue, const std::string& url, EngineCode engineCode)
{
    if (!FitsInALine(url))
        return TQueueResult::Refused;
    if (queue.ContainsKey(url))
        return TQueueResult::Repeat;
    queue.Append(url + "\t" + std::to_string(engineCode));
    return TQueueResult::Queued;
}

TQueueResult AppendLinkCheck(TUrlList& queue, const std::string& url)
{
    if (queue.ContainsKey(url))
        return TQueueResult::Repeat;
    queue.Append(url);
    return TQueueResult::Queued;
}
