#include "app/Form1.h"

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
    CheckStartTimer = new QTimer(this);
    CheckStartTimer->setInterval(200);
    PageStartTimer = new QTimer(this);
    PageStartTimer->setInterval(500);
    PageReapTimer = new QTimer(this);
    PageReapTimer->setInterval(100);
    CheckReapTimer = new QTimer(this);
    CheckReapTimer->setInterval(100);
    CounterTimer = new QTimer(this);
    CounterTimer->setInterval(1000);
    SlideShowTimer = new QTimer(this);
    SlideShowTimer->setInterval(10000);
    SlideShowTimer->setTimerType(Qt::PreciseTimer); // a minimum time: never early
    ConnectHandlers();
    FormCreate();
    // Precise: a coarse timer may fire 5% late by design, which would eat
    // into the reapers' one-per-100-ms budget.
    for (QTimer* t : {CheckStartTimer, PageStartTimer, PageReapTimer, CheckReapTimer, CounterTimer}) {
        t->setTimerType(Qt::PreciseTimer);
        t->start();
    }
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

std::string TForm1::DefaultSettingsFile()
{
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return (exe.absolutePath() + "/" + exe.completeBaseName() + ".ini").toStdString();
}
