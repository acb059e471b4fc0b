#include "net/HttpResponseReader.h"

#include <gtest/gtest.h>

// Rows name only what they expect.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

// How the reader ended a response, and what it held then.
struct TReadOutcome {
    THttpReadStep End = hrNeedMore;
    THttpRefusal Refusal = rfNone;
    THttpResponse Response;
    std::string Body; // Body() and every byte after it
    int Begins = 0;
    bool operator==(const TReadOutcome&) const = default;
};

// Feeds the bytes in pieces ending at the cuts, each as far as it fits, and
// steps after every feed, as THttpCli does with its reads.
TReadOutcome ReadInPieces(const std::string& bytes, const std::vector<size_t>& cuts)
{
    THttpResponseReader reader;
    reader.NewRequest();
    TReadOutcome out;
    size_t at = 0;
    for (size_t cut : cuts) {
        while (at < cut) {
            at += reader.Feed(bytes.data() + at, cut - at);
            for (THttpReadStep step; (step = reader.Next()) != hrNeedMore;) {
                out.Begins += step == hrBegin;
                if (step == hrHeaderEnd || step == hrHtmlBody || step == hrRefused) {
                    out.End = step;
                    out.Refusal = reader.Refusal();
                    out.Response = reader.Response();
                    if (step != hrRefused)
                        out.Body = std::string(reader.Body()) + bytes.substr(at);
                    return out;
                }
            }
        }
    }
    out.Response = reader.Response();
    return out;
}

struct TWant {
    int Status = 0;
    std::string Reason;
    int32_t Length = -1;
    std::string Type;
    std::optional<std::vector<std::string>> Lines; // checked when given
    std::string Body;
    THttpReadStep End = hrHeaderEnd;
    THttpRefusal Refusal = rfNone;
    std::optional<std::string> Location;
    std::vector<std::string> Cookies, Challenges;
};

struct TRow {
    std::string Name;
    std::string Bytes;
    TWant Want;
};

std::string Repeat(const std::string& line, size_t times)
{
    std::string s;
    for (size_t i = 0; i < times; ++i)
        s += line;
    return s;
}

// A header of exactly `bytes` bytes, blank line included, then "body".
std::string HeaderOfSize(size_t bytes)
{
    const std::string status = "HTTP/1.0 200 OK\r\n";
    const std::string filler = "X-More: " + std::string(40, 'm') + "\r\n";
    const size_t fill = bytes - status.size() - 2 - 25;
    return status + Repeat(filler, fill / filler.size()) + "X-Last: " +
           std::string(15 + fill % filler.size(), 'l') + "\r\n\r\nbody";
}

std::string WithLongLine(size_t total)
{
    return "HTTP/1.0 200 OK\r\nX-Long: " + std::string(total - 10, 'a') + "\r\nContent-Type: text/plain\r\n\r\nbody";
}

