#include "core/BuiltInSources.h"
#include "core/DescribedAnswer.h"
#include "download/PictureFileName.h"

#include <cstdlib>
#include <string_view>

namespace {

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace

// Any bytes as a live source's answer: the first byte picks the reader
// (even: Commons, odd: Openverse). What an answer that reads gives must be
// usable: a next page is a parameter suffix, and each picture's address
// gives a plain file name of at most 255 bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view body(reinterpret_cast<const char*>(data) + 1, size - 1);
    const TSourceAnswer answer = ReadDescribedAnswer(BuiltInSource((data[0] & 1) ? "openverse" : "commons"), body, 1);
    Require(answer.NextSuffix.empty() || (answer.Read && answer.NextSuffix.starts_with("&")));
    Require(!answer.Read || answer.Error.empty());
    for (const TPictureRecord& picture : answer.Pictures) {
        Require(picture.Size >= 0 && picture.Width >= 0 && picture.Height >= 0);
        const std::string name = PictureFileName(picture.Url);
        Require(name.size() <= MaxFileNameBytes);
        Require(name.find('/') == std::string::npos && name != "." && name != "..");
        for (const char c : name)
            Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    }
    return 0;
}
