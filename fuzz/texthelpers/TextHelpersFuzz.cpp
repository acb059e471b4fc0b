#include "core/LiteralTextHelpers.h"
#include "core/TextHelpers.h"
#include <cstdlib>

// Arbitrary bytes through the body splitter and the percent decoder; both
// must give what their literal edit loops give.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> lines;
    LoadMemoFromMemoryStream(lines, bytes);
    if (lines != Literal::LoadMemo(bytes))
        std::abort();

    std::string decoded;
    FixHTMLCodes(std::string(bytes), decoded);
    if (decoded != Literal::FixHTMLCodes(std::string(bytes)))
        std::abort();
    return 0;
}
