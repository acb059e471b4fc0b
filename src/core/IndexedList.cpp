#include "core/IndexedList.h"

#include "platform/AnsiCase.h"

#include <cstdint>

TIndexedList::TIndexedList(KeyKind kind) : FKind(kind), FKeys(0, TKeyHash{kind}, TKeyEqual{kind}) {}

TIndexedList::TIndexedList(const TIndexedList& other) : TIndexedList(other.FKind)
{
    for (const std::string& line : other.FLines)
        Append(line);
}

TIndexedList& TIndexedList::operator=(const TIndexedList& other)
{
    if (this != &other) {
        TIndexedList copy(other);
        FKind = copy.FKind;
        FLines.swap(copy.FLines); // the lines stay where they are, so the index stays true
        FKeys.swap(copy.FKeys);
    }
    return *this;
}

std::string_view TIndexedList::KeyOf(KeyKind kind, const std::string& line)
{
    const std::string_view view(line);
    return kind == KeyKind::BeforeTab ? view.substr(0, view.find('\t')) : view;
}

size_t TIndexedList::TKeyHash::operator()(std::string_view key) const
{
    uint64_t h = 14695981039346656037ull; // FNV-1a over the folded letters
    for (const char c : key)
        h = (h ^ static_cast<unsigned char>(AnsiLowerChar(c))) * 1099511628211ull;
    return static_cast<size_t>(h ^ (h >> 29));
}

bool TIndexedList::TKeyEqual::operator()(const std::string* a, const std::string* b) const
{
    return AnsiSameText(KeyOf(kind, *a), KeyOf(kind, *b));
}

bool TIndexedList::TKeyEqual::operator()(std::string_view key, const std::string* line) const
{
    return AnsiSameText(key, KeyOf(kind, *line));
}

bool TIndexedList::ContainsKey(std::string_view key) const { return FKeys.find(key) != FKeys.end(); }

void TIndexedList::Append(const std::string& line)
{
    FLines.push_back(line);
    FKeys.insert(&FLines.back());
}

void TIndexedList::RemoveFirst()
{
    const std::string* first = &FLines.front();
    auto [it, end] = FKeys.equal_range(KeyOf(FKind, *first));
    while (*it != first) // always met: every line is indexed
        ++it;
    FKeys.erase(it);
    FLines.pop_front();
}

void TIndexedList::Clear()
{
    FKeys.clear();
    FLines.clear();
}
