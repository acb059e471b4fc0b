#include "app/Form1.h"
#include "app/Form2.h"

namespace {

// The first call queues or meets a waiting line; every later one meets the
// line the first left waiting. A refused URL is refused each time, uncounted.
uint64_t Repeats(TQueueResult first, uint64_t times)
{
    if (first == TQueueResult::Refused)
        return 0;
    return times - 1 + (first == TQueueResult::Repeat ? 1 : 0);
}

}

void TForm1::QueuePageFetch(const std::string& url, int engineCode) { QueuePageFetchTimes(url, engineCode, 1); }

void TForm1::QueueLinkCheck(const std::string& url) { QueueLinkCheckTimes(url, 1); }

void TForm1::QueuePageFetchTimes(const std::string& url, int engineCode, uint64_t times)
{
    if (times == 0)
        return;
    const uint64_t repeats = Repeats(AppendPageFetch(GetPageQueue, url, engineCode), times);
    if (repeats > 0 && Form2)
        IncrementLabel(Form2->Label1, repeats);
}

void TForm1::QueueLinkCheckTimes(const std::string& url, uint64_t times)
{
    if (times == 0)
        return;
    const uint64_t repeats = Repeats(AppendLinkCheck(CheckLinkQueue, url), times);
    if (repeats > 0 && Form2)
        IncrementLabel(Form2->Label2, repeats);
}