std::vector<TRow> Rows()
{
    std::vector<TRow> rows = {
        {"Plain", "HTTP/1.0 200 OK\r\nContent-Type: TEXT/Html\r\nServer: x\r\n\r\nhello",
         {.Status = 200, .Reason = "OK", .Type = "text/html",
          .Lines = {{"HTTP/1.0 200 OK", "Content-Type: TEXT/Html", "Server: x"}}, .Body = "hello"}},
        {"LengthAndType", "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: 4\r\n\r\nJPEG",
         {.Status = 200, .Reason = "OK", .Length = 4, .Type = "image/jpeg", .Body = "JPEG"}},
        {"BareLineFeedsAndNul", std::string("HTTP/1.0 200 OK\nX-Nul: a\0b\nContent-Type: Image/PNG\n\nPNG\n", 56),
         {.Status = 200, .Reason = "OK", .Type = "image/png",
          .Lines = {{"HTTP/1.0 200 OK", std::string("X-Nul: a\0b", 10), "Content-Type: Image/PNG"}}, .Body = "PNG\n"}},
        {"MixedLineEnds", "HTTP/1.0 204 No Content\nA: b\r\n\r\n",
         {.Status = 204, .Reason = "No Content", .Lines = {{"HTTP/1.0 204 No Content", "A: b"}}}},
        {"LoneCarriageReturnsStay", "HTTP/1.0 200 OK\r\nX: a\rb\r\r\n\r\n",
         {.Status = 200, .Reason = "OK", .Lines = {{"HTTP/1.0 200 OK", "X: a\rb\r"}}}},
        {"FoldedLinesAreNotJoined", "HTTP/1.0 200 OK\r\nContent-Type:\r\n text/html\r\nX-A: 1\r\n\tb: 2\r\n\r\n",
         {.Status = 200, .Reason = "OK",
          .Lines = {{"HTTP/1.0 200 OK", "Content-Type:", " text/html", "X-A: 1", "\tb: 2"}}}},
        {"NoBlankAfterTheColon", "HTTP/1.0 200 OK\r\nContent-Type:text/html\r\nX:\r\nno colon here\r\n\r\n",
         {.Status = 200, .Reason = "OK", .Type = "text/html",
          .Lines = {{"HTTP/1.0 200 OK", "Content-Type:text/html", "X:", "no colon here"}}}},
        {"LengthsThatConflict", "HTTP/1.0 200 OK\r\nContent-Length: 10\r\nContent-Length: 20\r\n\r\n",
         {.Status = 200, .Reason = "OK"}},
        {"LengthsThatAgree", "HTTP/1.0 200 OK\r\nContent-Length: 20\r\nContent-Length:20\r\n\r\n",
         {.Status = 200, .Reason = "OK", .Length = 20}},
        {"LaterStatusLineWins", "HTTP/1.0 100 Continue\r\nHTTP/1.0 200 OK\r\n\r\n", {.Status = 200, .Reason = "OK"}},
        {"Redirect",
         "HTTP/1.0 302 Found\r\nLocation: /new\r\nContent-Length: 12\r\nContent-Type: text/plain\r\n"
         "WWW-Authenticate: Basic realm=\"r\"\r\n\r\nignored body",
         {.Status = 302, .Reason = "Found", .Length = 12, .Type = "text/plain", .Body = "ignored body",
          .Location = "/new", .Challenges = {"Basic realm=\"r\""}}},
        {"LastLocationWinsEvenEmpty", "HTTP/1.0 301 Moved\r\nLocation: http://a/x\r\nLocation:\r\n\r\n",
         {.Status = 301, .Reason = "Moved", .Location = ""}},
        {"CookiesAndChallenges",
         "HTTP/1.0 401 Unauthorized\r\nSet-Cookie: id=42; path=/\r\nWWW-Authenticate: Basic realm=\"r\"\r\n"
         "set-cookie: b=2\r\nWWW-Authenticate: Digest\r\n\r\n",
         {.Status = 401, .Reason = "Unauthorized", .Cookies = {"id=42; path=/", "b=2"},
          .Challenges = {"Basic realm=\"r\"", "Digest"}}},
        // Replies without a header, as the oldest servers send them.
        {"HtmlWithoutHeader", "<hTmL><head>\r\n<title>x</title>\n</html>",
         {.Type = "text/html", .Lines = std::vector<std::string>{}, .Body = "<hTmL><head>\r\n<title>x</title>\n</html>",
          .End = hrHtmlBody}},
        {"HtmlBreaksOffAHeader", "HTTP/1.0 200 OK\r\nContent-Type: image/gif\r\n<HTML>x\r\nmore",
         {.Status = 200, .Reason = "OK", .Type = "image/gif", .Body = "<HTML>x\r\nmore", .End = hrHtmlBody}},
        {"ShorterThanHtmlIsAHeaderLine", "<htm\r\n\r\nx", {.Lines = {{"<htm"}}, .Body = "x"}},
        {"BlankFirstLine", "\r\nbody", {.Lines = std::vector<std::string>{}, .Body = "body"}},
        {"NoLineEndYet", "GIF89a\x01\x02", {.End = hrNeedMore}},
        // Limits: a line of 8192 bytes fits with its line end, and a header
        // of 256 kB with its blank line.
        {"LineBelowTheLimit", WithLongLine(8191), {.Status = 200, .Reason = "OK", .Type = "text/plain", .Body = "body"}},
        {"LineAtTheLimit", WithLongLine(8192), {.Status = 200, .Reason = "OK", .Type = "text/plain", .Body = "body"}},
        {"LineBeyondTheLimit", WithLongLine(8193),
         {.Status = 200, .Reason = "OK", .End = hrRefused, .Refusal = rfLineTooLong}},
        {"FirstLineBeyondTheLimit", std::string(9000, 'x'), {.End = hrRefused, .Refusal = rfLineTooLong}},
        {"HeaderAtTheLimit", HeaderOfSize(THttpResponseReader::MaxHeaderBytes),
         {.Status = 200, .Reason = "OK", .Body = "body"}},
        {"HeaderBeyondTheLimit", HeaderOfSize(THttpResponseReader::MaxHeaderBytes + 1),
         {.Status = 200, .Reason = "OK", .End = hrRefused, .Refusal = rfHeaderTooLarge}},
    };
    // Status lines: the code is three digits after "HTTP/1.0 " or "HTTP/1.1 ".
    const std::vector<std::tuple<std::string, int, std::string>> statusLines = {
        {"HTTP/1.0 404 Not Found", 404, "Not Found"},
        {"HTTP/1.0 302", 302, ""},
        {"HTTP/1.1 abc Broken", 0, "Broken"},
        {"HTTP/1.0 99999999999 Big", 0, "9999999 Big"},
        {"HTTP/1.0 20", 0, ""},
        {"HTTP/1.0 2000 OK", 0, " OK"},
        {"HTTP/2 200 OK", 0, ""},
        {"http/1.0 200 OK", 0, ""},
        {std::string("\x00\xff\x01 binary\x7f", 11), 0, ""},
    };
    for (const auto& [line, status, reason] : statusLines)
        rows.push_back({"Status" + std::to_string(rows.size()), line + "\r\nContent-Type: text/plain\r\n\r\nrest",
                        {.Status = status, .Reason = reason, .Type = "text/plain",
                         .Lines = {{line, "Content-Type: text/plain"}}, .Body = "rest"}});
    // Lengths: decimal digits within 32 bits, or unknown.
    const std::vector<std::pair<std::string, int32_t>> lengths = {
        {"0", 0},   {"2147483647", 2147483647}, {"-5", -1}, {"+5", -1},  {"12abc", -1},
        {"0x10", -1}, {"1 2", -1}, {"2147483648", -1}, {"4294967297", -1}, {"", -1},
    };
    for (const auto& [value, length] : lengths)
        rows.push_back({"Length" + std::to_string(rows.size()),
                        "HTTP/1.0 200 OK\r\nContent-Length: " + value + " \r\nContent-Type: image/gif\r\n\r\nGIF89a",
                        {.Status = 200, .Reason = "OK", .Length = length, .Type = "image/gif", .Body = "GIF89a"}});
    return rows;
}

