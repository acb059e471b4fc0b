#include "app/Form1.h"
#include "app/FramePlacer.h"

#include "platform/IniFile.h"
#include "platform/ProgramFiles.h"

#include <QTimer>

TForm1* Form1 = nullptr;

TForm1::TForm1(const std::string& settingsFile, QWidget* parent)
    : QWidget(parent), DataFolder(ProgramFiles().DataFolder), ScratchFolder(ProgramFiles().ScratchFolder),
      FSettingsFile(settingsFile)
{
    CreateLayout();
    FFramePlacer = new TFramePlacer(this);
    CounterTimer = new QTimer(this);
    CounterTimer->setInterval(1000);
    SlideShowTimer = new QTimer(this);
    SlideShowTimer->setInterval(10000);
    SlideShowTimer->setTimerType(Qt::PreciseTimer); // a minimum time: never early
    ConnectHandlers();
    FormCreate();
    CounterTimer->setTimerType(Qt::PreciseTimer);
    CounterTimer->start();
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}
