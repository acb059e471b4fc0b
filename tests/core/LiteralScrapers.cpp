#include "core/LiteralScrapers.h"
#include "core/LiteralTextHelpers.h"

namespace {

constexpr size_t npos = std::string::npos;

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return s;
}

bool Contains(const std::string& s, const std::string& marker) { return s.find(marker) != npos; }
bool ContainsNoCase(const std::string& s, const std::string& marker)
{
    return Upper(s).find(Upper(marker)) != npos;
}

// Deletes from the start through the marker's first occurrence (nothing when absent).
void CutThrough(std::string& s, const std::string& marker)
{
    const size_t at = s.find(marker);
    if (at != npos)
        s.erase(0, at + marker.size());
}

// The text before the marker's first occurrence (empty when absent).
std::string Before(const std::string& s, const std::string& marker)
{
    const size_t at = s.find(marker);
    return at == npos ? std::string() : s.substr(0, at);
}

// An empty cut is no picture.
void RoutePicture(TSearchSink& sink, const std::string& value)
{
    if (!value.empty())
        RoutePictureLink(sink, Literal::FixHTMLCodes(value));
}

}

namespace Literal {

void ExractDataFromHotBot(const std::vector<std::string>& lines, TSearchSink& sink)
{
    for (std::string s : lines) {
        while (Contains(s, "target=")) {
            CutThrough(s, "target=");
            if (s.empty())
                break;
            sink.QueuePageFetch(FixHTMLCodes(Before(s, "&id=")), ecListedPage);
        }
    }
}

void ExractDataFromLycos(const std::vector<std::string>& lines, TSearchSink& sink)
{
    const std::string marker = "<p><b><a href=\"";
    for (std::string s : lines) {
        if (!Contains(s, marker))
            continue;
        CutThrough(s, marker);
        if (s.empty())
            continue;
        sink.QueuePageFetch(FixHTMLCodes(Before(s, "\"")), ecListedPage);
    }
}

void ExractDataFromLycosImagesDirect(const std::vector<std::string>& lines, TSearchSink& sink)
{
    const std::string marker = "<dd><b><a href=\"";
    bool nextPageQueued = false;
    for (std::string s : lines) {
        if (Contains(s, marker)) {
            CutThrough(s, marker);
            RoutePicture(sink, Before(s, "\""));
        }
        if (Contains(s, "&gt;&gt;")) {
            CutThrough(s, "\"");
            const size_t quote = s.find('"');
            if (quote != npos)
                s.erase(quote);
            if (!nextPageQueued)
                sink.QueuePageFetch(sink.LycosBaseAddress() + s, ecLycosImagesDirect);
            nextPageQueued = true;
        }
    }
}

void ExractDataFromScourNet(const std::vector<std::string>& lines, TSearchSink& sink)
{
    for (std::string s : lines) {
        if (Contains(s, "url=")) {
            CutThrough(s, "url=");
            if (Contains(s, "\">"))
                s = Before(s, "\">");
            RoutePicture(sink, s);
        }
        if (ContainsNoCase(s, "pagenumlinks") && ContainsNoCase(s, "right.gif")) {
            while (ContainsNoCase(s, "right.gif"))
                s.pop_back();
            while (ContainsNoCase(s, "a href"))
                s.erase(0, 1);
            while (Contains(s, "\">"))
                s.erase(s.size() - 2);
            while (Contains(s, "\""))
                s.erase(0, 1);
            sink.QueuePageFetch(sink.ScourNetBaseAddress() + s, ecScourNet);
        }
    }
}

}