class HttpResponseTable : public ::testing::TestWithParam<TRow> {};

TEST_P(HttpResponseTable, ReadTheSameInPiecesOfAnySize)
{
    const TRow& row = GetParam();
    const TWant& want = row.Want;
    const TReadOutcome whole = ReadInPieces(row.Bytes, {row.Bytes.size()});
    const THttpResponse& r = whole.Response;
    EXPECT_EQ(whole.End, want.End);
    EXPECT_EQ(whole.Refusal, want.Refusal);
    EXPECT_EQ(r.StatusCode, want.Status);
    EXPECT_EQ(r.ReasonPhrase, want.Reason);
    EXPECT_EQ(r.ContentLength, want.Length);
    EXPECT_EQ(r.ContentType, want.Type);
    EXPECT_EQ(r.Location, want.Location);
    EXPECT_EQ(r.Cookies, want.Cookies);
    EXPECT_EQ(r.AuthChallenges, want.Challenges);
    if (want.Lines) {
        EXPECT_EQ(r.Lines, *want.Lines);
    }
    EXPECT_EQ(whole.Body, want.Body);
    if (want.End == hrHeaderEnd || want.End == hrHtmlBody) {
        EXPECT_EQ(r.HeaderBytes, row.Bytes.size() - want.Body.size()); // where the body starts
    }
    EXPECT_EQ(whole.Begins, want.End == hrNeedMore || (r.Lines.empty() && want.End == hrRefused) ? 0 : 1);

    // Split in two at every position (big rows: only byte by byte), then byte by byte.
    const size_t size = row.Bytes.size();
    for (size_t cut = 1; cut < size && size <= 16384; ++cut)
        ASSERT_TRUE(ReadInPieces(row.Bytes, {cut, size}) == whole) << "cut at " << cut;
    std::vector<size_t> everyByte(size);
    for (size_t i = 0; i < size; ++i)
        everyByte[i] = i + 1;
    EXPECT_TRUE(ReadInPieces(row.Bytes, everyByte) == whole) << "byte by byte";
}

