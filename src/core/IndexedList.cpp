#include "core/IndexedList.h"

#include "platform/AnsiCase.h"

std::string TIndexedList::KeyOf(const std::string& line) const
{
    return AnsiLowerCase(FKind == KeyKind::BeforeTab ? line.substr(0, line.find('\t')) : line);
}

bool TIndexedList::ContainsKey(const std::string& key) const
{
    return FKeys.count(AnsiLowerCase(key)) != 0;
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
