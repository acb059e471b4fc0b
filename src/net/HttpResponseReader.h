#pragma once
#include "net/HttpResponse.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What the reader found next in the bytes it holds.
enum THttpReadStep : uint8_t {
    hrNeedMore,  // no complete line: feed more bytes
    hrBegin,     // a response begins: Response() is a new record; Line()
                 // shows its first line, which the next step takes
    hrLine,      // a header line, now in Response()
    hrCookie,    // a set-cookie line: its value is Response().Cookies.back()
    hrLocation,  // a location line: its value is *Response().Location
    hrHeaderEnd, // the blank line: Body() is what followed it
    hrHtmlBody,  // a line starting "<html>": the server sent no (more) header
                 // and Body() starts with that line, as sent
    hrRefused,   // a limit was passed: Refusal() says which
};

enum THttpRefusal : uint8_t { rfNone, rfLineTooLong, rfHeaderTooLarge };

// Reads the headers of HTTP/1.0 responses from bytes that arrive in pieces
// of any size. It goes one step at a time, so that the caller can fire its
// events after each line, and stop when one of them ends the request.
// Widget-free and socket-free.
class THttpResponseReader {
public:
    // Largest header line, line end included.
    static constexpr size_t MaxLineLength = 8192;
    // Largest header of one response, beyond which it is refused instead of
    // growing without end.
    static constexpr size_t MaxHeaderBytes = 256 * 1024;

    // Before the first request nothing was read, not even a missing length.
    THttpResponseReader() { FResponse.ContentLength = 0; }

    // Bytes Feed takes now: one header line must fit whole.
    size_t Room() const { return MaxLineLength - (FEnd - FBegin); }
    // Takes what fits of Data; returns how many bytes it took.
    size_t Feed(const char* Data, size_t Len);
    THttpReadStep Next();
    // For bytes nobody awaits as a header: true with the next complete line
    // in Line(); a full buffer without one is dropped.
    bool NextLine();

    // Whether the last step read a line, and that line without its end.
    bool LineRead() const { return FLineRead; }
    const std::string& Line() const { return FLine; }
    // After hrHeaderEnd or hrHtmlBody: the body bytes already held. They
    // count as taken; the view lasts until the next Feed.
    std::string_view Body() const { return FBody; }
    THttpRefusal Refusal() const { return FRefusal; }

    const THttpResponse& Response() const { return FResponse; }
    // A failure of the client's own (lookup, connection, abort) reads as a
    // status and a reason; the rest of the record stays.
    void SetOutcome(int StatusCode, const std::string& ReasonPhrase);

    // Drops the bytes held: the next line begins a new response.
    void Restart();
    // A new request: a new, empty record at once.
    void NewRequest();

private:
    void ReadLine(const char* Lf);
    THttpReadStep EndHeader(THttpReadStep Step, size_t BodyFrom);
    THttpReadStep HeaderLine();
    THttpReadStep HeaderField(const std::string& Name, const std::string& Value);

    char FBuffer[MaxLineLength];
    size_t FBegin = 0, FEnd = 0; // the bytes held and not yet taken
    std::string_view FBody;
    bool FBegun = false;         // the current response has its first line
    bool FLineRead = false;
    std::string FLine;
    THttpRefusal FRefusal = rfNone;
    THttpResponse FResponse;
};
