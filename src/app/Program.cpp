#include "app/Program.h"

#include "app/Artwork.h"
#include "app/SourcesPage.h"
#include "platform/IniFile.h"

#include <QGuiApplication>
#include <QTimer>

TProgram::TProgram(const std::string& settingsFile)
    : form1(settingsFile), form2(), about(&form1), options(form1.IniFile->FileName(), &form1), extract(&options),
      download(&form1)
{
    QGuiApplication::setWindowIcon(ApplicationIcon());
    Form1 = &form1;
    Form2 = &form2;
    frm_About = &about;
    frm_Options = &options;
    ExtractForm = &extract;
    frm_Download = &download;
    options.OnSlideShowInterval = [this](int ms) { form1.SlideShowTimer->setInterval(ms); };
    options.ChooseDirectory = [this](const std::string&) { return extract.Choose(); };
    options.SourcesPage->Rows = [this] { return SourceRowsOf(form1.Engine); };
}

TProgram::~TProgram()
{
    frm_Download = nullptr;
    ExtractForm = nullptr;
    frm_Options = nullptr;
    frm_About = nullptr;
}
