#pragma once
#include "app/Form1.h"
#include "app/Form2.h"
#include "platform/ErrorLog.h"
#include "platform/IniFile.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Shell.h"
#include "support/TestSupport.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// The real main and diagnostics windows on a settings file of the test's own.
// Timers are stopped, so the test drives every tick itself.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ErrorLog::ClearForTest();
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
        form.reset();
        form2.reset();
        Dialogs::SetResponder(nullptr);
        SetShellOpener(nullptr);
    }

    void CreateForms(bool stopTimers = true)
    {
        form = std::make_unique<TForm1>(dir.File("glimmerscout.ini"));
        Form1 = form.get();
        form2 = std::make_unique<TForm2>();
        Form2 = form2.get();
        if (stopTimers)
            for (QTimer* t : {form->Timer1, form->Timer2, form->Timer3, form->Timer4, form->Timer5})
                t->stop();
    }

    TempDir dir;
    std::unique_ptr<TIniFile> settings;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> form2;
    std::vector<Dialogs::Request> dialogs;
    std::vector<std::string> opened;
};
