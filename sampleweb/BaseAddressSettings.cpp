#include "sampleweb/BaseAddressSettings.h"

#include "platform/IniFile.h"

namespace sampleweb {

void WriteBaseAddressSettings(const std::string& iniFile, const Addresses& addresses)
{
    TIniFile ini(iniFile);
    ini.WriteString("Options", "HotBotBaseAddress", addresses.Base(Host::HotBot));
    ini.WriteString("Options", "LycosBaseAddress", addresses.Base(Host::Lycos));
    ini.WriteString("Options", "ScourNetBaseAddress", addresses.Base(Host::ScourNet));
}

} // namespace sampleweb
