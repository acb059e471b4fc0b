#pragma once
#include <QImage>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

// Thumbnails by URL, within a bound on the memory their pixels take: the
// least recently used go first. A picture that could not be fetched or
// decoded is kept as a failure (a null image), so it is not fetched again.
class TThumbnailCache {
public:
    static constexpr int64_t DefaultMaxBytes = 64 * 1024 * 1024;

    explicit TThumbnailCache(int64_t maxBytes = DefaultMaxBytes) : FMaxBytes(maxBytes) {}

    enum class TState { Missing, Ready, Failed };
    // Marks the entry as used now.
    TState Find(const std::string& url, QImage& image);
    void Put(const std::string& url, const QImage& image); // null: failed
    void Clear();

    int64_t Bytes() const { return FBytes; }
    int64_t MaxBytes() const { return FMaxBytes; }
    size_t Count() const { return FEntries.size(); }

private:
    struct TEntry {
        QImage Image;
        std::list<std::string>::iterator Use;
    };
    static int64_t CostOf(const QImage& image);
    void Evict();

    int64_t FMaxBytes;
    int64_t FBytes = 0;
    std::list<std::string> FUses; // most recent first
    std::unordered_map<std::string, TEntry> FEntries;
};
