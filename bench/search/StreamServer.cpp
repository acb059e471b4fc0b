#include "StreamServer.h"

#include "support/Loopback.h"

#include <chrono>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

StreamServer::StreamServer(int bytesPerSecond) : FBytesPerSecond(bytesPerSecond)
{
    uint16_t port = 0;
    FListen = BoundLoopbackSocket(SOCK_STREAM, port);
    FPort = port;
    if (::listen(FListen, 256) != 0)
        throw std::runtime_error("stream server");
    FAcceptor = std::thread([this] { AcceptLoop(); });
}

StreamServer::~StreamServer()
{
    FStop = true;
    FAcceptor.join();
    for (std::thread& t : FConnections)
        t.join();
    ::close(FListen);
}

std::string StreamServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(FPort) + path;
}

void StreamServer::AcceptLoop()
{
    while (!FStop) {
        pollfd p{FListen, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept(FListen, nullptr, nullptr);
        if (fd < 0)
            continue;
        std::lock_guard<std::mutex> lock(FLock);
        FConnections.emplace_back([this, fd] { Serve(fd); });
    }
}

void StreamServer::Serve(int fd)
{
    char request[4096];
    ::recv(fd, request, sizeof request, 0);
    const std::string header =
        "HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: 1000000\r\n\r\n";
    bool ok = ::send(fd, header.data(), header.size(), MSG_NOSIGNAL) > 0;
    const std::string chunk(static_cast<size_t>(FBytesPerSecond / 100), 'x');
    // At most 100 s, and never past the client's close or the bench's end.
    for (int tick = 0; ok && !FStop && tick < 10000; ++tick) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ok = ::send(fd, chunk.data(), chunk.size(), MSG_NOSIGNAL) > 0;
    }
    ::close(fd);
}
