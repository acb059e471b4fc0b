#include "platform/ErrorLog.h"

namespace {
struct Store {
    std::vector<std::string> lines;
    std::function<void(const std::string&)> listener;
};
Store& TheStore()
{
    static Store store;
    return store;
}
}

void ErrorLog::Append(const std::string& line)
{
    Store& s = TheStore();
    s.lines.push_back(line);
    if (s.listener)
        s.listener(line);
}

const std::vector<std::string>& ErrorLog::Lines() { return TheStore().lines; }

void ErrorLog::SetListener(std::function<void(const std::string&)> listener)
{
    TheStore().listener = std::move(listener);
}

void ErrorLog::ClearForTest() { TheStore().lines.clear(); }
