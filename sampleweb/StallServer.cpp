#include "sampleweb/StallServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace sampleweb {

StallServer::StallServer(std::chrono::milliseconds holdLimit) : FHoldLimit(holdLimit) {}

StallServer::~StallServer()
{
    Stop();
}

uint16_t StallServer::Start()
{
    FListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (FListen < 0 || bind(FListen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(FListen, 64) != 0 || getsockname(FListen, reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
        pipe2(FWake, O_CLOEXEC) != 0) {
        Stop();
        throw std::runtime_error("stalling host: cannot listen on 127.0.0.1");
    }
    FThread = std::thread([this] { Run(); });
    return ntohs(addr.sin_port);
}

void StallServer::Stop()
{
    if (FThread.joinable()) {
        const char wake = 1;
        (void)!write(FWake[1], &wake, 1);
        FThread.join();
    }
    for (const Held& h : FHeld)
        close(h.fd);
    FHeld.clear();
    for (int* fd : {&FListen, &FWake[0], &FWake[1]})
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
}

void StallServer::Run()
{
    const int tick = static_cast<int>(std::clamp<long long>(FHoldLimit.count(), 1, 1000));
    for (;;) {
        pollfd fds[2] = {{FListen, POLLIN, 0}, {FWake[0], POLLIN, 0}};
        if (poll(fds, 2, tick) < 0 && errno != EINTR)
            return;
        if (fds[1].revents)
            return;
        if (fds[0].revents & POLLIN) {
            const int fd = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0)
                FHeld.push_back({fd, std::chrono::steady_clock::now()});
        }
        CloseExpired();
    }
}

void StallServer::CloseExpired()
{
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(FHeld, [&](const Held& h) {
        if (now - h.since < FHoldLimit)
            return false;
        close(h.fd);
        return true;
    });
}

} // namespace sampleweb
