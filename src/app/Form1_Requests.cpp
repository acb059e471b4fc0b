#include "app/Form1.h"
#include "app/Form2.h"

#include "platform/ui/AnsiText.h"

#include <QLabel>
#include <QPlainTextEdit>

void TForm1::ConnectScheduler()
{
    Scheduler.SearchActive = [this] { return SearchActive; };
    Scheduler.OnPageDone = [this](THttpCli* sender) { GetPageRequestDone(sender); };
    Scheduler.OnCheckHeaderEnd = [this](THttpCli* sender) { CheckLinkHeaderEnd(sender); };
    Scheduler.OnTimedOut = [this](const std::string& line) { Memo1->appendPlainText(ToQt(line)); };
}

void TForm1::RefreshCounters()
{
    const size_t pages = Scheduler.Pages().size();
    const size_t checks = Scheduler.Checks().size();
    Label2->setText(QString::number(pages + checks));
    if (!Form2)
        return;
    Form2->Label9->setText(QString::number(pages));
    Form2->Label10->setText(QString::number(checks));
    Form2->Label13->setText(QString::number(GetPageQueue.size()));
    Form2->Label14->setText(QString::number(CheckLinkQueue.size()));
}
