#include "core/TextHelpers.h"
#include "platform/CatchAll.h"
#include <algorithm>
#include <cstring>

namespace {

// The next position of one byte at or after a point that only moves
// forward: every byte of the body is searched at most once per finder.
class TNextByte {
public:
    TNextByte(char byte, const char* end) : FByte(byte), FEnd(end) {}
    const char* From(const char* p)
    {
        if (!FFound || FFound < p) {
            const void* hit = std::memchr(p, FByte, FEnd - p);
            FFound = hit ? static_cast<const char*>(hit) : FEnd;
        }
        return FFound;
    }

private:
    char FByte;
    const char* FEnd;
    const char* FFound = nullptr;
};

}

void LoadMemoFromMemoryStream(std::vector<std::string>& lines, const char* data, size_t size)
{
    CatchAll("error code : #0032 (LoadMemoFromMemoryStream)", [&] {
        const char* p = data;
        const char* end = data + size;
        TNextByte nextCR('\r', end), nextLF('\n', end), nextNUL('\0', end);
        while (p < end) {
            const char* lineBreak = std::min(nextCR.From(p), nextLF.From(p));
            const char* textEnd = std::min(nextNUL.From(p), lineBreak);
            lines.emplace_back(p, textEnd);
            if (lineBreak == end)
                break;
            p = lineBreak + 1;
            if (*lineBreak == '\r' && p < end && *p == '\n')
                ++p;
        }
    });
}

void LoadMemoFromMemoryStream(std::vector<std::string>& lines, std::string_view body)
{
    LoadMemoFromMemoryStream(lines, body.data(), body.size());
}
