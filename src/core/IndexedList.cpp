#include "core/IndexedList.h"

std::string LowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string TIndexedList::KeyOf(const std::string& line) const
{
    return LowerAscii(FKind == KeyKind::BeforeTab ? line.substr(0, line.find('\t')) : line);
}

bool TIndexedList::ContainsKey(const std::string& key) const
{
    return FKeys.count(LowerAscii(key)) != 0;
}

void TIndexedList::Append(const std::string& line)
{
    ++FKeys[KeyOf(line)];
    FLines.push_back(line);
}

void TIndexedList::RemoveFirst()
{
    const auto it = FKeys.find(KeyOf(FLines.front()));
    if (--it->second == 0)
        FKeys.erase(it);
    FLines.pop_front();
}

void TIndexedList::Clear()
{
    FLines.clear();
    FKeys.clear();
}
