// Gives any bytes to the settings file reader as the file's content, reads
// the program's keys and the names the bytes seem to hold, then writes one
// key and reads them all again: names match ignoring case, a value read
// stays within its length, a number read is the text read as a number, the
// key written reads back as written, and no other key's value changes.
//
// Input: byte 0 picks the key written (among the names read) and how the
// file is reached (bit 0: through a symbolic link; bit 1: no file at all);
// the rest is the file.
#include "platform/IniFile.h"
#include "platform/SettingsKeys.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {
fs::path gFolder;

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// Names the program writes: printable ASCII, no brackets, "=", quotes or spaces.
bool Writable(const std::string& name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return c > ' ' && c < 0x7F && std::string_view("[]=;\"'").find(c) == std::string_view::npos;
    });
}

using TNames = std::vector<std::pair<std::string, std::string>>;

// Sections and keys the file may hold, guessed line by line, with some of the program's own.
TNames Names(std::string_view file)
{
    TNames names = {{Setting::Options, Setting::CheckLinks.Key},
                    {Setting::Options, Setting::SourcePages.Key},
                    {Setting::Options, Setting::PictureTypes.Key}};
    std::string section = Setting::Options;
    while (!file.empty() && names.size() < 24) {
        const size_t end = file.find('\n');
        std::string line(file.substr(0, end));
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);
        const size_t open = line.find('['), close = line.find(']');
        if (open != std::string::npos && close != std::string::npos && open < close)
            section = line.substr(open + 1, close - open - 1);
        else if (const size_t eq = line.find('='); eq != std::string::npos)
            names.emplace_back(section, line.substr(0, eq));
    }
    return names;
}

std::vector<std::string> ReadAll(const TIniFile& ini, const TNames& names)
{
    std::vector<std::string> values;
    for (const auto& [section, key] : names) {
        const std::string value = ini.ReadString(section, key, "\x01");
        Check(value.size() <= TIniFile::MaxValueLength);
        Check(ini.ReadString(Upper(section), Upper(key), "\x01") == value);
        if (value.size() < TIniFile::MaxValueLength) // else cut short: the number reads the whole value
            Check(ini.ReadInteger(section, key, -7) == (value == "\x01" ? -7 : StrToIntDef(value, -7)));
        values.push_back(value);
    }
    return values;
}

bool SameName(const std::string& a, const std::string& b)
{
    return Upper(a) == Upper(b);
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char folder[] = "/tmp/ini-fuzz-XXXXXX";
    Check(mkdtemp(folder) != nullptr);
    gFolder = folder;
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(gFolder, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);
    const fs::path stored = gFolder / "stored.ini", link = gFolder / "settings.ini";
    std::error_code ignored;
    fs::remove(link, ignored);
    fs::remove(stored, ignored);
    if (!(data[0] & 2)) {
        std::ofstream(stored, std::ios::binary) << file;
        if (data[0] & 1)
            fs::create_symlink(stored.filename(), link);
        else
            fs::rename(stored, link);
    }

    TIniFile ini(link.string());
    const TNames names = Names(file);
    const std::vector<std::string> before = ReadAll(ini, names);
    Check(ReadAll(ini, names) == before); // read again, from the same file

    const auto& [section, key] = names[(data[0] >> 2) % names.size()];
    if (!Writable(section) || !Writable(key))
        return 0;
    const std::string value = "written " + std::to_string(size);
    ini.WriteString(section, key, value);
    Check(ini.ReadString(section, key, "") == value);
    Check(!(data[0] & 1) || fs::is_symlink(link));
    const std::vector<std::string> after = ReadAll(ini, names);
    for (size_t i = 0; i < names.size(); ++i)
        if (!SameName(names[i].first, section) || !SameName(names[i].second, key))
            Check(after[i] == before[i]);
    return 0;
}
