#pragma once
#include "sampleweb/Hosts.h"

#include <string>

namespace sampleweb {

// Points the program at the sample web: writes its three base-address keys
// into the "Options" section of the settings file `iniFile`.
void WriteBaseAddressSettings(const std::string& iniFile, const Addresses& addresses);

} // namespace sampleweb
