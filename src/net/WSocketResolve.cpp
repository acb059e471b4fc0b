#include "net/WSocketResolve.h"

#include "net/WSocketTypes.h"
#include "net/winsock/WinSock.h"
#include "net/winsock/WinSockDns.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool StartsWithDigit(const std::string& s) { return !s.empty() && std::isdigit(static_cast<unsigned char>(s[0])); }

// Decimal value of the leading digits after leading blanks.
long LeadingNumber(const std::string& s)
{
    size_t i = s.find_first_not_of(' ');
    long value = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
        value = value * 10 + (s[i] - '0');
    return value;
}

std::string Format(const char* fmt, const std::string& arg)
{
    char text[512];
    snprintf(text, sizeof text, fmt, arg.c_str());
    return text;
}
}

std::string WSocketTrim(const std::string& Text)
{
    size_t first = 0, last = Text.size();
    while (first < last && IsBlank(Text[first]))
        ++first;
    while (last > first && IsBlank(Text[last - 1]))
        --last;
    return Text.substr(first, last - first);
}

bool WSocketHasControlChar(const std::string& Text)
{
    return std::any_of(Text.begin(), Text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

uint32_t WSocketResolveHost(const std::string& InAddr)
{
    if (InAddr.empty() || InAddr.size() > 256)
        throw ESocketException("WSocketResolveHost: '" + InAddr + "' Invalid Hostname.");
    WSocketLoad();
    const std::string host = WSocketTrim(InAddr);
    if (StartsWithDigit(host)) {
        const in_addr_t addr = inet_addr(host.c_str());
        if (addr == INADDR_NONE && host != "255.255.255.255")
            throw ESocketException("WSocketResolveHost: '" + InAddr + "' Invalid IP address.");
        return ntohl(addr);
    }
    uint32_t addr = 0;
    if (!WSocketGetHostByName(host, addr))
        throw ESocketException(Format("WSocketResolveHost: Cannot convert host address '%s'", InAddr));
    return ntohl(addr);
}

uint16_t WSocketResolvePort(const std::string& Port, const std::string& Proto)
{
    if (Port.empty() || Port.size() >= 32)
        throw ESocketException("WSocketResolvePort: Invalid Port.");
    WSocketLoad();
    if (StartsWithDigit(WSocketTrim(Port)))
        return static_cast<uint16_t>(LeadingNumber(Port));
    const std::string proto = WSocketTrim(Proto);
    servent entry{};
    servent* found = nullptr;
    char buffer[1024];
    getservbyname_r(WSocketTrim(Port).c_str(), proto.empty() ? nullptr : proto.c_str(), &entry, buffer, sizeof buffer,
                    &found);
    if (found == nullptr)
        throw ESocketException(Format("WSocketResolvePort: Cannot convert port '%s'", Port));
    return ntohs(static_cast<uint16_t>(found->s_port));
}

int WSocketResolveProto(const std::string& Proto)
{
    if (Proto.empty() || Proto.size() >= 32)
        throw ESocketException("WSocketResolveProto: Invalid Protocol.");
    WSocketLoad();
    const std::string proto = WSocketTrim(Proto);
    if (StartsWithDigit(proto))
        return static_cast<int>(LeadingNumber(proto));
    // Every connection names its protocol: the protocols file is read once a name.
    static std::mutex lock;
    static std::map<std::string, int> known;
    const std::lock_guard guard(lock);
    if (const auto it = known.find(proto); it != known.end())
        return it->second;
    protoent entry{};
    protoent* found = nullptr;
    char buffer[1024];
    getprotobyname_r(proto.c_str(), &entry, buffer, sizeof buffer, &found);
    if (found == nullptr)
        throw ESocketException(Format("WSocketResolveProto: Cannot convert protocol '%s'", Proto));
    return known[proto] = found->p_proto;
}
