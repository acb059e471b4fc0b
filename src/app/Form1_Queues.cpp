#include "app/Form1.h"
#include "app/Form2.h"

void TForm1::QueuePageFetch(const std::string& url, int engineCode)
{
    if (AppendPageFetch(GetPageQueue, url, engineCode) == TQueueResult::Repeat && Form2)
        IncrementLabel(Form2->Label1);
}

void TForm1::QueueLinkCheck(const std::string& url)
{
    if (AppendLinkCheck(CheckLinkQueue, url) == TQueueResult::Repeat && Form2)
        IncrementLabel(Form2->Label2);
}
