#pragma once
#include "app/Program.h"
#include "controls/AdImage.h"
#include "platform/ErrorLog.h"
#include "platform/IniFile.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Shell.h"
#include "search/EngineProbe.h"
#include "support/TestSupport.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// The program's real windows on a settings file of the test's own.
// Timers are stopped, so the test drives every tick itself.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ErrorLog::ClearForTest();
        TAdImage::SetLibraryFolder(GS_PROGRAM_DIR); // the banner's library beside the program
        Dialogs::SetResponder([this](const Dialogs::Request& r) {
            dialogs.push_back(r);
            return Dialogs::Answer{false, {}};
        });
        SetShellOpener([this](const std::string& a) {
            opened.push_back(a);
            return true;
        });
        settings = std::make_unique<TIniFile>(dir.File("glimmerscout.ini"));
    }

    void TearDown() override
    {
        program.reset();
        Dialogs::SetResponder(nullptr);
        SetShellOpener(nullptr);
    }

    void CreateForms(bool stopTimers = true, const std::string& settingsFile = {})
    {
        program.reset();
        program = std::make_unique<TProgram>(settingsFile.empty() ? dir.File("glimmerscout.ini") : settingsFile);
        form = &program->form1;
        form2 = &program->form2;
        if (stopTimers)
            for (QTimer* t : SchedulerTimers())
                t->stop();
    }

    // The main window's timers of the search: request starts, reapers, counters.
    std::vector<QTimer*> SchedulerTimers() const
    {
        const auto engine = TEngineProbe(form->Engine).Timers();
        return {engine.CheckStart, engine.PageStart, engine.PageReap, engine.CheckReap, form->CounterTimer};
    }

    TempDir dir;
    std::unique_ptr<TIniFile> settings;
    std::unique_ptr<TProgram> program;
    TForm1* form = nullptr;
    TForm2* form2 = nullptr;
    std::vector<Dialogs::Request> dialogs;
    std::vector<std::string> opened;
};
