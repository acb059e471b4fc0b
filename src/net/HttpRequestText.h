#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What goes into the header of one request.
struct THttpRequestHeader {
    std::string Method;  // "GET", "HEAD" or "POST"
    std::string Path;
    std::string Sender, Accept, Reference, ContentTypePost, Agent, TargetHost, Cookie;
    std::string Username, Password, Proxy, ProxyUsername, ProxyPassword;
    bool NoCache = false;
    double ModifiedSince = 0;  // days since 30 December 1899; 0 for none
    int64_t PostSize = 0;      // sent for "POST" only
    std::vector<std::string> Extra; // further lines, last
};

// The request lines in their fixed order, without line ends and without
// the blank line that closes the header.
std::vector<std::string> RequestHeaderLines(const THttpRequestHeader& h);

std::string EncodeBase64(const std::string& bytes);

// "Mon, 06 Dec 1999 15:04:05" from a date-time, without time-zone conversion.
std::string FormatHttpDate(double dateTime);

// Text taken from URLs goes into the request header: control bytes would end
// or split a header line, so they are sent percent-encoded.
std::string EscapeControlBytes(const std::string& text);
