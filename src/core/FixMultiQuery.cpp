#include "core/TextHelpers.h"
#include "platform/CatchAll.h"

void FixMultiQuery(std::string phrase, std::string& query)
{
    CatchAll("error code : #0033 (FixMultiQuery)", [&] {
        // Trim every byte up to the blank; bytes above 127 are text.
        auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
        size_t first = 0;
        size_t last = phrase.size();
        while (first < last && isTrimmed(phrase[first]))
            ++first;
        while (last > first && isTrimmed(phrase[last - 1]))
            --last;

        std::string result;
        result.reserve(last - first);
        for (size_t i = first; i < last; ++i) {
            switch (phrase[i]) {
            case ' ': result += '+'; break;
            case '/': result += "%2F"; break;
            case '"': result += "%22"; break;
            default: result += phrase[i];
            }
        }
        query.swap(result);
    });
}
