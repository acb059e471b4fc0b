#pragma once
#include <string>
#include <string_view>

// The tunnel an HTTP proxy opens to an https host: the CONNECT request, and
// the proxy's reply read before TLS starts.
std::string TunnelRequestText(const std::string& Host, const std::string& Port, const std::string& ProxyUsername,
                              const std::string& ProxyPassword);

struct TTunnelReply {
    enum TKind { NeedMore, Open, Refused } Kind = NeedMore;
    int StatusCode = 0;
    std::string Reason; // the proxy's status line, or what was wrong with the reply
    size_t Length = 0;  // bytes of the reply, blank line included
};

// Reads the reply from what came so far. A status line of another kind, or
// a reply longer than `Limit` bytes, is refused.
TTunnelReply ReadTunnelReply(std::string_view Bytes, size_t Limit = 8192);
