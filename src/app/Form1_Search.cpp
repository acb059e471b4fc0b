#include "app/Form1.h"

#include "controls/ResultGrid.h"
#include "controls/ResultList.h"
#include "core/TextHelpers.h"
#include "download/SlideShowInterval.h"
#include "platform/CatchAll.h"
#include "platform/IniFile.h"
#include "platform/ProgramFiles.h"
#include "platform/Random.h"
#include "platform/SettingsKeys.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

void TForm1::FormCreate()
{
    CatchAll("error code : #000A (Create) ", [&] {
        Randomize();
        if (FSettingsFile.empty())
            CreateSettingsFolder(ProgramFiles());
        IniFile = std::make_unique<TIniFile>(FSettingsFile.empty() ? ProgramSettingsFile() : FSettingsFile);
        // The work lists are members, alive and empty from construction.
        SlideShowTimer->setInterval(SlideShowIntervalMs(Read(*IniFile, Setting::Wait)));
        FileFetches.OnDone = [this](const TFileFetches::TResult& result) { GetFileRequestDone(result); };
        FileFetches.ReadProxy = [this] { return ReadProxySettings(*IniFile); };
        ResultGrid->Fetches.ReadProxy = FileFetches.ReadProxy;
        // A source's files are asked for as the source is, and its own thumbnails shown.
        FileFetches.AgentFor = [this](const std::string& url) { return Engine.AgentFor(url); };
        ResultGrid->Fetches.AgentFor = FileFetches.AgentFor;
        ResultGrid->Fetches.AddressOf = [this](const std::string& url) { return Engine.ThumbnailAddress(url); };
        Engine.SetThumbnailWidth(TResultGrid::Side);
        Engine.UseSettings(*IniFile);
    });
}

// One model reset: the list is redrawn once, however many rows it held.
void TForm1::ClearResultList()
{
    ResultList->Rows->Clear();
    ResultGrid->Clear();
}

void TForm1::SearchButtonClick()
{
    CatchAll("error code : #0047 (SearchButtonClick)", [&] {
        Engine.SetServicesOn({HotBotBox->isChecked(), LycosBox->isChecked(), ScourNetBox->isChecked(),
                              LycosImagesBox->isChecked()});
        if (!Engine.Start(PhraseEdit->text().toStdString(), CheckBox_RecursiveSearch->isChecked()))
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
