#include "net/HttpResponseReader.h"

#include "net/HttpHeaderLine.h"
#include "platform/AnsiCase.h"

#include <algorithm>
#include <cstring>

size_t THttpResponseReader::Feed(const char* Data, size_t Len)
{
    // Taken bytes make room at the front: a line only ever moves once.
    FBody = {};
    std::memmove(FBuffer, FBuffer + FBegin, FEnd - FBegin);
    FEnd -= FBegin;
    FBegin = 0;
    const size_t n = std::min(Len, Room());
    std::memcpy(FBuffer + FEnd, Data, n);
    FEnd += n;
    return n;
}

THttpReadStep THttpResponseReader::Next()
{
    FLineRead = false;
    // A NUL byte is data like any other: search the bytes, not a C string.
    const auto* lf = static_cast<const char*>(std::memchr(FBuffer + FBegin, '\n', FEnd - FBegin));
    if (!lf) {
        if (Room() > 0)
            return hrNeedMore;
        FRefusal = rfLineTooLong;
        return hrRefused;
    }
    ReadLine(lf);
    if (!FBegun) {
        // The line is already readable, but the next step takes it.
        FBegun = true;
        FResponse = THttpResponse{};
        return hrBegin;
    }
    const size_t lineFrom = FBegin;
    FBegin = static_cast<size_t>(lf - FBuffer) + 1;
    const size_t rawLen = FBegin - lineFrom;
    if (FResponse.HeaderBytes + rawLen > MaxHeaderBytes) {
        FRefusal = rfHeaderTooLarge;
        return hrRefused;
    }
    if (AnsiSameText(std::string_view(FLine).substr(0, 6), "<html>")) {
        // No header at all: everything from this line on is body, as sent.
        if (FResponse.ContentType.empty())
            FResponse.ContentType = "text/html";
        return EndHeader(hrHtmlBody, lineFrom);
    }
    FResponse.HeaderBytes += rawLen;
    if (FLine.empty())
        return EndHeader(hrHeaderEnd, FBegin);
    return HeaderLine();
}

bool THttpResponseReader::NextLine()
{
    FLineRead = false;
    const auto* lf = static_cast<const char*>(std::memchr(FBuffer + FBegin, '\n', FEnd - FBegin));
    if (lf) {
        ReadLine(lf);
        FBegin = static_cast<size_t>(lf - FBuffer) + 1;
    } else if (Room() == 0) {
        FBegin = FEnd = 0;
    }
    return lf != nullptr;
}

void THttpResponseReader::ReadLine(const char* Lf)
{
    const char* from = FBuffer + FBegin;
    size_t len = static_cast<size_t>(Lf - from);
    if (len > 0 && from[len - 1] == '\r')
        --len;
    FLine.assign(from, len);
    FLineRead = true;
}

THttpReadStep THttpResponseReader::EndHeader(THttpReadStep Step, size_t BodyFrom)
{
    FBody = std::string_view(FBuffer + BodyFrom, FEnd - BodyFrom);
    FBegin = FEnd;
    FBegun = false;
    return Step;
}

THttpReadStep THttpResponseReader::HeaderLine()
{
    FResponse.Lines.push_back(FLine);
    if (IsStatusLine(FLine)) {
        FResponse.StatusCode = StatusCodeOf(FLine).value_or(0);
        FResponse.ReasonPhrase = ReasonPhraseOf(FLine);
        return hrLine;
    }
    const auto field = SplitHeaderField(FLine);
    return field ? HeaderField(field->Name, field->Value) : hrLine;
}

THttpReadStep THttpResponseReader::HeaderField(const std::string& Name, const std::string& Value)
{
    if (Name == "set-cookie") {
        FResponse.Cookies.push_back(Value);
        return hrCookie;
    }
    if (Name == "location") {
        FResponse.Location = Value;
        return hrLocation;
    }
    if (Name == "content-length") {
        // Unreadable or conflicting lengths leave the length unknown.
        const auto length = ParseContentLength(Value);
        const bool conflict = FResponse.ContentLengthSeen && (!length || *length != FResponse.ContentLength);
        FResponse.ContentLength = length && !conflict ? *length : -1;
        FResponse.ContentLengthSeen = true;
    } else if (Name == "content-type") {
        FResponse.ContentType = AnsiLowerCase(Value);
    } else if (Name == "www-authenticate") {
        FResponse.AuthChallenges.push_back(Value);
    }
    return hrLine;
}

void THttpResponseReader::SetOutcome(int StatusCode, const std::string& ReasonPhrase)
{
    FResponse.StatusCode = StatusCode;
    FResponse.ReasonPhrase = ReasonPhrase;
}

void THttpResponseReader::Restart()
{
    FBegin = FEnd = 0;
    FBody = {};
    FBegun = false;
    FRefusal = rfNone;
}

void THttpResponseReader::NewRequest()
{
    Restart();
    FResponse = THttpResponse{};
}
