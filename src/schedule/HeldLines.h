#pragma once
#include "core/IndexedList.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

// Queue lines taken off the head while their host had no room. They still
// wait: each host's in the order they were queued, and all of them before
// whatever is still on the queue. A line is held once and taken once, so
// a long run of one host's lines costs no more than the queue would.
class THeldLines {
public:
    explicit THeldLines(TIndexedList::KeyKind kind) : FKind(kind) {}

    void Hold(const std::string& host, const std::string& line);
    // A held line of that host has this key (letter case ignored).
    bool ContainsKey(const std::string& host, std::string_view key) const;
    // Takes the earliest held line whose host has room; false when there is none.
    bool TakeFirst(const std::function<bool(const std::string& host)>& hasRoom, std::string& line);
    size_t size() const { return FCount; }
    bool empty() const { return FCount == 0; }
    void Clear();

private:
    struct THost {
        explicit THost(TIndexedList::KeyKind kind) : Lines(kind) {}
        TIndexedList Lines;
        std::deque<uint64_t> Order; // each line's place among all held lines
    };

    TIndexedList::KeyKind FKind;
    // Few at a time: a host gets lines here only while it is at its cap.
    std::unordered_map<std::string, THost> FHosts;
    uint64_t FNext = 0;
    size_t FCount = 0;
};
