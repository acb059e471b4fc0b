#include "platform/AnsiCase.h"

#include <algorithm>

std::string AnsiLowerCase(std::string text)
{
    for (char& c : text)
        c = AnsiLowerChar(c);
    return text;
}

bool AnsiSameText(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AnsiLowerChar(x) == AnsiLowerChar(y); });
}
