#include "schedule/HeldLines.h"

void THeldLines::Hold(const std::string& host, const std::string& line)
{
    THost& held = FHosts.try_emplace(host, FKind).first->second;
    held.Lines.Append(line);
    held.Order.push_back(FNext++);
    ++FCount;
}

bool THeldLines::ContainsKey(const std::string& host, std::string_view key) const
{
    const auto at = FHosts.find(host);
    return at != FHosts.end() && at->second.Lines.ContainsKey(key);
}

bool THeldLines::TakeFirst(const std::function<bool(const std::string& host)>& hasRoom, std::string& line)
{
    auto first = FHosts.end();
    for (auto at = FHosts.begin(); at != FHosts.end(); ++at)
        if ((first == FHosts.end() || at->second.Order.front() < first->second.Order.front()) && hasRoom(at->first))
            first = at;
    if (first == FHosts.end())
        return false;
    THost& held = first->second;
    line = held.Lines.front();
    held.Lines.RemoveFirst();
    held.Order.pop_front();
    --FCount;
    if (held.Lines.empty())
        FHosts.erase(first);
    return true;
}

void THeldLines::Clear()
{
    FHosts.clear();
    FCount = 0;
}
