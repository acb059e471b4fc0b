#include "download/SavedHistory.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

constexpr std::string_view kFirstLine = "glimmerscout saved pictures 1\n";
constexpr char kHex[] = "0123456789abcdef";

// Fields hold no tab or line end: those bytes, other control bytes and '%'
// itself are written as %XX.
void AppendEscaped(std::string& out, std::string_view field)
{
    for (const char c : field) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == '%') {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            out += c;
        }
    }
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool Unescape(std::string_view field, std::string& out)
{
    out.clear();
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size())
            return false;
        const int high = HexDigit(field[i + 1]), low = HexDigit(field[i + 2]);
        if (high < 0 || low < 0)
            return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

// Whether every '%' starts a %XX.
bool Escaped(std::string_view field)
{
    for (size_t at = field.find('%'); at != std::string_view::npos; at = field.find('%', at + 3))
        if (at + 2 >= field.size() || HexDigit(field[at + 1]) < 0 || HexDigit(field[at + 2]) < 0)
            return false;
    return true;
}

bool Number(std::string_view field, int64_t& value)
{
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() && !field.empty() && value >= 0;
}

uint32_t Checksum(std::string_view text)
{
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())));
}

std::string Line(const TSavedEntry& e)
{
    std::string body;
    body.reserve(100 + e.Url.size() + e.Path.size());
    for (const char c : e.Digest) {
        body += kHex[static_cast<unsigned char>(c) >> 4];
        body += kHex[static_cast<unsigned char>(c) & 15];
    }
    body += '\t' + std::to_string(e.Size) + '\t' + std::to_string(e.Time) + '\t';
    AppendEscaped(body, e.Url);
    body += '\t';
    AppendEscaped(body, e.Path);
    char sum[9];
    std::snprintf(sum, sizeof sum, "%08x", Checksum(body));
    return std::string(sum, 8) + '\t' + body + '\n';
}

// A line's fields; false unless there are six, the checksum holds and each
// field reads.
bool SplitLine(std::string_view line, std::array<std::string_view, 6>& fields)
{
    size_t count = 0;
    for (size_t start = 0;; ++count) {
        const size_t tab = line.find('\t', start);
        if (count == 5) {
            if (tab != std::string_view::npos)
                return false;
            fields[5] = line.substr(start);
            break;
        }
        if (tab == std::string_view::npos)
            return false;
        fields[count] = line.substr(start, tab - start);
        start = tab + 1;
    }
    uint32_t sum = 0;
    if (fields[0].size() != 8 || std::from_chars(fields[0].data(), fields[0].data() + 8, sum, 16).ptr != fields[0].data() + 8
        || sum != Checksum(line.substr(9)) || fields[1].size() != 64)
        return false;
    for (const char c : fields[1])
        if (HexDigit(c) < 0)
            return false;
    int64_t number = 0;
    return Number(fields[2], number) && Number(fields[3], number) && Escaped(fields[4]) && Escaped(fields[5]);
}

std::string Digest(std::string_view hex)
{
    std::string digest(hex.size() / 2, '\0');
    for (size_t i = 0; i < digest.size(); ++i)
        digest[i] = static_cast<char>(HexDigit(hex[2 * i]) * 16 + HexDigit(hex[2 * i + 1]));
    return digest;
}

uint64_t Key(std::string_view digest)
{
    uint64_t key = 0;
    std::memcpy(&key, digest.data(), std::min(digest.size(), sizeof key));
    return key;
}

// The key of a digest written in hex, without making the digest.
uint64_t HexKey(std::string_view hex)
{
    unsigned char bytes[8];
    for (size_t i = 0; i < sizeof bytes; ++i)
        bytes[i] = static_cast<unsigned char>(HexDigit(hex[2 * i]) * 16 + HexDigit(hex[2 * i + 1]));
    return Key(std::string_view(reinterpret_cast<const char*>(bytes), sizeof bytes));
}

bool ReadWhole(const std::string& path, std::string& text)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    ::fstat(fd, &st);
    text.resize(static_cast<size_t>(std::max<off_t>(st.st_size, 0)));
    size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    text.resize(got);
    ::close(fd);
    return true;
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}


} // namespace

