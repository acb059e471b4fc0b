#pragma once
#include <deque>
#include <string>
#include <unordered_map>

// An ordered list of text lines that answers "is a line with this key in
// the list?" (letter case ignored) without walking it, so long queues and
// result lists stay cheap to test against.
class TIndexedList {
public:
    enum class KeyKind { WholeLine, BeforeTab };
    explicit TIndexedList(KeyKind kind = KeyKind::WholeLine) : FKind(kind) {}

    bool ContainsKey(const std::string& key) const;
    void Append(const std::string& line);
    void RemoveFirst();
    void Clear();

    const std::string& operator[](size_t i) const { return FLines[i]; }
    const std::string& front() const { return FLines.front(); }
    size_t size() const { return FLines.size(); }
    bool empty() const { return FLines.empty(); }
    auto begin() const { return FLines.begin(); }
    auto end() const { return FLines.end(); }

private:
    std::string KeyOf(const std::string& line) const;
    KeyKind FKind;
    std::deque<std::string> FLines;
    std::unordered_map<std::string, int> FKeys; // lower-cased key, how many lines hold it
};
