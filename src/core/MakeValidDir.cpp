#include "core/TextHelpers.h"
#include "platform/CatchAll.h"
#include <algorithm>
#include <string_view>

void MakeValidDir(std::string phrase, std::string& dirName)
{
    CatchAll("error code : #0055 (MakeValidDir)", [&] {
        constexpr std::string_view invalid = "\"?*/><|\\";
        std::erase_if(phrase, [&](char c) { return invalid.find(c) != std::string_view::npos; });
        // Only one leading dot goes: enough to keep the folder visible.
        if (!phrase.empty() && phrase.front() == '.')
            phrase.erase(0, 1);
        dirName.swap(phrase);
    });
}
