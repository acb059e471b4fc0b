#pragma once
#include "sampleweb/Hosts.h"

#include <string>
#include <vector>

namespace sampleweb {

// Result pages of the four search services, in the formats their readers
// expect. `query` is the decoded phrase; it is only carried on into the
// next-page links. Pages are numbered from 1; a page past the last one is an
// empty result page.
std::string HotBotPage(const Addresses& addresses);
// A HotBot result page of any results: one line of links per inner list.
struct HotBotResult {
    std::string url; // absolute
    std::string title;
};
std::string HotBotPage(const std::vector<std::vector<HotBotResult>>& lines);
std::string LycosPage(const Addresses& addresses);
std::string ScourNetPage(int page, const std::string& query, const Addresses& addresses);
std::string ImagesDirectPage(int page, const std::string& query, const Addresses& addresses);

// A result page in a format none of the program's readers knows: results,
// but none of the markers they look for. Any service path under "/changed"
// answers it.
std::string ChangedFormatPage();

// "%XX" for every byte but letters and digits.
std::string EscapeQueryValue(const std::string& value);

} // namespace sampleweb
