#include "core/LiteralTextHelpers.h"

namespace {

// Replaces every occurrence, left to right, never rescanning a replacement.
std::string ReplaceAll(const std::string& s, const std::string& from, const std::string& to)
{
    std::string result;
    size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, from.size(), from) == 0) {
            result += to;
            i += from.size();
        } else {
            result += s[i++];
        }
    }
    return result;
}

const char* const Table[] = {
    "%21=!", "%22=\"", "%24=$", "%26=&", "%28=(", "%29=)", "%2B=+", "%2F=/", "%5B=[",
    "%5D=]", "%3A=:", "%7E=~", "%27='", "%BD=\xBD", "%A3=\xA3", "%A4=\xA4", "%A7=\xA7",
    "%7B={", "%7D=}", "%3D==", "%2E=.", "%5F=_", "%2D=-", "%253A=:", "%252F=/", "%257E=~",
};

}

namespace Literal {

std::string FixMultiQuery(std::string s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= 32)
        s.erase(0, 1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= 32)
        s.pop_back();
    s = ReplaceAll(s, " ", "+");
    s = ReplaceAll(s, "/", "%2F");
    return ReplaceAll(s, "\"", "%22");
}

std::string FixHTMLCodes(std::string s)
{
    for (const std::string entry : Table) {
        const size_t eq = entry.find('=');
        const std::string code = entry.substr(0, eq);
        const std::string replacement = entry.substr(eq + 1);
        size_t at;
        while ((at = s.find(code)) != std::string::npos) {
            s.insert(at, replacement);
            s.erase(at + replacement.size(), code.size());
        }
    }
    return s;
}

std::string ExtractFileNameFromURL(std::string s)
{
    while (s.find('/') != std::string::npos)
        s.erase(0, 1);
    return s;
}

std::string ExtractPageLinkFromURL(std::string s)
{
    while (!s.empty() && s.back() != '/')
        s.pop_back();
    return s;
}

std::string MakeValidDir(std::string s)
{
    for (char c : std::string("\"?*/><|\\")) {
        size_t at;
        while ((at = s.find(c)) != std::string::npos)
            s.erase(at, 1);
    }
    if (!s.empty() && s.front() == '.')
        s.erase(0, 1);
    return s;
}

std::vector<std::string> LoadMemo(std::string_view body)
{
    std::vector<std::string> lines;
    std::string line;
    bool cut = false;
    bool started = false;
    size_t i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            cut = false;
            started = false;
            i += (c == '\r' && i + 1 < body.size() && body[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        started = true;
        if (c == '\0')
            cut = true;
        else if (!cut)
            line += c;
        ++i;
    }
    if (started)
        lines.push_back(line);
    return lines;
}

}
