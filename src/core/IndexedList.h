#pragma once
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_set>

// An ordered list of text lines that answers "is a line with this key in
// the list?" (letter case ignored) without walking it, so long queues and
// result lists stay cheap to test against.
class TIndexedList {
public:
    enum class KeyKind { WholeLine, BeforeTab };
    explicit TIndexedList(KeyKind kind = KeyKind::WholeLine);
    TIndexedList(const TIndexedList& other);
    TIndexedList& operator=(const TIndexedList& other);
    TIndexedList(TIndexedList&&) noexcept = default; // a moved deque keeps its lines in place
    TIndexedList& operator=(TIndexedList&&) noexcept = default;

    bool ContainsKey(std::string_view key) const;
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
    // The index holds the lines themselves, not copies of their keys: a
    // deque keeps its elements in place when lines are added at the back or
    // taken from the front, and a long result list then costs one pointer a
    // line in the index.
    struct TKeyHash {
        using is_transparent = void;
        KeyKind kind;
        size_t operator()(std::string_view key) const;
        size_t operator()(const std::string* line) const { return (*this)(KeyOf(kind, *line)); }
    };
    struct TKeyEqual {
        using is_transparent = void;
        KeyKind kind;
        bool operator()(const std::string* a, const std::string* b) const;
        bool operator()(std::string_view key, const std::string* line) const;
        bool operator()(const std::string* line, std::string_view key) const { return (*this)(key, line); }
    };

    static std::string_view KeyOf(KeyKind kind, const std::string& line);

    KeyKind FKind;
    std::deque<std::string> FLines;
    std::unordered_multiset<const std::string*, TKeyHash, TKeyEqual> FKeys;
};
