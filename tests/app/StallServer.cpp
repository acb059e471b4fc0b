#include "StallServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

StallServer::StallServer()
{
    FSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (FSocket < 0 || ::bind(FSocket, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0
        || ::listen(FSocket, 128) != 0 || ::getsockname(FSocket, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("stall server");
    FPort = ntohs(addr.sin_port);
}

StallServer::~StallServer()
{
    if (FSocket >= 0)
        ::close(FSocket);
}

std::string StallServer::Url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(FPort) + path;
}
