#include "app/Form1.h"

#include "net/HttpCli.h"
#include "net/MemoryStream.h"
#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

TForm1* Form1 = nullptr;

TForm1::TForm1(const std::string& settingsFile, QWidget* parent)
    : QWidget(parent), ProgramFolder(QCoreApplication::applicationDirPath().toStdString()),
      FSettingsFile(settingsFile)
{
    CreateLayout();
    Timer1 = new QTimer(this);
    Timer1->setInterval(200);
    Timer2 = new QTimer(this);
    Timer2->setInterval(500);
    Timer3 = new QTimer(this);
    Timer3->setInterval(100);
    Timer4 = new QTimer(this);
    Timer4->setInterval(100);
    Timer5 = new QTimer(this);
    Timer5->setInterval(1000);
    SlideShowTimer = new QTimer(this);
    SlideShowTimer->setInterval(10000);
    SlideShowTimer->setTimerType(Qt::PreciseTimer); // a minimum time: never early
    ConnectHandlers();
    FormCreate();
    // Precise: a coarse timer may fire 5% late by design, which would eat
    // into the reapers' one-per-100-ms budget.
    for (QTimer* t : {Timer1, Timer2, Timer3, Timer4, Timer5}) {
        t->setTimerType(Qt::PreciseTimer);
        t->start();
    }
}

TForm1::~TForm1()
{
    for (THttpCli* c : GetPageClients)
        DeletePageClient(c);
    for (THttpCli* c : CheckLinkClients)
        DeleteCheckClient(c);
    if (Form1 == this)
        Form1 = nullptr;
}

std::string TForm1::DefaultSettingsFile()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return (exe.absolutePath() + "/" + exe.completeBaseName() + ".ini").toStdString();
}
