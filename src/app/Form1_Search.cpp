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
    const int rows = ResultList->topLevelItemCount();
    if (rows == 0)
        return;
    if (rows < 200) {
        while (ResultList->topLevelItemCount() > 0)
            delete ResultList->takeTopLevelItem(ResultList->topLevelItemCount() - 1);
        return;
    }
    ResultList->setUpdatesEnabled(false);
    ResultList->clear();
    ResultList->setUpdatesEnabled(true);
}

void TForm1::SearchButtonClick()
{
    CatchAll("error code : #0047 (SearchButtonClick)", [&] {
        Engine.ServicesOn = {HotBotBox->isChecked(), LycosBox->isChecked(), ScourNetBox->isChecked(),
                             LycosImagesBox->isChecked()};
        if (!Engine.Start(FromQt(PhraseEdit->text()), CheckBox_RecursiveSearch->isChecked()))
            return;
        ClearResultList();
        FoundLabel->setText("0");
        StatusLabel->setText("Searching...");
        SearchButton->hide();
        AbortButton->show();
    });
}

void TForm1::AbortButtonClick()
{
    CatchAll("error code : #0048 (AbortButtonClick)", [&] {
        StatusLabel->setText("Aborting...");
        Engine.Abort();
        AbortButton->hide();
        SearchButton->show();
        StatusLabel->setText("Ready");
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
