#include "core/PercentCodeTable.h"
#include "core/TextHelpers.h"
#include "platform/CatchAll.h"
#include <cstring>

namespace {

constexpr bool IsCodeByte(char c)
{
    return c == '%' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// The table is applied entry by entry, each entry to the whole text. One
// left-to-right pass gives the same text as long as (1) only a code's first
// byte is "%", so occurrences of different codes never overlap and no code
// starts another, and (2) no replacement holds a byte that can be part of a
// code, so a replacement never creates or joins an occurrence.
constexpr bool OnePassEqualsTableOrder()
{
    for (const TPercentCode& entry : PercentCodeTable) {
        if (entry.Code.size() < 2 || entry.Code[0] != '%'
            || entry.Code.find('%', 1) != std::string_view::npos)
            return false;
        for (char c : entry.Replacement)
            if (IsCodeByte(c))
                return false;
        for (const TPercentCode& other : PercentCodeTable)
            if (&other != &entry && other.Code.starts_with(entry.Code))
                return false;
    }
    return true;
}
static_assert(OnePassEqualsTableOrder());

}

void FixHTMLCodes(std::string text, std::string& decoded)
{
    CatchAll("error code : #0034 (FixHTMLCodes)", [&] {
        std::string result;
        result.reserve(text.size());
        const char* p = text.data();
        const char* end = p + text.size();
        while (p < end) {
            const char* percent = static_cast<const char*>(std::memchr(p, '%', end - p));
            if (!percent) {
                result.append(p, end);
                break;
            }
            result.append(p, percent);
            const std::string_view rest(percent, end - percent);
            const TPercentCode* match = nullptr;
            for (const TPercentCode& entry : PercentCodeTable)
                if (rest.starts_with(entry.Code))
                    match = &entry;
            if (match) {
                result += match->Replacement;
                p = percent + match->Code.size();
            } else {
                result += '%';
                p = percent + 1;
            }
        }
        decoded.swap(result);
    });
}
