#pragma once
#include "sampleweb/certificates/Certificates.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

// A TLS server on 127.0.0.1 whose every byte the test decides: it answers
// each request with the reply set, then ends the connection as told. Its
// TLS bytes leave in pieces of a chosen size, each one sent only once the
// one before has left the socket, so the client reads them split anywhere.
class TTlsTestServer {
public:
    enum TEnd {
        CloseNotify, // close_notify, then the close
        Cut,         // the close alone
        Alert,       // a fatal alert (bad record MAC), then the close
        CloseNotifyThenBytes, // close_notify, bytes that are no TLS, then the close
    };
    struct TReply {
        std::string Bytes;
        TEnd End = CloseNotify;
        size_t Piece = 0;  // 0: as the TLS library writes them
        size_t Record = 0; // largest body record; 0: as large as TLS allows
    };

    explicit TTlsTestServer(const certificates::Identity& identity);
    ~TTlsTestServer();
    TTlsTestServer(const TTlsTestServer&) = delete;
    TTlsTestServer& operator=(const TTlsTestServer&) = delete;

    uint16_t Port() const { return FPort; }
    std::string Url(const std::string& path) const;
    void SetReply(const TReply& reply);
    std::string LastRequest() const;

private:
    void Run();
    void Serve(int fd);

    struct TContext;
    std::unique_ptr<TContext> FContext;
    int FListen = -1;
    uint16_t FPort = 0;
    std::atomic<bool> FStop{false};
    mutable std::mutex FLock;
    TReply FReply;
    std::string FLastRequest;
    std::thread FThread;
};
