#include "net/WSocketCore.h"

#include <arpa/inet.h>
#include <sys/socket.h>

std::string TCustomWSocket::PeerAddress()
{
    if (FState != wsConnected)
        return "error";
    sockaddr_in peer{};
    socklen_t len = sizeof peer;
    if (getpeername(FHSocket, reinterpret_cast<sockaddr*>(&peer), &len) < 0) {
        WSocketSetLastErrorFromErrno();
        SocketError("GetPeerName");
        return "error";
    }
    char text[INET_ADDRSTRLEN];
    return inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
}

int TCustomWSocket::GetPeerName(sockaddr_in& Name, int NameLen)
{
    if (FState != wsConnected)
        return SOCKET_ERROR;
    socklen_t len = NameLen;
    const int r = getpeername(FHSocket, reinterpret_cast<sockaddr*>(&Name), &len);
    if (r < 0)
        WSocketSetLastErrorFromErrno();
    return r;
}

int TCustomWSocket::LocalAddress(sockaddr_in& Name, int NameLen)
{
    socklen_t len = NameLen;
    const int r = getsockname(FHSocket, reinterpret_cast<sockaddr*>(&Name), &len);
    if (r < 0)
        WSocketSetLastErrorFromErrno();
    return r;
}

std::string TCustomWSocket::LocalPortText()
{
    if (FState != wsBound && FState != wsConnected && FState != wsListening)
        return "error";
    sockaddr_in local{};
    if (LocalAddress(local, sizeof local) < 0)
        return "error";
    return std::to_string(ntohs(local.sin_port));
}
