#include "sampleweb/StallServer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

using namespace sampleweb;

namespace {

// Connects, sends a request and returns the socket (receive limit 10 s).
int SendRequest(uint16_t port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    timeval limit{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    EXPECT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    const std::string request = "GET /never.jpg HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    EXPECT_EQ(send(fd, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));
    return fd;
}

// 0 on an orderly close, -1 on a reset: either way the connection ended without an answer.
ssize_t ReceiveUntilClosed(int fd)
{
    char buffer[256];
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    close(fd);
    return n;
}

TEST(StallServer, NeverAnswersAndLetsGoWhenStopped)
{
    StallServer server;
    const int fd = SendRequest(server.Start());
    server.Stop();
    EXPECT_LE(ReceiveUntilClosed(fd), 0);
}

TEST(StallServer, LetsGoAfterItsHoldLimit)
{
    StallServer server(std::chrono::milliseconds(20));
    const int fd = SendRequest(server.Start());
    const ssize_t n = ReceiveUntilClosed(fd);
    EXPECT_TRUE(n == 0 || (n < 0 && errno == ECONNRESET)) << n << " " << errno;
}

} // namespace
