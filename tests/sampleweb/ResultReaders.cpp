#include "ResultReaders.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Decode(std::string s)
{
    for (const auto& [code, text] : {std::pair<std::string, std::string>{"%3A", ":"}, {"%2F", "/"}})
        for (size_t p; (p = s.find(code)) != std::string::npos;)
            s.replace(p, code.size(), text);
    return s;
}

// Deletes through the first occurrence of the marker; false when it is absent.
bool CutThrough(std::string& line, const std::string& marker)
{
    const size_t p = line.find(marker);
    if (p == std::string::npos)
        return false;
    line.erase(0, p + marker.size());
    return true;
}

bool ContainsNoCase(const std::string& text, const std::string& word)
{
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find(word) != std::string::npos;
}

std::string BeforeQuote(const std::string& s)
{
    return s.substr(0, s.find('"'));
}

} // namespace

ResultLinks ReadHotBot(const std::vector<std::string>& lines)
{
    ResultLinks r;
    for (std::string line : lines)
        while (CutThrough(line, "target=") && !line.empty()) {
            const size_t id = line.find("&id=");
            r.links.push_back(Decode(id == std::string::npos ? std::string() : line.substr(0, id)));
        }
    return r;
}

ResultLinks ReadLycos(const std::vector<std::string>& lines)
{
    ResultLinks r;
    for (std::string line : lines)
        if (CutThrough(line, "<p><b><a href=\"") && !line.empty())
            r.links.push_back(Decode(BeforeQuote(line)));
    return r;
}

ResultLinks ReadScourNet(const std::vector<std::string>& lines)
{
    ResultLinks r;
    for (std::string line : lines) {
        if (CutThrough(line, "url=")) {
            const size_t end = line.find("\">");
            if (end != std::string::npos)
                line.erase(end);
            r.links.push_back(Decode(line));
        }
        if (ContainsNoCase(line, "pagenumlinks") && ContainsNoCase(line, "right.gif")) {
            while (ContainsNoCase(line, "right.gif"))
                line.pop_back();
            while (ContainsNoCase(line, "a href"))
                line.erase(0, 1);
            while (line.find("\">") != std::string::npos)
                line.erase(line.size() - 2);
            while (line.find('"') != std::string::npos)
                line.erase(0, 1);
            r.next.push_back(line);
        }
    }
    return r;
}

ResultLinks ReadImagesDirect(const std::vector<std::string>& lines)
{
    ResultLinks r;
    for (std::string line : lines) {
        if (CutThrough(line, "<dd><b><a href=\""))
            r.links.push_back(Decode(BeforeQuote(line)));
        if (line.find("&gt;&gt;") != std::string::npos) {
            CutThrough(line, "\"");
            r.next.push_back(BeforeQuote(line));
        }
    }
    return r;
}
