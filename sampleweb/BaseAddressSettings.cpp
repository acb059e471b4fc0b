#include "sampleweb/BaseAddressSettings.h"

#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"

namespace sampleweb {

void WriteBaseAddressSettings(const std::string& iniFile, const Addresses& addresses, const std::string& caFile)
{
    TIniFile ini(iniFile);
    Write(ini, Setting::HotBotBaseAddress, addresses.Base(Host::HotBot));
    Write(ini, Setting::LycosBaseAddress, addresses.Base(Host::Lycos));
    Write(ini, Setting::ScourNetBaseAddress, addresses.Base(Host::ScourNet));
    Write(ini, Setting::CommonsBaseAddress, addresses.Base(Host::Commons));
    Write(ini, Setting::OpenverseBaseAddress, addresses.Base(Host::Openverse));
    for (const TSettingsKey& collection : {Setting::ClevelandBaseAddress, Setting::ArticBaseAddress,
                                           Setting::VamBaseAddress, Setting::LocBaseAddress})
        Write(ini, collection, addresses.Base(Host::Museums));
    if (!caFile.empty())
        Write(ini, Setting::TlsCaFile, caFile);
}

} // namespace sampleweb
