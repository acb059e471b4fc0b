#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// One accepted connection as seen by a server script. Every call is bounded
// in time (Limit), so a script never hangs a test.
class TScriptedConnection {
public:
    explicit TScriptedConnection(int Fd) : FFd(Fd) {}
    ~TScriptedConnection();
    TScriptedConnection(const TScriptedConnection&) = delete;
    TScriptedConnection& operator=(const TScriptedConnection&) = delete;

    static constexpr std::chrono::milliseconds Limit{5000};

    // Reads until Marker has arrived; returns everything read up to and
    // including it (the rest stays for the next read). Empty on time-out/EOF.
    std::string ReadUntil(const std::string& Marker);
    // Reads exactly Count bytes (fewer on time-out or end of file).
    std::string Read(size_t Count);
    // Reads until the peer closes; returns what came before.
    std::string ReadToEnd();
    // Sends all bytes; false when the peer is gone.
    bool Send(const std::string& Bytes);
    // Sends Count bytes of a repeating pattern (byte i is 'a' + i % 26).
    bool SendPattern(size_t Count);
    // Orderly close, or an abortive one (the peer sees a reset).
    void Close();
    void Reset();

private:
    bool Fill();

    int FFd;
    std::string FPending;
};

// A TCP server on 127.0.0.1 (free port) that runs Script on its own thread
// for each accepted connection, one after the other, up to MaxConnections.
class TScriptedServer {
public:
    using TScript = std::function<void(TScriptedConnection& Conn)>;

    explicit TScriptedServer(TScript Script, int MaxConnections = 1);
    ~TScriptedServer(); // stops accepting and waits for the running script
    TScriptedServer(const TScriptedServer&) = delete;
    TScriptedServer& operator=(const TScriptedServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string PortText() const { return std::to_string(FPort); }
    // Connections whose script has finished.
    int Finished() const { return FFinished; }

private:
    void Run(int MaxConnections);

    TScript FScript;
    int FListen = -1;
    uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
    std::atomic<int> FFinished{0};
    std::thread FThread;
};

// A port on 127.0.0.1 that is bound but not listening: connecting is refused.
class TRefusingPort {
public:
    TRefusingPort();
    ~TRefusingPort();
    TRefusingPort(const TRefusingPort&) = delete;
    TRefusingPort& operator=(const TRefusingPort&) = delete;
    std::string PortText() const { return std::to_string(FPort); }

private:
    int FFd = -1;
    uint16_t FPort = 0;
};
