#include "core/TextHelpers.h"

std::string PercentEncoded(std::string_view bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || c == '-' || c == '.'
            || c == '_' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[b >> 4];
            encoded += hex[b & 15];
        }
    }
    return encoded;
}

std::string SourceQuery(std::string_view phrase)
{
    const auto kept = [](char c) { return static_cast<unsigned char>(c) > ' '; };
    size_t first = 0;
    size_t last = phrase.size();
    while (first < last && !kept(phrase[first]))
        ++first;
    while (last > first && !kept(phrase[last - 1]))
        --last;
    return PercentEncoded(phrase.substr(first, last - first));
}