INSTANTIATE_TEST_SUITE_P(Responses, HttpResponseTable, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<TRow>& info) { return info.param.Name; });

TEST(HttpResponseReader, EachResponseGetsARecordOfItsOwn)
{
    THttpResponseReader reader;
    EXPECT_EQ(reader.Response().ContentLength, 0); // nothing read yet
    reader.NewRequest();
    EXPECT_EQ(reader.Response().ContentLength, -1);

    const std::string redirect = "HTTP/1.0 302 Found\r\nLocation: /new\r\nContent-Length: 12\r\nSet-Cookie: a=1\r\n"
                                 "WWW-Authenticate: Basic\r\n\r\nbody of the redirect";
    reader.Feed(redirect.data(), redirect.size());
    THttpReadStep step;
    while ((step = reader.Next()) != hrHeaderEnd)
        ASSERT_NE(step, hrNeedMore);
    EXPECT_EQ(reader.Body(), "body of the redirect");
    // Until the next response begins, the last one's record stays.
    reader.Restart();
    EXPECT_EQ(reader.Response().StatusCode, 302);

    const std::string bare = "<html>no header\n";
    reader.Feed(bare.data(), bare.size());
    EXPECT_EQ(reader.Body(), "");
    ASSERT_EQ(reader.Next(), hrBegin);
    EXPECT_EQ(reader.Response(), THttpResponse{});
    EXPECT_EQ(reader.Line(), "<html>no header"); // for the response's first event
    ASSERT_EQ(reader.Next(), hrHtmlBody);
    EXPECT_EQ(reader.Body(), bare);

    // The client's own failure keeps what the response said.
    reader.SetOutcome(404, "Connection aborted on request");
    EXPECT_EQ(reader.Response().StatusCode, 404);
    EXPECT_EQ(reader.Response().ReasonPhrase, "Connection aborted on request");
    EXPECT_EQ(reader.Response().ContentType, "text/html");
}

TEST(HttpResponseReader, LinesNobodyAwaitsAreOnlySplit)
{
    THttpResponseReader reader;
    const std::string bytes = "HTTP/1.0 500 x\r\nContent-Length: 3\nrest";
    reader.Feed(bytes.data(), bytes.size());
    ASSERT_TRUE(reader.NextLine());
    EXPECT_EQ(reader.Line(), "HTTP/1.0 500 x");
    ASSERT_TRUE(reader.NextLine());
    EXPECT_EQ(reader.Line(), "Content-Length: 3");
    EXPECT_FALSE(reader.NextLine());
    EXPECT_EQ(reader.Response().StatusCode, 0);
    EXPECT_EQ(reader.Response().ContentLength, 0);

    // A full buffer without a line end is dropped, not refused.
    const std::string full(THttpResponseReader::MaxLineLength, 'f');
    reader.Feed(full.data(), full.size());
    EXPECT_FALSE(reader.NextLine());
    EXPECT_EQ(reader.Room(), THttpResponseReader::MaxLineLength);
}

} // namespace
