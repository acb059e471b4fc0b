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
    Engine.SetCheckLinks([this] { return CheckBox_CheckLinks->isChecked(); });
    Engine.OnFound.Listen([this](const std::string&, TPictureSize size) { AddRow(size); });
    Engine.OnDimensions.Listen([this](size_t row) { ResultList->Rows->DimensionsChanged(static_cast<int>(row)); });
    Engine.OnPageRepeats.Listen([](uint64_t repeats) {
        if (Form2)
            IncrementLabel(Form2->PageRepeatsLabel, repeats);
    });
    Engine.OnCheckRepeats.Listen([](uint64_t repeats) {
        if (Form2)
            IncrementLabel(Form2->CheckRepeatsLabel, repeats);
    });
    Engine.OnTimedOut.Listen([this](const TTimedOut& request) {
        const char* kind = request.Kind == TRequestKind::PageFetch ? "  GetPage:\t" : "CheckLink:\t";
        TimeoutLog->appendPlainText(ToQt(kind + request.Url));
    });
}

void TForm1::RefreshCounters()
{
    const TWorkCounts work = Engine.Work();
    ProcessesLabel->setText(QString::number(work.PagesHeld + work.ChecksHeld));
    HealthList->Show(Engine.Health(), Engine.StartPageHealth());
    HealthList->ShowSources(Engine.SourceList(), Engine.SourceHealth(), Engine.SourcesOn(), Engine.RefusedSources());
    if (!Form2)
        return;
    Form2->HealthList->Show(Engine.Health(), Engine.StartPageHealth());
    Form2->HealthList->ShowSources(Engine.SourceList(), Engine.SourceHealth(), Engine.SourcesOn(),
                                   Engine.RefusedSources());
    Form2->PageClientsLabel->setText(QString::number(work.PagesHeld));
    Form2->CheckClientsLabel->setText(QString::number(work.ChecksHeld));
    Form2->PageQueueLabel->setText(QString::number(work.PagesQueued));
    Form2->CheckQueueLabel->setText(QString::number(work.ChecksQueued));
}
