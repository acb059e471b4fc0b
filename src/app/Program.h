#pragma once
#include "app/About.h"
#include "app/ExtractForm.h"
#include "app/Form1.h"
#include "app/Form2.h"
#include "app/Options.h"
#include "app/DownloadWindow.h"

#include <string>

// The program's windows, one of each for the whole run, created in their
// fixed order (the main window first) and wired to each other.
class TProgram {
public:
    // settingsFile: empty means the one beside the executable.
    explicit TProgram(const std::string& settingsFile = {});
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    TForm1 form1;
    TForm2 form2;
    Tfrm_About about;
    Tfrm_Options options;
    TExtractForm extract;
    Tfrm_Download download;
};
