#include "platform/IniFile.h"

#include "platform/AnsiCase.h"
#include "platform/ProgramFiles.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

struct Lines {
    std::vector<std::string> text; // without line ends
    bool crlf = false;
    bool exists = false;
};

Lines ReadLines(const std::string& path)
{
    Lines l;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return l;
    l.exists = true;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            l.crlf = true;
        }
        l.text.push_back(line);
    }
    return l;
}

// What tells one version of the file from another without reading it.
struct FileVersion {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};

    FileVersion() = default;
    explicit FileVersion(const struct stat& st)
        : device(st.st_dev), inode(st.st_ino), size(st.st_size), modified(st.st_mtim), changed(st.st_ctim)
    {
    }
    bool operator==(const FileVersion& o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

// File times move in steps (two seconds on some file systems): a file
// changed within the last step may change again under the same times and
// size, so only a file older than that is known by its version.
bool Settled(const FileVersion& v)
{
    using namespace std::chrono;
    constexpr seconds kTimeStep{2};
    const auto since = [](const timespec& t) {
        return system_clock::now() - system_clock::time_point(duration_cast<system_clock::duration>(
                                         seconds(t.tv_sec) + nanoseconds(t.tv_nsec)));
    };
    return since(v.modified) > kTimeStep && since(v.changed) > kTimeStep;
}

// "[name]" gives name; anything else gives nothing.
std::optional<std::string> SectionName(const std::string& line)
{
    const std::string t = Trim(line);
    if (t.size() < 2 || t.front() != '[')
        return std::nullopt;
    const size_t close = t.find(']');
    if (close == std::string::npos)
        return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// "key=value" gives key; comments and other lines give nothing.
std::optional<std::string> KeyName(const std::string& line)
{
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';')
        return std::nullopt;
    const size_t eq = t.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    return Trim(t.substr(0, eq));
}

std::string ValueOf(const std::string& line)
{
    std::string v = Trim(line.substr(line.find('=') + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

// Index of the key's line within the section, or -1; sectionEnd is one past
// the section's last non-blank line (or -1 when there is no such section).
struct Place {
    long sectionLine = -1;
    long keyLine = -1;
    long sectionEnd = -1;
};

Place Find(const Lines& l, const std::string& section, const std::string& key)
{
    Place p;
    bool inSection = false;
    for (size_t i = 0; i < l.text.size(); ++i) {
        if (auto s = SectionName(l.text[i])) {
            if (inSection)
                break;
            inSection = AnsiSameText(*s, section);
            if (inSection) {
                p.sectionLine = static_cast<long>(i);
                p.sectionEnd = static_cast<long>(i) + 1;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (!Trim(l.text[i]).empty())
            p.sectionEnd = static_cast<long>(i) + 1;
        if (p.keyLine < 0) {
            if (auto k = KeyName(l.text[i]); k && AnsiSameText(*k, key))
                p.keyLine = static_cast<long>(i);
        }
    }
    return p;
}

// Every key's value as Find finds it: in the first section of a name, the
// first key of a name; names folded as AnsiSameText compares them.
using Index = std::unordered_map<std::string, std::unordered_map<std::string, std::string>>;

Index IndexOf(const Lines& l)
{
    Index index;
    std::unordered_map<std::string, std::string>* keys = nullptr;
    for (const std::string& line : l.text) {
        if (auto s = SectionName(line)) {
            auto [at, first] = index.try_emplace(AnsiLowerCase(*s));
            keys = first ? &at->second : nullptr;
        } else if (keys) {
            if (auto k = KeyName(line))
                keys->try_emplace(AnsiLowerCase(*k), ValueOf(line));
        }
    }
    return index;
}

// A settings file that is a symbolic link is written through it: the link
// stays, and the file it points to gets the new text.
std::string LinkTarget(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path at = path;
    std::error_code error;
    for (int hop = 0; hop < 40 && fs::is_symlink(at, error); ++hop) {
        const fs::path target = fs::read_symlink(at, error);
        if (error)
            break;
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
    return at.string();
}

// Writes text from the start of the open file and cuts the file there.
bool WriteText(int fd, const std::string& text)
{
    for (size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return ::ftruncate(fd, static_cast<off_t>(text.size())) == 0;
}

// Writes a new file beside path and renames it over path, so a failed write
// never leaves half a settings file. False when the folder cannot take the
// new file; a write that fails after that raises. old: the file replaced,
// whose permissions the new one keeps; null when there is none.
bool ReplaceWhole(const std::string& path, const std::string& text, const struct stat* old, const std::string& failure)
{
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    if (old)
        ::fchmod(fd, old->st_mode & 07777);
    const bool written = WriteText(fd, text);
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw EIniFileException(failure);
    }
    return true;
}

// The settings file rewritten where it stands, for a folder that takes no
// new file (the program's folder is often not the user's to write). Only
// the last resort: a write that fails half-way leaves half a file.
bool OverwriteInPlace(const std::string& path, const std::string& text)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = WriteText(fd, text);
    return ::close(fd) == 0 && written;
}

} // namespace

int StrToIntDef(const std::string& text, int def)
{
    const std::string t = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+'))
        negative = t[i++] == '-';
    int base = 10;
    if (i < t.size() && t[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= t.size())
        return def;
    long long value = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return def;
        value = value * base + digit;
        if (value > 0xFFFFFFFFLL)
            return def;
    }
    if (base == 10) {
        if (negative ? value > 2147483648LL : value > 2147483647LL)
            return def;
        return static_cast<int>(negative ? -value : value);
    }
    // Hexadecimal spells the 32-bit pattern, as "0xFFFFFFFF" is -1.
    const int bits = static_cast<int>(static_cast<uint32_t>(value));
    return negative ? -bits : bits;
}

struct TIniFile::TSnapshot {
    Lines lines;
    FileVersion version;
    bool settled = false;
    std::shared_ptr<const Index> index = std::make_shared<const Index>();

    // The key's value; null when the file has none.
    const std::string* Value(const std::string& section, const std::string& key) const
    {
        const auto keys = index->find(AnsiLowerCase(section));
        if (keys == index->end())
            return nullptr;
        const auto value = keys->second.find(AnsiLowerCase(key));
        return value == keys->second.end() ? nullptr : &value->second;
    }
};

TIniFile::TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

// The file is asked for its version at every read, so a change is seen at
// the next read; an unchanged file is not read and parsed again.
std::shared_ptr<const TIniFile::TSnapshot> TIniFile::Snapshot() const
{
    struct stat st {};
    if (::stat(FFileName.c_str(), &st) != 0) {
        // No file (or none that can be reached): nothing to read.
        static const auto missing = std::make_shared<const TSnapshot>();
        FSnapshot.reset();
        return missing;
    }
    const FileVersion version(st);
    if (FSnapshot && FSnapshot->settled && FSnapshot->version == version)
        return FSnapshot;
    Lines lines = ReadLines(FFileName);
    // A file read again because it may still change under the same version
    // keeps its index while its lines are the same.
    auto index = FSnapshot && FSnapshot->lines.text == lines.text ? FSnapshot->index
                                                                  : std::make_shared<const Index>(IndexOf(lines));
    FSnapshot = std::make_shared<const TSnapshot>(TSnapshot{std::move(lines), version, Settled(version), std::move(index)});
    return FSnapshot;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    const auto snapshot = Snapshot();
    const std::string* value = snapshot->Value(section, key);
    return (value ? *value : def).substr(0, MaxValueLength);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const
{
    const auto snapshot = Snapshot();
    const std::string* value = snapshot->Value(section, key);
    return value ? StrToIntDef(*value, def) : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string failure = "Unable to write to " + FFileName;
    if (key.empty() || section.empty() || value.find_first_of("\r\n") != std::string::npos)
        throw EIniFileException(failure);

    Lines l = ReadLines(FFileName);
    const Place p = Find(l, section, key);
    const std::string entry = key + "=" + value;
    if (p.keyLine >= 0) {
        l.text[static_cast<size_t>(p.keyLine)] = entry;
    } else if (p.sectionLine >= 0) {
        l.text.insert(l.text.begin() + p.sectionEnd, entry);
    } else {
        if (!l.text.empty() && !Trim(l.text.back()).empty())
            l.text.push_back("");
        l.text.push_back("[" + section + "]");
        l.text.push_back(entry);
    }

    const std::string path = LinkTarget(FFileName);
    struct stat st {};
    const bool had = ::stat(path.c_str(), &st) == 0;
    if (had && (!S_ISREG(st.st_mode) || ::access(path.c_str(), W_OK) != 0))
        throw EIniFileException(failure);
    std::string text;
    const char* eol = l.crlf ? "\r\n" : "\n";
    for (const std::string& line : l.text)
        text += line + eol;
    if (!ReplaceWhole(path, text, had ? &st : nullptr, failure) && !(had && OverwriteInPlace(path, text)))
        throw EIniFileException(failure);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

std::string ProgramSettingsFile() { return ProgramFiles().SettingsFile; }
