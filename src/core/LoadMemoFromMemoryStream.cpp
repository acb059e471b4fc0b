#include "core/BodyLines.h"
#include "core/TextHelpers.h"
#include "platform/CatchAll.h"

void LoadMemoFromMemoryStream(std::vector<std::string>& lines, const char* data, size_t size)
{
    CatchAll("error code : #0032 (LoadMemoFromMemoryStream)", [&] {
        ForEachBodyLine(data, size, [&](const char* begin, const char* end) { lines.emplace_back(begin, end); });
    });
}

void LoadMemoFromMemoryStream(std::vector<std::string>& lines, std::string_view body)
{
    LoadMemoFromMemoryStream(lines, body.data(), body.size());
}
