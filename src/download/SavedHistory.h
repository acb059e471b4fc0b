#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One picture the program saved.
struct TSavedEntry {
    std::string Digest; // SHA-256 of the bytes, 32 bytes
    int64_t Size = 0;
    std::string Url;
    std::string Path;
    int64_t Time = 0; // seconds since 1970
};

// The history of saved pictures: a journal file that each save appends one
// line to, written in one call, each line with its own checksum. A crash
// in the middle of a write leaves at worst a torn last line, which the next
// reading finds. A file with damage is set aside beside itself (its name
// with ".damaged"), its whole entries are written anew, and Damage() says
// so; nothing about it is fatal.
class TSavedHistory {
public:
    // Reads path; a missing file is an empty history, made at the first Add.
    explicit TSavedHistory(std::string path);

    const std::string& Path() const { return FPath; }
    // What was wrong with the file and where it went; empty when it was whole.
    const std::string& Damage() const { return FDamage; }
    size_t Size() const { return FLines.size(); }
    TSavedEntry Entry(size_t i) const;
    // The entries of these bytes, the latest first.
    std::vector<TSavedEntry> Find(const std::string& digest, int64_t size) const;

    // Records a save; false when the file could not take it (the entry is
    // still known for this run).
    bool Add(const TSavedEntry& entry);

    // The file's text for entries.
    static std::string Text(const std::vector<TSavedEntry>& entries);

private:
    // A whole line of FText: checked once when read, taken apart when asked.
    struct TLine {
        uint64_t Key; // the digest's first 8 bytes
        int64_t Size;
        size_t At, Length;
    };
    bool Read(std::string text);
    void SetAside(size_t fileSize, const std::string& text);

    std::string FPath;
    std::string FDamage;
    std::string FText; // the whole lines, each with its line end
    std::vector<TLine> FLines;
};
