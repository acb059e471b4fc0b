#include "platform/drives/MountInfo.h"

#include <sstream>

std::string UnescapeOctal(const std::string& field)
{
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](size_t at) { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            out.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

// Layout: id parent major:minor root mount-point options [optional fields] - fstype source super-options
std::vector<TMountEntry> ParseMountInfo(const std::string& text)
{
    std::vector<TMountEntry> entries;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string w; fields >> w;)
            words.push_back(w);
        size_t dash = 6;
        while (dash < words.size() && words[dash] != "-")
            ++dash;
        if (words.size() < 7 || dash + 2 >= words.size())
            continue;
        TMountEntry e;
        if (std::sscanf(words[2].c_str(), "%u:%u", &e.Major, &e.Minor) != 2)
            continue;
        e.MountPoint = UnescapeOctal(words[4]);
        e.FsType = words[dash + 1];
        e.Source = UnescapeOctal(words[dash + 2]);
        entries.push_back(std::move(e));
    }
    return entries;
}
