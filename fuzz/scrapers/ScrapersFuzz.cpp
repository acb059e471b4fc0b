#include "core/LiteralScrapers.h"
#include "core/RecordingSink.h"
#include "core/Scrapers.h"
#include "core/TextHelpers.h"
#include <cstdlib>

// Arbitrary page bytes, split into lines, through the four scrapers; each
// must hand on what its literal edit loops hand on. The first byte ticks
// "Check Links".
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const bool checkLinks = data[0] & 1;
    std::vector<std::string> lines;
    LoadMemoFromMemoryStream(lines, reinterpret_cast<const char*>(data) + 1, size - 1);

    using Scraper = bool (*)(const std::vector<std::string>&, TSearchSink&);
    using LiteralScraper = void (*)(const std::vector<std::string>&, TSearchSink&);
    const std::pair<Scraper, LiteralScraper> scrapers[] = {
        {ExractDataFromHotBot, Literal::ExractDataFromHotBot},
        {ExractDataFromLycos, Literal::ExractDataFromLycos},
        {ExractDataFromLycosImagesDirect, Literal::ExractDataFromLycosImagesDirect},
        {ExractDataFromScourNet, Literal::ExractDataFromScourNet},
    };
    for (const auto& [fast, literal] : scrapers) {
        TRecordingSink got, want;
        got.CheckLinks = want.CheckLinks = checkLinks;
        fast(lines, got);
        literal(lines, want);
        if (got.Calls != want.Calls)
            std::abort();
    }
    return 0;
}
