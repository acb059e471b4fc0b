#include "platform/drives/PathMatch.h"

#include <strings.h>

std::vector<std::string> PathComponents(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

int MatchComponent(const std::vector<std::string>& names, const std::string& wanted)
{
    int blind = -1;
    int blindCount = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == wanted)
            return static_cast<int>(i);
        if (strcasecmp(names[i].c_str(), wanted.c_str()) == 0) {
            blind = static_cast<int>(i);
            ++blindCount;
        }
    }
    return blindCount == 1 ? blind : -1;
}

int DriveIndexOf(const std::string& path, const std::vector<TDrive>& drives)
{
    int best = -1;
    for (size_t i = 0; i < drives.size(); ++i) {
        const std::string& root = drives[i].Root;
        const bool longer = best < 0 || root.size() > drives[best].Root.size();
        if (longer && path.compare(0, root.size(), root) == 0)
            best = static_cast<int>(i);
    }
    return best;
}

bool IsBelowTrash(const std::string& path)
{
    if (path.find("Trash") == std::string::npos)
        return false;
    const std::vector<std::string> parts = PathComponents(path);
    for (size_t i = 0; i + 1 < parts.size(); ++i) { // the last one may be trash itself
        const std::string& p = parts[i];
        const bool userTrash = p == "Trash" && i >= 2 && parts[i - 1] == "share" && parts[i - 2] == ".local";
        if (p == ".Trash" || p.rfind(".Trash-", 0) == 0 || userTrash)
            return true;
    }
    return false;
}

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    const int c = strcasecmp(a.c_str(), b.c_str());
    return c != 0 ? c < 0 : a < b;
}
