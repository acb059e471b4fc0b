#include "search/Services.h"

#include "core/SearchSink.h"
#include "platform/SettingsKeys.h"

const std::array<TService, ServiceCount> Services = {{
    {"HotBot", "hotbot", ecHotBot, Setting::HotBotBaseAddress.Key, "http://www.hotbot.com",
     "/?clickSrc=search&SM=phrase&LG=any&AM0=MC&AT0=words&AW0=&AM1=MN&AT1=words&AW1=&savenummod=2"
     "&date=within&DV=180&DR=newer&DM=1&DD=1&DY=99&FSU=1&FS=.jpg&RD=RG&RG=all&Domain=&PS=F&PD=&DC=100"
     "&DE=0&SUBMIT=SEARCH&_v=2&OPs=MDRTP&NUMMOD=2&MT="},
    {"Lycos", "lycos", ecLycos, Setting::LycosBaseAddress.Key, "http://www.lycos.de",
     "/cgi-bin/pursuit?etemp=error&npl=matchmode%3Dbefore%26adv%3D1&cat=lycos"
     "&npl1=fs%3Dtitle%26ct%3Df%26ignore%3Dfq&fq=&lang=&rtwm=45000&rtpy=5000&rttf=10000&rtfd=5000"
     "&rtpn=5000&rtpn=25&maxhits=40&mtemp=main&query="},
    {"ScourNet", "scournet", ecScourNet, Setting::ScourNetBaseAddress.Key, "http://www.scournet.com",
     "/cgi-bin/search.cgi?index=image&preview_size=small&query="},
    {"Lycos Images Direct", "imagesdirect", ecLycosImagesDirect, Setting::LycosBaseAddress.Key, "http://www.lycos.de",
     "/cgi-bin/pursuit?etemp=error&npl=matchmode%3Dand%26adv%3D1&cat=graphics&npl1=ignore%3Dfq&fq="
     "&lang=&rtwm=45000&rtpy=2500&rttf=5000&rtfd=2500&rtpn=2500&rtpn=15&maxhits=40"
     "&mtemp=main.sites&query="},
}};

int ServiceIndex(EngineCode engineCode)
{
    for (int i = 0; i < ServiceCount; ++i)
        if (Services[i].EngineCode == engineCode)
            return i;
    return -1;
}
