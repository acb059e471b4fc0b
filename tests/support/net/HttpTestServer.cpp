#include "support/net/HttpTestServer.h"

#include "support/Loopback.h"
#include "support/TestSupport.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

THttpTestServer::THttpTestServer()
{
    FListen = BoundLoopbackSocket(SOCK_STREAM | SOCK_NONBLOCK, FPort);
    if (listen(FListen, 16) != 0)
        throw std::runtime_error("test server cannot listen");
}

THttpTestServer::~THttpTestServer()
{
    Close();
    close(FListen);
}

std::string THttpTestServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(FPort) + path;
}

bool THttpTestServer::Accept(std::chrono::milliseconds limit)
{
    Close();
    return WaitUntil(
        [&] {
            if (FConn < 0) {
                FConn = accept4(FListen, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
                FAccepted += FConn >= 0;
            }
            return FConn >= 0;
        },
        limit);
}

std::string THttpTestServer::ReadRequest(std::chrono::milliseconds limit)
{
    std::string request;
    WaitUntil(
        [&] {
            if (!request.empty())
                return true;
            char buf[4096];
            const ssize_t n = FConn < 0 ? 0 : recv(FConn, buf, sizeof buf, 0);
            if (n > 0)
                FPending.append(buf, static_cast<size_t>(n));
            const size_t end = FPending.find("\r\n\r\n");
            if (end != std::string::npos) {
                request = FPending.substr(0, end + 4);
                FPending.erase(0, end + 4);
                return true;
            }
            return n == 0;
        },
        limit);
    return request;
}

std::string THttpTestServer::ReadBytes(size_t count)
{
    bool closed = false;
    WaitUntil([&] {
        char buf[65536];
        const ssize_t n = FPending.size() >= count || FConn < 0 ? 0 : recv(FConn, buf, sizeof buf, 0);
        if (n > 0)
            FPending.append(buf, static_cast<size_t>(n));
        closed = closed || n == 0;
        return FPending.size() >= count || closed;
    });
    const std::string bytes = FPending.substr(0, count);
    FPending.erase(0, bytes.size());
    return bytes;
}

bool THttpTestServer::Send(const std::string& bytes)
{
    size_t done = 0;
    const bool ok = WaitUntil(
        [&] {
            while (FConn >= 0 && done < bytes.size()) {
                const ssize_t n = send(FConn, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
                if (n < 0)
                    return errno != EAGAIN;
                done += static_cast<size_t>(n);
            }
            return true;
        },
        std::chrono::seconds(10));
    return ok && done == bytes.size();
}

void THttpTestServer::Close()
{
    if (FConn >= 0)
        close(FConn);
    FConn = -1;
    FPending.clear();
}

void THttpTestServer::Reset()
{
    if (FConn >= 0) {
        const linger l{1, 0};
        setsockopt(FConn, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    }
    Close();
}

bool THttpTestServer::PeerClosed()
{
    if (FConn < 0)
        return true;
    char buf[4096];
    const ssize_t n = recv(FConn, buf, sizeof buf, 0);
    return n == 0 || (n < 0 && errno != EAGAIN);
}

