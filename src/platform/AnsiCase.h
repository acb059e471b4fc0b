#pragma once
#include <string>
#include <string_view>

// Letter case of text in the Windows code page (1252): the ASCII letters and
// the Latin-1 capitals (À..Þ but ×, Š, Œ, Ž, Ÿ) fold to their small letters.
// Every comparison that ignores case goes through here, so that "Ä" and "ä"
// are one letter wherever the program compares.

constexpr char AnsiLowerChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<char>(u + 0x20);
    if (u == 0x8A || u == 0x8C || u == 0x8E)
        return static_cast<char>(u + 0x10);
    if (u == 0x9F)
        return static_cast<char>(0xFF);
    return c;
}

std::string AnsiLowerCase(std::string text);
bool AnsiSameText(std::string_view a, std::string_view b);
