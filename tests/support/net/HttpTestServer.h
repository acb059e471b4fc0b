#pragma once
#include <chrono>
#include <cstdint>
#include <string>

// A scripted HTTP server on 127.0.0.1 for client tests. It lives on the
// test's thread: every wait spins the event loop, so the client under test
// keeps running while the script waits for it. Waits are bounded.
class THttpTestServer {
public:
    THttpTestServer();
    ~THttpTestServer();
    THttpTestServer(const THttpTestServer&) = delete;
    THttpTestServer& operator=(const THttpTestServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Url(const std::string& path = "/") const;

    // Takes the next connection (the previous one is closed); false when
    // none came in time.
    bool Accept(std::chrono::milliseconds limit = std::chrono::seconds(5));
    // The request bytes up to and including the blank line.
    std::string ReadRequest(std::chrono::milliseconds limit = std::chrono::seconds(5));
    // Exactly count bytes after the request (fewer when the peer closed).
    std::string ReadBytes(size_t count);
    // Sends all bytes; false when the peer is gone.
    bool Send(const std::string& bytes);
    // Closes the connection in order, or with a reset.
    void Close();
    void Reset();
    bool HasConnection() const { return FConn >= 0; }
    // Whether the peer closed its end (reads end of file).
    bool PeerClosed();
    int Accepted() const { return FAccepted; }

private:
    int FListen = -1;
    int FConn = -1;
    uint16_t FPort = 0;
    int FAccepted = 0;
    std::string FPending; // bytes read past the last request
};

