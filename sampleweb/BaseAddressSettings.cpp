#include "sampleweb/BaseAddressSettings.h"

#include "platform/IniFile.h"

namespace sampleweb {

void WriteBaseAddressSettings(const std::string& iniFile, const Addresses& addresses, const std::string& caFile)
{
    TIniFile ini(iniFile);
    ini.WriteString("Options", "HotBotBaseAddress", addresses.Base(Host::HotBot));
    ini.WriteString("Options", "LycosBaseAddress", addresses.Base(Host::Lycos));
    ini.WriteString("Options", "ScourNetBaseAddress", addresses.Base(Host::ScourNet));
    ini.WriteString("Options", "CommonsBaseAddress", addresses.Base(Host::Commons));
    ini.WriteString("Options", "OpenverseBaseAddress", addresses.Base(Host::Openverse));
    if (!caFile.empty())
        ini.WriteString("Options", "TlsCaFile", caFile);
}

} // namespace sampleweb
