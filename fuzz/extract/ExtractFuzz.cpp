#include "core/TextHelpers.h"
#include "extract/LinkExtractor.h"
#include "extract/LiteralExtractor.h"
#include "extract/SinkRecorder.h"

#include <cstdlib>

// Input: one byte n, an origin of n bytes, then the page. The page's lines go
// through both entry points; each queue and the list must get the calls the
// literal edit loops make.
namespace {

template <class Extract>
std::map<std::string, std::vector<std::string>> Calls(Extract extract, const std::vector<std::string>& lines,
                                                      const std::string& origin, bool checkLinks)
{
    TSinkRecorder sink;
    sink.CheckLinks = checkLinks;
    sink.Recursive = !checkLinks;
    extract(lines, origin, sink);
    return sink.Received();
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t originSize = std::min<size_t>(data[0], size - 1);
    const std::string origin(bytes.substr(1, originSize));
    std::vector<std::string> lines;
    LoadMemoFromMemoryStream(lines, bytes.substr(1 + originSize));

    for (bool checkLinks : {false, true})
        if (Calls(StartExtractLoop, lines, origin, checkLinks) !=
            Calls(Literal::StartExtractLoop, lines, origin, checkLinks))
            std::abort();
    if (Calls(CheckNewPageForSrc, lines, origin, false) != Calls(Literal::CheckNewPageForSrc, lines, origin, false))
        std::abort();
    return 0;
}
