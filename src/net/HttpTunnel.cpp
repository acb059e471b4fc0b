#include "net/HttpTunnel.h"

#include "net/HttpRequestText.h"

#include <cctype>

std::string TunnelRequestText(const std::string& Host, const std::string& Port, const std::string& ProxyUsername,
                              const std::string& ProxyPassword)
{
    const std::string authority = EscapeControlBytes(Host) + ":" + EscapeControlBytes(Port);
    std::string text = "CONNECT " + authority + " HTTP/1.0\r\nHost: " + authority + "\r\n";
    if (!ProxyUsername.empty())
        text += "Proxy-Authorization: Basic " + EncodeBase64(ProxyUsername + ":" + ProxyPassword) + "\r\n";
    return text + "\r\n";
}

TTunnelReply ReadTunnelReply(std::string_view Bytes, size_t Limit)
{
    TTunnelReply reply;
    const size_t end = Bytes.find("\r\n\r\n");
    // Whether the end came within the limit must not depend on how the bytes were split into reads.
    if (end == std::string_view::npos || end + 4 > Limit) {
        if (Bytes.size() >= Limit) {
            reply.Kind = TTunnelReply::Refused;
            reply.Reason = "proxy reply too long";
        }
        return reply;
    }
    reply.Length = end + 4;
    const std::string_view status = Bytes.substr(0, Bytes.find("\r\n"));
    reply.Reason = std::string(status);
    const bool http = status.starts_with("HTTP/1.") && status.size() >= 12 && status[8] == ' ' &&
                      std::isdigit(static_cast<unsigned char>(status[9])) &&
                      std::isdigit(static_cast<unsigned char>(status[10])) &&
                      std::isdigit(static_cast<unsigned char>(status[11]));
    if (!http) {
        reply.Kind = TTunnelReply::Refused;
        reply.Reason = "not an HTTP proxy reply";
        return reply;
    }
    reply.StatusCode = (status[9] - '0') * 100 + (status[10] - '0') * 10 + (status[11] - '0');
    reply.Kind = reply.StatusCode / 100 == 2 ? TTunnelReply::Open : TTunnelReply::Refused;
    return reply;
}
