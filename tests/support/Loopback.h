#pragma once
#include <arpa/inet.h>
#include <cstdint>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

// Sockets of test peers: always on 127.0.0.1.
inline sockaddr_in LoopbackAddress(uint16_t port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// A socket of the given type (SOCK_STREAM, SOCK_DGRAM, optionally with
// SOCK_NONBLOCK) bound to a free port of 127.0.0.1, which goes to `port`.
inline int BoundLoopbackSocket(int type, uint16_t& port)
{
    const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
    sockaddr_in a = LoopbackAddress(0);
    socklen_t len = sizeof a;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        if (fd >= 0)
            ::close(fd);
        throw std::runtime_error("cannot bind a loopback socket");
    }
    port = ntohs(a.sin_port);
    return fd;
}

// A port of 127.0.0.1 that was free a moment ago, for a peer process to take.
inline uint16_t FreeLoopbackPort()
{
    uint16_t port = 0;
    ::close(BoundLoopbackSocket(SOCK_STREAM, port));
    return port;
}
