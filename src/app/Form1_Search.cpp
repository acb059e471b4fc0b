#include "app/Form1.h"

#include "core/TextHelpers.h"
#include "download/SlideShowInterval.h"
#include "platform/CatchAll.h"
#include "platform/IniFile.h"
#include "platform/Random.h"
#include "platform/ui/AnsiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace {
const char* const kOptions = "Options";
}

void TForm1::FormCreate()
{
    CatchAll("error code : #000A (Create) ", [&] {
        Randomize();
        IniFile = std::make_unique<TIniFile>(FSettingsFile.empty() ? DefaultSettingsFile() : FSettingsFile);
        // The work lists are members, alive and empty from construction.
        SlideShowTimer->setInterval(SlideShowIntervalMs(IniFile->ReadInteger(kOptions, "Wait", 10)));
        FileFetches.OnDone = [this](const TFileFetches::TResult& result) { GetFileRequestDone(result); };
        FileFetches.ReadProxy = [this] { return ReadProxySettings(*IniFile); };
        Engine.Settings = IniFile.get();
    });
}

void TForm1::ClearResultList()
{
    const int rows = ListView1->topLevelItemCount();
    if (rows == 0)
        return;
    if (rows < 200) {
        while (ListView1->topLevelItemCount() > 0)
            delete ListView1->takeTopLevelItem(ListView1->topLevelItemCount() - 1);
        return;
    }
    ListView1->setUpdatesEnabled(false);
    ListView1->clear();
    ListView1->setUpdatesEnabled(true);
}

void TForm1::SearchButtonClick()
{
    CatchAll("error code : #0047 (SearchButtonClick)", [&] {
        Engine.ServicesOn = {CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked(),
                             CheckBox4->isChecked()};
        if (!Engine.Start(FromQt(Edit1->text()), CheckBox_RecursiveSearch->isChecked()))
            return;
        ClearResultList();
        Label1->setText("0");
        Label7->setText("Searching...");
        SearchButton->hide();
        AbortButton->show();
    });
}

void TForm1::AbortButtonClick()
{
    CatchAll("error code : #0048 (AbortButtonClick)", [&] {
        Label7->setText("Aborting...");
        Engine.Abort();
        AbortButton->hide();
        SearchButton->show();
        Label7->setText("Ready");
    });
}

void TForm1::Edit1KeyPress(char& key)
{
    CatchAll("error code : #0049 (Edit1KeyPress)", [&] {
        if (key != 13)
            return;
        key = 0;
        if (AbortButton->isVisibleTo(this))
            AbortButtonClick();
        SearchButtonClick();
    });
}
