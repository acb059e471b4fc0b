#pragma once
#include "sampleweb/Hosts.h"

#include <string>

namespace sampleweb {

// Points the program at the sample web: writes the base-address keys of the
// three services and the two live sources into the "Options" section of the
// settings file `iniFile` (it switches no source on); with `caFile`, names
// it as the one extra trusted CA ("TlsCaFile").
void WriteBaseAddressSettings(const std::string& iniFile, const Addresses& addresses, const std::string& caFile = {});

} // namespace sampleweb
