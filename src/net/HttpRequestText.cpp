#include "net/HttpRequestText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::vector<std::string> RequestHeaderLines(const THttpRequestHeader& h)
{
    const bool post = h.Method == "POST";
    std::vector<std::string> lines;
    lines.push_back(h.Method + " " + EscapeControlBytes(h.Path) + " HTTP/1.0");
    if (!h.Sender.empty())
        lines.push_back("From: " + h.Sender);
    if (!h.Accept.empty())
        lines.push_back("Accept: " + h.Accept);
    if (!h.Reference.empty())
        lines.push_back("Referer: " + h.Reference);
    if (post && !h.ContentTypePost.empty())
        lines.push_back("Content-Type: " + h.ContentTypePost);
    if (!h.Agent.empty())
        lines.push_back("User-Agent: " + h.Agent);
    lines.push_back("Host: " + EscapeControlBytes(h.TargetHost));
    if (h.NoCache)
        lines.push_back("Pragma: no-cache");
    if (post)
        lines.push_back("Content-Length: " + std::to_string(h.PostSize));
    if (h.ModifiedSince != 0)
        lines.push_back("If-Modified-Since: " + FormatHttpDate(h.ModifiedSince) + " GMT");
    if (!h.Username.empty())
        lines.push_back("Authorization: Basic " + EncodeBase64(h.Username + ":" + h.Password));
    if (!h.Proxy.empty() && !h.ProxyUsername.empty())
        lines.push_back("Proxy-Authorization: Basic " + EncodeBase64(h.ProxyUsername + ":" + h.ProxyPassword));
    if (!h.Cookie.empty())
        lines.push_back("Cookie: " + h.Cookie);
    for (const std::string& line : h.Extra)
        lines.push_back(EscapeControlBytes(line));
    return lines;
}

std::string EncodeBase64(const std::string& bytes)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t v = 0;
        for (size_t k = 0; k < 3; ++k)
            v = (v << 8) | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k)
            out += k <= n ? alphabet[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

std::string FormatHttpDate(double dateTime)
{
    static const char days[] = "MonTueWedThuFriSatSun";
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const double whole = std::floor(dateTime);
    const int64_t day = static_cast<int64_t>(whole);
    const int64_t secs = static_cast<int64_t>(std::llround((dateTime - whole) * 86400000.0) / 1000);

    // Civil date from days since 1970-01-01 (the date-time epoch is 25569 days earlier).
    int64_t z = day - 25569 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);

    const int64_t weekday = ((day - 2) % 7 + 7) % 7;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3s, %2.2d %.3s %4.4d %2.2d:%2.2d:%2.2d", days + weekday * 3,
                  static_cast<int>(d), months + (m - 1) * 3, static_cast<int>(y),
                  static_cast<int>(secs / 3600 % 24), static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60));
    return buf;
}

std::string EscapeControlBytes(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
