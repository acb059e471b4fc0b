#include "support/net/ScriptedServer.h"

#include "support/Loopback.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {
using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}

TScriptedConnection::~TScriptedConnection() { Close(); }

bool TScriptedConnection::Fill()
{
    if (FFd < 0)
        return false;
    pollfd p{FFd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(Limit.count())) <= 0)
        return false;
    char buffer[65536];
    const ssize_t n = recv(FFd, buffer, sizeof buffer, 0);
    if (n <= 0)
        return false;
    FPending.append(buffer, static_cast<size_t>(n));
    return true;
}

std::string TScriptedConnection::ReadUntil(const std::string& Marker)
{
    const auto deadline = Clock::now() + Limit;
    size_t pos;
    while ((pos = FPending.find(Marker)) == std::string::npos) {
        if (RemainingMs(deadline) == 0 || !Fill())
            return {};
    }
    std::string text = FPending.substr(0, pos + Marker.size());
    FPending.erase(0, pos + Marker.size());
    return text;
}

std::string TScriptedConnection::Read(size_t Count)
{
    const auto deadline = Clock::now() + Limit;
    while (FPending.size() < Count && RemainingMs(deadline) > 0 && Fill()) {
    }
    std::string text = FPending.substr(0, Count);
    FPending.erase(0, text.size());
    return text;
}

std::string TScriptedConnection::ReadToEnd()
{
    const auto deadline = Clock::now() + Limit;
    while (RemainingMs(deadline) > 0 && Fill()) {
    }
    return std::move(FPending);
}

bool TScriptedConnection::Send(const std::string& Bytes)
{
    size_t sent = 0;
    const auto deadline = Clock::now() + Limit;
    while (sent < Bytes.size()) {
        pollfd p{FFd, POLLOUT, 0};
        if (FFd < 0 || poll(&p, 1, RemainingMs(deadline)) <= 0)
            return false;
        const ssize_t n = send(FFd, Bytes.data() + sent, Bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool TScriptedConnection::SendPattern(size_t Count)
{
    // A whole number of periods, so every block starts again at 'a'.
    std::string block(26 * 2520, '\0');
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>('a' + i % 26);
    for (size_t done = 0; done < Count; done += block.size()) {
        const size_t n = std::min(block.size(), Count - done);
        if (!Send(n == block.size() ? block : block.substr(0, n)))
            return false;
    }
    return true;
}

void TScriptedConnection::Close()
{
    if (FFd >= 0)
        close(FFd);
    FFd = -1;
}

void TScriptedConnection::Reset()
{
    if (FFd < 0)
        return;
    const linger hard{1, 0};
    setsockopt(FFd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    Close();
}

TScriptedServer::TScriptedServer(TScript Script, int MaxConnections)
    : FScript(std::move(Script))
{
    FListen = BoundLoopbackSocket(SOCK_STREAM, FPort);
    if (listen(FListen, 8) < 0)
        throw std::runtime_error("cannot listen on loopback");
    FThread = std::thread([this, MaxConnections] { Run(MaxConnections); });
}

TScriptedServer::~TScriptedServer()
{
    FStop = true;
    FThread.join();
    close(FListen);
}

void TScriptedServer::Run(int MaxConnections)
{
    // Gives up after a while, so a test that never connects still ends.
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    for (int served = 0; served < MaxConnections && !FStop && Clock::now() < deadline;) {
        pollfd p{FListen, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        const int fd = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        TScriptedConnection conn(fd);
        FScript(conn);
        ++served;
        ++FFinished;
    }
}

TRefusingPort::TRefusingPort() { FFd = BoundLoopbackSocket(SOCK_STREAM, FPort); }

TRefusingPort::~TRefusingPort() { close(FFd); }
