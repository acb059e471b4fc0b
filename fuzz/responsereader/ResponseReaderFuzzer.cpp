// Feeds arbitrary bytes to the response reader alone, in pieces of arbitrary
// size, and checks each step's promises about the record, and that the
// steps, lines, records and body starts are the same as when the bytes come
// as fast as the reader takes them.
//
// Input: byte 0 holds options (bit 0: after a header, the rest is lines
// nobody awaits instead of the next response); bytes 1..4 are the piece
// sizes, cycled; the rest is what the server sends.
#include "../FuzzCheck.h"
#include "net/HttpResponseReader.h"
#include "platform/AnsiCase.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Everything the reader's caller sees, in order.
struct TTranscript {
    std::vector<int> Steps;
    std::vector<std::string> Lines;
    std::vector<THttpResponse> Records; // at each end of a header, and the last
    std::vector<size_t> BodyStarts;     // offsets into the bytes
    bool operator==(const TTranscript&) const = default;
};

void CheckRecord(const THttpResponse& r)
{
    Check(r.StatusCode >= 0 && r.StatusCode <= 999);
    Check(r.ContentLength >= -1);
    Check(r.ContentType == AnsiLowerCase(r.ContentType));
    Check(r.HeaderBytes <= THttpResponseReader::MaxHeaderBytes);
}

void CheckStep(const THttpResponseReader& reader, THttpReadStep step)
{
    const THttpResponse& r = reader.Response();
    CheckRecord(r);
    if (reader.LineRead())
        Check(reader.Line().size() < THttpResponseReader::MaxLineLength &&
              reader.Line().find('\n') == std::string::npos);
    switch (step) {
    case hrBegin:
        Check(reader.LineRead() && r == THttpResponse{});
        break;
    case hrLine:
    case hrCookie:
    case hrLocation:
        Check(!r.Lines.empty() && r.Lines.back() == reader.Line());
        Check(step != hrCookie || !r.Cookies.empty());
        Check(step != hrLocation || r.Location.has_value());
        break;
    case hrHtmlBody:
        Check(AnsiSameText(reader.Body().substr(0, 6), "<html>") && !r.ContentType.empty());
        break;
    case hrRefused:
        Check(reader.Refusal() != rfNone);
        break;
    default:
        break;
    }
}

// Reads the bytes in pieces of the given sizes (none: as much as fits),
// stepping after every piece as the client does after every read.
TTranscript Read(std::string_view bytes, const uint8_t* sizes, bool linesAfterHeader)
{
    THttpResponseReader reader;
    reader.NewRequest();
    TTranscript t;
    size_t fed = 0;
    size_t responseFrom = 0;
    bool lines = false;
    for (size_t piece = 0; fed < bytes.size(); ++piece) {
        const size_t room = reader.Room();
        Check(room <= THttpResponseReader::MaxLineLength);
        const size_t rest = bytes.size() - fed;
        const size_t offered = sizes ? std::min<size_t>(sizes[piece % 4] + 1u, rest) : rest;
        const size_t took = reader.Feed(bytes.data() + fed, offered);
        Check(took == std::min(offered, room));
        fed += took;
        if (lines) {
            while (reader.NextLine()) {
                Check(reader.Line().size() < THttpResponseReader::MaxLineLength);
                t.Lines.push_back(reader.Line());
            }
            continue;
        }
        for (THttpReadStep step; (step = reader.Next()) != hrNeedMore;) {
            CheckStep(reader, step);
            t.Steps.push_back(step);
            if (reader.LineRead())
                t.Lines.push_back(reader.Line());
            if (step == hrRefused) {
                t.Records.push_back(reader.Response());
                return t; // the client ends the response here
            }
            if (step != hrHeaderEnd && step != hrHtmlBody)
                continue;
            const size_t bodyStart = fed - reader.Body().size();
            if (step == hrHeaderEnd)
                Check(bodyStart == responseFrom + reader.Response().HeaderBytes);
            t.Records.push_back(reader.Response());
            t.BodyStarts.push_back(bodyStart);
            // The rest begins where the body does, as after a relocation;
            // after a header-less page it is only lines.
            reader.Restart();
            fed = responseFrom = bodyStart;
            lines = linesAfterHeader || step == hrHtmlBody;
            break;
        }
    }
    t.Records.push_back(reader.Response());
    CheckRecord(t.Records.back());
    return t;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 5)
        return 0;
    const bool linesAfterHeader = data[0] & 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 5, size - 5);
    Check(Read(bytes, data + 1, linesAfterHeader) == Read(bytes, nullptr, linesAfterHeader));
    return 0;
}
