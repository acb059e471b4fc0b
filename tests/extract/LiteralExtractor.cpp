#include "extract/LiteralExtractor.h"

#include "platform/CatchAll.h"

namespace Literal {
namespace {

using Str = std::string;

int Length(const Str& s) { return static_cast<int>(s.size()); }

int Pos(const Str& sub, const Str& s)
{
    const size_t at = s.find(sub);
    return sub.empty() || at == Str::npos ? 0 : static_cast<int>(at) + 1;
}

Str Copy(const Str& s, int index, int count)
{
    if (index < 1)
        index = 1;
    if (index > Length(s) || count <= 0)
        return {};
    return s.substr(index - 1, count);
}

void Delete(Str& s, int index, int count)
{
    if (index < 1 || index > Length(s) || count <= 0)
        return;
    s.erase(index - 1, count);
}

Str LowerCase(Str s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return s;
}

Str ExtractFileExt(const Str& name)
{
    for (int i = Length(name); i >= 1; --i) {
        const char c = name[i - 1];
        if (c == '.')
            return Copy(name, i, Length(name));
        if (c == '\\' || c == ':')
            return {};
    }
    return {};
}

struct THttpExtract {
    Str HostUrl;
    Str Path;
};

Str Mirror(const Str& s)
{
    Str r;
    CatchAll("error code : #0025 (Mirror)", [&] {
        for (int i = Length(s); i >= 1; --i)
            r += s[i - 1];
    });
    return r;
}

void CountAndCutUpLevels(Str& link, int& levels)
{
    CatchAll("error code : #0022 (CountAndCutUpLevels)", [&] {
        while (Pos("../", link) > 0) {
            ++levels;
            Delete(link, 1, 3);
        }
    });
}

void ExtractUrlAndPath(const Str& origin, THttpExtract& parts)
{
    CatchAll("error code : #0023 (ExtractUrlAndPath)", [&] {
        Str s = origin;
        const Str scheme = Pos("https://", s) == 1 ? "https://" : "http://";
        Delete(s, 1, Length(scheme));
        if (Pos("/", s) == 0) {   // decided: the whole rest is the host
            parts.HostUrl = scheme + s;
            parts.Path = "";
            return;
        }
        parts.HostUrl = scheme + Copy(s, 1, Pos("/", s) - 1);
        parts.Path = Copy(s, Pos("/", s), Length(s));
        if (parts.Path != "" && parts.Path[Length(parts.Path) - 1] == '/')
            Delete(parts.Path, Length(parts.Path), 1);
    });
}

Str EditOriginURL(int levels, bool fromRoot, const Str& origin)
{
    Str result;
    CatchAll("error code : #0024 (EditOriginURL)", [&] {
        THttpExtract parts;
        ExtractUrlAndPath(origin, parts);
        if (fromRoot) {
            result = parts.HostUrl;
            return;
        }
        Str r = Mirror(parts.Path);
        if (Pos(".", parts.Path) > 0)
            Delete(r, 1, Pos("/", r));
        for (int i = 1; i <= levels; ++i)
            Delete(r, 1, Pos("/", r));
        Str dir = Mirror(r);
        if (dir != "") {
            if (dir[Length(dir) - 1] != '/')
                dir += "/";
            if (dir[0] == '/')
                Delete(dir, 1, 1);
        }
        result = parts.HostUrl + "/" + dir;
    });
    return result;
}

void AddFIleTolist(const Str& link, TSearchSink& sink)
{
    CatchAll("error code : #0016 (AddFIleTolist)", [&] {
        if (link == "")
            return;
        if (Length(link) < 4 || Pos(".jpg", link) != Length(link) - 3)
            return;
        if (sink.IsFound(link))
            return;
        if (sink.CheckLinksTicked())
            sink.QueueLinkCheck(link);
        else
            sink.AddToListView(link, TPictureSize::Unchecked());
    });
}

Str Find_HREF_param(Str s, const Str& origin)
{
    Str result;
    CatchAll("error code : #0018 (Find_HREF_param)", [&] {
        const int p = Pos("href=\"", LowerCase(s));
        if (p > 0)
            Delete(s, 1, p + 5);
        else
            Delete(s, 1, 5);
        const Str value = Copy(s, 1, Pos("\"", s) - 1);
        if (Pos(".html", value) == 0 && Pos(".htm", value) == 0 && Pos(".jpg", value) == 0)
            result = "";
        else if (Pos("http", value) > 0)
            result = "";
        else
            result = AnalyzePath(value, origin);
    });
    return result;
}

Str Find_IMG_SRC_param(const Str& s, const Str& origin)
{
    Str result;
    CatchAll("error code : #0019 (Find_IMG_SRC_param)", [&] {
        const int p = Pos("src=", LowerCase(s));
        Str value = Copy(s, p + 5, Length(s));
        value = Copy(value, 1, Pos(".jpg", LowerCase(value)) + 3);
        result = AnalyzePath(value, origin);
    });
    return result;
}

Str CheckHrefForThumbsAndNewPage(const Str& s, const Str& origin, TSearchSink& sink)
{
    Str result;
    CatchAll("error code : #0017 (CheckHrefForThumbsAndNewPage)", [&] {
        const Str src = Find_IMG_SRC_param(s, origin);
        const Str href = Find_HREF_param(s, origin);
        Str name = Mirror(href);
        name = Copy(name, 1, Pos("/", name) - 1);
        name = Mirror(name);
        const Str ext = ExtractFileExt(name);
        Str found;
        if (ext == ".jpg")
            found = href;
        else if (ext == "")
            found = src;
        if ((ext == ".html" || ext == ".htm") && sink.RecursiveSearchActive())
            sink.QueuePageFetch(href, ecThumbnailPage);
        result = found;
    });
    return result;
}

void Check_IMG_and_SRC_and_HREF(const Str& s, const Str& origin, TSearchSink& sink)
{
    CatchAll("error code : #0015 (Check_IMG_and_SRC_and_HREF)", [&] {
        const Str lc = LowerCase(s);
        if (Pos("href", lc) > 0) {
            Str candidate;
            if (Pos("src", lc) > 0 && Pos("img", lc) > 0)
                candidate = CheckHrefForThumbsAndNewPage(s, origin, sink);
            else
                candidate = Find_HREF_param(s, origin);
            AddFIleTolist(candidate, sink);
        }
        if (Pos("src", lc) > 0 && Pos("img", lc) > 0 && Pos("href", lc) == 0)
            AddFIleTolist(Find_IMG_SRC_param(s, origin), sink);
    });
}

void EvaluateLinesForATags(Str s, const Str& origin, TSearchSink& sink)
{
    CatchAll("error code : #0014 (EvaluateLinesForATags)", [&] {
        while (Pos("<a", LowerCase(s)) > 0) {
            const Str lc = LowerCase(s);
            const int open = Pos("<a", lc);
            const int slash = Pos("/a", lc);
            const Str anchor = Copy(s, open, slash + 2 - open + 1);
            const int close = Pos("</a", lc);
            if (close > 0)
                Delete(s, 1, close + 2);
            else
                Delete(s, 1, 2);
            if (Pos(".jpg", LowerCase(anchor)) > 0)
                Check_IMG_and_SRC_and_HREF(anchor, origin, sink);
        }
    });
}

void HtmlPageToOneLine(const std::vector<Str>& lines, const Str& origin, TSearchSink& sink)
{
    CatchAll("error code : #0011 (HtmlPageToOneLine)", [&] {
        Str one;
        for (const Str& line : lines)
            one += line;
        EvaluateLinesForATags(one, origin, sink);
    });
}

void CutJPGLinksFromLine(const Str& line, const Str& origin, TSearchSink& sink)
{
    try {
        Str s = line;
        while (Pos(".jpg", s) > 0) {
            const int p = Pos(".jpg", LowerCase(s));
            int q = p;
            while (q > 0 && s[q - 1] != '"')
                --q;
            if (q > 0)   // decided: no double quote before it, no link
                AddFIleTolist(AnalyzePath(Copy(s, q + 1, p + 3 - q), origin), sink);
            Delete(s, 1, p + 4);
        }
    } catch (...) {
    }
}

void LoopForJPG(const std::vector<Str>& lines, const Str& origin, TSearchSink& sink)
{
    CatchAll("error code : #0012 (LoopForJPG)", [&] {
        for (const Str& line : lines) {
            const Str lc = LowerCase(line);
            if (Pos(".jpg", lc) == 0)
                continue;
            if (Pos("src", lc) > 0 && Pos("img", lc) > 0 && Pos("href", lc) > 0)
                continue;
            CutJPGLinksFromLine(line, origin, sink);
        }
    });
}

}

Str AnalyzePath(Str link, const Str& origin)
{
    Str result;
    CatchAll("error code : #0021 (AnalyzePath)", [&] {
        if (link != "" && (Pos("http://", link) == 1 || Pos("https://", link) == 1 || Pos("ftp://", link) == 1)) {
            result = link;
            return;
        }
        int levels = 0;
        bool fromRoot = false;
        if (Pos("/", link) > 0) {
            if (link[0] == '/')
                fromRoot = true;
            else
                CountAndCutUpLevels(link, levels);
        }
        result = EditOriginURL(levels, fromRoot, origin) + link;
    });
    return result;
}

void StartExtractLoop(const std::vector<Str>& lines, const Str& origin, TSearchSink& sink)
{
    CatchAll("error code : #0010 (StartExtractLoop)", [&] {
        HtmlPageToOneLine(lines, origin, sink);
        for (const Str& line : lines)
            if (Pos(".jpg", LowerCase(line)) > 0)
                Check_IMG_and_SRC_and_HREF(line, origin, sink);
        LoopForJPG(lines, origin, sink);
    });
}

void CheckNewPageForSrc(const std::vector<Str>& lines, const Str& origin, TSearchSink& sink)
{
    CatchAll("error code : #0020 (CheckNewPageForSrc)", [&] {
        for (const Str& line : lines)
            if (Pos(".jpg", LowerCase(line)) > 0)
                AddFIleTolist(Find_IMG_SRC_param(line, origin), sink);
    });
}

}
