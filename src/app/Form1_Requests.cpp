#include "app/Form1.h"
#include "app/Form2.h"
#include "app/HealthList.h"
#include "controls/ResultList.h"

#include "platform/AnsiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>

void TForm1::ConnectEngine()
{
    Engine.CheckLinks = [this] { return CheckBox_CheckLinks->isChecked(); };
    Engine.OnFound = [this](const std::string& url, int64_t size) { AddRow(url, size); };
    Engine.OnDimensions = [this](size_t row) { ResultList->Rows->DimensionsChanged(static_cast<int>(row)); };
    Engine.OnPageRepeats = [](uint64_t repeats) {
        if (Form2)
            IncrementLabel(Form2->PageRepeatsLabel, repeats);
    };
    Engine.OnCheckRepeats = [](uint64_t repeats) {
        if (Form2)
            IncrementLabel(Form2->CheckRepeatsLabel, repeats);
    };
    Engine.OnTimedOut = [this](const std::string& line) { TimeoutLog->appendPlainText(ToQt(line)); };
}

void TForm1::RefreshCounters()
{
    const size_t pages = Scheduler.Pages().size();
    const size_t checks = Scheduler.Checks().size();
    ProcessesLabel->setText(QString::number(pages + checks));
    HealthList->Show(Engine.Health(), Engine.StartPageHealth());
    HealthList->ShowSources(Engine.SourceHealth(), Engine.SourcesOn());
    if (!Form2)
        return;
    Form2->HealthList->Show(Engine.Health(), Engine.StartPageHealth());
    Form2->HealthList->ShowSources(Engine.SourceHealth(), Engine.SourcesOn());
    Form2->PageClientsLabel->setText(QString::number(pages));
    Form2->CheckClientsLabel->setText(QString::number(checks));
    Form2->PageQueueLabel->setText(QString::number(GetPageQueue.size()));
    Form2->CheckQueueLabel->setText(QString::number(CheckLinkQueue.size()));
}
