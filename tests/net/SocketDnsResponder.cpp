#include "net/SocketDnsResponder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

TSocketDnsResponder::TSocketDnsResponder(std::map<std::string, std::string> Addresses)
    : FAddresses(std::move(Addresses))
{
    FFd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (FFd < 0 || bind(FFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) < 0 ||
        getsockname(FFd, reinterpret_cast<sockaddr*>(&addr), &len) < 0)
        throw std::runtime_error("cannot bind the name server");
    FPort = ntohs(addr.sin_port);
    FThread = std::thread([this] { Run(); });
}

TSocketDnsResponder::~TSocketDnsResponder()
{
    FStop = true;
    FThread.join();
    close(FFd);
}

void TSocketDnsResponder::Run()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!FStop && std::chrono::steady_clock::now() < deadline) {
        pollfd p{FFd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        char buffer[512];
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n = recvfrom(FFd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
        if (n <= 12)
            continue;
        ++FQueries;
        const std::string reply = Answer(std::string(buffer, static_cast<size_t>(n)));
        if (!reply.empty())
            sendto(FFd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), fromLen);
    }
}

std::string TSocketDnsResponder::Answer(const std::string& Query) const
{
    // Question: labels from byte 12 to a zero length, then type and class.
    std::string name;
    size_t i = 12;
    while (i < Query.size() && Query[i] != 0) {
        const auto len = static_cast<unsigned char>(Query[i]);
        if (!name.empty())
            name += '.';
        name += Query.substr(i + 1, len);
        i += len + 1;
    }
    const size_t questionEnd = i + 5;
    if (questionEnd > Query.size())
        return {};
    const auto known = FAddresses.find(name);
    std::string reply = Query.substr(0, questionEnd);
    reply[2] = static_cast<char>(0x81);                                  // response, recursion desired
    reply[3] = static_cast<char>(known != FAddresses.end() ? 0x80 : 0x83); // recursion available; NXDOMAIN
    reply[4] = 0;
    reply[5] = 1; // one question
    reply[6] = 0;
    reply[7] = known != FAddresses.end() ? 1 : 0;
    reply[8] = reply[9] = reply[10] = reply[11] = 0;
    if (known != FAddresses.end()) {
        in_addr addr{};
        inet_pton(AF_INET, known->second.c_str(), &addr);
        const char answer[] = {'\xC0', 12, 0, 1, 0, 1, 0, 0, 0, 60, 0, 4};
        reply.append(answer, sizeof answer);
        reply.append(reinterpret_cast<const char*>(&addr), 4);
    }
    return reply;
}
