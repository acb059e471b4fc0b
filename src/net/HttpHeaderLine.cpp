#include "net/HttpHeaderLine.h"

#include "platform/AnsiCase.h"

#include <cctype>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}

bool IsStatusLine(const std::string& line)
{
    return line.compare(0, 8, "HTTP/1.0") == 0 || line.compare(0, 8, "HTTP/1.1") == 0;
}

std::optional<int> StatusCodeOf(const std::string& statusLine)
{
    if (statusLine.size() < 12 || statusLine[8] != ' ')
        return std::nullopt;
    int code = 0;
    for (size_t i = 9; i < 12; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(statusLine[i])))
            return std::nullopt;
        code = code * 10 + (statusLine[i] - '0');
    }
    if (statusLine.size() > 12 && !IsBlank(statusLine[12]))
        return std::nullopt;
    return code;
}

std::string ReasonPhraseOf(const std::string& statusLine)
{
    return statusLine.size() > 13 ? statusLine.substr(13) : std::string();
}

std::optional<THttpHeaderField> SplitHeaderField(const std::string& line)
{
    const size_t colon = line.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    size_t v = colon + 1;
    while (v < line.size() && IsBlank(line[v]))
        ++v;
    return THttpHeaderField{AnsiLowerCase(line.substr(0, colon)), line.substr(v)};
}

std::optional<int32_t> ParseContentLength(const std::string& value)
{
    size_t b = 0, e = value.size();
    while (b < e && IsBlank(value[b]))
        ++b;
    while (e > b && IsBlank(value[e - 1]))
        --e;
    if (b == e)
        return std::nullopt;
    int64_t n = 0;
    for (size_t i = b; i < e; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(value[i])))
            return std::nullopt;
        n = n * 10 + (value[i] - '0');
        if (n > INT32_MAX)
            return std::nullopt;
    }
    return static_cast<int32_t>(n);
}
