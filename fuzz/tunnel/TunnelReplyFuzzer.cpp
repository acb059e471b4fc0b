// Feeds an HTTP proxy's reply to CONNECT, in pieces, to the tunnel's reader
// as the client reads it: the bytes so far after each piece, until the
// reply is decided. A decided reply stays decided as more bytes come, an
// open tunnel is a 2xx status line within the limit that ends at a blank
// line, and no request names a host in a way that adds a line.
//
// Input: byte 0 picks the limit (64 bytes times 1 to 129); bytes 1..4 the
// piece lengths, cycled; the rest is the reply.
#include "../FuzzCheck.h"
#include "net/HttpTunnel.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
void CheckDecided(const TTunnelReply& reply, std::string_view bytes, size_t limit)
{
    if (reply.Kind == TTunnelReply::NeedMore) {
        Check(bytes.size() < limit && bytes.find("\r\n\r\n") == std::string_view::npos);
        return;
    }
    Check(!reply.Reason.empty());
    if (reply.Kind == TTunnelReply::Open) {
        Check(reply.StatusCode >= 200 && reply.StatusCode <= 299);
        Check(reply.Length >= 16 && reply.Length <= bytes.size() && reply.Length <= limit);
        Check(bytes.substr(reply.Length - 4, 4) == "\r\n\r\n" && bytes.find("\r\n\r\n") == reply.Length - 4);
        Check(bytes.starts_with(reply.Reason + "\r\n"));
    } else if (reply.StatusCode != 0) {
        Check(reply.StatusCode >= 0 && reply.StatusCode <= 999 && !(reply.StatusCode >= 200 && reply.StatusCode <= 299));
    }
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 5)
        return 0;
    const size_t limit = 64 * (static_cast<size_t>(data[0] >> 1) + 1);
    const std::string_view reply(reinterpret_cast<const char*>(data + 5), size - 5);

    TTunnelReply decided;
    size_t at = 0;
    for (int piece = 0; at < reply.size(); ++piece) {
        at = std::min(reply.size(), at + data[1 + piece % 4] + 1);
        decided = ReadTunnelReply(reply.substr(0, at), limit);
        CheckDecided(decided, reply.substr(0, at), limit);
        if (decided.Kind != TTunnelReply::NeedMore)
            break;
    }
    if (decided.Kind != TTunnelReply::NeedMore) {
        const TTunnelReply whole = ReadTunnelReply(reply, limit);
        Check(whole.Kind == decided.Kind && whole.StatusCode == decided.StatusCode && whole.Length == decided.Length);
    }

    // The reply's first line as the host a request names: whatever it holds,
    // the request is its lines and one blank line, at its end.
    const std::string host(reply.substr(0, std::min<size_t>(reply.find("\r\n"), 300)));
    const std::string request = TunnelRequestText(host, "443", data[0] & 1 ? "user" : "", "password");
    size_t lines = 0;
    for (size_t i = 0; i < request.size(); ++i)
        if (request[i] == '\r' || request[i] == '\n') {
            Check(request.compare(i, 2, "\r\n") == 0);
            ++lines;
            ++i;
        }
    Check(lines == (data[0] & 1 ? 4u : 3u) && request.ends_with("\r\n\r\n"));
    return 0;
}
