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

struct ServiceQuery {
    int engineCode;
    std::string TForm1::*base;
    const char* literal;
};
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
    });
}

void TForm1::ReadBaseAddresses()
{
    FHotBotBaseAddress = IniFile->ReadString(kOptions, "HotBotBaseAddress", "http://www.hotbot.com");
    FLycosBaseAddress = IniFile->ReadString(kOptions, "LycosBaseAddress", "http://www.lycos.de");
    FScourNetBaseAddress = IniFile->ReadString(kOptions, "ScourNetBaseAddress", "http://www.scournet.com");
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
        const bool slow = IniFile->ReadBool(kOptions, "SlowConnection", true);
        Scheduler.GetPageClientLimit = slow ? 4 : 19;
        Scheduler.CheckLinkClientLimit = slow ? 9 : 24;
        SearchDirName.clear();
        MakeValidDir(FromQt(Edit1->text()), SearchDirName);
        if (Edit1->text().isEmpty())
            return;
        SearchActive = true;
        ClearResultList();
        FoundFiles.Clear();
        Label1->setText("0");
        Label7->setText("Searching...");
        FRecursiveSearchActive = CheckBox_RecursiveSearch->isChecked();
        ReadBaseAddresses();
        Scheduler.Proxy = ReadProxySettings(*IniFile);

        static const ServiceQuery services[] = {
            {ecHotBot, &TForm1::FHotBotBaseAddress,
             "/?clickSrc=search&SM=phrase&LG=any&AM0=MC&AT0=words&AW0=&AM1=MN&AT1=words&AW1=&savenummod=2"
             "&date=within&DV=180&DR=newer&DM=1&DD=1&DY=99&FSU=1&FS=.jpg&RD=RG&RG=all&Domain=&PS=F&PD=&DC=100"
             "&DE=0&SUBMIT=SEARCH&_v=2&OPs=MDRTP&NUMMOD=2&MT="},
            {ecLycos, &TForm1::FLycosBaseAddress,
             "/cgi-bin/pursuit?etemp=error&npl=matchmode%3Dbefore%26adv%3D1&cat=lycos"
             "&npl1=fs%3Dtitle%26ct%3Df%26ignore%3Dfq&fq=&lang=&rtwm=45000&rtpy=5000&rttf=10000&rtfd=5000"
             "&rtpn=5000&rtpn=25&maxhits=40&mtemp=main&query="},
            {ecScourNet, &TForm1::FScourNetBaseAddress,
             "/cgi-bin/search.cgi?index=image&preview_size=small&query="},
            {ecLycosImagesDirect, &TForm1::FLycosBaseAddress,
             "/cgi-bin/pursuit?etemp=error&npl=matchmode%3Dand%26adv%3D1&cat=graphics&npl1=ignore%3Dfq&fq="
             "&lang=&rtwm=45000&rtpy=2500&rttf=5000&rtfd=2500&rtpn=2500&rtpn=15&maxhits=40"
             "&mtemp=main.sites&query="},
        };
        const QCheckBox* switches[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4};
        for (size_t i = 0; i < 4; ++i) {
            if (!switches[i]->isChecked())
                continue;
            std::string query;
            FixMultiQuery(FromQt(Edit1->text()), query);
            QueuePageFetch(this->*services[i].base + services[i].literal + query, services[i].engineCode);
        }
        SearchButton->hide();
        AbortButton->show();
    });
}

void TForm1::AbortButtonClick()
{
    CatchAll("error code : #0048 (AbortButtonClick)", [&] {
        Label7->setText("Aborting...");
        SearchActive = false;
        AbortButton->hide();
        SearchButton->show();
        PageReapTimer->stop();
        CheckReapTimer->stop();
        Scheduler.Abort();
        PageReapTimer->start();
        CheckReapTimer->start();
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
