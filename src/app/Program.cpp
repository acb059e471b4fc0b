#include "app/Program.h"

#include "platform/IniFile.h"

#include <QTimer>

TProgram::TProgram(const std::string& settingsFile)
    : form1(settingsFile), form2(), options(form1.IniFile->FileName(), &form1), extract(&options),
      download(&form1)
{
    Form1 = &form1;
    Form2 = &form2;
    frm_Options = &options;
    ExtractForm = &extract;
    frm_Download = &download;
    options.OnSlideShowInterval = [this](int ms) { form1.SlideShowTimer->setInterval(ms); };
    options.ChooseDirectory = [this](const std::string&) { return extract.Choose(); };
}

TProgram::~TProgram()
{
    frm_Download = nullptr;
    ExtractForm = nullptr;
    frm_Options = nullptr;
}
