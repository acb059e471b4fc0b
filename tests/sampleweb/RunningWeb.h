#pragma once
#include "sampleweb/Hosts.h"

#include <string>

// One sample web for the whole test program, started at first use.
const sampleweb::Addresses& RunningWeb();

// The four query URLs of a search for `query` (already made a query value).
std::string HotBotQuery(const std::string& query);
std::string LycosQuery(const std::string& query);
std::string ScourNetQuery(const std::string& query);
std::string ImagesDirectQuery(const std::string& query);