TSavedHistory::TSavedHistory(std::string path) : FPath(std::move(path))
{
    std::string text;
    if (!ReadWhole(FPath, text))
        return;
    const size_t fileSize = text.size();
    if (!Read(std::move(text)))
        SetAside(fileSize, FText);
}

// Keeps the whole lines of text; false when anything else was there (a torn
// or changed line, another first line).
bool TSavedHistory::Read(std::string text)
{
    if (text.empty())
        return true;
    if (!std::string_view(text).starts_with(kFirstLine)) {
        FText = kFirstLine;
        return false;
    }
    bool whole = true;
    size_t kept = kFirstLine.size();
    std::array<std::string_view, 6> fields;
    for (size_t at = kFirstLine.size(); at < text.size();) {
        const char* end = static_cast<const char*>(std::memchr(text.data() + at, '\n', text.size() - at));
        if (!end) {
            whole = false; // torn off
            break;
        }
        const size_t length = static_cast<size_t>(end - text.data()) - at + 1;
        if (SplitLine(std::string_view(text).substr(at, length - 1), fields)) {
            int64_t size = 0;
            Number(fields[2], size);
            // Moved down over the lines dropped before it.
            if (kept != at)
                std::memmove(text.data() + kept, text.data() + at, length);
            FLines.push_back({HexKey(fields[1]), size, kept, length});
            kept += length;
        } else {
            whole = false;
        }
        at += length;
    }
    text.resize(kept);
    FText = std::move(text);
    return whole;
}

std::string TSavedHistory::Text(const std::vector<TSavedEntry>& entries)
{
    std::string text(kFirstLine);
    for (const TSavedEntry& e : entries)
        text += Line(e);
    return text;
}

TSavedEntry TSavedHistory::Entry(size_t i) const
{
    const TLine& line = FLines.at(i);
    std::array<std::string_view, 6> fields;
    SplitLine(std::string_view(FText).substr(line.At, line.Length - 1), fields);
    TSavedEntry e;
    e.Digest = Digest(fields[1]);
    e.Size = line.Size;
    Number(fields[3], e.Time);
    Unescape(fields[4], e.Url);
    Unescape(fields[5], e.Path);
    return e;
}

std::vector<TSavedEntry> TSavedHistory::Find(const std::string& digest, int64_t size) const
{
    std::vector<TSavedEntry> found;
    const uint64_t key = Key(digest);
    for (size_t i = FLines.size(); i-- > 0;)
        if (FLines[i].Key == key && FLines[i].Size == size) {
            TSavedEntry e = Entry(i);
            if (e.Digest == digest)
                found.push_back(std::move(e));
        }
    return found;
}

bool TSavedHistory::Add(const TSavedEntry& entry)
{
    const std::string line = Line(entry);
    if (FText.empty())
        FText = kFirstLine;
    FLines.push_back({Key(entry.Digest), entry.Size, FText.size(), line.size()});
    FText += line;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(FPath).parent_path(), ec);
    const int fd = ::open(FPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool fresh = ::fstat(fd, &st) == 0 && st.st_size == 0;
    // One call: a crash tears at most this line.
    const bool written = WriteAll(fd, fresh ? std::string(kFirstLine) + line : line);
    return ::close(fd) == 0 && written;
}

void TSavedHistory::SetAside(size_t fileSize, const std::string& text)
{
    const std::string aside = FPath + ".damaged";
    FDamage = "The history of saved pictures (" + FPath + ", " + std::to_string(fileSize) + " bytes) was damaged";
    if (::rename(FPath.c_str(), aside.c_str()) != 0) {
        FDamage += " and could not be set aside: " + std::string(std::strerror(errno));
        return;
    }
    FDamage += "; it was set aside as " + aside + " and its " + std::to_string(FLines.size()) + " whole entries kept.";
    // Written whole under another name first, as the settings file is.
    const std::string temp = FPath + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return;
    const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), FPath.c_str()) != 0)
        ::unlink(temp.c_str());
}
