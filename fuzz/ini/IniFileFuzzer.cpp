// Gives any bytes to the settings file reader as the file's content, reads
// the program's keys and the names the bytes seem to hold, then writes one
// key and reads them all again: names match ignoring case, a value read
// stays within its length, a number or switch read is the text read as a
// number, the key written reads back as written, and no other key's value
// changes. A write that cannot be done throws and changes nothing.
//
// Input: byte 0 says how the file is reached (bits 0-1: by its path, by a
// relative or an absolute symbolic link, or by a link to itself; bit 2: no
// file there; bit 3: a folder stands where the new file would be written;
// bit 4: the path is a folder); byte 1 picks the key written among the names
// read (255: a key without a name); byte 2 is the length of the value
// written, which follows; the rest is the file.
#include "../FuzzCheck.h"
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
        if (value.size() < TIniFile::MaxValueLength) { // else cut short: the number reads the whole value
            const int number = value == "\x01" ? -7 : StrToIntDef(value, -7);
            Check(ini.ReadInteger(section, key, -7) == number);
            Check(ini.ReadBool(section, key, true) == (value == "\x01" || StrToIntDef(value, 1) != 0));
            Check(ini.ReadBool(section, key, false) == (value != "\x01" && StrToIntDef(value, 0) != 0));
        }
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
    if (size < 3 || size < 3u + data[2])
        return 0;
    const uint8_t setup = data[0];
    const std::string value(reinterpret_cast<const char*>(data + 3), data[2]);
    const std::string_view file(reinterpret_cast<const char*>(data + 3 + data[2]), size - 3 - data[2]);
    const fs::path stored = gFolder / "stored.ini", path = gFolder / "settings.ini";
    const int reach = setup & 3;
    const bool noFile = setup & 4, folderInTheWay = setup & 8, pathIsFolder = setup & 16;
    const fs::path written = reach == 1 || reach == 2 ? stored : path; // where the text goes
    std::error_code ignored;
    for (const fs::path& old : {path, stored, fs::path(written.string() + ".tmp")})
        fs::remove_all(old, ignored);
    if (pathIsFolder) {
        fs::create_directory(written);
    } else if (!noFile && reach != 3) {
        std::ofstream(written, std::ios::binary) << file;
    }
    if (reach == 1)
        fs::create_symlink(stored.filename(), path);
    else if (reach == 2)
        fs::create_symlink(stored, path);
    else if (reach == 3)
        fs::create_symlink(path.filename(), path, ignored); // a loop: there is no file to read
    if (folderInTheWay)
        fs::create_directory(written.string() + ".tmp");

    TIniFile ini(path.string());
    const TNames names = Names(file);
    const std::vector<std::string> before = ReadAll(ini, names);
    Check(ReadAll(ini, names) == before); // read again, from the same file

    // The last choice is a key without a name, which is refused.
    const bool unnamed = data[1] == 255;
    const auto& [section, named] = names[data[1] % names.size()];
    const std::string key = unnamed ? "" : named;
    if (!Writable(section) || !(unnamed || Writable(key)))
        return 0;
    const bool there = reach != 3 && fs::exists(written, ignored);
    const bool refused = unnamed || value.find_first_of("\r\n") != std::string::npos || pathIsFolder ||
                         (folderInTheWay && !there);
    try {
        ini.WriteString(section, key, value);
        Check(!refused);
    } catch (const EIniFileException&) {
        Check(refused);
        Check(ReadAll(ini, names) == before);
        return 0;
    }
    // A value is read without the spaces around it and without quotes around it.
    const bool plain = value.find_first_of(" \t\"'") == std::string::npos;
    if (plain)
        Check(ini.ReadString(section, key, "\x01") == value);
    Check(fs::is_symlink(path) == (reach == 1 || reach == 2));
    const std::vector<std::string> after = ReadAll(ini, names);
    for (size_t i = 0; i < names.size(); ++i)
        if (!SameName(names[i].first, section) || !SameName(names[i].second, key))
            Check(after[i] == before[i]);
    return 0;
}
